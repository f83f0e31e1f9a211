#pragma once
// What every converter does the same way: find its required input, make its
// new table, leave its line in the run's report.
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/conversion.h"
#include "tables/dbf_table.h"

namespace tvz {

// The input file `name` in the chosen folder (letter case ignored). When it is
// missing: shows `missing_message`, sets the run status to -1, returns nullopt.
std::optional<std::filesystem::path> RequiredInput(Conversion& c, std::string_view name,
                                                   std::string_view missing_message);

// The converter's new, empty table NAME.DBF in the working folder, open for
// appending. The old table stays in place until Finish().
std::unique_ptr<DbfTable> NewTable(const Conversion& c, std::string_view name,
                                   std::vector<FieldDef> fields);

// Finishes the table (puts it in place of the old one) and reports it.
void FinishTable(Conversion& c, DbfTable& table, std::string_view name, std::uint64_t skipped = 0);

// A string field definition, for the schemas.
inline FieldDef Str(const char* name, int size) { return {name, FieldType::ftString, size}; }

}  // namespace tvz
