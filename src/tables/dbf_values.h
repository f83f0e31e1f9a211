#pragma once
// Field values of a dBase record: decoding every stored type the reader
// accepts, the text forms the program reads, and encoding the types it
// writes (C, N, F, L). Numbers are in dbf_numbers.cpp, dates in
// dbf_dates.cpp, the writers and flag bits in dbf_encode.cpp.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tables/dbf_layout.h"

namespace tvz::dbf {

struct Value {
  enum class Type { kNull, kString, kInteger, kFloat, kBoolean, kDate, kDateTime, kBadNumber };
  Type type = Type::kNull;
  std::string text;          // kString: cp1252 text; kBadNumber: the stored text
  std::int64_t integer = 0;  // kInteger
  double number = 0;         // kFloat
  bool flag = false;         // kBoolean
  std::int64_t days = 0;     // kDate, kDateTime: days since 1970-01-01
  std::int64_t ms = 0;       // kDateTime: milliseconds since midnight
};

// Decodes field `index` of `record` (the whole record, flag byte included;
// the layout guarantees the field lies inside it).
//  C: text in cp1252 without trailing blanks and NULs (never kNull);
//  V: likewise; in Visual FoxPro tables exactly the value: the bytes its
//     length byte counts when the varlength bit is set, else the whole field;
//  N, F: decimal text, kInteger when it has no point or exponent and fits
//        64 bits, else kFloat; blank or all '*' kNull; anything else
//        kBadNumber;
//  L: T t Y y / F f N n, otherwise kNull;  D: yyyymmdd, kNull when blank or
//  not a date;  I, +: int32 (level 7: big-endian, sign bit flipped, zero
//  bytes null);  O: double (level 7: big-endian sortable);  B (Visual
//  FoxPro): double;  Y: currency (int64 / 10000);  T: Julian day + ms;
//  @: level-7 timestamp;  memo and unknown types: kNull.
// Visual FoxPro nullable fields are kNull when their _NullFlags bit is set.
Value Decode(const TableLayout& t, std::size_t index, std::string_view record);

// The stored text of an N or F field (blanks around allowed) as Decode()
// reads it.
Value DecodeNumberText(std::string_view stored);

// The stored bytes of C or V field `index` of `record`, in the table's code
// page: without trailing blanks and NULs; a Visual FoxPro Varchar exactly
// its value (see Decode).
std::string_view StoredText(const TableLayout& t, std::size_t index, std::string_view record);

// The fast path of reading text: TextOf(Decode()) of field `index` as a view
// of `record` itself, where the stored bytes are that text: C and V fields
// of a cp1252 table, or holding ASCII text; N and F fields holding a plain
// integer (digits without a leading zero, a minus before them, at most 18
// digits; blanks around); "" for a Visual FoxPro null. nullopt otherwise
// (text to convert from another code page, other numbers, other types).
std::optional<std::string_view> TextInPlace(const TableLayout& t, std::size_t index,
                                            std::string_view record);

// TextOf(Decode()) of field `index`, by TextInPlace where it applies.
std::string KeyText(const TableLayout& t, std::size_t index, std::string_view record);

// False for the fields Decode() cannot read (memo, general, picture, blob,
// unknown types), which always decode as kNull.
bool Readable(const TableLayout& t, const FieldLayout& f);

// A number field's stored text when it is all '*' (blanks aside), "" otherwise:
// how GDAL and shapelib write a NULL number (dBase itself writes it for a
// value too wide for the field). Decode() reads it as kNull.
std::string NullMark(const FieldLayout& f, std::string_view record);

// Text form: strings as they are; integers as decimal digits; floats by
// FormatGeneral; "Verdadero" / "Falso"; dates "dd/mm/yyyy" and timestamps
// "dd/mm/yyyy hh:nn:ss" (the time left out at midnight); "" when null; a bad
// number as its stored text.
std::string TextOf(const Value& v);

// At most 15 significant digits, no trailing zeros, '.' as the separator;
// exponent form ("1.5E20", "1E-7") below 0.00001 or from 1E15 on.
std::string FormatGeneral(double v);

// Days since 1899-12-30 plus the fraction of the day (the date-time number
// of Windows programs).
double DateTimeNumber(const Value& v);

// Encoders write exactly f.length bytes at `out`.
void EncodeBlank(const FieldLayout& f, char* out);
// The text cut at a NUL byte and to the field's length, converted to the
// table's code page, blank padded; returns the bytes the text takes.
std::size_t EncodeString(const FieldLayout& f, CodePage cp, std::string_view cp1252, char* out);
// N and F fields: right-justified, exactly f.decimals decimals, never an
// exponent. False (and nothing written) when the value does not fit.
bool EncodeInteger(const FieldLayout& f, std::int64_t v, char* out);
bool EncodeFloat(const FieldLayout& f, double v, char* out);
// L fields: 'T' or 'F'.
void EncodeBoolean(const FieldLayout& f, bool v, char* out);

// Visual FoxPro: sets or clears the _NullFlags bit of a nullable field in
// `record`; nothing for other fields and tables.
void SetNullFlag(const TableLayout& t, const FieldLayout& f, std::string& record, bool null);

// Visual FoxPro Varchar and Varbinary: marks in `record` that the field
// holds `used` bytes (its length byte and varlength bit, or a full field);
// nothing for other fields and tables.
void SetVarLength(const TableLayout& t, const FieldLayout& f, std::size_t used,
                  std::string& record);

// A record whose every field reads as blank: text types blank, binary types
// zero, nullable fields null.
std::string BlankRecord(const TableLayout& t);

}  // namespace tvz::dbf
