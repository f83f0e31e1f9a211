#pragma once
// The commands of `transvardelzarp`, one row each: the parser, the help and
// the program loop over this table, so that a new command is a new row.
#include <span>

#include "app/cli_options.h"

namespace tvz::cli {

// What follows the command word.
enum class Operand {
  kFolder,  // CARPETA, required
  kCopy,    // COPIA, optional
};

struct Command {
  const char* name;   // the word, in any ASCII letter case: "exportar"
  const char* usage;  // the usage line after the program's name; null: on the row before's
  const char* help;   // its paragraph of the help, lines ended by '\n' (cp1252)
  Operand operand;
  // Runs the command; returns the exit status.
  int (*run)(const Options& options);
};

// In the order the help lists them.
std::span<const Command> Commands();

// Each front of a command (cli_run.cpp, cli_restaurar.cpp). A RunError is
// shown on standard error and gives kExitError.
int RunExportar(const Options& options);
int RunImportar(const Options& options);
int RunComprobar(const Options& options);
int RunRestaurar(const Options& options);

}  // namespace tvz::cli
