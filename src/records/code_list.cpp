#include "records/code_list.h"

#include <algorithm>

#include "platform/collation.h"
#include "records/ascii_fold_key.h"

namespace tvz {

CodeList::CodeList() : by_collation_(!AsciiFoldingIsCollationEquality()) {}

bool CodeList::Key(std::string_view code, std::string& key) const {
  if (!by_collation_ && IsAsciiFoldable(code)) {
    key = AsciiFolded(code);
    return true;
  }
  key = platform::CollationKey(code);
  return false;
}

// From folded codes to collation keys, for all codes held: each folded code
// is one of the codes it stands for, and codes the fast path covers that fold
// alike are equal under the collation, so each gets the key they share.
void CodeList::UseCollationKeys() {
  TextMap<std::size_t> by_key;
  by_key.reserve(keys_.size());
  for (const auto& [folded, position] : keys_) by_key.emplace(platform::CollationKey(folded), position);
  keys_ = std::move(by_key);
  by_collation_ = true;
}

bool CodeList::Contains(std::string_view code) const {
  std::string key;
  if (!Key(code, key) && !by_collation_) {
    // A code the fast path does not cover, among folded codes: compare it by
    // the collation with each (rare: the lists switch to collation keys as
    // soon as such a code is added).
    return std::any_of(keys_.begin(), keys_.end(),
                       [&](const auto& entry) { return platform::CollationKey(entry.first) == key; });
  }
  return keys_.contains(key);
}

bool CodeList::AddIfNew(std::string_view code) { return AddOrFind(code) == kAdded; }

std::size_t CodeList::AddOrFind(std::string_view code) {
  if (!Key(code, key_) && !by_collation_) UseCollationKeys();
  auto [it, added] = keys_.try_emplace(key_, count_);
  if (!added) return it->second;
  ++count_;
  return kAdded;
}

void SortedCodeList::Add(std::string_view text) {
  if (items_.emplace(platform::CollationKey(text), std::string(text)).second) dirty_ = true;
}

int SortedCodeList::IndexOf(std::string_view text) const {
  if (dirty_ || ranked_keys_.size() != items_.size()) {
    ranked_keys_.clear();
    ranked_keys_.reserve(items_.size());
    for (const auto& [key, value] : items_) ranked_keys_.push_back(key);
    dirty_ = false;
  }
  const std::string key = platform::CollationKey(text);
  auto it = std::lower_bound(ranked_keys_.begin(), ranked_keys_.end(), key);
  if (it == ranked_keys_.end() || *it != key) return -1;
  return static_cast<int>(it - ranked_keys_.begin());
}

}  // namespace tvz
