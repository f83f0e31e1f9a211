// Folder locks: one holder per folder, in this process or another, another
// folder free meanwhile, released with the lock, and nothing left in the
// folder.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include <functional>

#include "platform/folder_lock.h"
#include "support/child_hold.h"
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
  test::ChildHold child([&](const std::function<void(bool)>& hold) {
    FolderLock lock;
    hold(lock.Acquire(a.path()) == Result::kHeld);
  });
  EXPECT_TRUE(child.held());
  EXPECT_EQ(FolderLock().Acquire(a.path()), Result::kBusy);
  child.Release();
  EXPECT_EQ(FolderLock().Acquire(a.path()), Result::kHeld);
}
#endif

}  // namespace
}  // namespace tvz
