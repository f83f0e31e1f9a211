// The reasons the runs give for a failed system call: Spanish on both
// systems, the program's own I/O texts where it has them.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/system_errors.h"

namespace tvz {
namespace {

// A code the table does not name still gets a Spanish text with its number;
// a file that is not a regular one says so.
TEST(SystemErrors, UnknownCodesAndOddFilesGetSpanishTexts) {
  EXPECT_EQ(platform::SystemErrorText(987654), "Error del sistema 987654");
  EXPECT_EQ(platform::SystemErrorText(platform::kErrorNotAFile).rfind("No es un archivo normal (", 0), 0u);
}

#ifndef _WIN32
// No code comes out in the system's own (English) words.
TEST(SystemErrors, NoReasonIsTheSystemsOwnText) {
  for (int code = 1; code < 134; ++code) {
    SCOPED_TRACE(code);
    EXPECT_NE(platform::SystemErrorText(code), std::strerror(code));
  }
}
#endif

}  // namespace
}  // namespace tvz
