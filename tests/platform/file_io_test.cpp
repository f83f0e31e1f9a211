// OpenFile reads regular files only: a device, or a folder, fails at once
// with its own reason (a FIFO likewise: see the command-line checks, which
// can time a run out).
#include <string>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <cerrno>
#endif

#include "platform/file_io.h"
#include "platform/system_errors.h"
#include "support/test_support.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using platform::OpenFile;

TEST(OpenFile, OnlyRegularFilesOpen) {
  test::TempDir dir;
  test::WriteBytes(dir / "zarp_prof.txt", "1 0001\r\n");
  fs::create_directory(dir / "carpeta");
  struct Case {
    fs::path path;
    OpenFile::Result result;
    int error;  // when it fails
  };
  const Case cases[] = {
      {dir / "zarp_prof.txt", OpenFile::Result::kOk, 0},
#ifdef _WIN32
      {"NUL", OpenFile::Result::kFailed, platform::kErrorNotAFile},
#else
      {"/dev/null", OpenFile::Result::kFailed, platform::kErrorNotAFile},
      {"/dev/zero", OpenFile::Result::kFailed, platform::kErrorNotAFile},
      {dir / "carpeta", OpenFile::Result::kFailed, EISDIR},
#endif
  };
  for (const Case& c : cases) {
    for (auto access : {OpenFile::Access::kRead, OpenFile::Access::kReadWrite}) {
      SCOPED_TRACE(c.path.string());
      OpenFile f;
      int error = 0;
      EXPECT_EQ(f.Open(c.path, OpenFile::Sharing::kShared, access, error), c.result);
      EXPECT_EQ(f.IsOpen(), c.result == OpenFile::Result::kOk);
      if (c.result != OpenFile::Result::kOk) {
        EXPECT_EQ(error, c.error);
      }
    }
  }
  // What opened is read as before.
  int error = 0;
  EXPECT_EQ(platform::ReadWholeFile(dir / "zarp_prof.txt", error), "1 0001\r\n");
}

}  // namespace
}  // namespace tvz
