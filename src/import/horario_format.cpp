#include "import/horario_format.h"

#include <cstdio>

namespace tvz {

std::string CentreCode(const TextLines& lines) {
  for (std::string_view line : lines) {
    if (line.empty() || line.front() != '0') continue;
    return line.size() > 51 ? std::string(line.substr(51, 8)) : std::string();
  }
  return {};
}

std::string Timestamp(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%04d%02d%02d", t.day % 100, t.month % 100,
                t.year % 10000, t.hour % 100, t.minute % 100);
  return text;
}

void AppendPadded(std::string& record, std::string_view value, std::size_t width) {
  record += value;
  if (value.size() < width) record.append(width - value.size(), ' ');
}

namespace {
std::string Frame(char kind, const std::string& centre, const platform::LocalTime& t) {
  std::string record(1, kind);
  AppendPadded(record, kHorarioFile, 50);
  AppendPadded(record, centre, 8);
  record += Timestamp(t);
  return record;
}
}  // namespace

std::string HeaderRecord(const std::string& centre, const platform::LocalTime& t) {
  return Frame('0', centre, t);
}

std::string TrailerRecord(const std::string& centre, const platform::LocalTime& t,
                          std::uint64_t data_records) {
  return Frame('9', centre, t) + std::to_string(data_records);
}

}  // namespace tvz
