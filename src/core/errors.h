#pragma once
// The one error type of the program: an error that ends a run. It carries the
// finished, user-facing text (Spanish, as the user sees it); the fronts show it
// as it stands (the window with the error icon, the command line on stderr).
#include <stdexcept>
#include <string>
#include <string_view>

namespace tvz {

class RunError : public std::runtime_error {
public:
  explicit RunError(const std::string& text) : std::runtime_error(text) {}
};

// "'%s' no es un valor entero válido" (cp1252 bytes, like every program text).
[[noreturn]] void ThrowNotInteger(std::string_view text);
// "'%s' no es un valor punto flotante válido".
[[noreturn]] void ThrowNotFloat(std::string_view text);

// "No hay memoria suficiente para leer el archivo \"<file>\"": a file that
// does not fit in the memory the system gives the program.
[[noreturn]] void ThrowNoMemory(std::string_view file_text);
// The last resort of the fronts when memory runs out elsewhere in a run.
std::string NoMemoryText();

// Text for a failed file operation, by the numbers the users know from the
// original program: 2 "No se encuentra el archivo", 3 "Nombre de archivo
// inválido", 4 "Demasiados archivos abiertos", 5 "Acceso al archivo denegado",
// 100, 101, 106, and "Error de E/S %d" for any other.
std::string IoErrorText(int io_code);

// "Otra conversión está usando la carpeta "<folder>"; espere a que termine":
// another run holds a folder that this one needs.
std::string FolderInUseText(const std::string& folder);

// The text of a message as the error dialog shows it: followed by "." unless
// it already ends in "." or in a character that sorts before it. A text of
// several lines (an error and, under it, where it happened) has the stop
// after its first line.
std::string WithFinalStop(std::string text);

}  // namespace tvz
