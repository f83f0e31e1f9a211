#include "import/import_run.h"

#include <gtest/gtest.h>

#include <regex>

#include "core/errors.h"
#include "core/number_text.h"
#include "import/horario_format.h"
#include "records/line_reader.h"
#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_table.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

FieldDef C(const char* name, int size) { return {name, FieldType::ftString, size}; }
FieldDef N(const char* name) { return {name, FieldType::ftInteger, 0}; }

// Writes a table with our own writer; "" leaves a field blank.
void MakeTable(const fs::path& folder, const std::string& name, std::vector<FieldDef> fields,
               const Rows& rows) {
  DbfTable t;
  t.DatabaseName = folder;
  t.TableName = name + ".DBF";
  t.FieldDefs = fields;
  t.CreateTable();
  for (const auto& row : rows) {
    t.Append();
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (row[i].empty()) continue;
      Field f = t.FieldByName(fields[i].Name);
      if (fields[i].DataType == FieldType::ftInteger) f.SetAsInteger(StrToInt(row[i]));
      else f.SetAsString(row[i]);
    }
    t.Post();
  }
  t.Finish();
}

const std::vector<FieldDef> kSolucFields = {N("DIA"),          N("HORA"),     C("MARCO", 1),
                                            C("PROF", 10),     C("CODGRUPO", 10),
                                            C("TAREA", 10),    C("ASIG", 10), C("AULA", 10)};

class ImportTest : public ::testing::Test {
protected:
  test::TempDir zarp, vtemp;
  test::TestRun run{zarp.path(), vtemp.path()};

  void SetUp() override {
    std::string header = test::ZarpFrame('0', "ZARP_ASIGNAT.TXT", "05000123");
    test::WriteBytes(zarp / "zarp_asignat.txt", test::CrLf({header, "1MAT"}));
    MakeTable(vtemp.path(), "GRUPOST", {C("ABREV", 10), C("ABREVCORTA", 4)},
              {{"1ESOA", "1A"}, {"1ESOA", "XX"}, {"2ESOB", ""}});
    MakeTable(vtemp.path(), "PROFT", {C("ABREV", 10)}, {});
    MakeTable(vtemp.path(), "AULAT", {C("ABREV", 10), C("ABREVCORTA", 4)},
              {{"AULA101", "A101"}});
    MakeTable(vtemp.path(), "ASIGNOMT", {C("COD", 10), C("CODTAREA", 10)},
              {{"MAT", ""}, {"*GUA", "GUA"}});
    MakeTable(vtemp.path(), "DIASHORAST",
              {C("DIA", 20), C("HORA", 8), C("MARCO", 1), C("CODDIHO", 10)},
              {{"1", "1", "0", "0001"}, {"1", "1", "0", "0099"}, {"1", "2", "", "0002"},
               {"2", "1", "1", "0007"}});
  }
  void Soluc(const Rows& rows) { MakeTable(vtemp.path(), "SOLUC", kSolucFields, rows); }
  std::vector<std::string> Output() {
    const std::string bytes = test::ReadBytes(zarp / "ZARP_HORARIO.TXT");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    return SplitLines(bytes);
  }
  static std::vector<std::string> Data(const std::vector<std::string>& lines) {
    return {lines.begin() + 1, lines.end() - 1};
  }
};

