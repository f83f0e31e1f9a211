#pragma once
// The table store's messages about a whole table, built in one place. `table`
// is the name the user knows the table by: its TableName, or its path as
// program text once the file is found.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/errors.h"

namespace tvz::dbf {

// "La tabla <table> <what>".
RunError TableError(const std::string& table, std::string_view what);

// "La tabla <table> está dañada: <what>".
RunError DamagedError(const std::string& table, std::string_view what);

// DamagedError "la cabecera promete <promised> registros y el archivo tiene
// <held>", with " antes de la marca de fin de archivo (0x1A)" when
// `end_marker` (a 0x1A where a counted record starts).
RunError ShortTableError(const std::string& table, std::uint64_t promised, std::uint64_t held,
                         bool end_marker = false);

// "La tabla <table> está en uso por otro programa".
RunError InUseError(const std::string& table);

// "No se puede <action> la tabla <table>: <reason>".
std::string CannotText(std::string_view action, const std::string& table);
RunError CannotError(std::string_view action, const std::string& table, std::string_view reason);

// "No se puede <action> el �ndice <index>: <reason>" (a table's .MDX).
RunError CannotIndexError(std::string_view action, const std::string& index, std::string_view reason);

}  // namespace tvz::dbf
