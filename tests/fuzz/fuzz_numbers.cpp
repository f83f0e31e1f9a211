// The texts the converters read as numbers: integers (time pieces, days,
// hexadecimal handles), decimals, weekly hours and the session strings made
// from them, and the number texts of the table store.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "core/errors.h"
#include "core/number_text.h"
#include "export/hours.h"
#include "fuzz_support.h"
#include "tables/dbf_layout.h"
#include "tables/dbf_values.h"

namespace {

using namespace tvz;

// The message as a C string shows it: up to a NUL byte of the text.
std::string Shown(const std::string& message) { return message.substr(0, message.find('\0')); }

void Integers(const std::string& text) {
  try {
    const std::int32_t v = StrToInt(text);
    FUZZ_CHECK(StrToInt(std::to_string(v)) == v);
  } catch (const RunError& e) {
    FUZZ_CHECK(e.what() == Shown("'" + text + "' no es un valor entero v\xE1" "lido"));
  }
}

void Decimals(const std::string& text) {
  try {
    const double v = StrToFloat(text);
    FUZZ_CHECK(std::isfinite(v));
  } catch (const RunError& e) {
    FUZZ_CHECK(e.what() == Shown("'" + text + "' no es un valor punto flotante v\xE1" "lido"));
  }
}

// As ASIGT gets them: hours below 1 become 1, then the session string.
void Hours(const std::string& text) {
  double hours = 0;
  try {
    hours = HoursFromText(text);
  } catch (const RunError& e) {
    FUZZ_CHECK(*e.what() != '\0');
    return;
  }
  FUZZ_CHECK(std::isfinite(hours));
  if (hours < 1) hours = 1;
  const std::string s = SessionString(hours);
  const double whole = std::floor(hours);
  const bool half = hours > whole;
  FUZZ_CHECK(!s.empty());
  FUZZ_CHECK((s.back() == '\xBD') == half);
  const std::size_t ones = s.size() - (half ? 1 : 0);
  if (whole <= 13) {
    FUZZ_CHECK(ones == static_cast<std::size_t>(whole));
  } else {
    FUZZ_CHECK(s.compare(ones - 13, 13, std::string(13, '1')) == 0);
    FUZZ_CHECK(std::to_string(static_cast<long long>(whole) - 13) == s.substr(0, ones - 13));
  }
}

// A number written into N(20,4) and N(11,0) columns reads back as the same
// number (to the column's decimals), or does not fit and says so.
void TableNumbers(double v) {
  for (const auto& [length, decimals] : {std::pair{20, 4}, std::pair{11, 0}}) {
    dbf::FieldLayout f;
    f.type = dbf::kTypeNumeric;
    f.length = static_cast<std::size_t>(length);
    f.decimals = decimals;
    f.offset = 1;
    const dbf::TableLayout t = dbf::NewLayout({f});
    std::string record(t.record_length, ' ');
    if (!dbf::EncodeFloat(t.fields[0], v, record.data() + 1)) continue;
    const dbf::Value back = dbf::Decode(t, 0, record);
    const double scale = decimals == 4 ? 1e4 : 1;
    const double got = back.type == dbf::Value::Type::kInteger
                           ? static_cast<double>(back.integer)
                           : back.number;
    FUZZ_CHECK(back.type == dbf::Value::Type::kInteger || back.type == dbf::Value::Type::kFloat);
    FUZZ_CHECK(std::fabs(got - v) <= 0.5 / scale * (1 + 1e-9) + std::fabs(v) * 1e-15);
    dbf::TextOf(back);
  }
  dbf::FormatGeneral(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Integers(text);
  Integers("$" + text);  // the window's host handle
  Decimals(text);
  Hours(text);
  // The time pieces of a slot: "0800" -> "08" and "00".
  Integers(text.substr(0, 2));
  if (text.size() > 2) Integers(text.substr(2, 2));
  if (size == 8) {
    double v;
    std::memcpy(&v, data, sizeof v);
    if (std::isfinite(v)) TableNumbers(v);
  } else if (const std::optional<double> v = ParseFloat(text)) {
    TableNumbers(*v);
  }
  return 0;
}
