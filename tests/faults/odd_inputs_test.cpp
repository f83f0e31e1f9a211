// Inputs no school should send but some will: lines of a megabyte, empty
// files, binary noise, names in other letter case, a folder where a file is
// expected and the other way round, table headers with absurd lengths, files
// an editor saved again in a Unicode form. Each either works or ends the run
// with a clear message; none crashes.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/errors.h"
#include "export/export_run.h"
#include "faults/fault_support.h"
#include "import/import_run.h"
#include "platform/code_page.h"
#include "platform/text_encoding.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"
#include "report/report_school.h"
#include "support/run_helper.h"
#include "support/table_reader.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using faults::kExportTables;
using faults::kSchoolFiles;

std::size_t Rows(const fs::path& vtemp, const char* table) {
  return test::ReadRows(vtemp, table, {}).size();
}

std::size_t HeaderLength(const std::string& dbf) {
  return static_cast<unsigned char>(dbf[8]) | static_cast<std::size_t>(static_cast<unsigned char>(dbf[9])) << 8;
}

class OddInputTest : public ::testing::Test {
protected:
  // The sample school exported, and its timetable, as a base for the import.
  void PrepareImport() {
    faults::CopySampleSchool(zarp.path());
    ASSERT_EQ(test::RunExport(zarp.path(), vtemp.path()).error, "");
    fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "SOLUC.DBF",
                  fs::copy_options::overwrite_existing);
  }
  test::TempDir zarp, vtemp;
};

// A cp1252 file as an editor saves it again: "UTF-8" (as current Notepad
// does), "UTF-8 con BOM", "UTF-16LE" or "UTF-16BE" (with their marks).
std::string ReSaved(const std::string& cp1252, const std::string& form) {
  const std::string utf8 = platform::Utf8FromCp1252(cp1252);
  if (form == "UTF-8") return utf8;
  if (form == "UTF-8 con BOM") return "\xEF\xBB\xBF" + utf8;
  const bool big = form == "UTF-16BE";
  std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
  const std::u16string units = platform::DecodeCodePage(utf8, 65001).value();
  for (char16_t unit : units) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += big ? high : low;
    bytes += big ? low : high;
  }
  return bytes;
}

// A table's bytes without the date of its last change (header bytes 1-3).
std::string WithoutDate(std::string dbf) {
  for (std::size_t i = 1; i < 4 && i < dbf.size(); ++i) dbf[i] = 0;
  return dbf;
}

// ZARP_HORARIO.TXT without the times of its header and trailer (60-71).
std::string WithoutTimes(const std::string& horario) {
  std::string out;
  for (std::string line : SplitLines(horario)) {
    if (IsHeaderOrTrailer(line) && line.size() >= 71) line.replace(59, 12, 12, '#');
    out += line + "\r\n";
  }
  return out;
}

