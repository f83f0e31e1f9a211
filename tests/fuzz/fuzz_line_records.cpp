// Both line readers and the record grammar over arbitrary bytes: the
// streaming reader from memory and from a file must give the same lines, the
// whole-file reader likewise, and every line goes through the record tests
// and the column fields the converters take. Bytes that break the encoding
// their start announces are refused by every reader alike; what the readers
// tell the report stays within the lines they read.
#include <algorithm>
#include <optional>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "fuzz_support.h"
#include "records/line_reader.h"
#include "records/text_decoding.h"
#include "records/zarp_record.h"

namespace {

using namespace tvz;

// (start, length) of the column fields the converters read.
constexpr std::pair<std::size_t, std::size_t> kColumns[] = {
    {2, 50}, {52, 8}, {2, 3},  {2, 4},  {2, 10}, {5, 4},  {6, 20}, {8, 3},
    {9, 1},  {10, 4}, {12, 4}, {14, 4}, {16, 4}, {22, 2}, {24, 4}, {26, 40},
    {28, 6}, {35, 1}, {0, 5},  {1, 0},  {1, static_cast<std::size_t>(-1)},
    {static_cast<std::size_t>(-1), 4}};

void CheckRecord(const std::string& line, std::size_t extra_start, std::size_t extra_length) {
  FUZZ_CHECK(IsHeaderOrTrailer(line) == (!line.empty() && (line[0] == '0' || line[0] == '9')));
  for (const char* name : {"ZARP_PROF.TXT", "ZARP_ASIGNATCURSO.TXT", ""}) {
    if (!NameCheck(line, name)) continue;
    std::string field = ColumnField(line, 2, 50);
    for (char& c : field)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    FUZZ_CHECK(field == name);
  }
  auto check_field = [&](std::size_t start, std::size_t length) {
    const std::string f = ColumnField(line, start, length);
    FUZZ_CHECK(f.size() <= length);
    FUZZ_CHECK(f.empty() || (static_cast<unsigned char>(f.front()) > 32 &&
                             static_cast<unsigned char>(f.back()) > 32));
    if (!f.empty()) FUZZ_CHECK(line.find(f, start - 1) != std::string::npos);
  };
  for (const auto& [start, length] : kColumns) check_field(start, length);
  check_field(extra_start, extra_length);
}

std::vector<std::string> Streamed(LineReader& reader) {
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line)) {
    FUZZ_CHECK(line.find_first_of("\r\n\x1A") == std::string::npos);
    lines.push_back(line);
  }
  FUZZ_CHECK(!reader.Next(line));  // the end stays the end
  return lines;
}

// The report's lines are the readers' lines (a Ctrl-Z ending the file early
// is told at the line after the last one read).
void CheckTold(const Informe& informe, std::size_t lines) {
  for (const Aviso& a : informe.avisos) {
    FUZZ_CHECK(a.fichero == "ZARP_PROF.TXT");
    FUZZ_CHECK(a.linea <= lines + (a.tipo == AvisoTipo::kFinAnticipado ? 1 : 0));
    FUZZ_CHECK((a.linea == 0) == (a.tipo == AvisoTipo::kCodificacion ||
                                  a.tipo == AvisoTipo::kSaltosDeLinea));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t extra_start = size > 0 ? data[0] : 1;
  const std::size_t extra_length = size > 1 ? data[1] : 0;
  const ReadingReport report{nullptr, "PROFT", "ZARP_PROF.TXT", "ZARP_PROF.TXT"};

  // nullopt: the bytes break their encoding.
  std::optional<std::vector<std::string>> streamed, whole;
  Informe told_by_line, told_whole;
  try {
    LineReader memory(bytes, {&told_by_line, report.tabla, report.fichero, report.record_name});
    streamed = Streamed(memory);
    CheckTold(told_by_line, streamed->size());
  } catch (const RunError&) {
  }
  try {
    const TextLines lines =
        LinesOf(std::string(bytes), {&told_whole, report.tabla, report.fichero, report.record_name});
    whole.emplace(lines.begin(), lines.end());
    CheckTold(told_whole, whole->size());
  } catch (const RunError&) {
  }
  FUZZ_CHECK(streamed.has_value() == whole.has_value());
  if (!streamed) FUZZ_CHECK(ClassifyText(bytes) != TextEncoding::kCp1252);
  if (ClassifyText(bytes) == TextEncoding::kCp1252) FUZZ_CHECK(*whole == SplitLines(bytes));
  if (streamed) {
    for (const std::string& line : *streamed) CheckRecord(line, extra_start, extra_length);
    for (const std::string& line : *whole) {
      FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
      CheckRecord(line, extra_start, extra_length);
    }
  }

  // The same bytes as a file: the same lines, by both readers.
  const auto file = fuzz::Scratch() / "zarp_prof.txt";
  test::WriteBytes(file, bytes);
  try {
    LineReader from_file(file, report);
    FUZZ_CHECK(streamed && Streamed(from_file) == *streamed);
    from_file.Close();
    const TextLines loaded = LoadLines(file, report);
    FUZZ_CHECK(std::ranges::equal(loaded, *whole));
  } catch (const RunError& e) {
    if (streamed) std::fprintf(stderr, "unexpected error: %s\n", e.what());
    FUZZ_CHECK(!streamed);
  }
  return 0;
}
