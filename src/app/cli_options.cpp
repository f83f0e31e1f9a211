#include "app/cli_options.h"

#include "core/ascii.h"

namespace tvz::cli {

const char* HelpText() {
  return "Uso: transvardelzarp exportar|importar CARPETA [--vtemp DIR] [--informe FICHERO]\n"
         "     transvardelzarp comprobar CARPETA [--vtemp DIR] [--informe FICHERO]\n"
         "     transvardelzarp restaurar [COPIA] [--vtemp DIR]\n"
         "\n"
         "  exportar     Convierte los ficheros de ZARP de CARPETA en las tablas de\n"
         "               Vardelin (ASIGNOMT, PROFT, AULAT, GRUPOST, ASIGT, DIASHORAST).\n"
         "  importar     Convierte el horario calculado por Vardelin (SOLUC) en\n"
         "               CARPETA/ZARP_HORARIO.TXT.\n"
         "  comprobar    Lee y comprueba todo lo que leer\xED" "a exportar, con los mismos\n"
         "               mensajes y avisos, pero no escribe nada.\n"
         "  restaurar    Sin COPIA, lista las copias de las tablas que han sustituido las\n"
         "               exportaciones (en COPIAS, dentro de la carpeta de trabajo), de la\n"
         "               m\xE1" "s reciente a la m\xE1" "s antigua. Con COPIA, vuelve a poner sus\n"
         "               tablas, tras guardar como copia nueva las que sustituye.\n"
         "  --vtemp DIR  Carpeta de trabajo con las tablas (por omisi\xF3" "n, la que Vardelin\n"
         "               ve como C:\\VTEMP; en Linux, $WINEPREFIX/drive_c/VTEMP o\n"
         "               ~/.wine/drive_c/VTEMP).\n"
         "  --informe FICHERO\n"
         "               Escribe el informe completo del proceso (avisos y registros\n"
         "               por tabla) en FICHERO, en JSON (UTF-8).\n"
         "  --help       Muestra esta ayuda.\n"
         "  --version    Muestra el nombre y la versi\xF3" "n del programa.\n"
         "\n"
         "Los mensajes del proceso salen por la salida est\xE1" "ndar, uno por l\xED" "nea; el\n"
         "error que detiene un proceso, por la salida de errores. Al acabar, la salida\n"
         "de errores recibe los registros por tabla y un resumen de los avisos: una\n"
         "l\xED" "nea por clase de aviso, con su n\xFA" "mero y los primeros casos.\n"
         "\n"
         "Estado de salida: 0 proceso finalizado; 1 faltaba alg\xFA" "n fichero o la carpeta\n"
         "no existe; 2 un error detuvo el proceso; 64 l\xED" "nea de \xF3" "rdenes incorrecta.\n";
}

namespace {

// restaurar [COPIA]: no folder; the copy as given.
ParseResult ParseRestaurar(Options options, const std::vector<std::string>& positional) {
  if (positional.size() > 2) return {std::nullopt, "se espera como mucho una copia", {}};
  options.mode = Mode::kRestaurar;
  if (positional.size() == 2) options.copy = positional[1];
  if (options.vtemp && options.vtemp->empty())
    return {std::nullopt, "la carpeta de --vtemp no puede estar vac\xED" "a", {}};
  return {options, {}, {}};
}

}  // namespace

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
  if (!positional.empty() && ascii::Lowered(positional[0]) == "restaurar")
    return ParseRestaurar(std::move(options), positional);
  if (positional.size() != 2) return {std::nullopt, "se esperan un modo y una carpeta", {}};
  const std::string mode = ascii::Lowered(positional[0]);
  if (mode == "exportar") options.mode = Mode::kExportar;
  else if (mode == "importar") options.mode = Mode::kImportar;
  else if (mode == "comprobar") options.mode = Mode::kComprobar;
  else return {std::nullopt, "modo desconocido", positional[0]};
  if (positional[1].empty()) return {std::nullopt, "la carpeta no puede estar vac\xED" "a", {}};
  options.folder = positional[1];
  if (options.vtemp && options.vtemp->empty())
    return {std::nullopt, "la carpeta de --vtemp no puede estar vac\xED" "a", {}};
  if (options.informe && options.informe->empty())
    return {std::nullopt, "el fichero de --informe no puede estar vac\xED" "o", {}};
  return {options, {}, {}};
}

}  // namespace tvz::cli
