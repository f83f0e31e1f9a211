#include "records/ascii_fold_key.h"

#include <algorithm>

#include "core/ascii.h"
#include "platform/collation.h"

namespace tvz {

bool AsciiFoldingIsCollationEquality() {
  static const bool proven = [] {
    const std::string language = platform::CollationLanguage();
    return std::find(kAsciiFoldLanguages.begin(), kAsciiFoldLanguages.end(), language) !=
           kAsciiFoldLanguages.end();
  }();
  return proven;
}

bool IsAsciiFoldable(std::string_view code) {
  return std::all_of(code.begin(), code.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

std::string AsciiFolded(std::string_view code) { return ascii::Uppered(code); }

}  // namespace tvz
