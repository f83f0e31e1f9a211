#pragma once
// Table files for the reader tests (and a helper for expected errors), built byte by byte from the format's
// description: dBase III/IV, Visual FoxPro and level 7 layouts.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "tables/dbf_format.h"

namespace tvz::test {

// The text of the RunError that `f` throws, or "(no error)".
inline std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RunError& e) {
    return e.what();
  }
  return "(no error)";
}

struct FixtureField {
  std::string name;
  char type;
  int length;
  int decimals = 0;
  std::uint8_t flags = 0;  // Visual FoxPro field flags
};

inline std::string Le32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(v >> (8 * i));
  return s;
}
inline std::string Be32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(v >> (24 - 8 * i));
  return s;
}
inline std::string Le64(std::uint64_t v) { return Le32(static_cast<std::uint32_t>(v)) + Le32(static_cast<std::uint32_t>(v >> 32)); }
inline std::string Be64(std::uint64_t v) { return Be32(static_cast<std::uint32_t>(v >> 32)) + Be32(static_cast<std::uint32_t>(v)); }
inline std::uint64_t Bits(double d) {
  std::uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return u;
}
// Level-7 encodings: big-endian with the sign bit flipped.
inline std::string Level7Int(std::int32_t v) { return Be32(static_cast<std::uint32_t>(v) ^ 0x80000000u); }
inline std::string Level7Double(double d) {
  std::uint64_t u = Bits(d);
  u = (u >> 63) ? ~u : u ^ (std::uint64_t{1} << 63);
  return Be64(u);
}

class DbfFixture {
public:
  DbfFixture(std::uint8_t version, std::vector<FixtureField> fields)
      : version_(version), fields_(std::move(fields)) {}

  DbfFixture& LanguageDriver(std::uint8_t id) { ldid_ = id; return *this; }
  DbfFixture& DriverName(std::string name) { driver_name_ = std::move(name); return *this; }
  // Bytes after the 0x0D that the header length covers (besides the VFP backlink).
  DbfFixture& Padding(std::size_t n) { padding_ = n; return *this; }
  DbfFixture& DeclaredCount(std::uint32_t n) { declared_ = n; has_declared_ = true; return *this; }
  DbfFixture& EndMarker(bool on) { end_marker_ = on; return *this; }
  // One record from the fields' raw bytes; a shorter value is blank padded.
  DbfFixture& Record(std::vector<std::string> values, bool deleted = false) {
    std::string r(1, deleted ? '*' : ' ');
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      std::string v = i < values.size() ? values[i] : "";
      v.resize(static_cast<std::size_t>(fields_[i].length), ' ');
      r += v;
    }
    records_.push_back(r);
    return *this;
  }

  bool Level7() const { return version_ == 0x04 || version_ == 0x8C; }
  bool VisualFoxPro() const { return version_ >= 0x30 && version_ <= 0x32; }
  std::size_t HeaderLength() const {
    const std::size_t main = Level7() ? 68 : 32, desc = Level7() ? 48 : 32;
    return main + desc * fields_.size() + 1 + (VisualFoxPro() ? 263 : 0) + padding_;
  }
  std::size_t RecordLength() const {
    std::size_t n = 1;
    for (const auto& f : fields_) n += static_cast<std::size_t>(f.length);
    return n;
  }

  std::string Bytes() const {
    std::string h(HeaderLength(), '\0');
    h[0] = static_cast<char>(version_);
    h[1] = 125, h[2] = 6, h[3] = 1;
    const std::uint32_t count = has_declared_ ? declared_ : static_cast<std::uint32_t>(records_.size());
    h.replace(4, 4, Le32(count));
    h[8] = static_cast<char>(HeaderLength() & 0xFF), h[9] = static_cast<char>(HeaderLength() >> 8);
    h[10] = static_cast<char>(RecordLength() & 0xFF), h[11] = static_cast<char>(RecordLength() >> 8);
    h[29] = static_cast<char>(ldid_);
    std::size_t pos = 32;
    if (Level7()) {
      h.replace(32, driver_name_.size(), driver_name_);
      pos = 68;
    }
    std::size_t offset = 1;
    for (const auto& f : fields_) {
      if (Level7()) {
        h.replace(pos, f.name.size(), f.name);
        h[pos + 32] = f.type;
        h[pos + 33] = static_cast<char>(f.length);
        h[pos + 34] = static_cast<char>(f.decimals);
        pos += 48;
      } else {
        h.replace(pos, f.name.size(), f.name);
        h[pos + 11] = f.type;
        if (VisualFoxPro()) h.replace(pos + 12, 4, Le32(static_cast<std::uint32_t>(offset)));
        h[pos + 16] = static_cast<char>(f.length);
        h[pos + 17] = static_cast<char>(f.decimals);
        h[pos + 18] = static_cast<char>(f.flags);
        pos += 32;
      }
      offset += static_cast<std::size_t>(f.length);
    }
    h[pos] = 0x0D;
    for (const auto& r : records_) h += r;
    if (end_marker_) h += '\x1A';
    return h;
  }

private:
  std::uint8_t version_;
  std::vector<FixtureField> fields_;
  std::vector<std::string> records_;
  std::uint8_t ldid_ = 0x57;
  std::string driver_name_;
  std::size_t padding_ = 0;
  std::uint32_t declared_ = 0;
  bool has_declared_ = false;
  bool end_marker_ = true;
};

}  // namespace tvz::test
