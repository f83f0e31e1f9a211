#include "support/test_support.h"

namespace tvz::test {

std::string CrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

std::string ZarpFrame(char kind, std::string_view file, std::string_view centre) {
  std::string line(1, kind);
  PutAt(line, 2, file);
  PutAt(line, 52, centre);
  PutAt(line, 60, "010920250800");
  return line;
}

void PutAt(std::string& line, std::size_t column, std::string_view text) {
  if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
  line.replace(column - 1, text.size(), text);
}

std::string DataLine(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
  std::string line = "1";
  for (const auto& [column, text] : fields) PutAt(line, column, text);
  return line;
}

void ConverterTest::WriteZarp(const std::string& file, std::vector<std::string> data,
                              const std::string& frame_name) {
  std::string name = frame_name;
  if (name.empty())
    for (char ch : file) name += static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
  data.insert(data.begin(), ZarpFrame('0', name));
  data.push_back(ZarpFrame('9', name));
  WriteBytes(zarp / file, CrLf(data));
}

}  // namespace tvz::test
