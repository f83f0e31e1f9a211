// File look-up without regard to letter case, and replacing a file only once
// its new contents are complete.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// What FindFile finds, as text; "-" for nothing.
std::string Found(const fs::path& folder, const char* name) {
  const std::optional<fs::path> found = platform::FindFile(folder, name);
  return found ? found->string() : "-";
}

TEST(FileLookUp, FindFileIgnoresAsciiCaseAndOnlyFindsFiles) {
  TempDir dir;
  test::WriteBytes(dir / "Zarp_Prof.TXT", "p");
  fs::create_directory(dir / "ZARP_AULAS.TXT");
  const struct {
    const char* asked;
    const char* found;  // nullptr: none
  } cases[] = {
      {"Zarp_Prof.TXT", "Zarp_Prof.TXT"},
      {"zarp_prof.txt", "Zarp_Prof.TXT"},
      {"ZARP_PROF.TXT", "Zarp_Prof.TXT"},
      {"zarp_prof.tx", nullptr},
      {"zarp_aulas.txt", nullptr},  // a folder is no file
      {"ZARP_AULAS.TXT", nullptr},
      {"zarp_sesiones.txt", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.asked);
    const std::optional<fs::path> found = platform::FindFile(dir.path(), c.asked);
    if (!c.found) {
      EXPECT_FALSE(found.has_value()) << found->string();
      continue;
    }
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(fs::equivalent(*found, dir / c.found)) << found->string();
  }
  EXPECT_EQ(Found(dir / "missing", "zarp_prof.txt"), "-");
}

#ifndef _WIN32
// Only a system whose names keep case can hold two spellings of one name.
TEST(FileLookUp, TheExactSpellingFirstThenTheFirstInNameOrder) {
  TempDir dir;
  for (const char* name : {"zarp_grupo.txt", "Zarp_Grupo.txt", "ZARP_GRUPO.TXT"})
    test::WriteBytes(dir / name, name);
  EXPECT_EQ(Found(dir.path(), "zarp_grupo.txt"), (dir / "zarp_grupo.txt").string());
  EXPECT_EQ(Found(dir.path(), "Zarp_Grupo.txt"), (dir / "Zarp_Grupo.txt").string());
  EXPECT_EQ(Found(dir.path(), "zarp_GRUPO.txt"), (dir / "ZARP_GRUPO.TXT").string());
}
#endif

TEST(FileLookUp, PathForWritingReusesAnotherSpellingOfTheName) {
  TempDir dir;
  test::WriteBytes(dir / "zarp_horario.txt", "old");
  EXPECT_TRUE(fs::equivalent(platform::PathForWriting(dir.path(), "ZARP_HORARIO.TXT"),
                             dir / "zarp_horario.txt"));
  EXPECT_EQ(platform::PathForWriting(dir.path(), "ZARP_PROF.TXT").string(),
            (dir / "ZARP_PROF.TXT").string());
  fs::create_directory(dir / "asigt.dbf");  // a folder is not reused
  EXPECT_EQ(platform::PathForWriting(dir.path(), "ASIGT.DBF").string(),
            (dir / "ASIGT.DBF").string());
}

TEST(AtomicReplace, WritesNewFilesAndReplacesOldOnesLeavingNothingBeside) {
  const struct {
    const char* name;
    const char* old_bytes;  // nullptr: no file before
    std::string bytes;
  } cases[] = {
      {"a new file", nullptr, "0ZARP_HORARIO.TXT\r\n"},
      {"an old file", "old contents, longer than the new", "new"},
      {"an old file emptied", "old", ""},
      {"bytes of every value", "old", std::string("\0\x1A\xFF\r\n", 5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path target = dir / "ZARP_HORARIO.TXT";
    if (c.old_bytes) test::WriteBytes(target, c.old_bytes);
    int error = 0;
    ASSERT_TRUE(platform::ReplaceFileAtomically(target, c.bytes, error)) << error;
    EXPECT_EQ(test::ReadBytes(target), c.bytes);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"ZARP_HORARIO.TXT"});
  }
}

TEST(AtomicReplace, AFailureLeavesTheTargetAsItWasAndNoTemporaryFile) {
  TempDir dir;
  int error = 0;
  EXPECT_FALSE(platform::ReplaceFileAtomically(dir / "missing" / "T.TXT", "x", error));
  EXPECT_NE(error, 0);
  EXPECT_TRUE(Entries(dir.path()).empty());

  // A folder in the target's place cannot be replaced by a file.
  const fs::path target = dir / "T.TXT";
  fs::create_directory(target);
  test::WriteBytes(target / "inside", "kept");
  error = 0;
  EXPECT_FALSE(platform::ReplaceFileAtomically(target, "x", error));
  EXPECT_NE(error, 0);
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(test::ReadBytes(target / "inside"), "kept");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"T.TXT"});
}

}  // namespace
}  // namespace tvz
