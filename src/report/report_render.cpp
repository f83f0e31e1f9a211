#include "report/report_render.h"

#include "platform/files.h"

#include <cstdio>
#include <map>
#include <tuple>

namespace tvz {

namespace {

// What a summary line says about one kind: the thing counted (one, many),
// and what the run did with it (for one, for many). "%c" stands for the
// field of a cut value, "%f" for the file that was read.
struct KindText {
  const char* one;
  const char* many;
  const char* did_one;
  const char* did_many;
};

const KindText& TextOf(const Aviso& a) {
  static const KindText kExport[kAvisoTipoCount] = {
      {"registro omitido por tener un c\xF3" "digo ya escrito",
       "registros omitidos por tener un c\xF3" "digo ya escrito", "", ""},
      {"valor m\xE1" "s largo que %c", "valores m\xE1" "s largos que %c", "; se ha recortado",
       "; se han recortado"},
      {"asignaci\xF3" "n de un grupo que GRUPOST no tiene", "asignaciones de grupos que GRUPOST no tiene",
       "; queda sin turno, nivel, curso ni grupo", "; quedan sin turno, nivel, curso ni grupo"},
      {"asignaci\xF3" "n sin horas semanales", "asignaciones sin horas semanales",
       "; se le ha dado 1 hora", "; se les ha dado 1 hora"},
      {"asignaci\xF3" "n con menos de 1 hora semanal", "asignaciones con menos de 1 hora semanal",
       "; se le ha dado 1 hora", "; se les ha dado 1 hora"},
      {"l\xED" "nea de horas con las horas en blanco", "l\xED" "neas de horas con las horas en blanco",
       "; cuenta como 1 hora", "; cuentan como 1 hora"},
      {"grupo sin nivel", "grupos sin nivel", "; se le ha puesto el nivel NIV",
       "; se les ha puesto el nivel NIV"},
      {"franja con un d\xED" "a que no es L, M, X, J, V, S ni D",
       "franjas con un d\xED" "a que no es L, M, X, J, V, S ni D", "; el d\xED" "a se ha copiado tal cual",
       "; el d\xED" "a se ha copiado tal cual"},
      {"franja que acaba antes de empezar", "franjas que acaban antes de empezar",
       "; sus minutos son negativos", "; sus minutos son negativos"},
      {"fichero con otro del mismo nombre en otras may\xFA" "sculas",
       "ficheros con otros del mismo nombre en otras may\xFA" "sculas", "; se ha le\xED" "do %f",
       "; se han le\xED" "do los de los nombres citados primero"},
      {"clase sin franja en DIASHORAST", "clases sin franja en DIASHORAST",
       "; su c\xF3" "digo de franja va en blanco", "; su c\xF3" "digo de franja va en blanco"},
      {"clase en un aula que AULAT no tiene", "clases en aulas que AULAT no tiene",
       "; se han escrito los 4 primeros caracteres de su c\xF3" "digo",
       "; se han escrito los 4 primeros caracteres de su c\xF3" "digo"},
      {"clase sin colocar en el horario", "clases sin colocar en el horario", "; no se ha escrito",
       "; no se han escrito"},
      {"tabla con letras que cp1252 no tiene", "tablas con letras que cp1252 no tiene",
       "; se han le\xED" "do como ?", "; se han le\xED" "do como ?"},
  };
  static const KindText kImportGroup = {
      "clase de un grupo que GRUPOST no tiene", "clases de grupos que GRUPOST no tiene",
      "; se han escrito los 4 primeros caracteres de su c\xF3" "digo",
      "; se han escrito los 4 primeros caracteres de su c\xF3" "digo"};
  if (a.tipo == AvisoTipo::kGrupoDesconocido && a.tabla == "ZARP_HORARIO.TXT") return kImportGroup;
  return kExport[static_cast<int>(a.tipo)];
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
    } else {
      out += *p;
    }
  }
  return out;
}

bool IsTable(const std::string& fichero) { return fichero.find('.') == std::string::npos; }

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
    const KindText& text = TextOf(first);
    const bool many = group.size() > 1;
    std::string line = first.tabla + ": " + std::to_string(group.size()) + " " +
                       Fill(many ? text.many : text.one, first) + " (";
    if (first.linea != 0) line += first.fichero + ", " + LineWord(first, many) + " ";
    for (std::size_t i = 0; i < group.size() && i < kSummaryCases; ++i)
      line += (i ? ", " : "") + CaseText(*group[i]);
    if (group.size() > kSummaryCases) line += ", ...";
    line += ")" + Fill(many ? text.did_many : text.did_one, first);
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
  std::string result = "Resultado: " + run.resultado;
  if (!run.error.empty()) result += " (" + run.error + ")";
  lines.push_back(result);
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
