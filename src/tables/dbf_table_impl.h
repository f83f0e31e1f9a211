#pragma once
// The inside of a table object, shared by the table (dbf_table.cpp) and its
// fields (dbf_field.cpp).
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/text_map.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "tables/dbf_layout.h"
#include "tables/dbf_table.h"
#include "tables/dbf_values.h"
#include "tables/record_image.h"

namespace tvz {

struct DbfTable::Impl {
  enum class State { kClosed, kBrowse, kAppend, kEdit };

  State state = State::kClosed;
  std::uint64_t generation = 0;  // counts openings; a Field keeps its own
  bool created = false;          // by CreateTable(): Finish() may write it
  dbf::TableLayout layout;
  std::vector<std::size_t> visible;  // indexes into layout.fields
  // The file image: header_length bytes of header, then `count` records in
  // the file's record layout (deleted records left out).
  dbf::RecordImage image;
  std::size_t count = 0;
  std::size_t unmappable = 0;  // characters of the records' text cp1252 lacks
  std::size_t current = 0;
  bool eof = true;
  std::string buffer;  // the record being appended or edited
  bool modified = false;
  std::string blank;
  std::vector<std::string> texts;  // Field::Text() of fields read by conversion
  platform::OpenFile file;  // held while open for exclusive use
  std::filesystem::path path;
  // Locate indexes: field -> (text form -> first record with it).
  std::unordered_map<std::size_t, TextMap<std::size_t>> indexes;

  std::string_view Record(std::size_t i) const {
    return image.view().substr(layout.header_length + i * layout.record_length,
                                          layout.record_length);
  }
  std::string_view Current() const {
    if (state == State::kAppend || state == State::kEdit) return buffer;
    if (count == 0) return blank;
    return Record(current);
  }
  std::string Label() const { return platform::PathText(path); }

  void Reset() {
    state = State::kClosed;
    created = false;
    layout = {};
    visible.clear();
    image.Release();
    count = current = unmappable = 0;
    eof = true;
    buffer.clear();
    blank.clear();
    texts.clear();
    indexes.clear();
    file.Close();
  }
  void Activate(bool from_create) {
    ++generation;
    created = from_create;
    visible.clear();
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
      if (!layout.fields[i].hidden) visible.push_back(i);
    }
    blank = dbf::BlankRecord(layout);
    texts.assign(layout.fields.size(), std::string());
    indexes.clear();
    state = State::kBrowse;
    current = 0;
    eof = count == 0;
  }
};

// Every read and write of a field starts here: inline, with the errors out of
// the way.
inline const dbf::FieldLayout& Field::Layout() const {
  const DbfTable::Impl& impl = *table_->impl_;
  if (impl.state == DbfTable::Impl::State::kClosed || generation_ != impl.generation) [[unlikely]]
    Stale();
  return impl.layout.fields[static_cast<std::size_t>(index_)];
}

}  // namespace tvz
