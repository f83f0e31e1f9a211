// The export run as a whole: order, status, messages, and what a failed
// run leaves behind.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "export/export_run.h"
#include "support/table_reader.h"
#include "support/test_support.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kTables = {"ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF",
                                          "GRUPOST.DBF",  "ASIGT.DBF", "DIASHORAST.DBF"};

const std::vector<std::string> kMissingMessages = {
    "No existe archivo de asignaturas (ZARP_ASIGNAT.TXT)",
    "No existe archivo de profesores (ZARP_PROF.TXT)",
    "No existe archivo de aulas (ZARP_AULAS.TXT)",
    "No existe archivo de grupos (ZARP_GRUPO.TXT)",
    "No existe archivo de grupos (ZARP_ASIGNATGRUPO.TXT)",
    "No existe archivo de grupos (ZARP_SESIONES.TXT)",
};

std::string At(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
  return test::DataLine(fields) + "\r\n";
}

// A minimal complete school: one line in every file.
void WriteSchool(const fs::path& folder) {
  test::WriteBytes(folder / "ZARP_ASIGNAT.TXT", At({{2, "MAT"}, {26, "Matematicas"}}));
  test::WriteBytes(folder / "ZARP_PROF.TXT", At({{2, "AGM"}, {6, "Ana"}}));
  test::WriteBytes(folder / "ZARP_AULAS.TXT", At({{2, "A101"}, {12, "A1"}}));
  test::WriteBytes(folder / "ZARP_GRUPO.TXT",
                   At({{2, "1ESOA"}, {12, "1A"}, {16, "ESO"}, {22, "1"}, {35, "M"}}));
  test::WriteBytes(folder / "ZARP_ASIGNATGRUPO.TXT", At({{2, "1ESOA"}, {16, "MAT"}}));
  test::WriteBytes(folder / "ZARP_ASIGNATCURSO.TXT",
                   At({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "4"}}));
  test::WriteBytes(folder / "ZARP_SESIONES.TXT", At({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}}));
}

void WriteOldTables(const fs::path& vtemp) {
  for (const auto& t : kTables) test::WriteBytes(vtemp / t, "old " + t);
}

TEST(ExportRun, AFolderWithNoZarpFilesGivesSixMessagesAndTouchesNothing) {
  test::TempDir zarp, vtemp;
  WriteOldTables(vtemp.path());
  test::TestRun run(zarp.path(), vtemp.path());
  EXPECT_EQ(ExportRun(run.c), RunOutcome::kFinished);
  auto expected = kMissingMessages;
  expected.push_back("Proceso finalizado");
  EXPECT_EQ(run.host.messages, expected);
  EXPECT_EQ(run.c.Transformado, -1);
  EXPECT_EQ(run.host.busy_changes, (std::vector<bool>{true, false}));
  for (const auto& t : kTables) EXPECT_EQ(test::ReadBytes(vtemp / t), "old " + t);
}

