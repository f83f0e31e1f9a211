#pragma once
// Shared helpers for the tests: scratch folders, files, a host that records
// what a run shows.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"

namespace tvz::test {

namespace fs = std::filesystem;

// A fresh folder under the system temp folder, removed with the object.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }
  fs::path operator/(std::string_view name) const { return path_ / std::string(name); }

private:
  fs::path path_;
};

void WriteBytes(const fs::path& file, std::string_view bytes);
std::string ReadBytes(const fs::path& file);

// Lines joined with CR LF, the last one included.
std::string CrLf(const std::vector<std::string>& lines);

// A ZARP header ("0") or trailer ("9") record naming `file`.
std::string ZarpFrame(char kind, std::string_view file, std::string_view centre = "05000123");

// `text` placed so that it starts at 1-based `column` of `line` (blank-filled).
void PutAt(std::string& line, std::size_t column, std::string_view text);

class RecordingHost : public RunHost {
public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void SetBusy(bool busy) override { busy_changes.push_back(busy); }
  std::vector<std::string> messages;
  std::vector<bool> busy_changes;
};

// A conversion over `folder` with the working folder `vtemp`.
struct TestRun {
  RecordingHost host;
  Conversion c;
  TestRun(const fs::path& folder, const fs::path& vtemp, bool embedded = false) {
    c.RutaCarpeta = folder;
    c.WorkingFolder = vtemp;
    c.Embedded = embedded;
    c.host = &host;
  }
};

// A data record ("1") with each text placed at its 1-based column.
std::string DataLine(std::initializer_list<std::pair<std::size_t, std::string>> fields);

// A converter's scratch folders: `zarp` for the ZARP files, `vtemp` for the
// tables, and a run over them.
class ConverterTest : public ::testing::Test {
protected:
  TempDir zarp, vtemp;
  TestRun run{zarp.path(), vtemp.path()};
  // Writes `data` as the ZARP file `file`, between a header and a trailer
  // that name `frame_name` (the file's name in capitals by default).
  void WriteZarp(const std::string& file, std::vector<std::string> data,
                 const std::string& frame_name = "");
};

}  // namespace tvz::test