TEST_F(ImportTest, HeaderRecordsAndTrailer) {
  Soluc({{"1", "1", "0", "AGM", "1ESOA", "*LEC", "MAT", "AULA101"},
         {"0", "3", "0", "JLP", "1ESOA", "*LEC", "MAT", "AULA101"},  // day 0: not written
         {"1", "2", "", "JL", "2ESOB", "MAT", "ING", "LAB"}});
  EXPECT_EQ(ImportRun(run.c), RunOutcome::kFinished);
  EXPECT_EQ(run.host.messages, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_EQ(run.c.Transformado, 1);
  const auto lines = Output();
  ASSERT_EQ(lines.size(), 4u);
  const std::string frame = "ZARP_HORARIO.TXT" + std::string(34, ' ') + "05000123";
  EXPECT_TRUE(std::regex_match(lines[0], std::regex("0" + frame + "[0-9]{12}"))) << lines[0];
  EXPECT_TRUE(std::regex_match(lines[3], std::regex("9" + frame + "[0-9]{12}2"))) << lines[3];
  EXPECT_EQ(Data(lines), (std::vector<std::string>{"100011AGM 1A  LEC MAT A101",
                                                   "100021JL          ING LAB "}));
}

TEST_F(ImportTest, FramesAndLookUps) {
  Soluc({
      {"1", "1", "05", "P1", "1esoa", "*gua", "X", "aula101"},  // first MARCO byte; case counts
      {"1", "1", "1", "P2", "ABCDEFG", "*GUA", "X", "AULA1010"},  // no slot; first 4 of codes
      {"2", "1", "1", "P3", "1E", "NADA", "X", "A"},
      {"1", "2", "0", "P4", "1ESOA", "*LEC", "X", "AULA101"},   // empty frame needs an empty MARCO
      {"1", "2", "", "P5", "", "", "", ""},
  });
  ImportRun(run.c);
  EXPECT_EQ(Data(Output()), (std::vector<std::string>{
                                "100011P1  1esoLEC X   aula",
                                "1    1P2  ABCDGUA X   AULA",
                                "100072P3  1E  LEC X   A   ",
                                "1    1P4  1A  LEC X   A101",
                                "100021P5      LEC         ",
                            }));
}

TEST_F(ImportTest, ATaskThatIsASubjectHasNoTaskCode) {
  Soluc({{"1", "1", "0", "P", "1ESOA", "MAT", "MAT", "AULA101"}});
  ImportRun(run.c);
  EXPECT_EQ(Data(Output()), std::vector<std::string>{"100011P   1A      MAT A101"});
}

TEST_F(ImportTest, CentreCodeIsTakenAsItStands) {
  struct Case {
    std::vector<std::string> lines;
    std::string centre;  // as written: padded to 8
  } cases[] = {
      {{"1MAT", "0" + std::string(50, 'x') + "AB CD"}, "AB CD   "},
      {{"0" + std::string(50, 'x') + "1234"}, "1234    "},
      {{"0short"}, "        "},
      {{"1MAT", "9trailer"}, "        "},
      {{"0" + std::string(50, 'x') + "123456789", "0" + std::string(50, 'x') + "X"}, "12345678"},
  };
  Soluc({});
  for (const auto& c : cases) {
    test::WriteBytes(zarp / "zarp_asignat.txt", test::CrLf(c.lines));
    test::TestRun r(zarp.path(), vtemp.path());
    ImportRun(r.c);
    const auto lines = Output();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(51, 8), c.centre);
    EXPECT_EQ(lines[1].substr(51, 8), c.centre);
    EXPECT_EQ(lines[1].substr(71), "0");
  }
}

// No centre code (no header, a header that ends before column 52, blank
// columns) is said once.
TEST_F(ImportTest, AMissingCentreCodeIsSaid) {
  struct Case {
    std::vector<std::string> lines;
    std::uint64_t linea;
    std::string valor;
  } cases[] = {
      {{"1MAT", "9trailer"}, 0, ""},
      {{"1MAT", "0short"}, 2, ""},
      {{"0" + std::string(50, 'x') + "   "}, 1, "   "},
  };
  Soluc({});
  for (const Case& c : cases) {
    test::WriteBytes(zarp / "zarp_asignat.txt", test::CrLf(c.lines));
    test::TestRun r(zarp.path(), vtemp.path());
    ImportRun(r.c);
    ASSERT_EQ(r.c.informe.avisos.size(), 1u) << c.lines[0];
    const Aviso& a = r.c.informe.avisos[0];
    EXPECT_EQ(AvisoName(a.tipo), std::string("centro_vacio"));
    EXPECT_EQ(a.fichero, "ZARP_ASIGNAT.TXT");
    EXPECT_EQ(a.linea, c.linea);
    EXPECT_EQ(a.valor, c.valor);
  }
}

