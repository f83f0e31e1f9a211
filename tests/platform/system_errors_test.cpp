// The reasons the runs give for a failed system call: Spanish on both
// systems, the program's own I/O texts where it has them.
#include <cerrno>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/system_errors.h"

namespace tvz {
namespace {

struct Case {
  int code;
  const char* text;
};

TEST(SystemErrors, TheReasonsTheRunsMeetAreSpanish) {
  const Case cases[] = {
#ifdef _WIN32
      {ERROR_FILE_NOT_FOUND, "No se encuentra el archivo"},
      {ERROR_ACCESS_DENIED, "Acceso al archivo denegado"},
      {ERROR_TOO_MANY_OPEN_FILES, "Demasiados archivos abiertos"},
      {ERROR_DISK_FULL, "Disco lleno"},
      {ERROR_HANDLE_DISK_FULL, "Disco lleno"},
      {ERROR_SHARING_VIOLATION, "El archivo est\xE1" " en uso por otro programa"},
      {ERROR_WRITE_PROTECT, "El disco est\xE1" " protegido contra escritura"},
      {ERROR_INVALID_NAME, "Nombre de archivo inv\xE1" "lido"},
      {987654, "Error del sistema 987654"},
#else
      {ENOENT, "No se encuentra el archivo"},
      {EACCES, "Acceso al archivo denegado"},
      {EMFILE, "Demasiados archivos abiertos"},
      {ENOTDIR, "Nombre de archivo inv\xE1" "lido"},
      {ENOSPC, "Disco lleno"},
      {EISDIR, "Es una carpeta, no un archivo"},
      {EROFS, "El disco o la carpeta solo admiten lectura"},
      {EWOULDBLOCK, "El archivo est\xE1" " en uso por otro programa"},
      {EIO, "Error de lectura o escritura en el disco"},
      {EFBIG, "El archivo es demasiado grande"},
      {987654, "Error del sistema 987654"},
#endif
      {platform::kErrorNotAFile, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    if (c.text) {
      EXPECT_EQ(platform::SystemErrorText(c.code), c.text);
    } else {
      EXPECT_EQ(platform::SystemErrorText(c.code).rfind("No es un archivo normal (", 0), 0u);
    }
  }
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
