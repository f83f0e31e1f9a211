#include "records/zarp_record.h"

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
  const std::string_view field = TrimControls(line.substr(1, 50));
  if (field.size() != file_name.size()) return false;
  for (std::size_t i = 0; i < field.size(); ++i) {
    char ch = field[i];
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if (ch != file_name[i]) return false;
  }
  return true;
}

}  // namespace tvz