TEST_F(ImportTest, AnOverlongValueStopsTheRunAndKeepsTheOldFile) {
  test::WriteBytes(zarp / "ZARP_HORARIO.TXT", "old timetable\r\n");
  Soluc({{"1", "1", "0", "AGM", "1ESOA", "*LEC", "MAT", "AULA101"},
         {"1", "1", "0", "LONGER", "1ESOA", "*LEC", "MAT", "AULA101"}});
  try {
    ImportRun(run.c);
    FAIL() << "no error";
  } catch (const RunError& e) {
    const std::string text = e.what();
    EXPECT_NE(text.find("registro 2 de SOLUC"), std::string::npos) << text;
    EXPECT_NE(text.find("PROF"), std::string::npos) << text;
    EXPECT_NE(text.find("'LONGER'"), std::string::npos) << text;
    EXPECT_NE(text.find(" 4 columnas"), std::string::npos) << text;
  }
  EXPECT_EQ(test::ReadBytes(zarp / "ZARP_HORARIO.TXT"), "old timetable\r\n");
  EXPECT_EQ(run.c.Transformado, 0);
  EXPECT_EQ(run.host.busy_changes, (std::vector<bool>{true, false}));
  // The tables were released: they can be opened for exclusive use again.
  DbfTable soluc;
  soluc.DatabaseName = vtemp.path();
  soluc.TableName = "SOLUC";
  soluc.Exclusive = true;
  EXPECT_NO_THROW(soluc.Open());
}

TEST_F(ImportTest, AControlByteInAValueStopsTheRun) {
  // "A\r\n9" would otherwise put a line that looks like a trailer inside the file.
  for (const std::string value : {"A\r\n9", "B\x1A", "\tC"}) {
    test::WriteBytes(zarp / "ZARP_HORARIO.TXT", "old\r\n");
    Soluc({{"1", "1", "0", "AGM", "1ESOA", "*LEC", value, "AULA101"}});
    try {
      ImportRun(run.c);
      ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
      const std::string text = e.what();
      EXPECT_NE(text.find("registro 1 de SOLUC"), std::string::npos) << text;
      EXPECT_NE(text.find("(ASIG)"), std::string::npos) << text;
    }
    EXPECT_EQ(test::ReadBytes(zarp / "ZARP_HORARIO.TXT"), "old\r\n");
  }
}

TEST_F(ImportTest, ATableInUseByAnotherProgramStopsTheRun) {
  Soluc({});
  DbfTable holder;
  holder.DatabaseName = vtemp.path();
  holder.TableName = "ASIGNOMT";
  holder.Exclusive = true;
  holder.Open();
  try {
    ImportRun(run.c);
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_NE(std::string(e.what()).find("ASIGNOMT"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(zarp / "ZARP_HORARIO.TXT"));
  holder.Close();
  EXPECT_EQ(ImportRun(run.c), RunOutcome::kFinished);
}

TEST_F(ImportTest, ErrorsFromInputsAndTables) {
  // A text day that is not a number.
  MakeTable(vtemp.path(), "SOLUC",
            {C("DIA", 2), C("HORA", 2), C("MARCO", 1), C("PROF", 4), C("CODGRUPO", 4),
             C("TAREA", 4), C("ASIG", 4), C("AULA", 4)},
            {{"1", "1", "0", "A", "B", "C", "D", "E"}, {"x", "1", "0", "A", "B", "C", "D", "E"}});
  try {
    ImportRun(run.c);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_STREQ(e.what(), "'x' no es un valor entero v\xE1" "lido");
  }
  // A field SOLUC lacks.
  MakeTable(vtemp.path(), "SOLUC", {N("DIA"), N("HORA")}, {{"1", "1"}});
  try {
    ImportRun(run.c);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_STREQ(e.what(), "TablaSOLUC: No se encuentra el campo 'MARCO'");
  }
  // A missing table.
  fs::remove(vtemp / "SOLUC.DBF");
  EXPECT_THROW(ImportRun(run.c), RunError);
  // No subjects file: nothing is opened or written.
  Soluc({});
  fs::remove(zarp / "zarp_asignat.txt");
  try {
    ImportRun(run.c);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"", 0), 0u) << e.what();
  }
  EXPECT_FALSE(fs::exists(zarp / "ZARP_HORARIO.TXT"));
  EXPECT_EQ(run.c.Transformado, 0);
}

TEST_F(ImportTest, ATruncatedSolucWritesNothing) {
  test::WriteBytes(zarp / "ZARP_HORARIO.TXT", "previous timetable");
  Soluc({{"1", "1", "0", "AGM", "1ESOA", "*LEC", "MAT", "AULA101"},
         {"1", "2", "", "JL", "2ESOB", "MAT", "ING", "LAB"}});
  const std::string soluc = test::ReadBytes(vtemp / "SOLUC.DBF");
  test::WriteBytes(vtemp / "SOLUC.DBF", soluc.substr(0, soluc.size() - 20));
  try {
    ImportRun(run.c);
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()),
              "La tabla " + (vtemp / "SOLUC.DBF").string() +
                  " est\xE1" " da\xF1" "ada: la cabecera promete 2 registros y el archivo tiene 1");
  }
  EXPECT_EQ(test::ReadBytes(zarp / "ZARP_HORARIO.TXT"), "previous timetable");
}

