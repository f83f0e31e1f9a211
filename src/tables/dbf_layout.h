#pragma once
// The layout of a dBase table file: its family, code page, header and record
// lengths and fields, read from a file's header or made for a new table, and
// the header bytes this program writes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "tables/code_pages.h"
#include "tables/dbf_format.h"

namespace tvz::dbf {

enum class Family { kDbase, kVisualFoxPro, kLevel7 };

struct FieldLayout {
  std::string name;          // as stored: ASCII, no padding
  char type = kTypeCharacter;           // type letter
  std::size_t offset = 0;    // in the record, counting the deletion flag
  std::size_t length = 0;
  int decimals = 0;
  std::uint8_t flags = 0;    // Visual FoxPro field flags
  bool hidden = false;       // _NullFlags, VFP system fields, _DBASELOCK
  int null_bit = -1;         // Visual FoxPro: bit of _NullFlags marking null
  // Visual FoxPro Varchar and Varbinary: bit of _NullFlags set when the value
  // is shorter than the field; its length is then in the field's last byte.
  int varlength_bit = -1;
};

struct TableLayout {
  std::uint8_t version = 0;
  Family family = Family::kDbase;
  CodePage code_page = CodePage::kAnsi1252;
  std::size_t header_length = 0;   // offset of the first record
  std::size_t record_length = 0;   // with the deletion flag
  std::uint32_t declared_records = 0;  // the file holds at least these whole records
  std::vector<FieldLayout> fields;
  int null_flags_field = -1;       // index of _NullFlags in fields, or -1
};

// Reads the layout from the bytes of a whole table file. Accepts dBase
// III/IV/V, FoxPro, Visual FoxPro and level 7. Throws RunError, naming
// `file_label`, for an unknown version, a truncated or inconsistent header, a
// table without fields, a field that does not fit in the record and a file
// holding fewer whole records than the header counts.
TableLayout ReadLayout(std::string_view file, const std::string& file_label);

// ReadLayout() and the check an opening makes before it reads a record: a
// 0x1A (end of file) where a counted record starts is damage too
// (ShortTableError). A table that passes can be opened and read whole.
TableLayout ReadCheckedLayout(std::string_view file, const std::string& file_label);

// The layout of a new table of this program's own kind (version 0x03,
// cp1252): `fields` carry name, type, length and decimals; offsets, header
// and record lengths are filled in. The caller keeps within the limits
// (names of at most 10 characters, lengths of 1..254, header and record
// lengths below 64 KiB).
TableLayout NewLayout(std::vector<FieldLayout> fields);

// Writes the header of a table made by NewLayout() into `out`, which holds
// layout.header_length bytes: version, update date, record count, lengths,
// language driver 0x57, no index flag, descriptors and 0x0D.
void WriteHeader(const TableLayout& layout, std::uint32_t records,
                 const platform::LocalTime& date, char* out);

}  // namespace tvz::dbf
