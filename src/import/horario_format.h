#pragma once
// The records of ZARP_HORARIO.TXT: fixed columns, every line ending CR LF.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "records/line_reader.h"

namespace tvz {

inline constexpr std::string_view kHorarioFile = "ZARP_HORARIO.TXT";

// Columns 52 to 59 of the first line that starts with "0", not trimmed;
// shorter or empty where the line ends first; empty without such a line.
std::string CentreCode(const TextLines& lines);

// "ddmmyyyyhhnn".
std::string Timestamp(const platform::LocalTime& t);

// Header ("0") or trailer ("9"): the file name in 50 columns, the centre code
// in 8, the timestamp; the trailer adds the number of data records.
std::string HeaderRecord(const std::string& centre, const platform::LocalTime& t);
std::string TrailerRecord(const std::string& centre, const platform::LocalTime& t,
                          std::uint64_t data_records);

// One field of a data record: the value followed by blanks up to `width`.
// REQUIRES: value.size() <= width (the import checks it first).
void AppendPadded(std::string& record, std::string_view value, std::size_t width);

}  // namespace tvz
