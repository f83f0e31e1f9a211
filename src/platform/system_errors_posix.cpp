#include <cerrno>
#include <cstring>

#include "platform/system_errors.h"

namespace tvz::platform {

std::string SystemErrorText(int native_code) { return std::strerror(native_code); }

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
