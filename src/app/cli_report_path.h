#pragma once
// Where --informe may write, checked before a command reads or writes
// anything: the report must never take the place of what the run reads or
// writes, nor of what keeps the tables safe.
#include <filesystem>
#include <optional>
#include <string>

namespace tvz::cli {

// The folders of the run the report belongs to.
struct ReportFolders {
  std::optional<std::filesystem::path> chosen;  // CARPETA, whose ZARP files the run reads or writes
  std::filesystem::path working;                // the working folder: tables and COPIAS
};

// Why `report` cannot be the report's file, as the text of a usage error
// (cp1252, ending with the path); none when it can. It can be a regular file
// or a new file in a folder that is there, but not, by whatever spelling or
// link (symbolic or hard) the path reaches it:
//  * a ZARP file of the chosen folder (ZARP_*.TXT, any letter case): what
//    the conversions read, and ZARP_HORARIO.TXT;
//  * a table or index of the working folder (*.DBF, *.MDX), nor COPIAS;
//  * anything inside COPIAS.
// Looks at the file system; writes nothing.
std::optional<std::string> ReportPathRefusal(const std::filesystem::path& report, const ReportFolders& run);

}  // namespace tvz::cli
