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
//    FoxPro), loaded whole. Exclusive keeps the file open for exclusive use
//    until Close(); otherwise it is closed again once loaded. Records marked
//    deleted are hidden, as the classic engine hides them.
//
// Every failure throws RunError with finished, user-facing text; malformed or
// truncated files are errors, never reads out of bounds.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tvz {

namespace dbf {
struct FieldLayout;
struct Value;
}  // namespace dbf

enum class FieldType { ftString, ftBoolean, ftInteger, ftFloat };

struct FieldDef {
  std::string Name;   // upper-case ASCII, at most 10 characters
  FieldType DataType;
  int Size = 0;       // characters for ftString, 0 otherwise
};

enum class TableType { ttDefault, ttDBase };

// The check made before a table file is replaced: RunError ("La tabla ...
// ... en uso por otro programa") when another program holds `file` open. A
// file that is not there is free.
void RequireNotInUse(const std::filesystem::path& file);

class DbfTable;

// A field of the current record, found by name. Cheap to copy; valid while
// its table stays open (after Close a use is a RunError).
class Field {
public:
  const std::string& FieldName() const;
  char StoredType() const;  // type letter in the file: 'C', 'N', 'L', ...
  int Size() const;         // width in the record, in bytes
  int Decimals() const;     // decimal count of N and F fields, else 0

  // Text form: strings without the blank (or NUL) padding; integers as
  // decimal digits; other numbers in general format (at most 15 significant
  // digits, no trailing zeros, '.' as separator, "1E20" above 1E15 and below
  // 0.00001); logicals "Verdadero" or "Falso"; dates "dd/mm/yyyy"; time
  // stamps "dd/mm/yyyy hh:nn:ss" (the time left out at midnight); "" for a
  // blank value and for memo fields (memo files are not read). A number
  // field whose text is not a number gives that text.
  // Reading a field whose table is closed is a RunError.
  std::string AsString() const;
  // AsString() without a copy where the record holds that text itself (C
  // and V fields, unless text must be converted from another code page; N
  // and F fields holding a plain integer): a view of the record's bytes.
  // Other fields give their text form, kept by the table for this field.
  // Valid until the table moves, appends, edits, posts, cancels or closes,
  // or this field is read again or written.
  std::string_view Text() const;
  // Text() where it is a view of the record's own bytes; nullopt where it is
  // not. For a table opened from a file the view stays valid until the table
  // appends, posts an edit or closes: the index of a look-up can keep it.
  std::optional<std::string_view> TextInPlace() const;
  // Integer form: numbers rounded to the nearest integer, 0 when blank or
  // NULL (NullMark); string fields by the integer text rules
  // (ThrowNotInteger otherwise); memo-like fields are a RunError naming the
  // field.
  std::int32_t AsInteger() const;
  // Number form: 0 when blank; string fields by the decimal text rules
  // (ThrowNotFloat otherwise); dates as days since 30/12/1899.
  double AsFloat() const;
  // The number `value` as this field keeps it: what SetAsFloat(value) and
  // then AsFloat() give, with the record left as it is. REQUIRES: a number
  // field (N or F; RunError otherwise); a value too wide for it is the
  // RunError SetAsFloat gives.
  double StoredFloat(double value) const;
  // Logicals; false when blank; string fields: "T", "Y" true, "F", "N" or
  // "" false.
  bool AsBoolean() const;
  bool IsNull() const;
  // A number field (N or F) that holds only '*' (blanks aside) gives that
  // text, every other field "". GDAL and shapelib write a NULL number so (in
  // dBase itself it marks a value too wide for its field); it reads as no
  // value: "" as text, 0 as a number, and IsNull().
  std::string NullMark() const;
  // A combination not listed (a logical as a number, a date as a logical...)
  // is a RunError naming the field.

