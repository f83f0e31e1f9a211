#include "core/text_map.h"

#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace tvz {
namespace {

// Keys of several parts must tell apart lists of parts that concatenate
// alike, and parts long enough to need the longer length.
TEST(TextMapTest, KeysOfSeveralPartsNeverCollide) {
  const std::string long_part(300, 'x');
  const std::vector<std::vector<std::string>> lists = {
      {"AB", "C", ""},      {"A", "BC", ""},     {"", "ABC", ""},    {"ABC", "", ""},
      {"A", "B", "C"},      {"AB", "", "C"},     {long_part, "", ""}, {"", long_part, ""},
      {long_part + "x", "", ""}, {std::string(255, 'x'), "", ""}, {std::string(254, 'x'), "x", ""},
      {std::string(1, '\x03'), "", ""},          {"", "", std::string(1, '\x01')},
  };
  std::set<std::string> keys;
  for (const auto& parts : lists) {
    std::string key;
    for (const std::string& part : parts) AppendKeyPart(key, part);
    EXPECT_TRUE(keys.insert(key).second) << parts[0].size() << " " << parts[1].size();
  }
  std::string three_codes;
  for (std::string_view part : {"MAT", "1ESO", "A"}) AppendKeyPart(three_codes, part);
  EXPECT_LE(three_codes.size(), 15u);  // within a string's own buffer
}

TEST(TextMapTest, FindsByViewWithoutAString) {
  TextMap<int> map;
  map.try_emplace("MAT", 1);
  map.try_emplace(std::string("LEN\0G", 5), 2);
  const std::string_view line = "xxMATxx";
  EXPECT_EQ(map.find(line.substr(2, 3))->second, 1);
  EXPECT_EQ(map.find(std::string_view("LEN\0G", 5))->second, 2);
  EXPECT_EQ(map.find(std::string_view("LEN")), map.end());
  EXPECT_EQ(map.find(std::string_view("mat")), map.end());  // bytes, not letters
}

}  // namespace
}  // namespace tvz
