#pragma once
// The command line of `transvardelzarp`: one command of the table in
// cli_commands.h, its operand and the options.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tvz::cli {

// Exit statuses.
enum ExitCode : int {
  kExitOk = 0,        // the run finished with status 1
  kExitIncomplete = 1,  // finished with status -1, or refused (no such folder)
  kExitError = 2,     // an error ended the run
  kExitUsage = 64,    // the command line is wrong
};

struct Command;  // cli_commands.h

struct Options {
  bool help = false;
  bool version = false;                          // --version, -V
  const Command* command = nullptr;              // null only with help or version
  std::filesystem::path folder;                  // CARPETA
  std::optional<std::string> copy;               // restaurar: COPIA, as given
  std::optional<std::filesystem::path> vtemp;    // --vtemp DIR
  std::optional<std::filesystem::path> informe;  // --informe FICHERO
};

struct ParseResult {
  std::optional<Options> options;  // empty on a usage error
  std::string error;               // what is wrong, for a usage error (cp1252)
  std::string argument;            // the argument the error is about, as given
};

// Pure: no file system access. The command is compared in ASCII lower case.
ParseResult ParseOptions(const std::vector<std::string>& args);

// The help text (cp1252, like every program text): the usage and a
// paragraph of each command, the options, the streams and exit statuses.
std::string HelpText();

}  // namespace tvz::cli