// Each ZARP file of the sample school saved again in each Unicode form: the
// export makes the same tables as from the cp1252 original and says so once,
// naming the file; the import with the subjects file so saved writes the
// same timetable. An ASCII file saved as UTF-8 without a mark keeps its
// bytes: nothing to decode, nothing said.
TEST_F(OddInputTest, FilesSavedAgainInAUnicodeFormReadAsTheirOriginal) {
  const char* const forms[] = {"UTF-8", "UTF-8 con BOM", "UTF-16LE", "UTF-16BE"};
  faults::CopySampleSchool(zarp.path());
  test::TestRun base(zarp.path(), vtemp.path());
  ASSERT_EQ(ExportRun(base.c), RunOutcome::kFinished);
  std::map<std::string, std::string> tables;
  for (const char* t : kExportTables) tables[t] = WithoutDate(test::ReadBytes(vtemp / (std::string(t) + ".DBF")));
  const std::vector<test::AvisoRow> avisos = test::Rows(base.c.informe);
  fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "SOLUC.DBF");
  ASSERT_EQ(test::RunImport(zarp.path(), vtemp.path()).error, "");
  const std::string horario = WithoutTimes(test::ReadBytes(zarp / "ZARP_HORARIO.TXT"));

  using Said = std::vector<std::pair<std::string, std::string>>;  // fichero, valor
  // The codificacion warnings; the others go to `others`.
  auto codificacion = [](const Informe& informe, std::vector<test::AvisoRow>& others) {
    Said said;
    for (const test::AvisoRow& row : test::Rows(informe)) {
      if (std::get<0>(row) == "codificacion") said.emplace_back(std::get<2>(row), std::get<4>(row));
      else others.push_back(row);
    }
    return said;
  };
  for (const char* file : kSchoolFiles) {
    const std::string original = test::ReadBytes(fs::path(TVZ_SAMPLES_DIR) / "escuela" / file);
    for (const std::string form : forms) {
      SCOPED_TRACE(std::string(file) + " " + form);
      test::TempDir folder, working;
      faults::CopySampleSchool(folder.path());
      const std::string saved = ReSaved(original, form);
      test::WriteBytes(folder / file, saved);
      test::TestRun run(folder.path(), working.path());
      ASSERT_EQ(ExportRun(run.c), RunOutcome::kFinished);
      EXPECT_EQ(run.c.Transformado, 1);
      for (const char* t : kExportTables)
        EXPECT_EQ(WithoutDate(test::ReadBytes(working / (std::string(t) + ".DBF"))), tables[t]) << t;
      std::vector<test::AvisoRow> others;
      const auto said = codificacion(run.c.informe, others);
      EXPECT_EQ(others, avisos);
      EXPECT_EQ(said, (saved == original ? Said{} : Said{{file, form}}));
      if (std::string(file) != "ZARP_ASIGNAT.TXT") continue;
      fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", working / "SOLUC.DBF");
      test::TestRun import(folder.path(), working.path());
      ASSERT_EQ(ImportRun(import.c), RunOutcome::kFinished);
      EXPECT_EQ(WithoutTimes(test::ReadBytes(folder / "ZARP_HORARIO.TXT")), horario);
      std::vector<test::AvisoRow> import_others;
      EXPECT_EQ(codificacion(import.c.informe, import_others), (Said{{file, form}}));
    }
  }
}

TEST_F(OddInputTest, LinesOfAMegabyteAreReadAndCut) {
  faults::CopySampleSchool(zarp.path());
  const std::string tail(1 << 20, 'x');
  // One more data line in every file, a megabyte long.
  const std::pair<const char*, std::string> extra[] = {
      {"ZARP_ASIGNAT.TXT", "1ZZZ                     Larga"},
      {"ZARP_ACTIVIDADES.TXT", "1ZZY                     Larga"},
      {"ZARP_PROF.TXT", "1ZZZ Larga"},
      {"ZARP_AULAS.TXT", "1ZZZ"},
      {"ZARP_GRUPO.TXT", "1ZZZ"},
      {"ZARP_ASIGNATGRUPO.TXT", "11ESOA         ZZZ "},
      {"ZARP_ASIGNATCURSO.TXT", "1ESO   1               ZZZ 2     "},
      {"ZARP_SESIONES.TXT", "1   0099V13001355"}};
  for (const auto& [file, line] : extra) {
    std::string bytes = test::ReadBytes(zarp / file);
    test::WriteBytes(zarp / file, bytes + line + tail + "\r\n");
  }
  const test::RunResult r = test::RunExport(zarp.path(), vtemp.path());
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.status, 1);
  const auto teachers = test::ReadRows(vtemp.path(), "PROFT", {"ABREV", "NOMBRE"});
  ASSERT_FALSE(teachers.empty());
  EXPECT_EQ(teachers.back()[0], "ZZZ");
  EXPECT_EQ(teachers.back()[1].substr(0, 5), "Larga");
  EXPECT_LE(teachers.back()[1].size(), 80u);
  const auto assignments = test::ReadRows(vtemp.path(), "ASIGT", {"CASIG", "HORAS", "SESIONES"});
  EXPECT_EQ(assignments.back(), (test::Row{"ZZZ", "2", "11"}));

  // The import's centre code comes from a header of a megabyte.
  fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "SOLUC.DBF");
  std::string header = "0ZARP_ASIGNAT.TXT";
  header.resize(51, ' ');
  test::WriteBytes(zarp / "ZARP_ASIGNAT.TXT", header + "12345678" + tail + "\r\n");
  ASSERT_EQ(test::RunImport(zarp.path(), vtemp.path()).error, "");
  EXPECT_EQ(LoadLines(zarp / "ZARP_HORARIO.TXT").front().substr(51, 8), "12345678");
}

