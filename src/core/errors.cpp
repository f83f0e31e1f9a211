#include "core/errors.h"

#include <algorithm>

namespace tvz {

void ThrowNotInteger(std::string_view text) {
  throw RunError("'" + std::string(text) + "' no es un valor entero v\xE1" "lido");
}

void ThrowNotFloat(std::string_view text) {
  throw RunError("'" + std::string(text) + "' no es un valor punto flotante v\xE1" "lido");
}

void ThrowNoMemory(std::string_view file_text) {
  throw RunError("No hay memoria suficiente para leer el archivo \"" + std::string(file_text) +
                 "\"");
}

std::string NoMemoryText() {
  return "No hay memoria suficiente para terminar la conversi\xF3" "n; no se ha cambiado el "
         "archivo o la tabla que se estaba escribiendo";
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
  const std::size_t end = std::min(text.find('\n'), text.size());
  if (end > 0 && static_cast<unsigned char>(text[end - 1]) > static_cast<unsigned char>('.'))
    text.insert(end, 1, '.');
  return text;
}

std::string FolderInUseText(const std::string& folder) {
  return "Otra conversi\xF3" "n est\xE1" " usando la carpeta \"" + folder +
         "\"; espere a que termine";
}

}  // namespace tvz
