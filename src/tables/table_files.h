#pragma once
// A table's files replaced together: NAME.DBF by new bytes, and its index
// NAME.MDX by new bytes or by nothing, so that wherever the process stops a
// .DBF never stands beside the index of another version of it.
//
// Prepare() writes each new file beside its target, complete and flushed;
// nothing in place changes, and a failure leaves nothing behind. Commit()
// then renames, in this order:
//   1. the old index aside, to a temporary;
//   2. the new .DBF over the old one;
//   3. the new index into place, when there is one;
//   4. and removes the old index it set aside.
// Stopped between two steps, the folder holds the old .DBF without an index,
// the new .DBF without one, or the new pair. An index set aside and left is
// a temporary that the next run in the folder clears; the copy of the
// replaced tables (table_copies.h) holds the old index.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_io.h"

namespace tvz {

class TableFiles {
public:
  // `table`: the .DBF to replace or create; `index`: its .MDX, there or not;
  // `index_bytes`: the new index, none to leave the table without one.
  // A failure is a RunError ("No se puede escribir la tabla ...") naming
  // `table`, with nothing changed.
  void Prepare(const std::filesystem::path& table, std::string_view table_bytes,
               const std::filesystem::path& index, std::optional<std::string_view> index_bytes,
               platform::PendingFile::Permissions permissions);

  // REQUIRES: Prepare(). A RunError before step 2 leaves the old files as
  // they were (the index put back); after it, the new .DBF without an index.
  void Commit();
  // Whether Commit() put the new .DBF in place (also when the index then
  // failed).
  bool TableReplaced() const { return table_replaced_; }

private:
  std::filesystem::path index_;
  platform::PendingFile table_file_, index_file_;
  bool has_index_file_ = false;
  bool table_replaced_ = false;
};

}  // namespace tvz
