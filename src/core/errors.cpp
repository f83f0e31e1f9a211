#include "core/errors.h"

namespace tvz {

void ThrowNotInteger(std::string_view text) {
  throw RunError("'" + std::string(text) + "' no es un valor entero v\xE1" "lido");
}

void ThrowNotFloat(std::string_view text) {
  throw RunError("'" + std::string(text) + "' no es un valor punto flotante v\xE1" "lido");
}

std::string IoErrorText(int io_code) {
  switch (io_code) {
    case 2: return "No se encuentra el archivo";
    case 3: return "Nombre de archivo inv\xE1" "lido";
    case 4: return "Demasiados archivos abiertos";
    case 5: return "Acceso al archivo denegado";
    case 100: return "Se intenta leer despu\xE9" "s del fin del archivo";
    case 101: return "Disco lleno";
    case 106: return "Valor num\xE9" "rico de entrada inv\xE1" "lido";
    default: return "Error de E/S " + std::to_string(io_code);
  }
}

std::string WithFinalStop(std::string text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
    text += '.';
  return text;
}

}  // namespace tvz