TEST_F(OddInputTest, EmptyFilesGiveEmptyTables) {
  for (const char* f : kSchoolFiles) test::WriteBytes(zarp / f, "");
  const test::RunResult r = test::RunExport(zarp.path(), vtemp.path());
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.status, 1);
  for (const char* t : kExportTables) EXPECT_EQ(Rows(vtemp.path(), t), 0u) << t;

  // An empty subjects file: no centre code. An empty SOLUC.DBF: a message.
  fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "SOLUC.DBF");
  ASSERT_EQ(test::RunImport(zarp.path(), vtemp.path()).error, "");
  EXPECT_EQ(LoadLines(zarp / "ZARP_HORARIO.TXT").front().substr(51, 8), std::string(8, ' '));
  fs::remove(zarp / "ZARP_HORARIO.TXT");
  test::WriteBytes(vtemp / "SOLUC.DBF", "");
  EXPECT_EQ(test::RunImport(zarp.path(), vtemp.path()).error,
            "La tabla " + (vtemp / "SOLUC.DBF").string() +
                " est\xE1" " da\xF1" "ada: el archivo es m\xE1" "s corto que la cabecera");
  EXPECT_FALSE(fs::exists(zarp / "ZARP_HORARIO.TXT"));
}

TEST_F(OddInputTest, BinaryNoiseEndsInAMessageOrInTables) {
  std::mt19937 random(20250908);
  int finished = 0, stopped = 0;
  for (int round = 0; round < 24; ++round) {
    test::TempDir z, v;
    faults::WriteOldTables(v.path());
    for (const char* f : kSchoolFiles) {
      std::string noise(random() % 3000, '\0');
      for (char& c : noise) c = static_cast<char>(random() % 7 == 0 ? '\n' : random() % 256);
      test::WriteBytes(z / f, noise);
    }
    const test::RunResult r = test::RunExport(z.path(), v.path());
    if (r.error.empty()) {
      ++finished;
      EXPECT_EQ(r.host.messages.back(), "Proceso finalizado");
    } else {
      ++stopped;
      EXPECT_EQ(r.status, -1);
    }
    // Every table is either the old one or one that reads back.
    for (const char* t : kExportTables) {
      const fs::path file = v / (std::string(t) + ".DBF");
      if (test::ReadBytes(file) != std::string("old table ") + t) {
        EXPECT_NO_THROW(Rows(v.path(), t)) << t;
      }
    }
  }
  EXPECT_GT(finished + stopped, 0);

  // Noise in SOLUC's records, or a few bytes of noise in its header: a
  // timetable, or a message about SOLUC and no timetable file.
  PrepareImport();
  const std::string good = test::ReadBytes(vtemp / "SOLUC.DBF");
  const std::size_t header = HeaderLength(good);
  int written = 0, refused = 0;
  for (int round = 0; round < 48; ++round) {
    std::string bytes = good;
    if (round % 2 == 0) {
      for (std::size_t i = header; i < bytes.size(); ++i)
        if (random() % 3 == 0) bytes[i] = static_cast<char>(random() % 256);
    } else {
      for (int n = 0; n < 3; ++n) bytes[random() % header] = static_cast<char>(random() % 256);
    }
    test::WriteBytes(vtemp / "SOLUC.DBF", bytes);
    fs::remove(zarp / "ZARP_HORARIO.TXT");
    const test::RunResult r = test::RunImport(zarp.path(), vtemp.path());
    if (r.error.empty()) {
      ++written;
      EXPECT_EQ(r.status, 1);
      EXPECT_TRUE(fs::exists(zarp / "ZARP_HORARIO.TXT"));
    } else {
      ++refused;
      EXPECT_FALSE(fs::exists(zarp / "ZARP_HORARIO.TXT"));
      // About SOLUC, or the day that is no number.
      EXPECT_TRUE(r.error.find("SOLUC") != std::string::npos ||
                  r.error.find("no es un valor entero") != std::string::npos)
          << r.error;
    }
  }
  EXPECT_GT(written, 0);
  EXPECT_GT(refused, 0);
}

