#include <cerrno>
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
constexpr Reason kReasons[] = {
    {EISDIR, "Es una carpeta, no un archivo"},
    {EROFS, "El disco o la carpeta solo admiten lectura"},
    {EPERM, "Operaci\xF3" "n no permitida"},
    {EDQUOT, "Disco lleno: se ha agotado la cuota de disco del usuario"},
    {EBUSY, "El archivo est\xE1" " en uso por otro programa"},
    {EWOULDBLOCK, "El archivo est\xE1" " en uso por otro programa"},
    {ETXTBSY, "El archivo est\xE1" " en uso por otro programa"},
    {ELOOP, "Demasiados enlaces simb\xF3" "licos en la ruta"},
    {EIO, "Error de lectura o escritura en el disco"},
    {EFBIG, "El archivo es demasiado grande"},
    {EOVERFLOW, "El archivo es demasiado grande"},
    {ENOMEM, "No hay memoria suficiente"},
    {EEXIST, "El archivo ya existe"},
    {EXDEV, "El archivo no se puede mover a otro disco"},
    {ENXIO, "El dispositivo no est\xE1" " disponible"},
    {ENODEV, "El dispositivo no est\xE1" " disponible"},
    {ENOTEMPTY, "La carpeta no est\xE1" " vac\xED" "a"},
    {ENOLCK, "No quedan bloqueos de archivo disponibles"},
    {ENOTSUP, "El sistema de archivos no admite la operaci\xF3" "n"},
    {EINTR, "La operaci\xF3" "n se ha interrumpido"},
    {EINVAL, "Par\xE1" "metro no v\xE1" "lido"},
    {EBADF, "Identificador de archivo no v\xE1" "lido"},
    {EPIPE, "La salida se ha cerrado"},
    {ESTALE, "El archivo de la unidad de red ya no est\xE1" " disponible"},
    {ENOTCONN, "Se ha perdido la conexi\xF3" "n con la unidad de red"},
    {ETIMEDOUT, "Se ha perdido la conexi\xF3" "n con la unidad de red"},
    {EHOSTDOWN, "Se ha perdido la conexi\xF3" "n con la unidad de red"},
    {ENOMEDIUM, "La unidad no tiene disco"},
    {kErrorNotAFile, "No es un archivo normal (es una tuber\xED" "a, un dispositivo o un socket)"},
};

}  // namespace

std::string SystemErrorText(int native_code) {
  for (const Reason& r : kReasons)
    if (r.code == native_code) return std::string(r.text);
  switch (native_code) {
    case ENOENT: case ENAMETOOLONG: case ENOTDIR: case EMFILE: case ENFILE: case EACCES:
    case ENOSPC:
      return IoErrorText(IoCodeFromNative(native_code));
    default:
      break;
  }
  return "Error del sistema " + std::to_string(native_code);
}

int IoCodeFromNative(int native_code) {
  switch (native_code) {
    case ENOENT: return 2;
    case ENAMETOOLONG: case ENOTDIR: return 3;
    case EMFILE: case ENFILE: return 4;
    case EACCES: case EPERM: case EISDIR: case EROFS: return 5;
    case ENOSPC: case EDQUOT: return 101;
    case EBUSY: case EWOULDBLOCK: return 32;
    default: return native_code;
  }
}

}  // namespace tvz::platform
