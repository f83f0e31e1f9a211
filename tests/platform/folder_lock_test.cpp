// Folder locks: one holder per folder, in this process or another, another
// folder free meanwhile, released with the lock, and nothing left in the
// folder.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/folder_lock.h"
#include "support/test_support.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;
using platform::FolderLock;
using platform::FolderLocks;
using Result = platform::FolderLock::Result;

TEST(FolderLockTest, OneHolderPerFolderUntilItLetsGo) {
  test::TempDir a, b;
  {
    FolderLock first;
    ASSERT_EQ(first.Acquire(a.path()), Result::kHeld);
    EXPECT_TRUE(first.IsHeld());
    // Another spelling of the same folder is the same folder.
    std::vector<fs::path> spellings = {a.path(), a.path() / "", a.path() / "."};
#ifdef _WIN32
    // Windows names ignore letter case.
    std::wstring capitals = a.path().wstring();
    for (wchar_t& ch : capitals) ch = static_cast<wchar_t>(std::towupper(ch));
    spellings.push_back(fs::path(capitals));
#endif
    for (const fs::path& same : spellings) {
      FolderLock second;
      EXPECT_EQ(second.Acquire(same), Result::kBusy) << same;
      EXPECT_FALSE(second.IsHeld());
    }
    FolderLock other;
    EXPECT_EQ(other.Acquire(b.path()), Result::kHeld);
    // Nothing was written into the folder.
    EXPECT_TRUE(fs::is_empty(a.path()));
  }
  FolderLock later;
  EXPECT_EQ(later.Acquire(a.path()), Result::kHeld);
  later.Release();
  EXPECT_EQ(FolderLock().Acquire(a.path()), Result::kHeld);
}

TEST(FolderLockTest, NoFolderHoldsNothing) {
  test::TempDir a;
  test::WriteBytes(a / "file", "x");
  for (const fs::path& p : {a / "missing", a / "file"}) {
    FolderLock lock;
    EXPECT_EQ(lock.Acquire(p), Result::kUnavailable) << p;
    EXPECT_FALSE(lock.IsHeld());
  }
}

TEST(FolderLockTest, ASetHoldsEachFolderOnceAndLetsAllGoWhenOneIsBusy) {
  test::TempDir a, b;
  {
    FolderLocks locks;
    // The same folder twice is no clash with itself.
    EXPECT_EQ(locks.Hold({a.path(), a.path() / "", b.path()}), std::nullopt);
    EXPECT_EQ(FolderLock().Acquire(b.path()), Result::kBusy);
  }
  FolderLock holder;
  ASSERT_EQ(holder.Acquire(b.path()), Result::kHeld);
  {
    FolderLocks locks;
    EXPECT_EQ(locks.Hold({a.path(), b.path()}), std::optional<fs::path>(b.path()));
    // What it took before meeting the busy folder is free again.
    EXPECT_EQ(FolderLock().Acquire(a.path()), Result::kHeld);
  }
}

#ifndef _WIN32
TEST(FolderLockTest, AnotherProcessHoldsTheFolderUntilItEnds) {
  test::TempDir a;
  int ready[2], release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::close(ready[0]);
    ::close(release[1]);
    FolderLock lock;
    const char ok = lock.Acquire(a.path()) == Result::kHeld ? 1 : 0;
    (void)!::write(ready[1], &ok, 1);
    char c;
    while (::read(release[0], &c, 1) > 0) {
    }
    ::_exit(0);
  }
  ::close(ready[1]);
  ::close(release[0]);
  char ok = 0;
  ASSERT_EQ(::read(ready[0], &ok, 1), 1);
  ::close(ready[0]);
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(FolderLock().Acquire(a.path()), Result::kBusy);
  ::close(release[1]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_EQ(FolderLock().Acquire(a.path()), Result::kHeld);
}
#endif

}  // namespace
}  // namespace tvz
