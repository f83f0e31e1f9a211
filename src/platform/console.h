#pragma once
// Program texts (cp1252) on the command line's standard output and error.
// One rule per output, for help, messages and errors alike:
//  - Linux: UTF-8, converted from cp1252.
//  - Windows, output is a console: the text as Unicode (WriteConsoleW), so
//    it shows right whatever the console's code page.
//  - Windows, output redirected to a file or a pipe: the cp1252 bytes as
//    they are.
#include <string>
#include <string_view>

namespace tvz::platform {

enum class TerminalStream { kOutput, kError };

// Writes `cp1252` to the stream by the rule above. Writes through std::cout
// and std::cerr (flushed first where the console is written directly), so
// the order of everything written either way is kept.
void WriteToTerminal(TerminalStream stream, std::string_view cp1252);

// A run never stops half way because its messages cannot be shown: on Linux
// a closed pipe on the output no longer ends the process (SIGPIPE ignored),
// the writes just fail. Windows never ends a process for that.
void KeepRunningWhenOutputCloses();

// A command-line argument as program text (cp1252), for quoting it in a
// message: Linux arguments are UTF-8 ('?' for what cp1252 lacks); Windows
// hands them over in the ANSI code page already.
std::string TextFromArgument(std::string_view argument);

}  // namespace tvz::platform
