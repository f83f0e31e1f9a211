#include "report/report_school.h"

#include "support/test_support.h"

namespace tvz::test {

namespace {

const std::string kLongName(81, 'L');  // ASIGNOMT.NOMBRE holds 80
const std::string kTeacherName(90, 'N'), kDepartment(50, 'D'), kRoomName(100, 'R');

std::string Frame(char kind, const char* name) { return ZarpFrame(kind, name); }

}  // namespace

std::vector<AvisoRow> Rows(const Informe& informe) {
  std::vector<AvisoRow> rows;
  for (const Aviso& a : informe.avisos)
    rows.emplace_back(AvisoName(a.tipo), a.tabla, a.fichero, a.linea, a.valor, a.campo, a.linea_primera);
  return rows;
}

bool CaseSensitive(const std::filesystem::path& folder) {
  WriteBytes(folder / "case_probe", "a");
  WriteBytes(folder / "CASE_PROBE", "b");
  const bool sensitive = ReadBytes(folder / "case_probe") == "a";
  std::filesystem::remove(folder / "case_probe");
  std::filesystem::remove(folder / "CASE_PROBE");
  return sensitive;
}

void WriteReportSchool(const std::filesystem::path& folder, bool repeated_name) {
  WriteBytes(folder / "ZARP_ASIGNAT.TXT",
             CrLf({Frame('0', "ZARP_ASIGNAT.TXT"),
                   DataLine({{2, "MAT"}, {6, "MATEMATICAS"}, {26, "Matematicas"}}),  // 2: CODLARGO
                   DataLine({{2, "LEN"}, {6, "LENGUA"}, {26, kLongName}}),           // 3: NOMBRE
                   DataLine({{2, "mat"}, {26, "otra vez"}}),                          // 4: duplicado
                   Frame('9', "ZARP_ASIGNAT.TXT")}));
  const std::string activities =
      CrLf({Frame('0', "ZARP_ACTIVIDADES.TXT"), DataLine({{2, "GUA"}, {6, "Guardia"}, {66, "GUA"}}),
            DataLine({{2, "GUA"}, {6, "Guardia otra"}, {66, "GUA"}})});  // 3: duplicado
  WriteBytes(folder / "ZARP_ACTIVIDADES.TXT", activities);
  if (repeated_name) WriteBytes(folder / "zarp_actividades.txt", activities);
  // LF line ends, a lone CR inside line 3 (it ends no line), a Ctrl-Z in
  // line 4 (the rest of that line is skipped, the next line counts).
  WriteBytes(folder / "ZARP_PROF.TXT",
             Frame('0', "ZARP_PROF.TXT") + "\n" + DataLine({{2, "AGM"}, {6, "Ana"}}) + "\r\n" +
                 DataLine({{2, "JLP"}, {6, "Jo\rse"}}) + "\n" + DataLine({{2, "agm"}, {6, "Ana"}}) +
                 "\x1A" "resto\n" + DataLine({{2, "LRG"}, {6, kTeacherName}, {96, kDepartment}}) + "\n");
  WriteBytes(folder / "ZARP_AULAS.TXT",
             CrLf({Frame('0', "ZARP_AULAS.TXT"), DataLine({{2, "A101"}, {12, "A1"}, {86, kRoomName}})}));
  WriteBytes(folder / "ZARP_GRUPO.TXT",
             CrLf({Frame('0', "ZARP_GRUPOS.TXT"),
                   DataLine({{2, "1ESOA"}, {12, "1A"}, {16, "ESO"}, {22, "1"}, {35, "M"}}),
                   DataLine({{2, "PMAR"}, {12, "PM"}, {22, "2"}, {35, "M"}})}));  // 3: sin nivel
  WriteBytes(folder / "ZARP_ASIGNATGRUPO.TXT",
             CrLf({Frame('0', "ZARP_ASIGNATGRUPO.TXT"),
                   DataLine({{2, "1ESOA"}, {16, "MAT"}}),    // 2: 4 hours
                   DataLine({{2, "1ESOA"}, {16, "LEN"}}),    // 3: 0,5 hours
                   DataLine({{2, "1ESOA"}, {16, "GUA"}}),    // 4: no hours line
                   DataLine({{2, "3ESOC"}, {16, "MAT"}}),    // 5: unknown group
                   DataLine({{2, "PMAR"}, {16, "MAT"}})}));  // 6: level NIV, no hours
  WriteBytes(folder / "ZARP_ASIGNATCURSO.TXT",
             CrLf({Frame('0', "ZARP_ASIGNATCURSO.TXT"),
                   DataLine({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "4"}}),
                   DataLine({{2, "ESO"}, {8, "1"}, {24, "LEN"}, {28, "0,5"}}),
                   DataLine({{2, "ESO"}, {8, "1"}, {24, "EF"}}),               // 4: blank hours
                   DataLine({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "9"}})}));  // not the first
  // Read whole: a lone CR ends line 3 here.
  WriteBytes(folder / "ZARP_SESIONES.TXT",
             Frame('0', "ZARP_SESIONES.TXT") + "\r\n" +
                 DataLine({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}}) + "\r\n" +
                 DataLine({{5, "0002"}, {9, "Q"}, {10, "0900"}, {14, "0955"}}) + "\r" +
                 DataLine({{5, "0003"}, {9, "M"}, {10, "1000"}, {14, "0930"}}) + "\r\n" +
                 DataLine({{5, "0004"}, {10, "0800"}, {14, "0855"}}) + "\r\n");
}

