#pragma once
// The hash tables of the code lists and the look-up indexes: open addressing
// in one flat array (Boost.Unordered's flat map), so that an insert or a
// probe costs one cache miss however large the table grows, and nothing is
// freed node by node afterwards. Keys are texts; looking one up takes a view
// and builds no string.
#include <cstddef>
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

}  // namespace tvz
