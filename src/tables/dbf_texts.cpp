#include "tables/dbf_texts.h"

namespace tvz::dbf {

RunError TableError(const std::string& table, std::string_view what) {
  return RunError("La tabla " + table + " " + std::string(what));
}

RunError DamagedError(const std::string& table, std::string_view what) {
  return TableError(table, "est\xE1" " da\xF1" "ada: " + std::string(what));
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

}  // namespace tvz::dbf
