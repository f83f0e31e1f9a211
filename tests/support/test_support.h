#pragma once
// Shared helpers for the tests: ZARP lines and files, a conversion with a
// recording host, a converter's scratch folders. The scratch folders, whole
// files and the host are in temp_dir.h and recording_host.h, which the fuzz
// targets share.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "export/table_destination.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tvz::test {

namespace fs = std::filesystem;

// Lines joined with CR LF, the last one included.
std::string CrLf(const std::vector<std::string>& lines);

// A ZARP header ("0") or trailer ("9") record naming `file`.
std::string ZarpFrame(char kind, std::string_view file, std::string_view centre = "05000123");

// `text` placed so that it starts at 1-based `column` of `line` (blank-filled).
void PutAt(std::string& line, std::size_t column, std::string_view text);

// A converter's destination for the tests that call converters one by one:
// each table is finished in place, without a copy of the old one.
class PlainDestination final : public TableDestination {
public:
  void Finish(std::unique_ptr<DbfTable> table) override { table->Finish(); }
  DbfTable* Built(std::string_view) override { return nullptr; }
};

// A conversion over `folder` with the working folder `vtemp`, and a plain
// destination for its converters.
struct TestRun {
  RecordingHost host;
  Conversion c{host};
  PlainDestination tables;
  TestRun(const fs::path& folder, const fs::path& vtemp, bool embedded = false) {
    c.RutaCarpeta = folder;
    c.WorkingFolder = vtemp;
    c.Embedded = embedded;
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
