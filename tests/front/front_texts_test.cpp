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
#include "platform/files.h"
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
// with its place as a second line; an error elsewhere has none.
TEST(FrontTexts, AFailureTheRunPlacedShowsWhereItHappened) {
  namespace fs = std::filesystem;
  using Spoil = void (*)(const fs::path& zarp, const fs::path& vtemp);
  struct Case {
    const char* name;
    Spoil spoil;
    RunOutcome (*run)(Conversion&);
    std::string text;  // "%f" stands for the path of ZARP_PROF.TXT
    LugarError lugar;
    const char* kept;  // the table the failed converter leaves as it was
  } cases[] = {
      {"a time that is no number",
       [](const fs::path& zarp, const fs::path&) {
         test::WriteBytes(zarp / "ZARP_SESIONES.TXT", test::ReadBytes(zarp / "ZARP_SESIONES.TXT") + "\r\n");
       },
       ExportRun, "':' no es un valor entero v\xE1" "lido.\nZARP_SESIONES.TXT, l\xED" "nea 35",
       {"ZARP_SESIONES.TXT", 35}, "DIASHORAST.DBF"},
      {"hours that are no number",
       [](const fs::path& zarp, const fs::path&) {
         faults::ReplaceIn(zarp / "ZARP_ASIGNATCURSO.TXT", "LCL 4", "LCL x");
       },
       ExportRun,
       "'x' no es un valor punto flotante v\xE1" "lido.\nZARP_ASIGNATCURSO.TXT, l\xED" "nea 2",
       {"ZARP_ASIGNATCURSO.TXT", 2}, "ASIGT.DBF"},
      {"a file that breaks its encoding",
       [](const fs::path& zarp, const fs::path&) {
         test::WriteBytes(zarp / "ZARP_PROF.TXT", std::string("\xFF\xFE" "0\0Z", 5));
       },
       ExportRun,
       "El archivo \"%f\" empieza con la marca de UTF-16LE, pero tiene un n\xFA"
       "mero impar de bytes.\nZARP_PROF.TXT",
       {"ZARP_PROF.TXT", 0}, "PROFT.DBF"},
      {"a day that is no number",
       [](const fs::path&, const fs::path& vtemp) {
         test::WriteBytes(vtemp / "SOLUC.DBF",
                          test::DbfFixture(0x03, {{"DIA", dbf::kTypeNumeric, 2},
                                                  {"HORA", dbf::kTypeNumeric, 2},
                                                  {"MARCO", dbf::kTypeCharacter, 1},
                                                  {"PROF", dbf::kTypeCharacter, 4},
                                                  {"CODGRUPO", dbf::kTypeCharacter, 4},
                                                  {"TAREA", dbf::kTypeCharacter, 4},
                                                  {"ASIG", dbf::kTypeCharacter, 4},
                                                  {"AULA", dbf::kTypeCharacter, 4}})
                              .Record({" 1", " 1", "0", "AGM", "1A", "*LEC", "MAT", "A101"})
                              .Record({" x", " 1", "0", "AGM", "1A", "*LEC", "MAT", "A101"})
                              .Bytes());
       },
       ImportRun, "'x' no es un valor entero v\xE1" "lido.\nSOLUC, registro 2", {"SOLUC", 2},
       nullptr},
      {"a table that cannot be read, outside any loop",
       [](const fs::path& zarp, const fs::path& vtemp) {
         fs::remove(zarp / "ZARP_GRUPO.TXT");
         fs::remove(vtemp / "GRUPOST.DBF");
       },
       ExportRun, "", {}, "ASIGT.DBF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir zarp, vtemp;
    faults::CopySampleSchool(zarp.path());
    test::RecordingHost host;
    {
      Conversion prepare(host);
      prepare.RutaCarpeta = zarp.path();
      prepare.WorkingFolder = vtemp.path();
      ASSERT_EQ(ExportRun(prepare), RunOutcome::kFinished);
    }
    const std::string kept = c.kept ? test::ReadBytes(vtemp / c.kept) : "";
    c.spoil(zarp.path(), vtemp.path());
    Conversion run(host);
    run.RutaCarpeta = zarp.path();
    run.WorkingFolder = vtemp.path();
    const RunEnd end = PerformRun(c.run, run, "prueba");
    ASSERT_FALSE(end.outcome.has_value());
    EXPECT_EQ(end.report.error, end.failure.text);
    EXPECT_EQ(run.lugar_error.fichero, c.lugar.fichero);
    EXPECT_EQ(run.lugar_error.linea, c.lugar.linea);
    if (c.kept) EXPECT_EQ(test::ReadBytes(vtemp / c.kept), kept) << c.kept;
    if (c.text.empty()) {
      EXPECT_EQ(end.failure.text.find('\n'), std::string::npos) << end.failure.text;
      continue;
    }
    std::string text = c.text;
    if (const std::size_t at = text.find("%f"); at != std::string::npos)
      text.replace(at, 2, platform::PathText(zarp / "ZARP_PROF.TXT"));
    EXPECT_EQ(end.failure.text, text);
  }
}

}  // namespace
}  // namespace tvz
