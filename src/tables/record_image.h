#pragma once
// A table's bytes in memory: the header and the records, in one block that
// grows with realloc. A large block then grows where it lies, or the system
// moves its pages without copying them, where a std::string copies every
// byte into a new block and touches all of its pages again: for a table of
// a hundred megabytes, appended record by record, that copying was the
// greater part of the memory the program touched.
#include <cstddef>
#include <string_view>

#include "platform/file_io.h"

namespace tvz::dbf {

class RecordImage {
public:
  RecordImage() = default;
  RecordImage(const RecordImage&) = delete;
  RecordImage& operator=(const RecordImage&) = delete;
  RecordImage(RecordImage&& other) noexcept;
  RecordImage& operator=(RecordImage&& other) noexcept;
  ~RecordImage();

  char* data() { return data_; }
  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::string_view view() const { return {data_, size_}; }
  char& operator[](std::size_t i) { return data_[i]; }

  // `n` zero bytes and nothing else.
  void AssignZeros(std::size_t n);
  void Append(std::string_view bytes);
  // Shorter: the first n bytes stay; longer: zero bytes are added.
  void Resize(std::size_t n);
  // Empty, and the block given back.
  void Release();
  // The whole file from its start, read straight into the block. False (and
  // the image empty) on a read error, with the system's code.
  // std::bad_alloc when the memory cannot be had.
  bool ReadAll(platform::OpenFile& file, int& native_error);

private:
  void Reserve(std::size_t n);  // capacity for at least n bytes

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tvz::dbf
