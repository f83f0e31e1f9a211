// The table reader over arbitrary bytes written as a .DBF file: open, walk,
// read every field in every form, locate, edit and append in memory. Every
// failure must be a RunError with a message; nothing may read out of bounds.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/errors.h"
#include "fuzz_support.h"
#include "tables/dbf_format.h"
#include "tables/dbf_table.h"

namespace {

using namespace tvz;

void ReadEveryForm(Field f, bool conversions) {
  const std::string text = f.AsString();
  if (f.StoredType() == dbf::kTypeCharacter) {
    FUZZ_CHECK(text.empty() || (text.back() != ' ' && text.back() != '\0'));
  }
  f.IsNull();
  if (!conversions) return;
  try {
    f.AsInteger();
  } catch (const RunError& e) {
    FUZZ_CHECK(*e.what() != '\0');
  }
  try {
    f.AsFloat();
  } catch (const RunError& e) {
    FUZZ_CHECK(*e.what() != '\0');
  }
  try {
    f.AsBoolean();
  } catch (const RunError& e) {
    FUZZ_CHECK(*e.what() != '\0');
  }
}

void Walk(DbfTable& t) {
  const int fields = t.FieldCount();
  FUZZ_CHECK(fields > 0);
  std::size_t visited = 0;
  for (t.First(); !t.Eof(); t.Next()) {
    FUZZ_CHECK(t.RecNo() == visited);
    ++visited;
    for (int i = 0; i < fields; ++i) {
      Field f = t.Fields(i);
      FUZZ_CHECK(f.Size() > 0);
      // Field by name finds this field or an earlier one of the same name.
      t.FieldByName(f.FieldName());
      // Conversions that fail throw, which is slow: the first records and
      // the last one are enough to reach every decoder.
      ReadEveryForm(f, visited <= 8 || visited == t.RecordCount());
    }
  }
  FUZZ_CHECK(visited == t.RecordCount());
  // A read at the end still gives the last record (or blanks when empty).
  for (int i = 0; i < fields; ++i) t.Fields(i).AsString();
}

// Locate finds the first record with the value of the last record's field.
void LocateEach(DbfTable& t) {
  if (t.RecordCount() == 0) return;
  const std::size_t last = t.RecordCount() - 1;
  for (int i = 0; i < t.FieldCount(); ++i) {
    t.First();
    while (t.RecNo() != last) t.Next();
    const std::string name = t.Fields(i).FieldName();
    const std::string value = t.FieldByName(name).AsString();
    FUZZ_CHECK(t.Locate(name, value));
    FUZZ_CHECK(t.RecNo() <= last);
    FUZZ_CHECK(t.FieldByName(name).AsString() == value);
    const std::size_t at = t.RecNo();
    // A failed locate keeps the current record.
    const std::string other = value + "\x01";
    if (t.Locate(name, other)) {
      FUZZ_CHECK(t.FieldByName(name).AsString() == other);
    } else {
      FUZZ_CHECK(t.RecNo() == at);
    }
  }
}

// Copies each text of the first record onto itself and appends a blank
// record; both must read back as they were written.
void EditInMemory(DbfTable& t) {
  t.First();
  t.Edit();  // on an empty table: appends
  for (int i = 0; i < t.FieldCount(); ++i) {
    Field f = t.Fields(i);
    const char type = f.StoredType();
    if (type != dbf::kTypeCharacter) continue;
    const std::string text = f.AsString();
    f.SetAsString(text);
    // What is stored ends at a NUL; the blanks before it are padding.
    std::string expected = text.substr(0, text.find('\0'));
    while (!expected.empty() && expected.back() == ' ') expected.pop_back();
    FUZZ_CHECK(f.AsString() == expected);
  }
  t.Post();
  const std::size_t before = t.RecordCount();
  t.Append();
  t.Post();
  FUZZ_CHECK(t.RecordCount() == before + 1);
  for (int i = 0; i < t.FieldCount(); ++i) {
    Field f = t.Fields(i);
    const char type = f.StoredType();
    if (type == dbf::kTypeCharacter || type == dbf::kTypeNumeric || type == dbf::kTypeFloat ||
        type == dbf::kTypeLogical) {
      FUZZ_CHECK(f.AsString().empty());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto folder = fuzz::Scratch();
  test::WriteBytes(folder / "SOLUC.DBF", std::string_view(reinterpret_cast<const char*>(data), size));
  for (bool read_only : {false, true}) {
    DbfTable t;
    t.DatabaseName = folder;
    t.TableName = "soluc";  // found without regard to letter case
    t.Exclusive = !read_only;
    t.ReadOnly = read_only;
    try {
      t.Open();
    } catch (const RunError& e) {
      FUZZ_CHECK(*e.what() != '\0');
      return 0;
    }
    try {
      Walk(t);
      LocateEach(t);
      if (!read_only) EditInMemory(t);
    } catch (const RunError& e) {
      // Reading a field of an open table has no errors of its own except the
      // conversions caught above.
      std::fprintf(stderr, "unexpected error: %s\n", e.what());
      FUZZ_CHECK(false);
    }
    t.Close();
  }
  return 0;
}
