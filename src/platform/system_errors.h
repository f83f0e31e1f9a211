#pragma once
// System error codes (errno on Linux, GetLastError() on Windows) become the
// program's I/O numbers and texts here, nowhere else.
#include <string>

namespace tvz::platform {

// The system's text for a native error code (strerror / FormatMessage).
std::string SystemErrorText(int native_code);

// Maps a native error code onto the numbers of IoErrorText (2 not found,
// 3 bad name, 4 too many files, 5 access denied, 101 disk full, 32 sharing).
int IoCodeFromNative(int native_code);

}  // namespace tvz::platform
