#include <csignal>
#include <iostream>

#include "platform/console.h"
#include "platform/text_encoding.h"

namespace tvz::platform {

void WriteToTerminal(TerminalStream stream, std::string_view cp1252) {
  std::ostream& out = stream == TerminalStream::kOutput ? std::cout : std::cerr;
  out << Utf8FromCp1252(cp1252);
}

void KeepRunningWhenOutputCloses() { std::signal(SIGPIPE, SIG_IGN); }

std::string TextFromArgument(std::string_view argument) { return Cp1252FromUtf8(argument); }

}  // namespace tvz::platform
