#include "export/hours.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/errors.h"
#include "core/number_text.h"
#include "export/converter_support.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

namespace {
constexpr double kMaxHours = 2147483648.0;  // 2^31: the whole part must fit 32 bits
}

double HoursFromText(std::string_view column) {
  std::string text(column.empty() ? std::string_view("1") : column);
  for (char& ch : text)
    if (ch == ',') ch = '.';
  const double hours = StrToFloat(text);
  if (hours >= kMaxHours)
    throw RunError("Horas semanales fuera de rango: '" + text + "'");
  return hours;
}

std::string SessionString(double hours) {
  const double whole = std::floor(hours);
  const auto n = static_cast<long long>(whole);
  std::string s = n <= 13 ? std::string(static_cast<std::size_t>(n < 0 ? 0 : n), '1')
                          : std::to_string(n - 13) + std::string(13, '1');
  if (hours > whole) s += '\xBD';  // the half mark
  return s;
}

HoursIndex::HoursIndex(Conversion& c, const std::filesystem::path& file, Field horas)
    : c_(c), horas_(horas) {
  Source at{"ASIGT", "ZARP_ASIGNATCURSO.TXT", 0};
  const TextLines lines = LoadRecords(c, file, at, "ZARP_ASIGNATCURSO.TXT");
  lines_.reserve(static_cast<std::size_t>(std::distance(lines.begin(), lines.end())));
  ReadingPlace place(c, at);
  for (std::string_view line : lines) {
    ++at.linea;
    if (IsSkippedRecord(line, "ZARP_ASIGNATCURSO.TXT")) continue;
    const std::string_view subject = ColumnText(line, 24, 4);
    auto [it, added] =
        lines_.try_emplace(Key(subject, ColumnText(line, 2, 3), ColumnText(line, 8, 3)));
    if (!added) continue;
    const std::string_view column = ColumnText(line, 28, 6);
    std::copy(column.begin(), column.end(), it->second.column.begin());
    it->second.size = static_cast<std::uint8_t>(column.size());
    it->second.hours.line =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(at.linea, UINT32_MAX));
    if (column.empty()) Warn(c, AvisoTipo::kHorasVacias, at, std::string(subject));
  }
}

const std::string& HoursIndex::Key(std::string_view subject, std::string_view level,
                                   std::string_view course) {
  key_.clear();
  for (std::string_view part : {subject, level, course}) AppendKeyPart(key_, part);
  return key_;
}

const HoursIndex::Hours* HoursIndex::Find(std::string_view subject, std::string_view level,
                                          std::string_view course) {
  auto found = lines_.find(Key(subject, level, course));
  if (found == lines_.end()) return nullptr;
  Line& line = found->second;
  if (!line.read) {
    Hours& h = line.hours;
    h.column = std::string_view(line.column.data(), line.size);
    const Source at{"ASIGT", "ZARP_ASIGNATCURSO.TXT", h.line};
    ReadingPlace place(c_, at);
    h.hours = horas_.StoredFloat(HoursFromText(h.column));
    h.raised = h.hours < 1;
    if (h.raised) h.hours = 1;
    line.read = true;
  }
  return &line.hours;
}

}  // namespace tvz
