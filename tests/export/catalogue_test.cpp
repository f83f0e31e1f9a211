// ASIGNOMT, PROFT and AULAT from their ZARP files.
#include <gtest/gtest.h>

#include "export/export_run.h"
#include "support/table_reader.h"
#include "support/test_support.h"

namespace tvz {
namespace {

using test::PutAt;
using test::Row;

using Line = std::initializer_list<std::pair<std::size_t, std::string>>;
std::string L(Line fields) { return test::DataLine(fields); }

class CatalogueTest : public test::ConverterTest {
protected:
  void Write(const char* name, std::vector<std::string> data) { WriteZarp(name, data); }
};

TEST_F(CatalogueTest, SubjectsAndActivitiesShareOneListOfCodes) {
  Write("ZARP_ASIGNAT.TXT",
        {L({{2, "MAT"}, {6, "MATEMATICAS-GENERALES"}, {26, "Matem\xE1" "ticas"}}),
         L({{2, "mat"}, {6, "OTRA"}, {26, "Repetida en min\xFA" "sculas"}}),
         L({{2, "LCL"}, {26, std::string(100, 'x')}}),
         "",                                        // blank code, written once
         "   ",                                     // blank again: a duplicate
         L({{2, "zarp_asignat.txt"}}),           // the name check skips it
         L({{2, "GUA"}, {26, "Materia GUA"}})});
  Write("ZARP_ACTIVIDADES.TXT",
        {L({{2, "GUA"}, {6, "Guardia de patio"}, {66, "GUA"}}),  // "*GUA" differs from "GUA"
         L({{2, "gua"}, {6, "Repetida"}, {66, "XXX"}}),
         "", ""});
  ConvertirAsignaturas(run.c, run.tables);
  EXPECT_TRUE(run.host.messages.empty());
  EXPECT_EQ(run.c.Transformado, 0);
  const std::vector<Row> expected = {
      {"MAT", "MATEMATICA", "Matem\xE1" "ticas", "Falso", ""},
      {"LCL", "", std::string(80, 'x'), "Falso", ""},
      {"", "", "", "Falso", ""},
      {"GUA", "", "Materia GUA", "Falso", ""},
      {"*GUA", "Guardia de", "Guardia de patio", "Verdadero", "GUA"},
      {"*", "", "", "Verdadero", ""},
  };
  EXPECT_EQ(test::ReadRows(vtemp.path(), "ASIGNOMT",
                           {"COD", "CODLARGO", "NOMBRE", "ESTAREA", "CODTAREA"}),
            expected);
  ASSERT_EQ(run.c.informe.tablas.size(), 1u);
  EXPECT_EQ(run.c.informe.tablas[0].registros, 6u);
  EXPECT_EQ(run.c.informe.tablas[0].duplicados, 4u);
}

TEST_F(CatalogueTest, TeachersDropRepeatedAbbreviationsAndCutLongTexts) {
  Write("zarp_prof.txt",
        {L({{2, "AGM"}, {6, std::string(90, 'N')}, {96, std::string(50, 'D')}}),
         L({{2, "agm"}, {6, "Otra"}}),
         L({{2, "JLP"}, {6, "Jos\xE9" " Luis"}, {96, "Matem\xE1" "ticas"}}), ""});
  ConvertirProfesores(run.c, run.tables);
  const std::vector<Row> expected = {{"AGM", std::string(80, 'N'), std::string(40, 'D'), ""},
                                     {"JLP", "Jos\xE9" " Luis", "Matem\xE1" "ticas", ""},
                                     {"", "", "", ""}};
  EXPECT_EQ(test::ReadRows(vtemp.path(), "PROFT", {"ABREV", "NOMBRE", "DEPART", "DNI"}), expected);
}

TEST_F(CatalogueTest, EveryRoomLineIsARoom) {
  Write("ZARP_AULAS.TXT", {L({{2, "AULA101"}, {12, "A101"}, {86, "Aula 101"}}),
                           L({{2, "AULA101"}, {12, "A1"}, {86, std::string(120, 'n')}}), "",
                           ""});
  ConvertirAulas(run.c, run.tables);
  const std::vector<Row> expected = {{"AULA101", "A101", "Aula 101", "", ""},
                                     {"AULA101", "A1", std::string(80, 'n'), "", ""},
                                     {"", "", "", "", ""},
                                     {"", "", "", "", ""}};
  EXPECT_EQ(test::ReadRows(vtemp.path(), "AULAT",
                           {"ABREV", "ABREVCORTA", "NOMBRE", "EDIFICIO", "MAXALUM"}),
            expected);
}

TEST_F(CatalogueTest, AHeaderAndTrailerOnlyFileGivesAnEmptyTable) {
  Write("ZARP_PROF.TXT", {});
  ConvertirProfesores(run.c, run.tables);
  EXPECT_TRUE(test::ReadRows(vtemp.path(), "PROFT", {"ABREV"}).empty());
}

TEST_F(CatalogueTest, MissingFilesLeaveTheOldTablesAndSayWhich) {
  struct Case {
    void (*converter)(Conversion&, TableDestination&);
    const char* table;
    const char* message;
  } cases[] = {
      {ConvertirAsignaturas, "ASIGNOMT.DBF", "No existe archivo de asignaturas (ZARP_ASIGNAT.TXT)"},
      {ConvertirProfesores, "PROFT.DBF", "No existe archivo de profesores (ZARP_PROF.TXT)"},
      {ConvertirAulas, "AULAT.DBF", "No existe archivo de aulas (ZARP_AULAS.TXT)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.table);
    test::WriteBytes(vtemp / c.table, "old table bytes");
    test::WriteBytes(zarp / "ZARP_ACTIVIDADES.TXT", "1GUA\r\n");  // not read without subjects
    test::TestRun r(zarp.path(), vtemp.path());
    c.converter(r.c, r.tables);
    EXPECT_EQ(r.host.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(r.c.Transformado, -1);
    EXPECT_EQ(test::ReadBytes(vtemp / c.table), "old table bytes");
  }
}

TEST_F(CatalogueTest, WithoutActivitiesOnlySubjectsAndNoMessage) {
  Write("zarp_asignat.txt", {L({{2, "MAT"}})});
  ConvertirAsignaturas(run.c, run.tables);
  EXPECT_TRUE(run.host.messages.empty());
  EXPECT_EQ(test::ReadRows(vtemp.path(), "ASIGNOMT", {"COD", "ESTAREA", "CODTAREA"}),
            (std::vector<Row>{{"MAT", "Falso", ""}}));
}

}  // namespace
}  // namespace tvz
