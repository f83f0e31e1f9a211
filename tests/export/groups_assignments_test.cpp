// GRUPOST and ASIGT.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "export/export_run.h"
#include "support/table_reader.h"
#include "support/test_support.h"

namespace tvz {
namespace {

using test::PutAt;
using test::Row;

std::string Group(std::string unit, std::string shortcode, std::string level, std::string course,
                  std::string label, std::string shift) {
  std::string line = "1";
  PutAt(line, 2, unit);
  PutAt(line, 12, shortcode);
  PutAt(line, 16, level);
  PutAt(line, 19, "xyz");  // columns 19 to 21 are not read
  PutAt(line, 22, course);
  PutAt(line, 25, label);
  PutAt(line, 35, shift);
  PutAt(line, 38, "ignored");
  return line;
}

std::string Assignment(std::string group, std::string subject) {
  std::string line = "1";
  PutAt(line, 2, group);
  PutAt(line, 16, subject);
  return line;
}

std::string Hours(std::string level, std::string course, std::string subject, std::string hours) {
  std::string line = "1";
  PutAt(line, 2, level);
  PutAt(line, 8, course);
  PutAt(line, 24, subject);
  PutAt(line, 28, hours);
  return line;
}

class GroupsTest : public test::ConverterTest {
protected:
  void Write(const char* name, std::vector<std::string> data) { WriteZarp(name, data); }
  std::vector<Row> Asignt() {
    return test::ReadRows(vtemp.path(), "ASIGT",
                          {"CASIG", "CGRUP", "CTAREA", "TURNO", "NIVEL", "CURSO", "GRUPO",
                           "HORAS", "SESIONES", "CPROF", "CAULA", "NCONEX"});
  }
};

TEST_F(GroupsTest, GroupRecordsAndTheirDescriptions) {
  Write("zarp_grupo.txt", {Group("1ESOA", "1A", "ESO", "1", "1\xBA" " ESO A", "MAN"),
                           Group("B", "", "", "", "", ""),  // one-character unit, blanks
                           "",                              // an empty line is a group too
                           Group("1ESOA", "1A2", "ESO", "1", "Repetido", "T"),
                           "1ZARP_GRUPOS.TXT",              // skipped by the name check
                           "1ZARP_GRUPO.TXT"});             // not skipped
  ConvertirGrupos(run.c, run.tables);
  const std::vector<Row> expected = {
      {"1ESOA", "M", "ESO", "1", "A", "0", "1ESOA", "(1\xBA" " ESO A) MAN ESO 1 A", "1A"},
      {"B", "", "NIV", "", "B", "0", "B", "()  NIV  B", ""},
      {"", "", "NIV", "", "", "0", "", "()  NIV", ""},  // trailing blanks are padding
      {"1ESOA", "T", "ESO", "1", "A", "0", "1ESOA", "(Repetido) T ESO 1 A", "1A2"},
      {"ZARP_GRUPO", "", "NIV", "", "O", "0", "ZARP_GRUPO", "()  NIV  O", ".TXT"},
  };
  EXPECT_EQ(test::ReadRows(vtemp.path(), "GRUPOST",
                           {"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "MARCO", "UNIDAD",
                            "DESCRIP", "ABREVCORTA"}),
            expected);
}

TEST_F(GroupsTest, AssignmentsTakeFirstMatchingGroupAndHours) {
  Write("zarp_grupo.txt", {Group("1ESOA", "1A", "ESO", "1", "", "M"),
                           Group("1ESOA", "XX", "BAC", "2", "", "T"),  // later duplicate: ignored
                           Group("2ESOB", "2B", "ESO", "2", "", "T")});
  Write("zarp_asignatgrupo.txt",
        {Assignment("1ESOA", "MAT"), Assignment("1esoa", "MAT"),  // group codes are case-sensitive
         Assignment("2ESOB", "MUS"), Assignment("2ESOB", "mus"), Assignment("1ESOA", "MAT"),
         Assignment("NOPE", "ING"), ""});
  Write("zarp_asignatcurso.txt",
        {Hours("ESO", "1", "MAT", "4,5"), Hours("ESO", "1", "MAT", "9"),  // first line wins
         Hours("ESO", "2", "MUS", "15"), Hours("", "", "ING", "3"),      // blank level/course
         Hours("", "", "", "2")});
  ConvertirGrupos(run.c, run.tables);
  ConvertirAsignaturasGrupo(run.c, run.tables);
  EXPECT_TRUE(run.host.messages.empty());
  const std::string fifteen = "2" + std::string(13, '1');
  const std::vector<Row> expected = {
      {"MAT", "1ESOA", "*LEC", "M", "ESO", "1", "A", "4.5", "1111\xBD", "", "", ""},
      {"MAT", "1esoa", "*LEC", "", "", "", "", "1", "1", "", "", ""},
      {"MUS", "2ESOB", "*LEC", "T", "ESO", "2", "B", "15", fifteen, "", "", ""},
      {"mus", "2ESOB", "*LEC", "T", "ESO", "2", "B", "1", "1", "", "", ""},
      {"MAT", "1ESOA", "*LEC", "M", "ESO", "1", "A", "4.5", "1111\xBD", "", "", ""},
      {"ING", "NOPE", "*LEC", "", "", "", "", "3", "111", "", "", ""},
      {"", "", "*LEC", "", "", "", "", "2", "11", "", "", ""},
  };
  EXPECT_EQ(Asignt(), expected);
}

TEST_F(GroupsTest, WithoutTheHoursFileHoursStayEmptyAndStatusKeeps) {
  Write("zarp_grupo.txt", {Group("1ESOA", "1A", "ESO", "1", "", "M")});
  Write("zarp_asignatgrupo.txt", {Assignment("1ESOA", "MAT")});
  run.c.Transformado = 1;
  ConvertirGrupos(run.c, run.tables);
  ConvertirAsignaturasGrupo(run.c, run.tables);
  EXPECT_EQ(run.host.messages,
            std::vector<std::string>{"No existe archivo de grupos (ZARP_ASIGNATCURSO.TXT)"});
  EXPECT_EQ(run.c.Transformado, 1);
  EXPECT_EQ(Asignt(), (std::vector<Row>{
                          {"MAT", "1ESOA", "*LEC", "M", "ESO", "1", "A", "", "", "", "", ""}}));
}

TEST_F(GroupsTest, ABadHoursTextEndsTheRunAndLeavesTheOldTable) {
  Write("zarp_grupo.txt", {Group("1ESOA", "1A", "ESO", "1", "", "M")});
  Write("zarp_asignatgrupo.txt", {Assignment("1ESOA", "MAT"), Assignment("1ESOA", "ING")});
  Write("zarp_asignatcurso.txt", {Hours("ESO", "1", "MAT", "4"), Hours("ESO", "1", "ING", "tres")});
  test::WriteBytes(vtemp / "ASIGT.DBF", "previous ASIGT");
  test::WriteBytes(vtemp / "ASIGT.MDX", "previous index");
  ConvertirGrupos(run.c, run.tables);
  try {
    ConvertirAsignaturasGrupo(run.c, run.tables);
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_STREQ(e.what(), "'tres' no es un valor punto flotante v\xE1" "lido");
  }
  EXPECT_EQ(test::ReadBytes(vtemp / "ASIGT.DBF"), "previous ASIGT");
  EXPECT_EQ(test::ReadBytes(vtemp / "ASIGT.MDX"), "previous index");
}

TEST_F(GroupsTest, ATruncatedGroupTableEndsTheRunAndLeavesTheOldTable) {
  Write("zarp_grupo.txt", {Group("1ESOA", "1A", "ESO", "1", "", "M"),
                           Group("2ESOB", "2B", "ESO", "2", "", "T")});
  ConvertirGrupos(run.c, run.tables);
  const std::string groups = test::ReadBytes(vtemp / "GRUPOST.DBF");
  test::WriteBytes(vtemp / "GRUPOST.DBF", groups.substr(0, groups.size() - 10));
  std::filesystem::remove(zarp / "zarp_grupo.txt");
  Write("zarp_asignatgrupo.txt", {Assignment("2ESOB", "MAT")});
  test::WriteBytes(vtemp / "ASIGT.DBF", "previous ASIGT");
  ConvertirGrupos(run.c, run.tables);  // no groups file: the cut table stays
  try {
    ConvertirAsignaturasGrupo(run.c, run.tables);
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()),
              "La tabla " + (vtemp / "GRUPOST.DBF").string() +
                  " est\xE1" " da\xF1" "ada: la cabecera promete 2 registros y el archivo tiene 1");
  }
  EXPECT_EQ(test::ReadBytes(vtemp / "ASIGT.DBF"), "previous ASIGT");
}

TEST_F(GroupsTest, MissingAssignmentFileTouchesNothing) {
  test::WriteBytes(vtemp / "ASIGT.DBF", "previous ASIGT");
  ConvertirAsignaturasGrupo(run.c, run.tables);
  EXPECT_EQ(run.host.messages,
            std::vector<std::string>{"No existe archivo de grupos (ZARP_ASIGNATGRUPO.TXT)"});
  EXPECT_EQ(run.c.Transformado, -1);
  EXPECT_EQ(test::ReadBytes(vtemp / "ASIGT.DBF"), "previous ASIGT");
}

TEST_F(GroupsTest, MissingGroupTableIsAnError) {
  Write("zarp_asignatgrupo.txt", {Assignment("1ESOA", "MAT")});
  EXPECT_THROW(ConvertirAsignaturasGrupo(run.c, run.tables), RunError);
  EXPECT_FALSE(std::filesystem::exists(vtemp / "ASIGT.DBF"));
}

}  // namespace
}  // namespace tvz
