#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/errors.h"

namespace tvz {
namespace {

TEST(NumberText, IntegerTexts) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t value;
  } cases[] = {
      {"08", true, 8},      {"  12", true, 12},    {"-5", true, -5},   {"+7", true, 7},
      {"$1F", true, 31},    {"0x10", true, 16},    {"0X1a", true, 26}, {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647}, {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0}, {"", false, 0},      {":", false, 0},    {"1 ", false, 0},
      {"8:", false, 0},     {"$", false, 0},       {"0x", false, 0},   {"- 5", false, 0},
      {"1.0", false, 0},    {"$100000000", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.ok) {
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      try {
        StrToInt(c.text);
        ADD_FAILURE() << "accepted";
      } catch (const RunError& e) {
        EXPECT_EQ(std::string(e.what()), std::string("'") + c.text + "' no es un valor entero v\xE1" "lido");
      }
    }
  }
}

TEST(NumberText, FloatTexts) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"2.5", true, 2.5},  {"-3", true, -3},      {"+1.25", true, 1.25}, {".5", true, 0.5},
      {"5.", true, 5},     {"1e2", true, 100},    {"2.5E-1", true, 0.25}, {"1e-400", true, 0},
      {"1e400", false, 0}, {"", false, 0},        {".", false, 0},       {"2.5.1", false, 0},
      {"abc", false, 0},   {"inf", false, 0},     {"nan", false, 0},     {" 2", false, 0},
      {"1e", false, 0},    {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.ok) {
      EXPECT_DOUBLE_EQ(StrToFloat(c.text), c.value);
    } else {
      try {
        StrToFloat(c.text);
        ADD_FAILURE() << "accepted";
      } catch (const RunError& e) {
        EXPECT_EQ(std::string(e.what()),
                  std::string("'") + c.text + "' no es un valor punto flotante v\xE1" "lido");
      }
    }
  }
}

// The table store reads N and F fields by the same grammar as StrToFloat,
// telling whole numbers from fractions; the Parse functions answer nothing
// exactly where the StrTo functions throw.
TEST(NumberText, DecimalFormsAndParsesWithoutThrowing) {
  struct Case {
    const char* text;
    DecimalForm form;
  } cases[] = {
      {"12", DecimalForm::kWhole},       {"-7", DecimalForm::kWhole},
      {"+0", DecimalForm::kWhole},       {"1.", DecimalForm::kFraction},
      {".5", DecimalForm::kFraction},    {"1e3", DecimalForm::kFraction},
      {"-2.5E+1", DecimalForm::kFraction}, {"", DecimalForm::kNotDecimal},
      {"+", DecimalForm::kNotDecimal},   {".", DecimalForm::kNotDecimal},
      {"1e", DecimalForm::kNotDecimal},  {"1e+", DecimalForm::kNotDecimal},
      {" 1", DecimalForm::kNotDecimal},  {"1 ", DecimalForm::kNotDecimal},
      {"1.2.3", DecimalForm::kNotDecimal}, {"$1F", DecimalForm::kNotDecimal},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DecimalFormOf(c.text), c.form);
    EXPECT_EQ(ParseFloat(c.text).has_value(), c.form != DecimalForm::kNotDecimal);
  }
  EXPECT_FALSE(ParseFloat("1e400").has_value());
  EXPECT_EQ(ParseFloat("-1e-400"), 0.0);
  EXPECT_EQ(ParseInt(" -$10"), -16);
  EXPECT_FALSE(ParseInt("12a").has_value());
  EXPECT_FALSE(ParseInt("").has_value());
}

}  // namespace
}  // namespace tvz