TEST_F(OddInputTest, NamesInOtherLetterCase) {
  faults::CopySampleSchool(zarp.path());
  const char* spellings[] = {"zarp_asignat.txt",      "Zarp_Actividades.Txt",
                             "zarp_PROF.txt",         "ZARP_aulas.TXT",
                             "zArP_gRuPo.TxT",        "zarp_asignatgrupo.txt",
                             "ZARP_ASIGNATCURSO.txt", "zarp_sesiones.TXT"};
  for (std::size_t i = 0; i < std::size(kSchoolFiles); ++i)
    fs::rename(zarp / kSchoolFiles[i], zarp / spellings[i]);
  // Old tables in small letters are replaced where they are.
  for (const char* t : kExportTables) {
    std::string lower(t);
    for (char& c : lower) c = static_cast<char>(c - 'A' + 'a');
    test::WriteBytes(vtemp / (lower + ".dbf"), "old");
  }
  const test::RunResult r = test::RunExport(zarp.path(), vtemp.path());
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.host.messages, std::vector<std::string>{"Proceso finalizado"});
  faults::Snapshot tables = faults::Take(vtemp.path());
  EXPECT_EQ(tables.erase("COPIAS"), 1u);  // the old tables, kept
  EXPECT_EQ(tables.size(), std::size(kExportTables));
  EXPECT_GT(Rows(vtemp.path(), "grupost"), 0u);

  fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "soluc.dbf");
  test::WriteBytes(zarp / "zarp_horario.txt", "old");
  ASSERT_EQ(test::RunImport(zarp.path(), vtemp.path()).error, "");
  EXPECT_NE(test::ReadBytes(zarp / "zarp_horario.txt"), "old");  // replaced where it was
  EXPECT_FALSE(fs::exists(zarp / "ZARP_HORARIO.TXT") &&
               !fs::equivalent(zarp / "ZARP_HORARIO.TXT", zarp / "zarp_horario.txt"));
}

TEST_F(OddInputTest, AFolderWhereAFileIsExpectedAndTheOtherWayRound) {
  test::WriteBytes(zarp / "fichero", "x");
  for (bool exporting : {true, false}) {
    const auto kind = exporting ? test::RunKind::kExport : test::RunKind::kImport;
    const test::RunResult r = test::Run(kind, zarp / "fichero", vtemp.path());
    EXPECT_EQ(r.outcome, RunOutcome::kRefused);
    EXPECT_EQ(r.host.messages, std::vector<std::string>{"No existe la carpeta"});
  }
  // An input file that is a folder is a missing file.
  faults::CopySampleSchool(zarp.path());
  fs::remove(zarp / "ZARP_PROF.TXT");
  fs::create_directory(zarp / "ZARP_PROF.TXT");
  const test::RunResult r = test::RunExport(zarp.path(), vtemp.path());
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.status, -1);
  EXPECT_EQ(r.host.messages, (std::vector<std::string>{
                                 "No existe archivo de profesores (ZARP_PROF.TXT)",
                                 "Proceso finalizado"}));
  EXPECT_FALSE(fs::exists(vtemp / "PROFT.DBF"));
  // A table that is a folder cannot be opened.
  fs::copy_file(fs::path(TVZ_SAMPLES_DIR) / "escuela" / "SOLUC.DBF", vtemp / "SOLUC.DBF");
  fs::create_directory(vtemp / "PROFT.DBF");
  EXPECT_EQ(test::RunImport(zarp.path(), vtemp.path()).error,
            "No se encuentra la tabla " + (vtemp / "PROFT.DBF").string());
  // A working folder that is a file has no tables.
  EXPECT_EQ(test::RunImport(zarp.path(), zarp / "ZARP_ASIGNAT.TXT").error,
            "No se encuentra la tabla " + (zarp / "ZARP_ASIGNAT.TXT" / "SOLUC.DBF").string());
}

