#include "export/table_destination.h"

#include <utility>

#include "platform/files.h"
#include "platform/system_errors.h"
#include "tables/dbf_texts.h"

namespace tvz {

void CheckBeforeReplace(const std::filesystem::path& working, const DbfTable& table) {
  table.CheckReplaceable();
  if (!table.OldFiles().empty()) RequireCopiesUsable(working);
  if (const int error = platform::FolderWriteError(working)) {
    throw dbf::CannotError("escribir", platform::PathText(table.FilePath()),
                           platform::SystemErrorText(error));
  }
}

WritingDestination::WritingDestination(const std::filesystem::path& working,
                                       platform::LocalTime started)
    : working_(working), copies_(working, started) {}

void WritingDestination::Finish(std::unique_ptr<DbfTable> table) {
  CheckBeforeReplace(working_, *table);
  copies_.Finish(*table);
}

void CheckingDestination::Finish(std::unique_ptr<DbfTable> table) {
  // Nothing is written, but the run stops where the export would.
  CheckBeforeReplace(working_, *table);
  std::string name = std::filesystem::path(table->TableName).stem().string();
  built_[std::move(name)] = std::move(table);
}

DbfTable* CheckingDestination::Built(std::string_view name) {
  const auto it = built_.find(name);
  return it == built_.end() ? nullptr : it->second.get();
}

}  // namespace tvz
