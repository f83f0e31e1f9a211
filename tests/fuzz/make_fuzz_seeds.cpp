// make_fuzz_seeds OUTDIR SAMPLES
//
// Writes the seed inputs that are binary or built from the sample school,
// so that the repository keeps only small text seeds:
//   OUTDIR/dbf_table/   table files of every family the reader accepts
//   OUTDIR/import_run/  SOLUC tables: the sample's and a few of other kinds
//   OUTDIR/export_run/  the sample school's eight ZARP files in one input
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_dir.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_table.h"

namespace {

namespace fs = std::filesystem;
using tvz::test::Be64;
using tvz::test::Bits;
using tvz::test::DbfFixture;
using tvz::test::Le32;
using tvz::test::Le64;
using tvz::test::Level7Double;
using tvz::test::Level7Int;

void Seed(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  tvz::test::WriteBytes(dir / name, bytes);
}

void TableSeeds(const fs::path& dir) {
  Seed(dir, "dbase3.dbf",
       DbfFixture(0x03, {{"NAME", 'C', 8}, {"QTY", 'N', 5}, {"PRICE", 'N', 8, 2}, {"OK", 'L', 1},
                         {"DAY", 'D', 8}})
           .Padding(1)
           .Record({"Ana", "   12", "   -3.50", "T", "20250601"})
           .Record({"Gone", "    1", "    1.00", "T", "20250101"}, true)
           .Record({"", "", "********", "?", ""})
           .Record({" Cid", "  +07", "   1.5E2", "n", "20240229"})
           .Bytes());
  Seed(dir, "dbase4_memo_lock.dbf",
       DbfFixture(0x8B, {{"CODE", 'C', 4}, {"NOTE", 'M', 10}, {"_DBASELOCK", 'C', 8}})
           .Record({"A1", "         3", "xxxxxxxx"})
           .Bytes());
  Seed(dir, "foxpro_long_char.dbf",
       DbfFixture(0xF5, {{"LONG", 'C', 300, 1}, {"N", 'N', 2}}).Record({"xy", "12"}).Bytes());
  Seed(dir, "level7.dbf",
       DbfFixture(0x8C, {{"NAME", 'C', 10}, {"ID", 'I', 4}, {"AUTO", '+', 4}, {"VAL", 'O', 8},
                         {"WHEN", '@', 8}, {"QTY", 'N', 4}})
           .LanguageDriver(0)
           .DriverName("DB437US0")
           .Padding(16)
           .Record({"Pe\xA4" "a", Level7Int(1), Level7Int(11), Level7Double(1.5),
                    Be64(Bits(730120.0 * 86400000)), "  42"})
           .Record({"x", Le32(2451545) + Le32(3723000), Level7Int(0), std::string(8, '\0'),
                    Le32(2451545) + Le32(3723000), ""})
           .Bytes());
  Seed(dir, "visual_foxpro.dbf",
       DbfFixture(0x30, {{"NAME", 'C', 6}, {"NUM", 'I', 4}, {"PRICE", 'B', 8, 2}, {"CASH", 'Y', 8, 4},
                         {"STAMP", 'T', 8}, {"OPT", 'N', 5, 0, 0x02}, {"VAR", 'V', 4, 0, 0x02},
                         {"_NullFlags", '0', 1, 0, 0x05}})
           .LanguageDriver(0x03)
           .Record({"uno", Le32(static_cast<std::uint32_t>(-5)), Le64(Bits(2.25)), Le64(123456),
                    Le32(2451545) + Le32(0), "   10", "ab", std::string(1, '\0')})
           .Record({"dos", Le32(7), Le64(Bits(-0.5)), Le64(1), Le32(2460000) + Le32(3723000), "",
                    "", std::string(1, '\x05')})
           .Bytes());
  Seed(dir, "cp850.dbf",
       DbfFixture(0x03, {{"S", 'C', 5}, {"N", 'N', 3}}).LanguageDriver(0x37).Record({"\xA4\x9D", "1"}).Bytes());
}

// SOLUC as the timetabling program might write it: numbers or texts.
void SolucSeeds(const fs::path& dir, const fs::path& samples) {
  std::ifstream in(samples / "escuela" / "SOLUC.DBF", std::ios::binary);
  Seed(dir, "sample_soluc.dbf", std::string(std::istreambuf_iterator<char>(in), {}));
  Seed(dir, "text_soluc.dbf",
       DbfFixture(0x03, {{"DIA", 'C', 2}, {"HORA", 'C', 2}, {"MARCO", 'C', 1}, {"PROF", 'C', 4},
                         {"CODGRUPO", 'C', 10}, {"TAREA", 'C', 10}, {"ASIG", 'C', 4},
                         {"AULA", 'C', 10}})
           .Record({"1", "1", "0", "AGM", "1ESOA", "*LEC", "MAT", "A101"})
           .Record({"0", "2", "0", "AGM", "1ESOA", "*LEC", "MAT", "A101"})
           .Record({"2", "3", "01", "X", "ZZZZZ", "NONE", "LEN", "ROOM9"})
           .Bytes());
  Seed(dir, "vfp_soluc.dbf",
       DbfFixture(0x30, {{"DIA", 'I', 4}, {"HORA", 'I', 4}, {"MARCO", 'N', 2}, {"PROF", 'C', 4},
                         {"CODGRUPO", 'C', 6}, {"TAREA", 'C', 6}, {"ASIG", 'C', 4}, {"AULA", 'C', 6}})
           .Record({Le32(1), Le32(2), " 0", "AGM", "1ESOA", "*LEC", "MAT", "A101"})
           .Bytes());
}

void SchoolSeed(const fs::path& dir, const fs::path& samples) {
  const char* files[] = {"ZARP_ASIGNAT.TXT",      "ZARP_ACTIVIDADES.TXT",
                         "ZARP_PROF.TXT",         "ZARP_AULAS.TXT",
                         "ZARP_GRUPO.TXT",        "ZARP_ASIGNATGRUPO.TXT",
                         "ZARP_ASIGNATCURSO.TXT", "ZARP_SESIONES.TXT"};
  std::string all;
  for (const char* f : files) {
    if (!all.empty()) all += "~~ZARP~~";
    std::ifstream in(samples / "escuela" / f, std::ios::binary);
    all += std::string(std::istreambuf_iterator<char>(in), {});
  }
  Seed(dir, "sample_school.txt", all);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_fuzz_seeds OUTDIR SAMPLES\n");
    return 64;
  }
  const fs::path out = argv[1], samples = argv[2];
  TableSeeds(out / "dbf_table");
  SolucSeeds(out / "import_run", samples);
  SolucSeeds(out / "dbf_table", samples);
  SchoolSeed(out / "export_run", samples);
  return 0;
}