TEST(ExportRun, CompleteSchoolRebuildsAllSixTables) {
  test::TempDir zarp, vtemp;
  WriteSchool(zarp.path());
  WriteOldTables(vtemp.path());
  test::WriteBytes(vtemp / "PROFT.MDX", "old index");
  test::TestRun run(zarp.path(), vtemp.path(), /*embedded=*/true);
  EXPECT_EQ(ExportRun(run.c), RunOutcome::kFinished);
  EXPECT_EQ(run.host.messages, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_EQ(run.c.Transformado, 1);
  EXPECT_FALSE(fs::exists(vtemp / "PROFT.MDX"));
  EXPECT_EQ(test::ReadRows(vtemp.path(), "ASIGT", {"CASIG", "NIVEL", "HORAS"}),
            (std::vector<test::Row>{{"MAT", "ESO", "4"}}));
  EXPECT_EQ(test::ReadRows(vtemp.path(), "DIASHORAST", {"DIHO", "MINUTOS"}),
            (std::vector<test::Row>{{"11", "55"}}));
}

TEST(ExportRun, OnlyTheTableOfAMissingFileKeepsItsContents) {
  test::TempDir zarp, vtemp;
  WriteSchool(zarp.path());
  fs::remove(zarp / "ZARP_PROF.TXT");
  WriteOldTables(vtemp.path());
  test::TestRun run(zarp.path(), vtemp.path());
  ExportRun(run.c);
  EXPECT_EQ(run.c.Transformado, -1);
  EXPECT_EQ(test::ReadBytes(vtemp / "PROFT.DBF"), "old PROFT.DBF");
  EXPECT_EQ(test::ReadRows(vtemp.path(), "AULAT", {"ABREV"}), (std::vector<test::Row>{{"A101"}}));
}

TEST(ExportRun, AnErrorKeepsEarlierTablesRebuiltAndTheFailedOneUntouched) {
  test::TempDir zarp, vtemp;
  WriteSchool(zarp.path());
  test::WriteBytes(zarp / "ZARP_SESIONES.TXT", test::ReadBytes(zarp / "ZARP_SESIONES.TXT") +
                                                  At({{5, "0002"}, {9, "L"}, {10, "0855"}}));
  WriteOldTables(vtemp.path());
  test::TestRun run(zarp.path(), vtemp.path(), /*embedded=*/true);
  try {
    ExportRun(run.c);
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_STREQ(e.what(), "':' no es un valor entero v\xE1" "lido");
  }
  EXPECT_EQ(run.c.Transformado, -1);  // never a success for the host
  EXPECT_EQ(run.host.busy_changes, (std::vector<bool>{true, false}));
  EXPECT_TRUE(run.host.messages.empty());  // no "Proceso finalizado"
  EXPECT_EQ(test::ReadBytes(vtemp / "DIASHORAST.DBF"), "old DIASHORAST.DBF");
  EXPECT_EQ(test::ReadRows(vtemp.path(), "ASIGT", {"CASIG"}), (std::vector<test::Row>{{"MAT"}}));
}

TEST(ExportRun, MissingFolderIsRefused) {
  test::TempDir vtemp;
  for (bool embedded : {false, true}) {
    test::TestRun run(vtemp / "no-such-folder", vtemp.path(), embedded);
    EXPECT_EQ(ExportRun(run.c), RunOutcome::kRefused);
    EXPECT_EQ(run.host.messages, std::vector<std::string>{"No existe la carpeta"});
    EXPECT_EQ(run.c.Transformado, embedded ? -1 : 0);
    EXPECT_TRUE(run.host.busy_changes.empty());
  }
  // A file is not a folder.
  test::WriteBytes(vtemp / "fichero", "x");
  test::TestRun run(vtemp / "fichero", vtemp.path());
  EXPECT_EQ(ExportRun(run.c), RunOutcome::kRefused);
}

TEST(ExportRun, FileNamesIgnoreLetterCase) {
  test::TempDir zarp, vtemp;
  WriteSchool(zarp.path());
  fs::rename(zarp / "ZARP_PROF.TXT", zarp / "Zarp_Prof.txt");
  test::TestRun run(zarp.path(), vtemp.path());
  ExportRun(run.c);
  EXPECT_EQ(run.c.Transformado, 1);
  EXPECT_EQ(test::ReadRows(vtemp.path(), "PROFT", {"ABREV"}), (std::vector<test::Row>{{"AGM"}}));
}

TEST(ExportRun, MissingWorkingFolderIsAnError) {
  test::TempDir zarp, vtemp;
  WriteSchool(zarp.path());
  test::TestRun run(zarp.path(), vtemp / "VTEMP");
  EXPECT_THROW(ExportRun(run.c), RunError);
  EXPECT_EQ(run.c.Transformado, -1);
}

}  // namespace
}  // namespace tvz
