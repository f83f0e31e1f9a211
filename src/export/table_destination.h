#pragma once
// Where the export puts the tables its converters build. The run chooses
// one, and no converter knows which:
//  * WritingDestination (exportar) puts each finished table in place of the
//    old one in the working folder, keeping the old one in the run's copy
//    first (tables/table_copies.h);
//  * CheckingDestination (comprobar) writes nothing: it makes the checks
//    that writing makes first (CheckBeforeReplace: the same refusals, with
//    the same messages) and keeps the table in memory, so that a later
//    converter reads what an export would have written.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "tables/dbf_table.h"
#include "tables/table_copies.h"

namespace tvz {

// What both destinations check before a table of the working folder
// `working` would be replaced, writing nothing: the old table is not held
// by another program; when there is an old table or index to keep, the
// copies can be made (RequireCopiesUsable); the working folder takes the
// new table. A RunError with the text the replace would fail with.
void CheckBeforeReplace(const std::filesystem::path& working, const DbfTable& table);

class TableDestination {
public:
  virtual ~TableDestination() = default;
  // Takes a converter's finished table. REQUIRES: made by CreateTable(), not
  // appending or editing. A RunError leaves the old table as it was.
  virtual void Finish(std::unique_ptr<DbfTable> table) = 0;
  // The table NAME ("GRUPOST") as this run built it, when the destination
  // keeps it; null: a later converter reads the working folder's.
  virtual DbfTable* Built(std::string_view name) = 0;
  // The run has ended, finished or not: the writing destination settles its
  // copy (CopyRun::End()). Also done by destruction.
  virtual void End() {}
};

class WritingDestination final : public TableDestination {
public:
  // A run started at `started` over the working folder `working`.
  WritingDestination(const std::filesystem::path& working, platform::LocalTime started);
  void Finish(std::unique_ptr<DbfTable> table) override;
  DbfTable* Built(std::string_view) override { return nullptr; }
  void End() override { copies_.End(); }

private:
  std::filesystem::path working_;
  CopyRun copies_;
};

class CheckingDestination final : public TableDestination {
public:
  explicit CheckingDestination(const std::filesystem::path& working) : working_(working) {}
  void Finish(std::unique_ptr<DbfTable> table) override;
  DbfTable* Built(std::string_view name) override;

private:
  std::filesystem::path working_;
  std::map<std::string, std::unique_ptr<DbfTable>, std::less<>> built_;  // by NAME
};

}  // namespace tvz