// A one-row SOLUC whose DIA has the type, width and stored bytes given.
std::string SolucWithDay(char type, int length, const std::string& stored) {
  return test::DbfFixture(0x03, {{"DIA", type, length},
                                 {"HORA", dbf::kTypeNumeric, 2},
                                 {"MARCO", dbf::kTypeCharacter, 1},
                                 {"PROF", dbf::kTypeCharacter, 4},
                                 {"CODGRUPO", dbf::kTypeCharacter, 4},
                                 {"TAREA", dbf::kTypeCharacter, 4},
                                 {"ASIG", dbf::kTypeCharacter, 4},
                                 {"AULA", dbf::kTypeCharacter, 4}})
      .Record({stored, " 1", "0", "AGM", "1ESOA", "*LEC", "MAT", "A101"})
      .Bytes();
}

// A number field of only asterisks is NULL (GDAL and shapelib write it so):
// as DIA, a class not placed, named by the asterisks.
TEST_F(ImportTest, ANullDayIsAClassNotPlaced) {
  struct Case {
    char type;
    int length;
    std::string stored, valor;
  } cases[] = {
      {dbf::kTypeNumeric, 3, "***", "***"},
      {dbf::kTypeFloat, 4, " ** ", "**"},
      {dbf::kTypeNumeric, 10, "*********", "*********"},  // as ogr2ogr writes it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    test::WriteBytes(vtemp / "SOLUC.DBF", SolucWithDay(c.type, c.length, c.stored));
    test::TestRun r(zarp.path(), vtemp.path());
    ASSERT_EQ(ImportRun(r.c), RunOutcome::kFinished);
    ASSERT_EQ(r.c.informe.avisos.size(), 1u);
    const Aviso& a = r.c.informe.avisos[0];
    EXPECT_EQ(a.tipo, AvisoTipo::kClaseSinColocar);
    EXPECT_EQ(a.linea, 1u);
    EXPECT_EQ(a.valor, c.valor);
    EXPECT_EQ(Output().size(), 2u);  // header and trailer only
  }
}

// A DIA that cannot be read as an integer stops the run; no row is skipped
// as day 0.
TEST_F(ImportTest, ADayThatIsNoIntegerStopsTheRun) {
  struct Case {
    char type;
    int length;
    std::string stored, message;
  };
  const std::vector<Case> cases = {
      {dbf::kTypeMemo, 10, "         1", "No se puede leer el campo 'DIA' como entero"},
      {dbf::kTypeLogical, 1, "T", "No se puede leer el campo 'DIA' como entero"},
      {dbf::kTypeDate, 8, "20250101", "No se puede leer el campo 'DIA' como entero"},
  };
  for (const Case& c : cases) {
    test::WriteBytes(vtemp / "SOLUC.DBF", SolucWithDay(c.type, c.length, c.stored));
    try {
      ImportRun(run.c);
      ADD_FAILURE() << "no error: " << c.type;
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.type;
    }
    EXPECT_FALSE(fs::exists(zarp / "ZARP_HORARIO.TXT")) << c.type;
  }
}

TEST_F(ImportTest, MissingFolderIsRefused) {
  for (bool embedded : {false, true}) {
    test::TestRun r(zarp / "nope", vtemp.path(), embedded);
    r.c.Transformado = 5;
    EXPECT_EQ(ImportRun(r.c), RunOutcome::kRefused);
    EXPECT_EQ(r.host.messages, std::vector<std::string>{"No existe la carpeta"});
    EXPECT_EQ(r.c.Transformado, embedded ? 0 : 5);
  }
}

TEST_F(ImportTest, AnExistingFileIsReplacedWhole) {
  test::WriteBytes(zarp / "zarp_horario.txt", std::string(10000, 'x'));
  Soluc({{"1", "1", "0", "AGM", "1ESOA", "*LEC", "MAT", "AULA101"}});
  ImportRun(run.c);
  // The file keeps the spelling it had; its contents are new.
  const std::string bytes = test::ReadBytes(zarp / "zarp_horario.txt");
  EXPECT_EQ(SplitLines(bytes).size(), 3u);
  EXPECT_EQ(bytes.find('x'), std::string::npos);
}

}  // namespace
}  // namespace tvz
