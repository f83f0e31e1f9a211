#include "export/table_destination.h"

#include <utility>

namespace tvz {

WritingDestination::WritingDestination(const std::filesystem::path& working,
                                       platform::LocalTime started)
    : copies_(working, started) {}

void WritingDestination::Finish(std::unique_ptr<DbfTable> table) { copies_.Finish(*table); }

void CheckingDestination::Finish(std::unique_ptr<DbfTable> table) {
  // Nothing is written, but the run stops where the export would: at an old
  // table another program holds.
  table->CheckReplaceable();
  std::string name = std::filesystem::path(table->TableName).stem().string();
  built_[std::move(name)] = std::move(table);
}

DbfTable* CheckingDestination::Built(std::string_view name) {
  const auto it = built_.find(name);
  return it == built_.end() ? nullptr : it->second.get();
}

}  // namespace tvz
