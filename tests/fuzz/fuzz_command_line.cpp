// The command lines of both fronts: the window's (mode and host window
// handle) and the command-line program's options. Parameters are the input
// cut at NUL bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "ui/embed_request.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "fuzz_support.h"

namespace {

using namespace tvz;

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

void ProgramOptions(const std::vector<std::string>& args) {
  const cli::ParseResult r = cli::ParseOptions(args);
  FUZZ_CHECK(r.options.has_value() != !r.error.empty());
  if (!r.options || r.options->help || r.options->version) return;
  // restaurar takes no folder; the other modes always one.
  FUZZ_CHECK(r.options->folder.empty() == (r.options->command->operand == cli::Operand::kCopy));
  FUZZ_CHECK(!r.options->vtemp || !r.options->vtemp->empty());
}

void WindowCommandLine(const std::vector<std::string>& args) {
  std::optional<ui::EmbedRequest> request;
  try {
    request = ui::ReadEmbedRequest(args);
  } catch (const RunError& e) {
    FUZZ_CHECK(args.size() == 2);
    // What a C string of the message shows: up to a NUL byte.
    const std::string text = "'$" + args[1] + "' no es un valor entero v\xE1" "lido";
    FUZZ_CHECK(e.what() == text.substr(0, text.find('\0')));
    return;
  }
  FUZZ_CHECK(request.has_value() == (args.size() == 2));
  if (!request) return;
  const std::string mode = Lower(args[0]);
  const ui::TopPanels expected = mode == "exportar"   ? ui::TopPanels::kExportOnly
                                 : mode == "importar" ? ui::TopPanels::kImportOnly
                                                      : ui::TopPanels::kBoth;
  FUZZ_CHECK(request->panels == expected);
  FUZZ_CHECK(request->host == static_cast<std::intptr_t>(StrToInt("$" + args[1])));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  if (size > 0)
    for (std::string_view part : fuzz::SplitInput(input, std::string_view("\0", 1)))
      args.emplace_back(part);
  ProgramOptions(args);
  WindowCommandLine(args);
  return 0;
}
