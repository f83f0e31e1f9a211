#pragma once
// Code lists: strings compared by the locale-aware comparison that ignores
// letter case (platform/collation.h), never by bytes.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_map.h"

namespace tvz {

// Unsorted: keeps what it is given in order; the converters use it to drop
// codes they have already written. Lookups cost one probe of a flat hash
// table: of the codes folded to upper case while every code held is one the
// ASCII fast path covers (records/ascii_fold_key.h), of their collation keys
// (equal exactly when the strings compare equal) from the first other code
// on.
class CodeList {
public:
  CodeList();
  bool Contains(std::string_view code) const;
  // Adds the code; returns false (and adds nothing) when an equal one is held.
  bool AddIfNew(std::string_view code);
  // As AddIfNew, but says which code is held: kAdded when the code was added,
  // else the 0-based position (order of adding) of the equal one.
  static constexpr std::size_t kAdded = static_cast<std::size_t>(-1);
  std::size_t AddOrFind(std::string_view code);
  std::size_t Count() const { return count_; }

private:
  // The key of `code` in keys_; fills `key` and returns true when it is the
  // folded code, false for a collation key.
  bool Key(std::string_view code, std::string& key) const;
  void UseCollationKeys();

  TextMap<std::size_t> keys_;  // key -> position
  bool by_collation_;          // keys_ holds collation keys, not folded codes
  std::size_t count_ = 0;
  std::string key_;            // the key being looked up, kept to reuse its buffer
};

// Sorted, without duplicates: ascending by the comparison; IndexOf gives a
// string's position in that order, counted from 0, or -1.
class SortedCodeList {
public:
  void Add(std::string_view text);
  int IndexOf(std::string_view text) const;
  std::size_t Count() const { return items_.size(); }

private:
  std::map<std::string, std::string> items_;  // collation key -> first text
  mutable std::vector<std::string> ranked_keys_;
  mutable bool dirty_ = false;
};

}  // namespace tvz
