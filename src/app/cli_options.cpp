#include "app/cli_options.h"

#include <string_view>

#include "app/cli_commands.h"
#include "core/ascii.h"

namespace tvz::cli {

namespace {

constexpr char kProgram[] = "transvardelzarp";
// A command's name and a paragraph's text start at these columns.
constexpr std::size_t kNameIndent = 2;
constexpr std::size_t kTextIndent = 15;

constexpr char kOptionsHelp[] =
    "  --vtemp DIR  Carpeta de trabajo con las tablas (por omisi\xF3" "n, la que Vardelin\n"
    "               ve como C:\\VTEMP; en Linux, $WINEPREFIX/drive_c/VTEMP o\n"
    "               ~/.wine/drive_c/VTEMP).\n"
    "  --informe FICHERO\n"
    "               Escribe el informe completo del proceso (avisos y registros\n"
    "               por tabla) en FICHERO, en JSON (UTF-8); con restaurar COPIA,\n"
    "               la copia restaurada, sus tablas y la copia nueva. FICHERO no\n"
    "               puede ser un fichero de ZARP de CARPETA, una tabla de la\n"
    "               carpeta de trabajo ni estar en su carpeta COPIAS.\n"
    "  --help       Muestra esta ayuda.\n"
    "  --version    Muestra el nombre y la versi\xF3" "n del programa.\n";

constexpr char kStreamsHelp[] =
    "Los mensajes del proceso salen por la salida est\xE1" "ndar, uno por l\xED" "nea; el\n"
    "error que detiene un proceso, por la salida de errores. Al acabar, la salida\n"
    "de errores recibe los registros por tabla y un resumen de los avisos: una\n"
    "l\xED" "nea por clase de aviso, con su n\xFA" "mero y los primeros casos.\n"
    "\n"
    "Estado de salida: 0 proceso finalizado; 1 faltaba alg\xFA" "n fichero o la carpeta\n"
    "no existe; 2 un error detuvo el proceso; 64 l\xED" "nea de \xF3" "rdenes incorrecta.\n";

// A paragraph under its name: the first line beside it, the others below.
std::string Paragraph(std::string_view name, std::string_view text) {
  std::string out(kNameIndent, ' ');
  out += name;
  out.append(kTextIndent - out.size(), ' ');
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    if (start > 0) out.append(kTextIndent, ' ');
    out += text.substr(start, end - start + 1);
    start = end + 1;
  }
  return out;
}

const Command* FindCommand(std::string_view word) {
  const std::string lowered = ascii::Lowered(word);
  for (const Command& command : Commands())
    if (lowered == command.name) return &command;
  return nullptr;
}

}  // namespace

std::string HelpText() {
  std::string usage = "Uso: ";
  std::string paragraphs;
  for (const Command& command : Commands()) {
    if (command.usage != nullptr) {
      if (usage.size() > 5) usage += std::string(5, ' ');
      usage += std::string(kProgram) + " " + command.usage + "\n";
    }
    paragraphs += Paragraph(command.name, command.help);
  }
  return usage + "\n" + paragraphs + kOptionsHelp + "\n" + kStreamsHelp;
}

ParseResult ParseOptions(const std::vector<std::string>& args) {
  Options options;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      options.help = true;
      return {options, {}, {}};
    }
    if (a == "--version" || a == "-V") {
      options.version = true;
      return {options, {}, {}};
    }
    if (a == "--vtemp") {
      if (i + 1 >= args.size()) return {std::nullopt, "falta la carpeta tras --vtemp", {}};
      options.vtemp = args[++i];
    } else if (a.rfind("--vtemp=", 0) == 0) {
      options.vtemp = a.substr(8);
    } else if (a == "--informe") {
      if (i + 1 >= args.size()) return {std::nullopt, "falta el fichero tras --informe", {}};
      options.informe = args[++i];
    } else if (a.rfind("--informe=", 0) == 0) {
      options.informe = a.substr(10);
    } else if (a.size() > 1 && a[0] == '-') {
      return {std::nullopt, "opci\xF3" "n desconocida", a};
    } else {
      positional.push_back(a);
    }
  }
  const Command* command = positional.empty() ? nullptr : FindCommand(positional[0]);
  if (command != nullptr && command->operand == Operand::kCopy) {
    if (positional.size() > 2) return {std::nullopt, "se espera como mucho una copia", {}};
    if (positional.size() == 2) options.copy = positional[1];
  } else {
    if (positional.size() != 2) return {std::nullopt, "se esperan un modo y una carpeta", {}};
    if (command == nullptr) return {std::nullopt, "modo desconocido", positional[0]};
    if (positional[1].empty()) return {std::nullopt, "la carpeta no puede estar vac\xED" "a", {}};
    options.folder = positional[1];
  }
  options.command = command;
  if (options.vtemp && options.vtemp->empty())
    return {std::nullopt, "la carpeta de --vtemp no puede estar vac\xED" "a", {}};
  if (options.informe && options.informe->empty())
    return {std::nullopt, "el fichero de --informe no puede estar vac\xED" "o", {}};
  if (options.informe && command->operand == Operand::kCopy && !options.copy)
    return {std::nullopt, "restaurar solo escribe un informe al restaurar una copia", {}};
  return {options, {}, {}};
}

}  // namespace tvz::cli
