// Damaged table files: each kind of damage is a clear error naming the
// file, and mutated headers either open or are refused without reading out
// of bounds.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "tables/dbf_fixture.h"
#include "tables/dbf_reader_fixture.h"
#include "tables/dbf_table.h"

namespace tvz {
namespace {

using test::DbfFixture;
using test::DbfReaderTest;
using test::ErrorOf;
using test::Good;
using dbf::kTypeCharacter;
using dbf::kTypeCurrency;
using dbf::kTypeDate;
using dbf::kTypeDateTime;
using dbf::kTypeDouble;
using dbf::kTypeInteger;
using dbf::kTypeLogical;
using dbf::kTypeNullFlags;
using dbf::kTypeNumeric;
using dbf::kTypeTimestamp;

struct Damage {
  const char* name;
  std::function<std::string(const std::string& good)> make;
  std::string message;  // after "La tabla <file> "
};

// The case's name, not its bytes, in test listings (stable across runs).
void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

class DbfDamagedTest : public DbfReaderTest, public ::testing::WithParamInterface<Damage> {};

std::string WithByte(std::string s, std::size_t at, char value) {
  s[at] = value;
  return s;
}

TEST_P(DbfDamagedTest, IsAClearError) {
  const Damage& d = GetParam();
  test::WriteBytes(dir / "T.DBF", d.make(Good()));
  table.DatabaseName = dir.path();
  table.TableName = "T.DBF";
  EXPECT_EQ(ErrorOf([&] { table.Open(); }), "La tabla " + Path() + " " + d.message);
  EXPECT_FALSE(table.Active());
}

const std::string kShort = "est\xE1" " da\xF1" "ada: el archivo es m\xE1" "s corto que la cabecera";

INSTANTIATE_TEST_SUITE_P(
    Files, DbfDamagedTest,
    ::testing::Values(
        Damage{"Empty", [](const std::string&) { return std::string(); }, kShort},
        Damage{"TruncatedHeader", [](const std::string& g) { return g.substr(0, 20); }, kShort},
        Damage{"TruncatedLevel7Header",
               [](const std::string& g) { return WithByte(g.substr(0, 50), 0, 0x8C); }, kShort},
        Damage{"HeaderLengthPastEnd",
               [](const std::string& g) { return WithByte(g, 9, 0x01); },  // 97 + 256
               "est\xE1" " da\xF1" "ada: la longitud de la cabecera (353) pasa del final del archivo"},
        Damage{"NoFields",
               [](const std::string&) { return DbfFixture(0x03, {}).Bytes(); },
               "est\xE1" " da\xF1" "ada: no tiene campos"},
        Damage{"OnlyHiddenFields",
               [](const std::string&) {
                 return DbfFixture(0x30, {{"_NullFlags", kTypeNullFlags, 1, 0, 0x05}}).Bytes();
               },
               "est\xE1" " da\xF1" "ada: no tiene campos"},
        Damage{"FieldPastRecordEnd",
               [](const std::string& g) { return WithByte(g, 10, 7); },  // needs 8
               "est\xE1" " da\xF1" "ada: el campo 'B' pasa del final del registro"},
        Damage{"RecordLengthZero",
               [](const std::string& g) { return WithByte(g, 10, 0); },
               "est\xE1" " da\xF1" "ada: la longitud de los registros es 0"},
        Damage{"DescriptorsCutByHeaderLength",
               [](const std::string& g) { return WithByte(g, 8, 80); },  // 32 + 32 + 16
               "est\xE1" " da\xF1" "ada: la lista de campos pasa del final de la cabecera"},
        Damage{"HeaderLengthInsideTheMainHeader",
               [](const std::string& g) { return WithByte(g, 8, 20); },
               "est\xE1" " da\xF1" "ada: la longitud de la cabecera (20) no es v\xE1" "lida"},
        Damage{"FieldOfLengthZero",
               [](const std::string&) {
                 return DbfFixture(0x03, {{"A", kTypeCharacter, 0}, {"B", kTypeNumeric, 3}})
                     .Bytes();
               },
               "est\xE1" " da\xF1" "ada: el campo 'A' tiene una longitud no v\xE1" "lida (0)"},
        Damage{"BinaryFieldOfWrongWidth",
               [](const std::string&) {
                 return DbfFixture(0x30, {{"I", kTypeInteger, 3}}).Bytes();
               },
               "est\xE1" " da\xF1" "ada: el campo 'I' tiene una longitud no v\xE1" "lida (3)"},
        // Fewer whole records than the header counts: never a shorter table.
        Damage{"LastRecordCutOff",
               [](const std::string& g) { return g.substr(0, g.size() - 4); },
               "est\xE1" " da\xF1" "ada: la cabecera promete 1 registro y el archivo tiene 0"},
        Damage{"CountBeyondTheEnd",
               [](const std::string& g) { return WithByte(g, 4, 3); },
               "est\xE1" " da\xF1" "ada: la cabecera promete 3 registros y el archivo tiene 1"},
        Damage{"EndMarkerWhereACountedRecordStarts",
               [](const std::string&) {
                 std::string b = DbfFixture(0x03, {{"S", kTypeCharacter, 3}})
                                     .Record({"a"}).Record({"b"}).Record({"c"}).Bytes();
                 b[b.size() - 9] = '\x1A';  // flag of the second record
                 return b;
               },
               "est\xE1" " da\xF1" "ada: la cabecera promete 3 registros y el archivo tiene 1 antes "
               "de la marca de fin de archivo (0x1A)"},
        Damage{"UnknownVersion",
               [](const std::string& g) { return WithByte(g, 0, '\x99'); },
               "no tiene un formato dBase conocido (versi\xF3" "n 0x99)"},
        Damage{"DbaseII",
               [](const std::string& g) { return WithByte(g, 0, 0x02); },
               "tiene el formato de dBase II, que no se puede leer"}),
    [](const auto& info) { return std::string(info.param.name); });

// Damaged files of every kind: opening and reading them either works or is
// a RunError; nothing is read out of bounds (this test is run under the
// address sanitizer too).
TEST(DbfMutationTest, DamagedHeadersAreErrorsOrReadSafely) {
  const std::vector<std::string> seeds = {
      test::DbfFixture(0x03, {{"A", kTypeCharacter, 4}, {"B", kTypeNumeric, 5, 2},
                              {"L", kTypeLogical, 1}, {"D", kTypeDate, 8}})
          .Record({"x", "1.50", "T", "20250101"})
          .Record({"y", "", "?", ""}, true)
          .Bytes(),
      test::DbfFixture(0x8C, {{"I", kTypeInteger, 4}, {"O", kTypeDouble, 8},
                              {"T", kTypeTimestamp, 8}, {"C", kTypeCharacter, 3}})
          .DriverName("DB850US0")
          .Record({test::Level7Int(5), test::Level7Double(2), std::string(8, '\x42'), "abc"})
          .Bytes(),
      test::DbfFixture(0x30, {{"N", kTypeInteger, 4}, {"Y", kTypeCurrency, 8},
                              {"T", kTypeDateTime, 8}, {"V", kTypeNumeric, 3, 0, 2},
                              {"_NullFlags", kTypeNullFlags, 1, 0, 5}})
          .Record({test::Le32(7), test::Le64(1), test::Le32(2451545) + test::Le32(5), "1", "\x01"})
          .Bytes(),
  };
  test::TempDir dir;
  std::uint32_t state = 12345;
  auto next = [&] { return state = state * 1103515245u + 12345u; };
  int opened = 0, refused = 0;
  for (const std::string& seed : seeds) {
    for (int round = 0; round < 400; ++round) {
      std::string bytes = seed;
      const int changes = 1 + static_cast<int>(next() % 4);
      for (int c = 0; c < changes; ++c) {
        const std::size_t at = next() % std::min<std::size_t>(bytes.size(), 120);
        bytes[at] = static_cast<char>(next() >> 8);
      }
      if (next() % 5 == 0) bytes.resize(next() % bytes.size());
      test::WriteBytes(dir / "M.DBF", bytes);
      DbfTable t;
      t.DatabaseName = dir.path();
      t.TableName = "M.DBF";
      try {
        t.Open();
        ++opened;
        for (t.First(); !t.Eof(); t.Next()) {
          for (int i = 0; i < t.FieldCount(); ++i) {
            Field f = t.Fields(i);
            (void)f.AsString();
            (void)f.IsNull();
          }
        }
      } catch (const RunError&) {
        ++refused;
      }
    }
  }
  EXPECT_EQ(opened + refused, 1200);
  EXPECT_GT(opened, 100);
  EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace tvz
