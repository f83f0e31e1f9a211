#pragma once
// System error codes (errno on Linux, GetLastError() on Windows) become the
// program's I/O numbers and texts here, nowhere else.
#include <string>

namespace tvz::platform {

// Not a system code: the name is a pipe, a device or a socket, not a file.
// No system uses it (errno values and Win32 error numbers are positive).
inline constexpr int kErrorNotAFile = -1;

// The reason for a native error code, in Spanish (cp1252): the program's own
// I/O texts where it has them ("Disco lleno", "Acceso al archivo denegado"),
// else a text of this table, else "Error del sistema N".
std::string SystemErrorText(int native_code);

// Maps a native error code onto the numbers of IoErrorText (2 not found,
// 3 bad name, 4 too many files, 5 access denied, 101 disk full, 32 sharing).
int IoCodeFromNative(int native_code);

}  // namespace tvz::platform
