// Text forms of numbers.
#include <gtest/gtest.h>

#include "tables/dbf_values.h"

namespace tvz {
namespace {

TEST(DbfFormatGeneralTest, FifteenDigitsNoTrailingZerosExponentOutsideTheFixedRange) {
  const std::vector<std::pair<double, std::string>> cases = {
      {0.0, "0"},
      {-0.0, "0"},
      {1234.5, "1234.5"},
      {-0.25, "-0.25"},
      {100.0, "100"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {-1.5e20, "-1.5E20"},
      {0.00001, "0.00001"},
      {0.000001, "1E-6"},
      {2.5e-7, "2.5E-7"},
      {0.1 + 0.2, "0.3"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(dbf::FormatGeneral(value), text) << value;
}

}  // namespace
}  // namespace tvz
