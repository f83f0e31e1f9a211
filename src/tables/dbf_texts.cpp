#include "tables/dbf_texts.h"

namespace tvz::dbf {

RunError TableError(const std::string& table, std::string_view what) {
  return RunError("La tabla " + table + " " + std::string(what));
}

RunError DamagedError(const std::string& table, std::string_view what) {
  return TableError(table, "est\xE1" " da\xF1" "ada: " + std::string(what));
}

RunError ShortTableError(const std::string& table, std::uint64_t promised, std::uint64_t held,
                         bool end_marker) {
  std::string what = "la cabecera promete " + std::to_string(promised) +
                     (promised == 1 ? " registro" : " registros") + " y el archivo tiene " +
                     std::to_string(held);
  if (end_marker) what += " antes de la marca de fin de archivo (0x1A)";
  return DamagedError(table, what);
}

RunError InUseError(const std::string& table) {
  return TableError(table, "est\xE1" " en uso por otro programa");
}

std::string CannotText(std::string_view action, const std::string& table) {
  return "No se puede " + std::string(action) + " la tabla " + table + ": ";
}

RunError CannotError(std::string_view action, const std::string& table, std::string_view reason) {
  return RunError(CannotText(action, table) + std::string(reason));
}

RunError CannotIndexError(std::string_view action, const std::string& index, std::string_view reason) {
  return RunError("No se puede " + std::string(action) + " el \xED" "ndice " + index + ": " +
                  std::string(reason));
}

}  // namespace tvz::dbf
