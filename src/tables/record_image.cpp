#include "tables/record_image.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace tvz::dbf {

RecordImage::RecordImage(RecordImage&& other) noexcept { *this = std::move(other); }

RecordImage& RecordImage::operator=(RecordImage&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

RecordImage::~RecordImage() { std::free(data_); }

void RecordImage::Reserve(std::size_t n) {
  if (n <= capacity_) return;
  // Doubling keeps appending linear; the part not yet written costs no
  // memory until it is.
  std::size_t capacity = capacity_ < 4096 ? 4096 : capacity_;
  while (capacity < n) capacity = capacity > static_cast<std::size_t>(-1) / 2 ? n : capacity * 2;
  void* grown = std::realloc(data_, capacity);
  if (!grown) throw std::bad_alloc();
  data_ = static_cast<char*>(grown);
  capacity_ = capacity;
}

void RecordImage::AssignZeros(std::size_t n) {
  size_ = 0;
  Resize(n);
}

void RecordImage::Append(std::string_view bytes) {
  Reserve(size_ + bytes.size());
  if (!bytes.empty()) std::memcpy(data_ + size_, bytes.data(), bytes.size());
  size_ += bytes.size();
}

void RecordImage::Resize(std::size_t n) {
  if (n > size_) {
    Reserve(n);
    std::memset(data_ + size_, 0, n - size_);
  }
  size_ = n;
}

void RecordImage::Release() {
  std::free(std::exchange(data_, nullptr));
  size_ = capacity_ = 0;
}

bool RecordImage::ReadAll(platform::OpenFile& file, int& native_error) {
  Release();
  std::int64_t expected = 0;
  if (!file.Rewind(expected, native_error)) return false;
  // One byte more than the size the system reports, so that the end of the
  // file is seen without growing the block; a file that grows meanwhile is
  // read whole all the same.
  Reserve(static_cast<std::size_t>(expected > 0 ? expected : 0) + 1);
  for (;;) {
    if (size_ == capacity_) Reserve(size_ + 1);
    const std::int64_t n =
        file.Read(data_ + size_, static_cast<std::int64_t>(capacity_ - size_), native_error);
    if (n < 0) {
      Release();
      return false;
    }
    if (n == 0) return true;
    size_ += static_cast<std::size_t>(n);
  }
}

}  // namespace tvz::dbf
