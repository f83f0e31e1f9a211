#include <windows.h>

#include <string_view>

#include "core/errors.h"
#include "platform/system_errors.h"

namespace tvz::platform {

namespace {

struct Reason {
  int code;
  std::string_view text;
};

// Every error the runs can meet, and the rest of what the file calls give;
// the codes with one of the program's own texts (IoErrorText) are not here.
// The system's own texts are not used: they come in the language Windows
// was installed in.
constexpr Reason kReasons[] = {
    {ERROR_PATH_NOT_FOUND, "No se encuentra la ruta de acceso"},
    {ERROR_SHARING_VIOLATION, "El archivo est\xE1" " en uso por otro programa"},
    {ERROR_LOCK_VIOLATION, "El archivo est\xE1" " en uso por otro programa"},
    {ERROR_USER_MAPPED_FILE, "El archivo est\xE1" " en uso por otro programa"},
    {ERROR_DISK_FULL, "Disco lleno"},
    {ERROR_HANDLE_DISK_FULL, "Disco lleno"},
    {ERROR_WRITE_PROTECT, "El disco est\xE1" " protegido contra escritura"},
    {ERROR_NOT_READY, "La unidad no est\xE1" " preparada"},
    {ERROR_CRC, "Error de lectura o escritura en el disco"},
    {ERROR_READ_FAULT, "Error de lectura o escritura en el disco"},
    {ERROR_WRITE_FAULT, "Error de lectura o escritura en el disco"},
    {ERROR_GEN_FAILURE, "Error de lectura o escritura en el disco"},
    {ERROR_IO_DEVICE, "Error de lectura o escritura en el disco"},
    {ERROR_NOT_ENOUGH_MEMORY, "No hay memoria suficiente"},
    {ERROR_OUTOFMEMORY, "No hay memoria suficiente"},
    {ERROR_INVALID_NAME, "Nombre de archivo inv\xE1" "lido"},
    {ERROR_BAD_PATHNAME, "Nombre de archivo inv\xE1" "lido"},
    {ERROR_FILENAME_EXCED_RANGE, "Nombre de archivo inv\xE1" "lido"},
    {ERROR_DIRECTORY, "Nombre de carpeta inv\xE1" "lido"},
    {ERROR_FILE_EXISTS, "El archivo ya existe"},
    {ERROR_ALREADY_EXISTS, "El archivo ya existe"},
    {ERROR_NOT_SAME_DEVICE, "El archivo no se puede mover a otro disco"},
    {ERROR_DIR_NOT_EMPTY, "La carpeta no est\xE1" " vac\xED" "a"},
    {ERROR_INVALID_HANDLE, "Identificador de archivo no v\xE1" "lido"},
    {ERROR_INVALID_PARAMETER, "Par\xE1" "metro no v\xE1" "lido"},
    {ERROR_NOT_SUPPORTED, "El sistema de archivos no admite la operaci\xF3" "n"},
    {ERROR_CANT_ACCESS_FILE, "Acceso al archivo denegado"},
    {ERROR_BROKEN_PIPE, "La salida se ha cerrado"},
    {ERROR_NO_DATA, "La salida se ha cerrado"},
    {ERROR_BAD_NETPATH, "No se encuentra la ruta de red"},
    {ERROR_BAD_NET_NAME, "No se encuentra la ruta de red"},
    {ERROR_NETNAME_DELETED, "Se ha perdido la conexi\xF3" "n con la unidad de red"},
    {ERROR_UNEXP_NET_ERR, "Se ha perdido la conexi\xF3" "n con la unidad de red"},
    {ERROR_NETWORK_ACCESS_DENIED, "Acceso al archivo denegado"},
    {ERROR_HANDLE_EOF, "Se intenta leer despu\xE9" "s del fin del archivo"},
    {kErrorNotAFile, "No es un archivo normal (es una tuber\xED" "a, un dispositivo o la consola)"},
};

}  // namespace

std::string SystemErrorText(int native_code) {
  for (const Reason& r : kReasons)
    if (r.code == native_code) return std::string(r.text);
  // 2, 3, 4, 5: Win32 error numbers are the numbers of the program's I/O texts.
  if (native_code == ERROR_FILE_NOT_FOUND || native_code == ERROR_TOO_MANY_OPEN_FILES ||
      native_code == ERROR_ACCESS_DENIED)
    return IoErrorText(native_code);
  return "Error del sistema " + std::to_string(native_code);
}

int IoCodeFromNative(int native_code) {
  // Win32 error numbers are the numbers the I/O messages use.
  if (native_code == ERROR_PATH_NOT_FOUND) return 3;
  if (native_code == ERROR_HANDLE_DISK_FULL || native_code == ERROR_DISK_FULL) return 101;
  return native_code;
}

}  // namespace tvz::platform
