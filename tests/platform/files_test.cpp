// Case-blind file look-up and whole-file replacement, on the file system.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/file_io.h"
#include "platform/files.h"
#include "support/test_support.h"

namespace tvz {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

enum class Kind { kFile, kFolder, kFifo };

struct Entry {
  std::string name;
  Kind kind;
};

void Make(const TempDir& dir, const std::vector<Entry>& entries) {
  for (const Entry& e : entries) {
    const fs::path p = dir / e.name;
    switch (e.kind) {
      case Kind::kFile: test::WriteBytes(p, e.name); break;
      case Kind::kFolder: fs::create_directory(p); break;
      case Kind::kFifo:
#ifndef _WIN32
        ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
#endif
        break;
    }
  }
}

std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct LookUpCase {
  const char* what;
  std::vector<Entry> entries;
  const char* name;               // as the program spells it
  std::optional<std::string> found;  // the entry FindFile gives
};

void CheckLookUps(const std::vector<LookUpCase>& cases) {
  for (const LookUpCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    Make(dir, c.entries);
    const auto found = platform::FindFile(dir.path(), c.name);
    ASSERT_EQ(found.has_value(), c.found.has_value());
    if (found) {
      EXPECT_EQ(found->filename().string(), *c.found);
    }
    // Writing reuses the spelling found, else takes the program's.
    EXPECT_EQ(platform::PathForWriting(dir.path(), c.name).filename().string(),
              c.found.value_or(c.name));
  }
}

TEST(FindFile, OnEverySystem) {
  CheckLookUps({
      {"the exact spelling", {{"zarp_prof.txt", Kind::kFile}}, "zarp_prof.txt", "zarp_prof.txt"},
      {"an empty folder", {}, "zarp_prof.txt", std::nullopt},
      {"a folder of that name is no file", {{"zarp_prof.txt", Kind::kFolder}}, "zarp_prof.txt",
       std::nullopt},
      {"a longer name is another file", {{"zarp_prof.txt.bak", Kind::kFile}}, "zarp_prof.txt",
       std::nullopt},
  });
}

#ifndef _WIN32
TEST(FindFile, CaseVariantsWhereNamesKeepCase) {
  CheckLookUps({
      {"the exact spelling wins",
       {{"ZARP_PROF.TXT", Kind::kFile}, {"zarp_prof.txt", Kind::kFile}, {"Zarp_Prof.txt", Kind::kFile}},
       "zarp_prof.txt", "zarp_prof.txt"},
      {"the first variant in name order",
       {{"zarp_Prof.txt", Kind::kFile}, {"ZARP_PROF.TXT", Kind::kFile}, {"Zarp_prof.txt", Kind::kFile}},
       "zarp_prof.txt", "ZARP_PROF.TXT"},
      {"a folder variant does not count",
       {{"ZARP_PROF.TXT", Kind::kFolder}, {"zarp_Prof.TXT", Kind::kFile}}, "zarp_prof.txt",
       "zarp_Prof.TXT"},
      {"a folder with the exact name gives way to a file variant",
       {{"zarp_prof.txt", Kind::kFolder}, {"ZARP_prof.txt", Kind::kFile}}, "zarp_prof.txt",
       "ZARP_prof.txt"},
      {"a pipe does not count", {{"ZARP_PROF.TXT", Kind::kFifo}}, "zarp_prof.txt", std::nullopt},
      {"only ASCII letters fold", {{"ESPA\xC3\x91" "A.TXT", Kind::kFile}}, "espa\xC3\xB1" "a.txt",
       std::nullopt},
  });
}
#endif

TEST(FindFile, MissingFolder) {
  TempDir dir;
  EXPECT_FALSE(platform::FindFile(dir / "nada", "zarp_prof.txt"));
  EXPECT_EQ(platform::PathForWriting(dir / "nada", "zarp_prof.txt"), dir / "nada" / "zarp_prof.txt");
}

TEST(ReplaceFileAtomically, WritesExactBytes) {
  const std::string binary("0\r\n\0\xFF\x80" " end\n", 10);
  struct Case {
    const char* what;
    std::optional<std::string> before;  // the target's bytes beforehand
    std::string bytes;
  } cases[] = {
      {"a new file", std::nullopt, binary},
      {"an empty file", std::nullopt, ""},
      {"over a longer file", std::string(100000, 'x'), binary},
      {"over a shorter file", "old", std::string(300000, '\xE1')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path target = dir / "ZARP_HORARIO.TXT";
    if (c.before) test::WriteBytes(target, *c.before);
    int error = 0;
    ASSERT_TRUE(platform::ReplaceFileAtomically(target, c.bytes, error));
    EXPECT_EQ(test::ReadBytes(target), c.bytes);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"ZARP_HORARIO.TXT"});
  }
}

TEST(ReplaceFileAtomically, FailureChangesNothing) {
  struct Case {
    const char* what;
    std::vector<Entry> entries;
    const char* target;  // inside the scratch folder
  } cases[] = {
      {"the target's folder is missing", {}, "nada/ZARP_HORARIO.TXT"},
      {"a file where its folder should be", {{"zarp", Kind::kFile}}, "zarp/ZARP_HORARIO.TXT"},
      {"a folder holds the target's name", {{"ZARP_HORARIO.TXT", Kind::kFolder}},
       "ZARP_HORARIO.TXT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    Make(dir, c.entries);
    const std::vector<std::string> before = Listing(dir.path());
    int error = 0;
    EXPECT_FALSE(platform::ReplaceFileAtomically(dir / c.target, "new bytes", error));
    EXPECT_NE(error, 0);
    EXPECT_EQ(Listing(dir.path()), before);  // no temp file left, nothing replaced
    for (const Entry& e : c.entries) {
      if (e.kind == Kind::kFile) {
        EXPECT_EQ(test::ReadBytes(dir / e.name), e.name);
      } else {
        EXPECT_TRUE(fs::is_directory(dir / e.name));
      }
    }
  }
}

}  // namespace
}  // namespace tvz
