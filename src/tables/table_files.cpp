#include "tables/table_files.h"

#include <system_error>

#include "platform/files.h"
#include "platform/system_errors.h"
#include "tables/dbf_texts.h"

namespace tvz {

namespace fs = std::filesystem;

void TableFiles::Prepare(const fs::path& table, std::string_view table_bytes, const fs::path& index,
                         std::optional<std::string_view> index_bytes,
                         platform::PendingFile::Permissions permissions) {
  index_ = index;
  has_index_file_ = false;
  int error = 0;
  if (!table_file_.Write(table, table_bytes, permissions, error))
    throw dbf::CannotError("escribir", platform::PathText(table), platform::SystemErrorText(error));
  if (index_bytes) {
    if (!index_file_.Write(index, *index_bytes, permissions, error)) {
      table_file_ = platform::PendingFile();
      throw dbf::CannotError("escribir", platform::PathText(table), platform::SystemErrorText(error));
    }
    has_index_file_ = true;
  }
}

void TableFiles::Commit() {
  int error = 0;
  std::optional<fs::path> aside;
  const platform::EntryKind index_kind = platform::KindOf(index_);
  if (index_kind == platform::EntryKind::kFile || index_kind == platform::EntryKind::kLink) {
    aside = platform::MoveAside(index_, error);
    if (!aside)
      throw dbf::CannotIndexError("sustituir", platform::PathText(index_), platform::SystemErrorText(error));
  }
  if (!table_file_.Commit(error)) {
    if (aside) platform::MoveBack(*aside, index_);
    throw dbf::CannotError("escribir", platform::PathText(table_file_.Target()),
                           platform::SystemErrorText(error));
  }
  // From here the new table is in place: the old index never comes back.
  table_replaced_ = true;
  const bool indexed = !has_index_file_ || index_file_.Commit(error);
  if (aside) platform::RemoveIfExists(*aside);
  if (!indexed)
    throw dbf::CannotIndexError("escribir", platform::PathText(index_), platform::SystemErrorText(error));
}

}  // namespace tvz