TEST_F(OddInputTest, TableHeadersWithAbsurdLengths) {
  PrepareImport();
  const std::string good = test::ReadBytes(vtemp / "SOLUC.DBF");
  auto with = [&](std::size_t at, std::string bytes) {
    std::string s = good;
    s.replace(at, bytes.size(), bytes);
    return s;
  };
  const std::string damaged = "est\xE1" " da\xF1" "ada: ";
  std::uint32_t declared = 0;  // the records the sound table counts
  for (int i = 3; i >= 0; --i) declared = declared << 8 | static_cast<unsigned char>(good[4 + i]);
  const struct {
    const char* name;
    std::string bytes;
    std::string message;  // after "La tabla <file> "; "" when the run works
    std::string records;  // the trailer's count when it works
  } cases[] = {
      {"header length 65535", with(8, "\xFF\xFF"),
       damaged + "la longitud de la cabecera (65535) pasa del final del archivo", ""},
      {"header length 0", with(8, std::string(2, '\0')),
       damaged + "la longitud de la cabecera (0) no es v\xE1" "lida", ""},
      {"record length 0", with(10, std::string(2, '\0')), damaged + "la longitud de los registros es 0", ""},
      {"record length 1", with(10, "\x01\x00"), damaged + "el campo 'DIA' pasa del final del registro", ""},
      {"a field of 255 bytes", with(32 + 16, "\xFF"), damaged + "el campo 'DIA' pasa del final del registro", ""},
      {"cut in the header", good.substr(0, 40),
       damaged + "la longitud de la cabecera (" + std::to_string(HeaderLength(good)) +
           ") pasa del final del archivo",
       ""},
      // Fewer whole records than the header counts: damage, never a shorter
      // timetable.
      {"record length 65535", with(10, "\xFF\xFF"),
       damaged + "la cabecera promete " + std::to_string(declared) +
           " registros y el archivo tiene 0",
       ""},
      {"four thousand million records", with(4, "\xFF\xFF\xFF\xFF"),
       damaged + "la cabecera promete 4294967295 registros y el archivo tiene " +
           std::to_string(declared),
       ""},
  };
  test::WriteBytes(vtemp / "SOLUC.DBF", good);
  ASSERT_EQ(test::RunImport(zarp.path(), vtemp.path()).error, "");
  const std::string all_records(LoadLines(zarp / "ZARP_HORARIO.TXT").back().substr(71));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteBytes(vtemp / "SOLUC.DBF", c.bytes);
    fs::remove(zarp / "ZARP_HORARIO.TXT");
    const test::RunResult r = test::RunImport(zarp.path(), vtemp.path());
    if (c.message.empty()) {
      ASSERT_EQ(r.error, "");
      EXPECT_EQ(LoadLines(zarp / "ZARP_HORARIO.TXT").back().substr(71),
                c.records == "=" ? all_records : c.records);
      continue;
    }
    EXPECT_EQ(r.error, "La tabla " + (vtemp / "SOLUC.DBF").string() + " " + c.message);
    EXPECT_FALSE(fs::exists(zarp / "ZARP_HORARIO.TXT"));
  }
}

}  // namespace
}  // namespace tvz
