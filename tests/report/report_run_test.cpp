// The report of whole runs: every anomaly of a small school on its line,
// the check-only export (same report, nothing written), and the import's
// warnings and counts.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "export/export_run.h"
#include "faults/fault_support.h"
#include "import/import_run.h"
#include "report/report_school.h"
#include "support/test_support.h"
#include "tables/dbf_table.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

// An old GRUPOST that knows the group the school's groups file lacks, and
// an old table of every other kind.
void WriteOldTables(const fs::path& vtemp) {
  DbfTable groups;
  groups.DatabaseName = vtemp;
  groups.TableName = "GRUPOST.DBF";
  groups.FieldDefs = {{"ABREV", FieldType::ftString, 10}, {"TURNO", FieldType::ftString, 1},
                      {"NIVEL", FieldType::ftString, 5},  {"CURSO", FieldType::ftString, 3},
                      {"GRUPO", FieldType::ftString, 2}};
  groups.CreateTable();
  groups.Append();
  groups.FieldByName("ABREV").SetAsString("3ESOC");
  groups.FieldByName("NIVEL").SetAsString("ESO");
  groups.Post();
  groups.Finish();
  for (const char* t : {"ASIGNOMT", "PROFT", "AULAT", "ASIGT", "DIASHORAST"})
    test::WriteBytes(vtemp / (std::string(t) + ".DBF"), std::string("old ") + t);
  test::WriteBytes(vtemp / "PROFT.MDX", "old index");
}

struct Outcome {
  std::vector<test::AvisoRow> avisos;
  std::vector<std::string> messages;
  std::vector<std::pair<std::string, std::uint64_t>> counts;
  int status;
};

Outcome Export(const fs::path& zarp, const fs::path& vtemp, bool check_only) {
  test::TestRun run(zarp, vtemp);
  EXPECT_EQ((check_only ? CheckExport : ExportRun)(run.c), RunOutcome::kFinished);
  Outcome o{test::Rows(run.c.informe), run.host.messages, {}, run.c.Transformado};
  for (const TablaRecuento& r : run.c.informe.tablas) o.counts.emplace_back(r.tabla, r.registros);
  return o;
}

class ReportRunTest : public ::testing::Test {
protected:
  void SetUp() override {
    repeated = test::CaseSensitive(zarp.path());
    test::WriteReportSchool(zarp.path(), repeated);
  }
  test::TempDir zarp, vtemp;
  bool repeated = false;
};