  // Writing needs the table in Append or Edit state (otherwise a RunError
  // saying the data source is in neither edit nor insert mode). Only C, N, F and
  // L fields can be written.
  // Strings keep their first Size bytes (and end at a NUL byte); on a number
  // field "" stores a blank, other texts are read by the integer (N with no
  // decimals) or decimal rules; on a logical field "" stores a blank, a text
  // starting with T, Y or V true, with F or N false.
  void SetAsString(std::string_view value);
  void SetAsInteger(std::int32_t value);
  // Numbers are stored right-justified with the field's decimals (N(20,4):
  // rounded to 4 decimals); a value too wide for the field is a RunError
  // naming the field and the value. On a string field, the text form.
  void SetAsFloat(double value);
  // On a string field: "T" or "F".
  void SetAsBoolean(bool value);

private:
  friend class DbfTable;
  Field(DbfTable* table, int index, std::uint64_t generation)
      : table_(table), index_(index), generation_(generation) {}
  // The field's layout; RunError when its table is closed or was opened
  // again since (Stale).
  const dbf::FieldLayout& Layout() const;
  [[noreturn]] void Stale() const;
  dbf::Value Decoded() const;
  // The field's bytes in the record being changed (f is this field's layout).
  char* Writable(const dbf::FieldLayout& f);
  void StoreInteger(const dbf::FieldLayout& f, std::int64_t value);
  void StoreFloat(const dbf::FieldLayout& f, double value);
  void StoreString(const dbf::FieldLayout& f, std::string_view value);
  [[noreturn]] void Overflow(const std::string& value_text) const;

  DbfTable* table_;
  int index_;
  std::uint64_t generation_;  // the opening of the table it belongs to
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
  // Called by Finish() with the files it is about to replace or remove (the
  // old NAME.DBF and NAME.MDX, those that exist), once the table is known to
  // be replaceable and before anything on disk changes. An error it throws
  // ends Finish() with the old files untouched.
  using BeforeReplace = std::function<void(const std::vector<std::filesystem::path>& old_files)>;

  // Writes the created table (version 0x03, language driver 0x57 = cp1252,
  // no index, 0x1A end marker) in place of NAME.DBF and removes NAME.MDX,
  // the index first (tables/table_files.h): a new NAME.DBF never stands
  // beside the old index. The table stays open; a later Finish() writes it
  // again.
  // REQUIRES: created by CreateTable(), open, not appending or editing
  // (RunError otherwise).
  void Finish(const BeforeReplace& before_replace = {});
  // The files Finish() would replace or remove: the old NAME.DBF and
  // NAME.MDX, those that are there. REQUIRES: created by CreateTable().
  std::vector<std::filesystem::path> OldFiles() const;
  // The check Finish() makes before it writes: RunError ("... está en uso por
  // otro programa") when another program holds the table it would replace.
  // REQUIRES: created by CreateTable().
  void CheckReplaceable() const;

  // Opens the existing table file; does nothing when already open. A
  // missing file, a file another program holds, and a damaged file are
  // RunErrors naming the file.
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
  // Characters of the records' text (C and V fields, as opened) that
  // cp1252 lacks: they read as '?'. 0 for tables in cp1252.
  std::size_t UnmappableCount() const;
  // 0-based position of the current record among the visible records.
  std::size_t RecNo() const;

  // Append starts a blank record at the end; Edit changes the current one
  // (on an empty table it appends). Moving (First, Next, Locate), Append
  // and Edit first post a pending record that has changes, and drop one
  // that has none. Post stores the record and browses: an appended record
  // becomes the current one; an edit keeps the position.
  // A table opened from a file changes in memory only: it is never written
  // back. ReadOnly: Append and Edit are RunErrors.
  void Append();
  void Edit();
  void Post();
  // Drops the record being appended or edited.
  void Cancel();

  // Field by name, letter case ignored. Unknown name: RunError
  // "No se encuentra el campo '%s'" (prefixed with Name + ": " when set).
  Field FieldByName(std::string_view name);
  int FieldCount() const;
  // The index-th field (0-based, file order, hidden fields left out).
  Field Fields(int index);

  // Makes current the first record (stored order) whose field, read as
  // string, equals `value` exactly. Returns false and keeps the current
  // record when none does. Amortised O(1): an index of the field is built on
  // first use; appended records join it, an edit drops it.
  bool Locate(std::string_view field, std::string_view value);
  // The same with a field of this table taken before (no search by name).
  bool Locate(const Field& field, std::string_view value);

private:
  friend class Field;
  struct Impl;
  std::string FileName() const;  // TableName, ".DBF" added without extension
  std::filesystem::path IndexPath() const;  // NAME.MDX in DatabaseName, there or not
  void RequireOpen() const;
  void CheckTableType() const;
  void CheckWritable() const;
  void CheckBrowseMode();  // posts a changed pending record, drops another
  std::unique_ptr<Impl> impl_;
};

}  // namespace tvz
