// Weekly hours as the ZARP files spell them, and the sessions text made of them.
#include "export/hours.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace tvz {
namespace {

TEST(Hours, SessionStringsAndHoursTexts) {
  struct Case {
    const char* column;
    double hours;  // after raising to 1, as the converter stores it
    std::string sessions;
  } cases[] = {
      {"1", 1, "1"},
      {"2,5", 2.5, "11\xBD"},
      {"2.5", 2.5, "11\xBD"},
      {"", 1, "1"},
      {"0,5", 1, "1"},
      {"-3", 1, "1"},
      {"1.25", 1.25, "1\xBD"},
      {"4", 4, "1111"},
      {"13", 13, std::string(13, '1')},
      {"13.25", 13.25, std::string(13, '1') + "\xBD"},
      {"14", 14, std::string(14, '1')},
      {"15", 15, "2" + std::string(13, '1')},
      {"25,5", 25.5, "12" + std::string(13, '1') + "\xBD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.column);
    double h = HoursFromText(c.column);
    if (h < 1) h = 1;
    EXPECT_DOUBLE_EQ(h, c.hours);
    EXPECT_EQ(SessionString(h), c.sessions);
  }
  for (const char* bad : {"dos", "2,5,1", "1e999"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(HoursFromText(bad), RunError);
  }
  try {
    HoursFromText("2,5h");
    ADD_FAILURE();
  } catch (const RunError& e) {
    EXPECT_STREQ(e.what(), "'2.5h' no es un valor punto flotante v\xE1" "lido");
  }
  EXPECT_THROW(HoursFromText("3000000000"), RunError);  // whole part past 32 bits
  EXPECT_EQ(SessionString(2147483647.0), "2147483634" + std::string(13, '1'));
}

}  // namespace
}  // namespace tvz