std::vector<AvisoRow> ExpectedExportAvisos(bool repeated_name) {
  std::vector<AvisoRow> rows = {
      {"recortado", "ASIGNOMT", "ZARP_ASIGNAT.TXT", 2, "MATEMATICAS", "ASIGNOMT.CODLARGO", 0},
      {"recortado", "ASIGNOMT", "ZARP_ASIGNAT.TXT", 3, kLongName, "ASIGNOMT.NOMBRE", 0},
      {"duplicado", "ASIGNOMT", "ZARP_ASIGNAT.TXT", 4, "mat", "", 2},
      {"duplicado", "ASIGNOMT", "ZARP_ACTIVIDADES.TXT", 3, "*GUA", "", 2},
      {"duplicado", "PROFT", "ZARP_PROF.TXT", 4, "agm", "", 2},
      {"recortado", "PROFT", "ZARP_PROF.TXT", 5, kTeacherName, "PROFT.NOMBRE", 0},
      {"recortado", "PROFT", "ZARP_PROF.TXT", 5, kDepartment, "PROFT.DEPART", 0},
      {"recortado", "AULAT", "ZARP_AULAS.TXT", 2, kRoomName, "AULAT.NOMBRE", 0},
      {"grupo_sin_nivel", "GRUPOST", "ZARP_GRUPO.TXT", 3, "PMAR", "", 0},
      {"grupo_desconocido", "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 5, "3ESOC", "", 0},
      {"horas_vacias", "ASIGT", "ZARP_ASIGNATCURSO.TXT", 4, "EF", "", 0},
      {"horas_minimas", "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 3, "0,5", "", 0},
      {"sin_horas", "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 4, "GUA", "", 0},
      {"sin_horas", "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 5, "MAT", "", 0},
      {"sin_horas", "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 6, "MAT", "", 0},
      {"dia_desconocido", "DIASHORAST", "ZARP_SESIONES.TXT", 3, "Q", "", 0},
      {"minutos_negativos", "DIASHORAST", "ZARP_SESIONES.TXT", 4, "10:00-09:30", "", 0},
      {"dia_desconocido", "DIASHORAST", "ZARP_SESIONES.TXT", 5, "", "", 0},
  };
  if (repeated_name) {
    rows.insert(rows.begin() + 3, AvisoRow{"fichero_repetido", "ASIGNOMT", "ZARP_ACTIVIDADES.TXT", 0,
                                           "zarp_actividades.txt", "", 0});
  }
  return rows;
}

}  // namespace tvz::test
