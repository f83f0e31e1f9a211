#include "report/report_render.h"

#include "platform/files.h"

#include <cstdio>
#include <map>
#include <tuple>

namespace tvz {

namespace {

bool IsTable(const std::string& fichero) { return fichero.find('.') == std::string::npos; }

const AvisoTexts& TextsOf(const Aviso& a) {
  const AvisoKind& kind = KindOf(a.tipo);
  if (kind.table_texts.one != nullptr && IsTable(a.fichero)) return kind.table_texts;
  if (kind.import_texts.one != nullptr && a.tabla == "ZARP_HORARIO.TXT") return kind.import_texts;
  return kind.texts;
}

std::string Fill(const char* pattern, const Aviso& a) {
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 'c') {
      out += a.campo;
      ++p;
    } else if (p[0] == '%' && p[1] == 'f') {
      out += a.fichero;
      ++p;
    } else if (p[0] == '%' && p[1] == 'v') {
      out += a.valor;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

std::string LineWord(const Aviso& a, bool many) {
  if (IsTable(a.fichero)) return many ? "registros" : "registro";
  return many ? "l\xED" "neas" : "l\xED" "nea";
}

// A case of a summary line: the line, or for a duplicate also where the
// first one is; without a line, the value.
std::string CaseText(const Aviso& a) {
  if (a.linea == 0) return a.valor;
  std::string text = std::to_string(a.linea);
  if (a.tipo == AvisoTipo::kDuplicado && a.linea_primera != 0) {
    text += " [primera: " + std::to_string(a.linea_primera);
    if (!a.fichero_primera.empty() && a.fichero_primera != a.fichero) text += " de " + a.fichero_primera;
    text += "]";
  }
  return text;
}

}  // namespace

std::vector<std::string> SummaryLines(const Informe& informe) {
  using Key = std::tuple<std::string, int, std::string, std::string>;
  std::map<Key, std::size_t> group_of;
  std::vector<std::vector<const Aviso*>> groups;
  for (const Aviso& a : informe.avisos) {
    const Key key{a.tabla, static_cast<int>(a.tipo), a.fichero, a.campo};
    auto [it, added] = group_of.try_emplace(key, groups.size());
    if (added) groups.emplace_back();
    groups[it->second].push_back(&a);
  }
  std::vector<std::string> lines;
  for (const auto& group : groups) {
    const Aviso& first = *group.front();
    const AvisoTexts& text = TextsOf(first);
    const bool many = group.size() > 1;
    std::string line = first.tabla + ": " + std::to_string(group.size()) + " " +
                       Fill(many ? text.many : text.one, first);
    // The cases: lines, or values; a warning about a whole file with nothing
    // more to say (a blank value) names none.
    std::string cases;
    for (std::size_t i = 0; i < group.size() && i < kSummaryCases; ++i) {
      const std::string one = CaseText(*group[i]);
      if (one.find_first_not_of(' ') != std::string::npos) cases += (cases.empty() ? "" : ", ") + one;
    }
    if (!cases.empty()) {
      line += " (";
      if (first.linea != 0) line += first.fichero + ", " + LineWord(first, many) + " ";
      line += cases + (group.size() > kSummaryCases ? ", ...)" : ")");
    }
    line += Fill(many ? text.did_many : text.did_one, first);
    lines.push_back(std::move(line));
  }
  if (informe.tareas_lec) {
    lines.push_back("ZARP_HORARIO.TXT: " + std::to_string(informe.tareas_lec) +
                    (informe.tareas_lec == 1 ? " clase con una tarea que ASIGNOMT no tiene; se ha"
                                             : " clases con una tarea que ASIGNOMT no tiene; se ha") +
                    " escrito LEC");
  }
  return lines;
}

std::string AvisoLine(const Aviso& a) {
  std::string line = std::string(AvisoName(a.tipo)) + ": " + a.tabla + ", " + a.fichero;
  if (a.linea != 0) line += " " + LineWord(a, false) + " " + std::to_string(a.linea);
  line += ": '" + a.valor + "'";
  if (!a.campo.empty()) line += " (" + a.campo + ")";
  if (a.linea_primera != 0) {
    line += " (primera: " +
            (a.fichero_primera.empty() || a.fichero_primera == a.fichero ? std::string()
                                                                         : a.fichero_primera + " ") +
            LineWord(a, false) + " " + std::to_string(a.linea_primera) + ")";
  }
  return line;
}

std::string PlaceText(const LugarError& lugar) {
  const std::string fichero(lugar.fichero);
  if (lugar.linea == 0) return fichero;
  return fichero + ", " + (IsTable(fichero) ? "registro " : "l\xED" "nea ") +
         std::to_string(lugar.linea);
}

std::string DateText(const platform::LocalTime& t) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d", t.day, t.month, t.year, t.hour, t.minute);
  return text;
}

std::string DateTimeText(const platform::LocalTime& t) {
  char seconds[8];
  std::snprintf(seconds, sizeof seconds, ":%02d", t.second);
  return DateText(t) + seconds;
}

std::string TableCountLine(const TablaRecuento& count) {
  std::string line = count.tabla + ": " + std::to_string(count.registros) +
                     (count.registros == 1 ? " registro" : " registros");
  if (count.duplicados) line += " (" + std::to_string(count.duplicados) + " duplicados omitidos)";
  return line;
}

std::string ReportText(const Conversion& c, const ReportRun& run, const platform::LocalTime& when) {
  std::vector<std::string> lines;
  lines.push_back("Informe de transVardelZarp (" + run.conversion + ")");
  lines.push_back("Fecha: " + DateTimeText(when));
  lines.push_back("Carpeta: " + platform::PathText(c.RutaCarpeta));
  lines.push_back("Carpeta de trabajo: " + platform::PathText(c.WorkingFolder));
  // The error's text, and on a line of its own where it happened.
  const std::size_t place = run.error.find('\n');
  std::string result = "Resultado: " + run.resultado;
  if (!run.error.empty()) result += " (" + run.error.substr(0, place) + ")";
  lines.push_back(result);
  if (place != std::string::npos) lines.push_back("Lugar del error: " + run.error.substr(place + 1));
  lines.push_back("");
  for (const TablaRecuento& count : c.informe.tablas) lines.push_back(TableCountLine(count));
  if (!c.informe.tablas.empty()) lines.push_back("");
  const std::vector<std::string> summary = SummaryLines(c.informe);
  if (c.informe.avisos.empty()) lines.push_back("Sin avisos.");
  else lines.push_back("Avisos: " + std::to_string(c.informe.avisos.size()));
  lines.insert(lines.end(), summary.begin(), summary.end());
  if (!c.informe.avisos.empty()) {
    lines.push_back("");
    lines.push_back("Todos los avisos:");
    for (const Aviso& a : c.informe.avisos) lines.push_back(AvisoLine(a));
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace tvz
