#pragma once
// The command line of `transvardelzarp`:
//   transvardelzarp exportar|importar|comprobar CARPETA [--vtemp DIR] [--informe FICHERO]
//   transvardelzarp restaurar [COPIA] [--vtemp DIR]
//   transvardelzarp --help | --version
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

enum class Mode { kExportar, kImportar, kComprobar, kRestaurar };

struct Options {
  bool help = false;
  bool version = false;  // --version, -V
  Mode mode = Mode::kExportar;
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

// Pure: no file system access. The mode is compared in ASCII lower case.
ParseResult ParseOptions(const std::vector<std::string>& args);

// The help text (cp1252, like every program text).
const char* HelpText();

}  // namespace tvz::cli
