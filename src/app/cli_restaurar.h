#pragma once
// `transvardelzarp restaurar [COPIA] [--vtemp DIR]`: lists the copies of the
// tables that exports replaced, or puts one of them back.
#include "app/cli_options.h"

namespace tvz::cli {

// Lists (no COPIA) or restores; returns the exit status. A RunError (an
// unknown copy, a table in use, a failed write) is shown on standard error
// and gives kExitError.
int RunRestaurar(const Options& options);

}  // namespace tvz::cli
