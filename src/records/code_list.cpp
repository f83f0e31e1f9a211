#include "records/code_list.h"

#include <algorithm>

#include "platform/collation.h"

namespace tvz {

bool CodeList::Contains(std::string_view code) const {
  return keys_.count(platform::CollationKey(code)) > 0;
}

bool CodeList::AddIfNew(std::string_view code) { return AddOrFind(code) == kAdded; }

std::size_t CodeList::AddOrFind(std::string_view code) {
  auto [it, added] = keys_.try_emplace(platform::CollationKey(code), keys_.size());
  return added ? kAdded : it->second;
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
