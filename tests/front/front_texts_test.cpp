// What both fronts show: the copies' lines, the restore's lines and the text
// of the failure that ends a run.
#include "front/front_texts.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "core/errors.h"
#include "export/export_run.h"
#include "faults/fault_support.h"
#include "import/import_run.h"
#include "tables/dbf_fixture.h"

namespace tvz {
namespace {

TEST(RestoreDialog, ListLineHasNameDateTimeAndTables) {
  EXPECT_EQ(CopyLine({"20261208-1012-2", {2026, 12, 8, 10, 12, 0}, {"ASIGNOMT", "ASIGT"}}, "\t"),
            "20261208-1012-2\t08/12/2026 10:12\tASIGNOMT, ASIGT");
  EXPECT_EQ(CopyLine({"20260102-0905", {2026, 1, 2, 9, 5, 0}, {"PROFT"}}, "\t"),
            "20260102-0905\t02/01/2026 09:05\tPROFT");
}

TEST(FrontTexts, RestoredLinesNameTheNewCopyOnlyWhenOneWasMade) {
  EXPECT_EQ(RestoredLines("A", {{"PROFT"}, ""}).size(), 1u);
  EXPECT_EQ(RestoredLines("A", {{"PROFT"}, "B"}).back(), "Las tablas sustituidas quedan en la copia B");
}

TEST(FrontTexts, AFailureIsShownWithItsFinalStopAndOutOfMemoryIsMarked) {
  struct Case {
    std::exception_ptr thrown;
    std::string text;
    bool out_of_memory;
  } cases[] = {
      {std::make_exception_ptr(RunError("No existe la copia de las tablas X")),
       "No existe la copia de las tablas X.", false},
      {std::make_exception_ptr(std::runtime_error("ya.")), "ya.", false},
      {std::make_exception_ptr(std::bad_alloc()), WithFinalStop(NoMemoryText()), true},
  };
  for (const Case& c : cases) {
    try {
      std::rethrow_exception(c.thrown);
    } catch (...) {
      const RunFailure f = CurrentFailure();
      EXPECT_EQ(f.text, c.text);
      EXPECT_EQ(f.out_of_memory, c.out_of_memory);
    }
  }
}

// An error met while a file's lines or a table's records are read is shown
// with its place as a second line (the messages themselves are the readers'
// and converters', tested there); an error elsewhere has none. The failed
// converter's table stays as it was.
TEST(FrontTexts, AFailureTheRunPlacedShowsWhereItHappened) {
  namespace fs = std::filesystem;
  using Spoil = void (*)(const fs::path& zarp, const fs::path& vtemp);
  struct Case {
    Spoil spoil;
    RunOutcome (*run)(Conversion&);
    LugarError lugar;  // none: no second line
    const char* kept;
  } cases[] = {
      {[](const fs::path& zarp, const fs::path&) {  // an empty line: no time
         test::WriteBytes(zarp / "ZARP_SESIONES.TXT", test::ReadBytes(zarp / "ZARP_SESIONES.TXT") + "\r\n");
       },
       ExportRun, {"ZARP_SESIONES.TXT", 35}, "DIASHORAST.DBF"},
      {[](const fs::path& zarp, const fs::path&) {
         faults::ReplaceIn(zarp / "ZARP_ASIGNATCURSO.TXT", "LCL 4", "LCL x");
       },
       ExportRun, {"ZARP_ASIGNATCURSO.TXT", 2}, "ASIGT.DBF"},
      {[](const fs::path& zarp, const fs::path&) {  // UTF-16 with an odd byte
         test::WriteBytes(zarp / "ZARP_PROF.TXT", std::string("\xFF\xFE" "0\0Z", 5));
       },
       ExportRun, {"ZARP_PROF.TXT", 0}, "PROFT.DBF"},
      {[](const fs::path&, const fs::path& vtemp) {  // a day that is no number
         std::vector<test::FixtureField> fields = {{"DIA", dbf::kTypeNumeric, 2},
                                                   {"HORA", dbf::kTypeNumeric, 2}};
         for (const char* name : {"MARCO", "PROF", "CODGRUPO", "TAREA", "ASIG", "AULA"})
           fields.push_back({name, dbf::kTypeCharacter, 4});
         test::WriteBytes(vtemp / "SOLUC.DBF",
                          test::DbfFixture(0x03, fields).Record({" 1", " 1"}).Record({" x", " 1"}).Bytes());
       },
       ImportRun, {"SOLUC", 2}, nullptr},
      {[](const fs::path& zarp, const fs::path& vtemp) {  // no groups at all: pass 2
         fs::remove(zarp / "ZARP_GRUPO.TXT");
         fs::remove(vtemp / "GRUPOST.DBF");
       },
       ExportRun, {}, "ASIGT.DBF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(PlaceText(c.lugar));
    test::TempDir zarp, vtemp;
    faults::CopySampleSchool(zarp.path());
    test::RecordingHost host;
    Conversion prepare(host), run(host);
    for (Conversion* each : {&prepare, &run}) {
      each->RutaCarpeta = zarp.path();
      each->WorkingFolder = vtemp.path();
    }
    ASSERT_EQ(ExportRun(prepare), RunOutcome::kFinished);
    const std::string kept = c.kept ? test::ReadBytes(vtemp / c.kept) : "";
    c.spoil(zarp.path(), vtemp.path());
    const RunEnd end = PerformRun(c.run, run, "prueba");
    ASSERT_FALSE(end.outcome.has_value());
    EXPECT_EQ(end.report.error, end.failure.text);
    EXPECT_EQ(run.lugar_error.fichero, c.lugar.fichero);
    EXPECT_EQ(run.lugar_error.linea, c.lugar.linea);
    const std::size_t second = end.failure.text.find('\n');
    if (c.lugar.fichero.empty()) {
      EXPECT_EQ(second, std::string::npos) << end.failure.text;
    } else {
      ASSERT_NE(second, std::string::npos) << end.failure.text;
      EXPECT_EQ(end.failure.text[second - 1], '.');  // the first line keeps its stop
      EXPECT_EQ(end.failure.text.substr(second + 1), PlaceText(c.lugar));
    }
    if (c.kept) {
      EXPECT_EQ(test::ReadBytes(vtemp / c.kept), kept) << c.kept;
    }
  }
}

}  // namespace
}  // namespace tvz
