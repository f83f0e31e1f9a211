#pragma once
// The import's look-ups: the first match in stored order, as a scan or a
// locate finds it, through indexes read once, on the first look-up, so that
// the cost of the run stays linear.
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "core/text_map.h"
#include "tables/dbf_table.h"

namespace tvz {

// Day, hour and frame -> CODDIHO of the first row of the slots table
// (DIASHORAST) that has them.
class SlotIndex {
public:
  explicit SlotIndex(DbfTable& slots) : slots_(slots) {}
  // The slot code; nullopt when no row has them. The view is valid while
  // the index lives.
  std::optional<std::string_view> Find(std::string_view day, std::string_view hour,
                                       std::string_view frame);

private:
  const std::string& Key(std::string_view day, std::string_view hour, std::string_view frame);
  void Build();
  DbfTable& slots_;
  bool built_ = false;
  std::string key_;  // reused for every key
  TextMap<std::string> index_;
};

// A look-up table: the result field of the first record whose key field
// reads as the given text. The table must stay open, unchanged, while the
// look-up lives: the index keeps views of its records (copies where a text
// had to be converted), so that a look-up is one probe.
class LookUp {
public:
  LookUp(DbfTable& table, const char* key_field, const char* result_field)
      : table_(table), key_field_(key_field), result_field_(result_field) {}
  // The result of the first match; nullopt when no record matches. A result
  // field the table lacks is the table's RunError at the first match (as
  // when each look-up read the record it found).
  std::optional<std::string_view> Find(std::string_view key);

private:
  void Build();
  std::string_view Kept(const Field& field);
  DbfTable& table_;
  const char* key_field_;
  const char* result_field_;
  bool built_ = false;
  bool has_result_ = true;
  std::deque<std::string> converted_;  // texts that are not in the records as they read
  ViewMap<std::string_view> index_;
};

}  // namespace tvz
