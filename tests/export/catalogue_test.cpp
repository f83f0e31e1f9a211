// ASIGNOMT, PROFT and AULAT from their ZARP files.
#include <gtest/gtest.h>

#include "export/export_run.h"
#include "support/table_reader.h"
#include "support/test_support.h"

namespace tvz {
namespace {

using test::PutAt;
using test::Row;

std::string Line(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
  std::string line = "1";
  for (const auto& [column, text] : fields) PutAt(line, column, text);
  return line;
}

class CatalogueTest : public ::testing::Test {
protected:
  test::TempDir zarp, vtemp;
  test::TestRun run{zarp.path(), vtemp.path()};
  void Write(const char* name, std::vector<std::string> data) {
    data.insert(data.begin(), test::ZarpFrame('0', name));
    data.push_back(test::ZarpFrame('9', name));
    test::WriteBytes(zarp / name, test::CrLf(data));
  }
};

TEST_F(CatalogueTest, SubjectsAndActivitiesShareOneListOfCodes) {
  Write("ZARP_ASIGNAT.TXT",
        {Line({{2, "MAT"}, {6, "MATEMATICAS-GENERALES"}, {26, "Matem\xE1ticas"}}),
         Line({{2, "mat"}, {6, "OTRA"}, {26, "Repetida en min\xFAsculas"}}),
         Line({{2, "LCL"}, {26, std::string(100, 'x')}}),
         "",                                        // blank code, written once
         "   ",                                     // blank again: a duplicate
         Line({{2, "zarp_asignat.txt"}}),           // the name check skips it
         Line({{2, "GUA"}, {26, "Materia GUA"}})});
  Write("ZARP_ACTIVIDADES.TXT",
        {Line({{2, "GUA"}, {6, "Guardia de patio"}, {66, "GUA"}}),  // "*GUA" differs from "GUA"
         Line({{2, "gua"}, {6, "Repetida"}, {66, "XXX"}}),
         "", ""});
  ConvertirAsignaturas(run.c);
  EXPECT_TRUE(run.host.messages.empty());
  EXPECT_EQ(run.c.Transformado, 0);
  const std::vector<Row> expected = {
      {"MAT", "MATEMATICA", "Matem\xE1ticas", "Falso", ""},
      {"LCL", "", std::string(80, 'x'), "Falso", ""},
      {"", "", "", "Falso", ""},
      {"GUA", "", "Materia GUA", "Falso", ""},
      {"*GUA", "Guardia de", "Guardia de patio", "Verdadero", "GUA"},
      {"*", "", "", "Verdadero", ""},
  };
  EXPECT_EQ(test::ReadRows(vtemp.path(), "ASIGNOMT",
                           {"COD", "CODLARGO", "NOMBRE", "ESTAREA", "CODTAREA"}),
            expected);
  ASSERT_EQ(run.c.report.size(), 1u);
  EXPECT_EQ(run.c.report[0].records, 6u);
  EXPECT_EQ(run.c.report[0].skipped, 4u);
}

TEST_F(CatalogueTest, TeachersDropRepeatedAbbreviationsAndCutLongTexts) {
  Write("zarp_prof.txt",
        {Line({{2, "AGM"}, {6, std::string(90, 'N')}, {96, std::string(50, 'D')}}),
         Line({{2, "agm"}, {6, "Otra"}}),
         Line({{2, "JLP"}, {6, "Jos\xE9 Luis"}, {96, "Matem\xE1ticas"}}), ""});
  ConvertirProfesores(run.c);
  const std::vector<Row> expected = {{"AGM", std::string(80, 'N'), std::string(40, 'D'), ""},
                                     {"JLP", "Jos\xE9 Luis", "Matem\xE1ticas", ""},
                                     {"", "", "", ""}};
  EXPECT_EQ(test::ReadRows(vtemp.path(), "PROFT", {"ABREV", "NOMBRE", "DEPART", "DNI"}), expected);
}

TEST_F(CatalogueTest, EveryRoomLineIsARoom) {
  Write("ZARP_AULAS.TXT", {Line({{2, "AULA101"}, {12, "A101"}, {86, "Aula 101"}}),
                           Line({{2, "AULA101"}, {12, "A1"}, {86, std::string(120, 'n')}}), "",
                           ""});
  ConvertirAulas(run.c);
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
  ConvertirProfesores(run.c);
  EXPECT_TRUE(test::ReadRows(vtemp.path(), "PROFT", {"ABREV"}).empty());
}

TEST_F(CatalogueTest, MissingFilesLeaveTheOldTablesAndSayWhich) {
  struct Case {
    void (*converter)(Conversion&);
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
    c.converter(r.c);
    EXPECT_EQ(r.host.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(r.c.Transformado, -1);
    EXPECT_EQ(test::ReadBytes(vtemp / c.table), "old table bytes");
  }
}

TEST_F(CatalogueTest, WithoutActivitiesOnlySubjectsAndNoMessage) {
  Write("zarp_asignat.txt", {Line({{2, "MAT"}})});
  ConvertirAsignaturas(run.c);
  EXPECT_TRUE(run.host.messages.empty());
  EXPECT_EQ(test::ReadRows(vtemp.path(), "ASIGNOMT", {"COD", "ESTAREA", "CODTAREA"}),
            (std::vector<Row>{{"MAT", "Falso", ""}}));
}

}  // namespace
}  // namespace tvz
