#include "tables/record_image.h"

#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tvz::dbf {
namespace {

TEST(RecordImageTest, GrowsRecordByRecordKeepingEveryByte) {
  RecordImage image;
  image.AssignZeros(32);
  std::string expected(32, '\0');
  for (int i = 0; i < 100000; ++i) {
    const std::string record = " record " + std::to_string(i);
    image.Append(record);
    expected += record;
  }
  ASSERT_EQ(image.view(), expected);
  image.Resize(40);
  image.Resize(44);
  EXPECT_EQ(image.view(), expected.substr(0, 40) + std::string(4, '\0'));
  RecordImage moved = std::move(image);
  EXPECT_EQ(moved.size(), 44u);
  EXPECT_EQ(image.size(), 0u);
  moved.Release();
  EXPECT_EQ(moved.view(), "");
}

TEST(RecordImageTest, ReadsWholeFilesOfAnySize) {
  test::TempDir dir;
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4096}, std::size_t{300001}}) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
    const auto file = dir / ("t" + std::to_string(size) + ".dbf");
    test::WriteBytes(file, bytes);
    platform::OpenFile open;
    int error = 0;
    ASSERT_EQ(open.Open(file, platform::OpenFile::Sharing::kShared, platform::OpenFile::Access::kRead, error),
              platform::OpenFile::Result::kOk);
    RecordImage image;
    image.Append("left from before");
    ASSERT_TRUE(image.ReadAll(open, error));
    EXPECT_EQ(image.view(), bytes) << size;
    ASSERT_TRUE(image.ReadAll(open, error));  // again from the start
    EXPECT_EQ(image.size(), size);
  }
}

}  // namespace
}  // namespace tvz::dbf
