#pragma once
// What every converter does the same way: find its required input, make its
// new table, hand it to the run's destination and count its records in the
// run's report.
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/conversion.h"
#include "export/table_destination.h"
#include "records/line_reader.h"
#include "tables/dbf_table.h"

namespace tvz {

// The input file `name` in the chosen folder (letter case ignored). When it is
// missing: shows `missing_message`, sets the run status to -1, returns nullopt.
// Other files whose names differ only in letter case are reported (a
// fichero_repetido warning of `table`).
std::optional<std::filesystem::path> RequiredInput(Conversion& c, std::string_view name,
                                                   std::string_view missing_message,
                                                   std::string_view table = {});
// An optional input: as RequiredInput, without a message when it is missing.
std::optional<std::filesystem::path> OptionalInput(Conversion& c, std::string_view name,
                                                   std::string_view table);

// The converter's input file, for its record loop: opened to be read line
// by line, or loaded whole. Either way it is classified and, when Unicode,
// decoded (records/line_reader.h), and what its reader finds is told as
// warnings of `at` (`record_name`: the name check of its data lines). An
// error opening, reading or decoding it is placed at the file (ReadingPlace).
LineReader OpenRecords(Conversion& c, const std::filesystem::path& file, const Source& at,
                       std::string_view record_name);
TextLines LoadRecords(Conversion& c, const std::filesystem::path& file, const Source& at,
                      std::string_view record_name);

// Adds a warning about the value at `at`.
void Warn(Conversion& c, AvisoTipo tipo, const Source& at, std::string valor);

// Sets a string field; a value longer than the field is cut to it (by the
// table) and reported as recortado.
void SetText(Conversion& c, Field field, std::string_view value, const Source& at);

// The converter's new, empty table NAME.DBF in the working folder, open for
// appending. The old table stays in place until FinishTable().
std::unique_ptr<DbfTable> NewTable(const Conversion& c, std::string_view name,
                                   std::vector<FieldDef> fields);

// Hands the finished table to the run's destination (which puts it in place
// of the old one, or only checks that it could) and counts its records, and
// the `skipped` input records, in the report.
void FinishTable(Conversion& c, TableDestination& tables, std::unique_ptr<DbfTable> table,
                 std::uint64_t skipped = 0);

// A string field definition, for the schemas.
inline FieldDef Str(const char* name, int size) { return {name, FieldType::ftString, size}; }

}  // namespace tvz
