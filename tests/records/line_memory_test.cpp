// Whole-file reading costs about the file's bytes, however many lines it has:
// measured by counting what this test program allocates.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "records/line_reader.h"
#include "support/test_support.h"

// A sanitizer brings its own allocator: there the count is not taken.
#if defined(__SANITIZE_ADDRESS__)
#define TVZ_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TVZ_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef TVZ_COUNT_ALLOCATIONS
#define TVZ_COUNT_ALLOCATIONS 1
#endif

namespace {

// Every allocation of the test program goes through here: its size is kept
// in front of the block so that the bytes in use, and their peak, are known.
std::atomic<std::size_t> g_in_use{0};
std::atomic<std::size_t> g_peak{0};
constexpr std::size_t kPrefix = alignof(std::max_align_t);

}  // namespace

#if TVZ_COUNT_ALLOCATIONS
void* operator new(std::size_t size) {
  void* block = std::malloc(size + kPrefix);
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const std::size_t now = g_in_use += size;
  for (std::size_t peak = g_peak; now > peak && !g_peak.compare_exchange_weak(peak, now);) {
  }
  return static_cast<char*>(block) + kPrefix;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  void* block = static_cast<char*>(p) - kPrefix;
  g_in_use -= *static_cast<std::size_t*>(block);
  std::free(block);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
#endif

namespace tvz {
namespace {

TEST(LineMemory, TenMegabytesOfCarriageReturnsTakeAboutTheirBytes) {
  if (!TVZ_COUNT_ALLOCATIONS) GTEST_SKIP() << "allocations are not counted under a sanitizer";
  constexpr std::size_t kSize = 10 << 20;
  test::TempDir dir;
  test::WriteBytes(dir / "zarp_sesiones.txt", std::string(kSize, '\r'));
  const std::size_t before = g_in_use;
  g_peak = before;
  std::size_t count = 0;
  {
    const auto lines = LoadLines(dir / "zarp_sesiones.txt");
    for (auto line : lines) count += line.empty() ? 1 : 0;
  }
  EXPECT_EQ(count, kSize);
  const std::size_t peak = g_peak - before;
  std::printf("peak while reading %zu bytes of CR: %zu bytes\n", kSize, peak);
  EXPECT_LE(peak, 2 * kSize);
}

}  // namespace
}  // namespace tvz
