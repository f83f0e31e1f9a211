#include "records/zarp_record.h"

#include "core/ascii.h"

namespace tvz {

bool IsHeaderOrTrailer(std::string_view line) {
  return !line.empty() && (line.front() == '0' || line.front() == '9');
}

std::string_view TrimControls(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return text.substr(b, e - b);
}

std::string_view ColumnText(std::string_view line, std::size_t start, std::size_t length) {
  if (start == 0 || start > line.size()) return {};
  return TrimControls(line.substr(start - 1, length));
}

std::string ColumnField(std::string_view line, std::size_t start, std::size_t length) {
  return std::string(ColumnText(line, start, length));
}

bool NameCheck(std::string_view line, std::string_view file_name) {
  if (line.size() < 2) return file_name.empty();
  return ascii::EqualsNoCase(TrimControls(line.substr(1, 50)), file_name);
}

}  // namespace tvz