TEST_F(ReportRunTest, ExportReportsEveryAnomalyOnItsLine) {
  const Outcome o = Export(zarp.path(), vtemp.path(), false);
  EXPECT_EQ(o.messages, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_EQ(o.status, 1);
  const std::vector<test::AvisoRow> expected = test::ExpectedExportAvisos(repeated);
  ASSERT_EQ(o.avisos.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(o.avisos[i], expected[i]) << "aviso " << i;
}

TEST_F(ReportRunTest, CheckOnlyReportsTheSameAndWritesNothing) {
  WriteOldTables(vtemp.path());
  const faults::Snapshot zarp_before = faults::Take(zarp.path());
  const faults::Snapshot vtemp_before = faults::Take(vtemp.path());
  const Outcome checked = Export(zarp.path(), vtemp.path(), true);
  EXPECT_EQ(faults::Take(zarp.path()), zarp_before);
  EXPECT_EQ(faults::Take(vtemp.path()), vtemp_before);

  // The groups come from the groups file, not from the old table: 3ESOC is
  // still unknown.
  EXPECT_EQ(checked.avisos, test::ExpectedExportAvisos(repeated));
  const Outcome exported = Export(zarp.path(), vtemp.path(), false);
  EXPECT_EQ(checked.avisos, exported.avisos);
  EXPECT_EQ(checked.messages, exported.messages);
  EXPECT_EQ(checked.counts, exported.counts);
  EXPECT_EQ(checked.status, exported.status);
}

TEST_F(ReportRunTest, CheckOnlyWithoutGroupsFileReadsTheOldGroupsTableAsTheExportDoes) {
  fs::remove(zarp / "ZARP_GRUPO.TXT");
  WriteOldTables(vtemp.path());
  const faults::Snapshot vtemp_before = faults::Take(vtemp.path());
  const Outcome checked = Export(zarp.path(), vtemp.path(), true);
  EXPECT_EQ(faults::Take(vtemp.path()), vtemp_before);
  EXPECT_EQ(checked.status, -1);
  EXPECT_EQ(checked.messages, (std::vector<std::string>{"No existe archivo de grupos (ZARP_GRUPO.TXT)",
                                                        "Proceso finalizado"}));
  // The old table knows 3ESOC (line 5) and nothing else.
  std::vector<std::uint64_t> unknown_group_lines;
  for (const test::AvisoRow& a : checked.avisos)
    if (std::get<0>(a) == "grupo_desconocido") unknown_group_lines.push_back(std::get<3>(a));
  EXPECT_EQ(unknown_group_lines, (std::vector<std::uint64_t>{2, 3, 4, 6}));
  const Outcome exported = Export(zarp.path(), vtemp.path(), false);
  EXPECT_EQ(checked.avisos, exported.avisos);
  EXPECT_EQ(checked.counts, exported.counts);
}

#ifndef _WIN32
TEST_F(ReportRunTest, CheckOnlyStopsAtATableHeldByAnotherProgramAsTheExportDoes) {
  Export(zarp.path(), vtemp.path(), false);
  const faults::Snapshot before = faults::Take(vtemp.path());
  faults::OtherProcessHolds holder(vtemp.path(), "PROFT");
  ASSERT_TRUE(holder.held());
  std::string errors[2];
  for (bool check_only : {true, false}) {
    test::TestRun run(zarp.path(), vtemp.path());
    try {
      (check_only ? CheckExport : ExportRun)(run.c);
    } catch (const RunError& e) {
      errors[check_only] = e.what();
    }
    EXPECT_EQ(run.c.Transformado, -1) << check_only;
  }
  EXPECT_EQ(errors[1],
            "La tabla " + (vtemp / "PROFT.DBF").string() + " est\xE1" " en uso por otro programa");
  EXPECT_EQ(errors[0], errors[1]);
  // The export kept what it replaced (ASIGNOMT, rebuilt the same) in COPIAS.
  faults::Snapshot after = faults::Take(vtemp.path());
  after.erase("COPIAS");
  EXPECT_EQ(after, before);
}
#endif

TEST_F(ReportRunTest, ImportReportsRecordsItCouldNotMatchAndCountsLessons) {
  Export(zarp.path(), vtemp.path(), false);
  DbfTable soluc;
  soluc.DatabaseName = vtemp.path();
  soluc.TableName = "SOLUC.DBF";
  soluc.FieldDefs = {{"DIA", FieldType::ftInteger, 0},     {"HORA", FieldType::ftInteger, 0},
                     {"MARCO", FieldType::ftString, 1},    {"PROF", FieldType::ftString, 4},
                     {"CODGRUPO", FieldType::ftString, 10}, {"TAREA", FieldType::ftString, 10},
                     {"ASIG", FieldType::ftString, 10},    {"AULA", FieldType::ftString, 10}};
  soluc.CreateTable();
  const std::vector<std::vector<std::string>> rows = {
      {"1", "1", "0", "AGM", "1ESOA", "*LEC", "MAT", "A101"},  // 1: a lesson, all known
      {"0", "0", "0", "AGM", "1ESOA", "*LEC", "MAT", "A101"},  // 2: not placed
      {"1", "9", "0", "AGM", "1ESOA", "MAT", "MAT", "A101"},   // 3: no slot; a known task
      {"1", "1", "0", "AGM", "9ZZZ", "*LEC", "MAT", "A999"},   // 4: unknown group and room
      {"1", "1", "0", "AGM", "", "*GUA", "", ""},              // 5: an activity: nothing to say
      {"1", "1", "0", "AGM", "", "*GUA", "\xFF", ""},          // 6: a letter cp1252 lacks in 1251
  };
  for (const auto& row : rows) {
    soluc.Append();
    soluc.FieldByName("DIA").SetAsInteger(std::stoi(row[0]));
    soluc.FieldByName("HORA").SetAsInteger(std::stoi(row[1]));
    const char* names[] = {"MARCO", "PROF", "CODGRUPO", "TAREA", "ASIG", "AULA"};
    for (int i = 0; i < 6; ++i) soluc.FieldByName(names[i]).SetAsString(row[i + 2]);
    soluc.Post();
  }
  soluc.Finish();
  soluc.Close();
  // The table's language driver says cp1251, where 0xFF is a letter cp1252 lacks.
  std::string bytes = test::ReadBytes(vtemp / "SOLUC.DBF");
  bytes[29] = '\xC9';
  test::WriteBytes(vtemp / "SOLUC.DBF", bytes);

  test::TestRun run(zarp.path(), vtemp.path());
  ASSERT_EQ(ImportRun(run.c), RunOutcome::kFinished);
  EXPECT_EQ(test::Rows(run.c.informe),
            (std::vector<test::AvisoRow>{
                {"caracteres_sustituidos", "ZARP_HORARIO.TXT", "SOLUC", 0, "1", "", 0},
                {"clase_sin_colocar", "ZARP_HORARIO.TXT", "SOLUC", 2, "1ESOA MAT", "", 0},
                {"franja_desconocida", "ZARP_HORARIO.TXT", "SOLUC", 3, "1 9 0", "", 0},
                {"grupo_desconocido", "ZARP_HORARIO.TXT", "SOLUC", 4, "9ZZZ", "", 0},
                {"aula_desconocida", "ZARP_HORARIO.TXT", "SOLUC", 4, "A999", "", 0},
            }));
  EXPECT_EQ(run.c.informe.tareas_lec, 2u);  // records 1 and 4
}

}  // namespace
}  // namespace tvz
