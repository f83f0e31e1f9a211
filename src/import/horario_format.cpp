#include "import/horario_format.h"

#include <cstdio>
#include <iterator>

#include "core/errors.h"

namespace tvz {

CentreCode FindCentreCode(const TextLines& lines) {
  std::uint64_t number = 0;
  for (std::string_view line : lines) {
    ++number;
    if (line.empty() || line.front() != '0') continue;
    return {line.size() > 51 ? std::string(line.substr(51, 8)) : std::string(), number};
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

namespace {
constexpr bool ColumnsInOrder() {
  for (std::size_t i = 0; i < std::size(kHorarioColumns); ++i)
    if (kHorarioColumns[i].column != static_cast<HorarioColumn>(i)) return false;
  return true;
}
static_assert(ColumnsInOrder(), "kHorarioColumns lists the columns in record order");
}  // namespace

HorarioRecord::HorarioRecord(std::string& out, std::size_t soluc_record)
    : out_(out), soluc_record_(soluc_record) {
  out_ += '1';
}

void HorarioRecord::Put(HorarioColumn column, std::string_view value) {
  const HorarioColumnFormat& f = kHorarioColumns[static_cast<std::size_t>(column)];
  for (unsigned char ch : value) {
    if (ch >= 0x20) continue;
    throw RunError("El registro " + std::to_string(soluc_record_) + " de SOLUC no se puede exportar: " +
                   f.what + " contiene el car\xE1" "cter de control " + std::to_string(ch) +
                   ", que ZARP_HORARIO.TXT no admite");
  }
  if (value.size() > f.width) {
    throw RunError("El registro " + std::to_string(soluc_record_) + " de SOLUC no se puede exportar: " +
                   f.what + " vale '" + std::string(value) + "', que tiene " +
                   std::to_string(value.size()) + " caracteres y ZARP_HORARIO.TXT solo tiene " +
                   std::to_string(f.width) + " columnas para ese dato");
  }
  AppendPadded(out_, value, f.width);
}

void HorarioRecord::End() { out_ += "\r\n"; }

}  // namespace tvz
