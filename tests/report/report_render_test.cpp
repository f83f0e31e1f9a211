// The report's renderings: the summary lines, the text file and the JSON.
#include "report/report_render.h"

#include <gtest/gtest.h>

#include "support/recording_host.h"

namespace tvz {
namespace {

Aviso Make(AvisoTipo tipo, std::string tabla, std::string fichero, std::uint64_t linea,
           std::string valor = "", std::string campo = "", std::uint64_t primera = 0) {
  Aviso a;
  a.tipo = tipo;
  a.tabla = std::move(tabla);
  a.fichero = std::move(fichero);
  a.linea = linea;
  a.valor = std::move(valor);
  a.campo = std::move(campo);
  a.linea_primera = primera;
  return a;
}

TEST(ReportSummary, OneLinePerTableKindFileAndFieldWithTheFirstCases) {
  struct Case {
    const char* name;
    std::vector<Aviso> avisos;
    std::uint64_t tareas_lec;
    std::vector<std::string> lines;
  };
  const Aviso sin1 = Make(AvisoTipo::kSinHoras, "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 4);
  const Case cases[] = {
      {"nothing", {}, 0, {}},
      {"one case, singular",
       {sin1},
       0,
       {"ASIGT: 1 asignaci\xF3" "n sin horas semanales (ZARP_ASIGNATGRUPO.TXT, l\xED" "nea 4); se le ha "
        "dado 1 hora"}},
      {"more than three cases end in dots",
       {sin1, Make(AvisoTipo::kSinHoras, "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 5),
        Make(AvisoTipo::kSinHoras, "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 17),
        Make(AvisoTipo::kSinHoras, "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 18)},
       0,
       {"ASIGT: 4 asignaciones sin horas semanales (ZARP_ASIGNATGRUPO.TXT, l\xED" "neas 4, 5, 17, ...); "
        "se les ha dado 1 hora"}},
      {"cut values grouped by field, in the order met",
       {Make(AvisoTipo::kRecortado, "PROFT", "ZARP_PROF.TXT", 3, "x", "PROFT.NOMBRE"),
        Make(AvisoTipo::kRecortado, "PROFT", "ZARP_PROF.TXT", 3, "y", "PROFT.DEPART"),
        Make(AvisoTipo::kRecortado, "PROFT", "ZARP_PROF.TXT", 9, "z", "PROFT.NOMBRE")},
       0,
       {"PROFT: 2 valores m\xE1" "s largos que PROFT.NOMBRE (ZARP_PROF.TXT, l\xED" "neas 3, 9); se han "
        "recortado",
        "PROFT: 1 valor m\xE1" "s largo que PROFT.DEPART (ZARP_PROF.TXT, l\xED" "nea 3); se ha recortado"}},
      {"duplicates name their first line",
       {Make(AvisoTipo::kDuplicado, "PROFT", "ZARP_PROF.TXT", 12, "agm", "", 2)},
       0,
       {"PROFT: 1 registro omitido por tener un c\xF3" "digo ya escrito (ZARP_PROF.TXT, l\xED" "nea 12 "
        "[primera: 2])"}},
      {"a repeated file names the others and the one read",
       {Make(AvisoTipo::kFicheroRepetido, "PROFT", "ZARP_PROF.TXT", 0, "zarp_prof.txt")},
       0,
       {"PROFT: 1 fichero con otro del mismo nombre en otras may\xFA" "sculas (zarp_prof.txt); se ha "
        "le\xED" "do ZARP_PROF.TXT"}},
      {"import: records of SOLUC, and the lessons written as LEC",
       {Make(AvisoTipo::kGrupoDesconocido, "ZARP_HORARIO.TXT", "SOLUC", 7, "3ESOC")},
       5,
       {"ZARP_HORARIO.TXT: 1 clase de un grupo que GRUPOST no tiene (SOLUC, registro 7); se han "
        "escrito los 4 primeros caracteres de su c\xF3" "digo",
        "ZARP_HORARIO.TXT: 5 clases con una tarea que ASIGNOMT no tiene; se ha escrito LEC"}},
  };
  for (const Case& c : cases) {
    Informe informe;
    informe.avisos = c.avisos;
    informe.tareas_lec = c.tareas_lec;
    EXPECT_EQ(SummaryLines(informe), c.lines) << c.name;
  }
}

// What the readers tell about a file: a whole file names no lines (and no
// case where it has nothing more to say); a table read keeps its own texts.
TEST(ReportSummary, WhatTheReadersFoundInAFile) {
  struct Case {
    Aviso aviso;
    std::string line;
  } cases[] = {
      {Make(AvisoTipo::kCaracteresSustituidos, "AULAT", "ZARP_AULAS.TXT", 4, "2"),
       "AULAT: 1 l\xED" "nea con letras que cp1252 no tiene (ZARP_AULAS.TXT, l\xED" "nea 4); se han "
       "le\xED" "do como ?"},
      {Make(AvisoTipo::kCaracteresSustituidos, "ZARP_HORARIO.TXT", "SOLUC", 0, "3"),
       "ZARP_HORARIO.TXT: 1 tabla con letras que cp1252 no tiene (3); se han le\xED" "do como ?"},
      {Make(AvisoTipo::kFinAnticipado, "PROFT", "ZARP_PROF.TXT", 5, "4"),
       "PROFT: 1 marca de fin de fichero (Ctrl-Z) con datos detr\xE1" "s (ZARP_PROF.TXT, l\xED"
       "nea 5); no se han le\xED" "do las 4 l\xED" "neas desde la marca"},
      {Make(AvisoTipo::kCentroVacio, "ZARP_HORARIO.TXT", "ZARP_ASIGNAT.TXT", 0, "    "),
       "ZARP_HORARIO.TXT: 1 fichero ZARP_ASIGNAT.TXT sin c\xF3" "digo de centro en su cabecera; "
       "ZARP_HORARIO.TXT lleva el c\xF3" "digo de centro en blanco"},
  };
  for (const Case& c : cases) {
    Informe informe;
    informe.Add(c.aviso);
    EXPECT_EQ(SummaryLines(informe), std::vector<std::string>{c.line});
  }
}

TEST(ReportText, PlacesOfAnError) {
  struct Case {
    LugarError lugar;
    std::string text;
  } cases[] = {
      {{"ZARP_SESIONES.TXT", 3}, "ZARP_SESIONES.TXT, l\xED" "nea 3"},
      {{"SOLUC", 2}, "SOLUC, registro 2"},
      {{"ZARP_PROF.TXT", 0}, "ZARP_PROF.TXT"},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceText(c.lugar), c.text);
}

TEST(ReportSummary, EveryKindHasItsNameAndText) {
  for (const AvisoKind& kind : AvisoKinds()) {
    const AvisoTipo tipo = kind.tipo;
    EXPECT_NE(std::string(AvisoName(tipo)), "") << static_cast<int>(tipo);
    Informe informe;
    informe.Add(Make(tipo, "T", "F.TXT", 1));
    informe.Add(Make(tipo, "T", "F.TXT", 2));
    const std::vector<std::string> lines = SummaryLines(informe);
    ASSERT_EQ(lines.size(), 1u) << AvisoName(tipo);
    EXPECT_EQ(lines[0].rfind("T: 2 ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("(F.TXT, l\xED" "neas 1, 2)"), std::string::npos) << lines[0];
  }
}

test::RecordingHost host;

Conversion SampleConversion() {
  Conversion c(host);
  c.RutaCarpeta = "/z/escuela";
  c.WorkingFolder = "/v";
  c.Transformado = 1;
  c.informe.tablas = {{"PROFT", 10, 1}, {"AULAT", 1, 0}};
  c.informe.Add(Make(AvisoTipo::kDuplicado, "PROFT", "ZARP_PROF.TXT", 12, "agm", "", 2));
  c.informe.Add(Make(AvisoTipo::kRecortado, "AULAT", "ZARP_AULAS.TXT", 3, "Mar\xED" "a \"B\"\x01",
                     "AULAT.NOMBRE"));
  c.informe.Add(Make(AvisoTipo::kFicheroRepetido, "PROFT", "ZARP_PROF.TXT", 0, "zarp_prof.txt"));
  return c;
}

TEST(ReportText, Cp1252LinesEndingCrLf) {
  const std::string text = ReportText(SampleConversion(), {"exportar", "finalizado", {}},
                                      platform::LocalTime{2026, 12, 8, 10, 12, 5});
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    EXPECT_EQ(text[at - 1], '\r') << "at " << at;
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_NE(text.find("Fecha: 08/12/2026 10:12:05\r\n"), std::string::npos);
  EXPECT_NE(text.find("PROFT: 10 registros (1 duplicados omitidos)\r\n"), std::string::npos);
  EXPECT_NE(text.find("Avisos: 3\r\n"), std::string::npos);
  EXPECT_NE(text.find("duplicado: PROFT, ZARP_PROF.TXT l\xED" "nea 12: 'agm' (primera: l\xED" "nea 2)\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("fichero_repetido: PROFT, ZARP_PROF.TXT: 'zarp_prof.txt'\r\n"), std::string::npos);

  Conversion clean(host);
  EXPECT_NE(ReportText(clean, {"importar", "finalizado", {}}, {2026, 1, 1, 0, 0, 0}).find("Sin avisos.\r\n"),
            std::string::npos);
}

// An error's place: its own line in the text, its own key in the JSON.
TEST(ReportText, AnErrorAndItsPlace) {
  Conversion c = SampleConversion();
  c.lugar_error = {"ZARP_SESIONES.TXT", 7};
  const ReportRun run{"exportar", "error", "'x' no vale.\nZARP_SESIONES.TXT, l\xED" "nea 7"};
  const std::string text = ReportText(c, run, {2026, 1, 1, 0, 0, 0});
  EXPECT_NE(text.find("Resultado: error ('x' no vale.)\r\nLugar del error: ZARP_SESIONES.TXT, l\xED"
                      "nea 7\r\n"),
            std::string::npos)
      << text;
  const std::string json = ReportJson(c, run);
  EXPECT_NE(json.find("\"lugar_error\": {\"fichero\": \"ZARP_SESIONES.TXT\", \"linea\": 7}"),
            std::string::npos)
      << json;
}

TEST(ReportJson, KeysEscapesAndUtf8) {
  const std::string json = ReportJson(SampleConversion(), {"comprobar", "error", "Mal \xE9" "xito"});
  const char* expected[] = {
      "\"conversion\": \"comprobar\"",
      "\"resultado\": \"error\"",
      "\"error\": \"Mal \xC3\xA9" "xito\"",
      "\"carpeta\": \"/z/escuela\"",
      "\"estado\": 1",
      "{\"tabla\": \"PROFT\", \"registros\": 10, \"duplicados\": 1}",
      "\"recuentos\": {\"tareas_lec\": 0}",
      "{\"tipo\": \"duplicado\", \"tabla\": \"PROFT\", \"fichero\": \"ZARP_PROF.TXT\", \"linea\": 12, "
      "\"valor\": \"agm\", \"linea_primera\": 2, \"fichero_primera\": \"ZARP_PROF.TXT\"}",
      "{\"tipo\": \"recortado\", \"tabla\": \"AULAT\", \"fichero\": \"ZARP_AULAS.TXT\", \"linea\": 3, "
      "\"valor\": \"Mar\xC3\xAD" "a \\\"B\\\"\\u0001\", \"campo\": \"AULAT.NOMBRE\"}",
      "{\"tipo\": \"fichero_repetido\", \"tabla\": \"PROFT\", \"fichero\": \"ZARP_PROF.TXT\", "
      "\"linea\": null, \"valor\": \"zarp_prof.txt\"}",
  };
  for (const char* piece : expected) EXPECT_NE(json.find(piece), std::string::npos) << piece << "\n" << json;
  EXPECT_EQ(json.find('\xE9'), std::string::npos);  // no cp1252 byte left
}

}  // namespace
}  // namespace tvz
