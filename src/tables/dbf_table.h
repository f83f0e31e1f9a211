#pragma once
// The table store: dBase tables in the working folder, read and written by
// this program itself.
//
// A table is kept in memory as one contiguous image of its records, in the
// file's own record layout; reading, editing and writing are slices of that
// buffer.
//
// Two ways in:
//  * CreateTable(): a new, empty table with FieldDefs, open at once. Nothing
//    on disk changes until Finish(), which writes NAME.DBF beside the old one
//    and puts it in place (and removes NAME.MDX) only when it is complete.
//    Close() or destruction without Finish() abandons the new table: the old
//    files stay exactly as they were.
//  * Open(): an existing table file (dBase III/IV/V, level 7, FoxPro, Visual
//    FoxPro). Exclusive keeps the file open for exclusive use until Close().
//    Records marked deleted are hidden, as the classic engine hides them.
//
// Every failure throws RunError with finished, user-facing text; malformed or
// truncated files are errors, never reads out of bounds.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"

namespace tvz {

enum class FieldType { ftString, ftBoolean, ftInteger, ftFloat };

struct FieldDef {
  std::string Name;   // upper-case ASCII, at most 10 characters
  FieldType DataType;
  int Size = 0;       // characters for ftString, 0 otherwise
};

enum class TableType { ttDefault, ttDBase };

class DbfTable;

// A field of the current record, found by name. Cheap to copy; valid while
// its table is open.
class Field {
public:
  const std::string& FieldName() const;
  char StoredType() const;  // type letter in the file: 'C', 'N', 'L', ...

  // Text form: strings without the blank (or NUL) padding; integers as
  // decimal digits; other numbers in general format (at most 15 significant
  // digits, no trailing zeros, '.' as separator); logicals "Verdadero" or
  // "Falso"; dates "dd/mm/yyyy"; "" for a blank value.
  std::string AsString() const;
  // Integer form: numbers rounded to the nearest integer, 0 when blank;
  // string fields by the integer text rules (ThrowNotInteger otherwise).
  std::int32_t AsInteger() const;
  // Number form: 0 when blank.
  double AsFloat() const;
  bool AsBoolean() const;
  bool IsNull() const;

  // Writing needs the table in Append or Edit state.
  // Strings keep their first Size bytes (and end at a NUL byte).
  void SetAsString(std::string_view value);
  void SetAsInteger(std::int32_t value);
  // Floats are stored with the field's decimals (N(20,4): 4 decimals).
  void SetAsFloat(double value);
  void SetAsBoolean(bool value);

private:
  friend class DbfTable;
  Field(DbfTable* table, int index) : table_(table), index_(index) {}
  DbfTable* table_;
  int index_;
};

class DbfTable {
public:
  // Properties, set before the table is opened or created.
  std::filesystem::path DatabaseName;  // folder of the table files
  std::string TableName;               // "ASIGNOMT.DBF", or "SOLUC" (+ ".DBF")
  TableType Type = TableType::ttDBase;
  bool Exclusive = false;
  bool ReadOnly = false;
  std::vector<FieldDef> FieldDefs;     // only for CreateTable()
  // Name of the table object; when set, "field not found" messages start
  // with it followed by ": ".
  std::string Name;

  DbfTable();
  ~DbfTable();
  DbfTable(const DbfTable&) = delete;
  DbfTable& operator=(const DbfTable&) = delete;

  // The table file: DatabaseName / TableName (".DBF" added when TableName has
  // no extension), found without regard to letter case.
  std::filesystem::path FilePath() const;

  // New empty table from FieldDefs (string -> C(size), boolean -> L,
  // integer -> N(11,0), float -> N(20,4)); open and empty afterwards. Checks
  // that DatabaseName exists. Writes nothing until Finish().
  void CreateTable();
  // Writes the created table (version 0x03, language driver 0x57 = cp1252,
  // no index, 0x1A end marker) in place of NAME.DBF and removes NAME.MDX.
  // REQUIRES: created by CreateTable(), open, not appending or editing.
  void Finish();

  // Opens the existing table file; does nothing when already open.
  void Open();
  // Closes; does nothing when closed. A record being appended or edited is
  // not stored. A created table that was not finished is abandoned.
  void Close();
  bool Active() const;

  void First();
  void Next();
  bool Eof() const;
  // Number of (visible) records.
  std::size_t RecordCount() const;
  // 0-based position of the current record among the visible records.
  std::size_t RecNo() const;

  void Append();
  void Edit();
  void Post();

  // Field by name, letter case ignored. Unknown name: RunError
  // "No se encuentra el campo '%s'" (prefixed with Name + ": " when set).
  Field FieldByName(std::string_view name);
  int FieldCount() const;

  // Makes current the first record (stored order) whose field, read as
  // string, equals `value` exactly. Returns false and keeps the current
  // record when none does. Amortised O(1): an index of the field is built on
  // first use and kept while the table is not changed.
  bool Locate(std::string_view field, std::string_view value);

private:
  friend class Field;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tvz
