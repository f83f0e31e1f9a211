// transvardelzarp: both conversions, the check and the copies from the
// command line (the commands are the rows of cli_commands.h). Every program
// text goes out through platform::WriteToTerminal, in one encoding per
// output.
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/version.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  using namespace tvz;
  using platform::TerminalStream;
  using platform::WriteToTerminal;
  std::vector<std::string> args(argv + 1, argv + argc);
  const cli::ParseResult parsed = cli::ParseOptions(args);
  if (!parsed.options) {
    std::string message = "transvardelzarp: " + parsed.error;
    if (!parsed.argument.empty()) message += ": " + platform::TextFromArgument(parsed.argument);
    WriteToTerminal(TerminalStream::kError, message + "\n\n" + cli::HelpText());
    return cli::kExitUsage;
  }
  if (parsed.options->help) {
    WriteToTerminal(TerminalStream::kOutput, cli::HelpText());
    return cli::kExitOk;
  }
  if (parsed.options->version) {
    // Name (package) version, the first line that version-reading tools expect.
    WriteToTerminal(TerminalStream::kOutput,
                    "transvardelzarp (transVardelZarp) " TVZ_VERSION_STRING "\n");
    return cli::kExitOk;
  }
  platform::KeepRunningWhenOutputCloses();
  try {
    const int status = parsed.options->command->run(*parsed.options);
    // The run has finished whatever became of its messages; say so if some
    // could not be shown. The status is the run's.
    if (!(std::cout << std::flush)) {
      WriteToTerminal(TerminalStream::kError,
                      "transvardelzarp: no se han podido mostrar todos los mensajes en la "
                      "salida est\xE1" "ndar\n");
    }
    return status;
  } catch (const std::exception& e) {
    // Not a program text: the library's or the system's, in its own encoding.
    std::cerr << "transvardelzarp: " << e.what() << '\n';
    return cli::kExitError;
  }
}
