// The report as JSON (UTF-8): what `--informe` writes.
#include <cstdio>

#include "report/report_render.h"

#include "platform/text_encoding.h"

namespace tvz {

namespace {

// A JSON string from UTF-8 text.
std::string Quoted(std::string_view utf8) {
  std::string out = "\"";
  for (unsigned char ch : utf8) {
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += static_cast<char>(ch);
    } else if (ch < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
      out += escaped;
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out + "\"";
}

std::string Text(std::string_view cp1252) { return Quoted(platform::Utf8FromCp1252(cp1252)); }

std::string PathJson(const std::filesystem::path& p) {
  const std::u8string u8 = p.u8string();
  return Quoted(std::string(u8.begin(), u8.end()));
}

std::string AvisoJson(const Aviso& a) {
  std::string out = "{\"tipo\": " + Quoted(AvisoName(a.tipo)) + ", \"tabla\": " + Text(a.tabla) +
                    ", \"fichero\": " + Text(a.fichero) + ", \"linea\": " +
                    (a.linea ? std::to_string(a.linea) : "null") + ", \"valor\": " + Text(a.valor);
  const AvisoKind& kind = KindOf(a.tipo);
  if (kind.has_campo) out += ", \"campo\": " + Text(a.campo);
  if (kind.has_primera) {
    out += ", \"linea_primera\": " + (a.linea_primera ? std::to_string(a.linea_primera) : "null");
    out += ", \"fichero_primera\": " + Text(a.fichero_primera.empty() ? a.fichero : a.fichero_primera);
  }
  return out + "}";
}

}  // namespace

std::string ReportJson(const Conversion& c, const ReportRun& run) {
  std::string out = "{\n";
  out += "  \"conversion\": " + Quoted(run.conversion) + ",\n";
  out += "  \"resultado\": " + Quoted(run.resultado) + ",\n";
  if (!run.error.empty()) out += "  \"error\": " + Text(run.error) + ",\n";
  if (!run.error.empty() && !c.lugar_error.fichero.empty()) {
    out += "  \"lugar_error\": {\"fichero\": " + Text(c.lugar_error.fichero) + ", \"linea\": " +
           (c.lugar_error.linea ? std::to_string(c.lugar_error.linea) : "null") + "},\n";
  }
  out += "  \"carpeta\": " + PathJson(c.RutaCarpeta) + ",\n";
  out += "  \"carpeta_trabajo\": " + PathJson(c.WorkingFolder) + ",\n";
  out += "  \"estado\": " + std::to_string(c.Transformado) + ",\n";
  out += "  \"tablas\": [";
  const std::vector<TablaRecuento>& tablas = c.informe.tablas;
  for (std::size_t i = 0; i < tablas.size(); ++i) {
    out += std::string(i ? "," : "") + "\n    {\"tabla\": " + Text(tablas[i].tabla) +
           ", \"registros\": " + std::to_string(tablas[i].registros) +
           ", \"duplicados\": " + std::to_string(tablas[i].duplicados) + "}";
  }
  out += tablas.empty() ? "],\n" : "\n  ],\n";
  out += "  \"recuentos\": {\"tareas_lec\": " + std::to_string(c.informe.tareas_lec) + "},\n";
  out += "  \"resumen\": [";
  const std::vector<std::string> summary = SummaryLines(c.informe);
  for (std::size_t i = 0; i < summary.size(); ++i)
    out += std::string(i ? "," : "") + "\n    " + Text(summary[i]);
  out += summary.empty() ? "],\n" : "\n  ],\n";
  out += "  \"avisos\": [";
  for (std::size_t i = 0; i < c.informe.avisos.size(); ++i)
    out += std::string(i ? "," : "") + "\n    " + AvisoJson(c.informe.avisos[i]);
  out += c.informe.avisos.empty() ? "]\n" : "\n  ]\n";
  return out + "}\n";
}

std::string RestoreReportJson(const RestoreReport& r) {
  std::string out = "{\n  \"conversion\": \"restaurar\",\n";
  out += "  \"resultado\": " + Quoted(r.resultado) + ",\n";
  if (!r.error.empty()) out += "  \"error\": " + Text(r.error) + ",\n";
  out += "  \"carpeta_trabajo\": " + PathJson(r.carpeta_trabajo) + ",\n";
  out += "  \"copia\": " + Text(r.copia) + ",\n";
  out += "  \"tablas\": [";
  for (std::size_t i = 0; i < r.tablas.size(); ++i) out += (i ? ", " : "") + Text(r.tablas[i]);
  out += "],\n  \"copia_nueva\": " + (r.copia_nueva.empty() ? std::string("null") : Text(r.copia_nueva));
  return out + "\n}\n";
}

}  // namespace tvz
