#pragma once
// The hash tables of the code lists and the look-up indexes: open addressing
// in one flat array (Boost.Unordered's flat map), so that an insert or a
// probe costs one cache miss however large the table grows, and nothing is
// freed node by node afterwards. Keys are texts; looking one up takes a view
// and builds no string.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include <boost/unordered/unordered_flat_map.hpp>

namespace tvz {

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

struct TextEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return a == b; }
};

template <class Value>
using TextMap = boost::unordered_flat_map<std::string, Value, TextHash, TextEqual>;

// The same with keys that are views of text kept elsewhere, which must
// outlive the map: half the size of a slot, and no copy of the key.
template <class Value>
using ViewMap = boost::unordered_flat_map<std::string_view, Value, TextHash, TextEqual>;

// Appends one part of a key made of several texts: its length, then its
// bytes. No two different lists of parts make the same key. A length below
// 255 takes one byte (a key of three short codes stays within a string's own
// buffer); a longer one is 255 and then 8 bytes.
inline void AppendKeyPart(std::string& key, std::string_view part) {
  if (part.size() < 255) {
    key += static_cast<char>(part.size());
  } else {
    key += static_cast<char>(255);
    std::uint64_t n = part.size();
    for (int i = 0; i < 8; ++i, n >>= 8) key += static_cast<char>(n & 0xFF);
  }
  key += part;
}

}  // namespace tvz
