#include "tables/dbf_table.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "core/ascii.h"
#include "core/errors.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/system_errors.h"
#include "tables/dbf_format.h"
#include "tables/dbf_table_impl.h"
#include "tables/dbf_texts.h"
#include "tables/table_files.h"

namespace tvz {

namespace fs = std::filesystem;
using dbf::FieldLayout;

DbfTable::DbfTable() : impl_(std::make_unique<Impl>()) {}
DbfTable::~DbfTable() = default;

void DbfTable::RequireOpen() const {
  if (impl_->state == Impl::State::kClosed) {
    throw dbf::TableError(TableName, "no est\xE1" " abierta");
  }
}

std::string DbfTable::FileName() const {
  if (fs::path(TableName).has_extension()) return TableName;
  return TableName + ".DBF";
}

void DbfTable::CheckTableType() const {
  const std::string ext = fs::path(FileName()).extension().string();
  if (Type == TableType::ttDefault && !ascii::EqualsNoCase(ext, ".DBF")) {
    throw dbf::TableError(TableName, "no es una tabla dBase (.DBF)");
  }
}

std::filesystem::path DbfTable::FilePath() const {
  if (impl_->state != Impl::State::kClosed) return impl_->path;
  if (auto found = platform::FindFile(DatabaseName, FileName())) return *found;
  return DatabaseName / FileName();
}

void DbfTable::CreateTable() {
  if (Active()) throw dbf::TableError(TableName, "ya est\xE1" " abierta");
  CheckTableType();
  if (!platform::DirectoryExists(DatabaseName)) {
    throw RunError("No existe la carpeta de las tablas " + platform::PathText(DatabaseName));
  }
  const std::string cannot = dbf::CannotText("crear", FileName());
  if (FieldDefs.empty()) throw RunError(cannot + "no tiene campos");
  std::vector<FieldLayout> fields;
  for (const FieldDef& d : FieldDefs) {
    FieldLayout f;
    f.name = ascii::Uppered(d.Name);
    const bool name_ok =
        !f.name.empty() && f.name.size() <= static_cast<std::size_t>(dbf::kMaxWrittenNameLength) &&
        std::all_of(f.name.begin(), f.name.end(), [](char c) {
          return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        });
    if (!name_ok) throw RunError(cannot + "nombre de campo no v\xE1" "lido '" + d.Name + "'");
    for (const FieldLayout& other : fields) {
      if (other.name == f.name) throw RunError(cannot + "campo repetido '" + d.Name + "'");
    }
    switch (d.DataType) {
      case FieldType::ftString:
        if (d.Size < 1 || d.Size > dbf::kMaxWrittenCharLength) {
          throw RunError(cannot + "longitud no v\xE1" "lida (" + std::to_string(d.Size) +
                         ") del campo '" + d.Name + "'");
        }
        f.type = dbf::kTypeCharacter;
        f.length = static_cast<std::size_t>(d.Size);
        break;
      case FieldType::ftBoolean:
        f.type = dbf::kTypeLogical;
        f.length = 1;
        break;
      case FieldType::ftInteger:
        f.type = dbf::kTypeNumeric;
        f.length = dbf::kIntegerWidth;
        break;
      case FieldType::ftFloat:
        f.type = dbf::kTypeNumeric;
        f.length = dbf::kFloatWidth;
        f.decimals = dbf::kFloatDecimals;
        break;
    }
    fields.push_back(std::move(f));
  }
  dbf::TableLayout layout = dbf::NewLayout(std::move(fields));
  if (layout.header_length > dbf::kMaxHeaderOrRecordLength ||
      layout.record_length > dbf::kMaxHeaderOrRecordLength) {
    throw RunError(cannot + "demasiados campos");
  }
  impl_->Reset();
  impl_->layout = std::move(layout);
  impl_->path = platform::PathForWriting(DatabaseName, FileName());
  impl_->image.AssignZeros(impl_->layout.header_length);
  impl_->Activate(true);
}

void RequireNotInUse(const fs::path& file) {
  platform::OpenFile old;
  int ignored = 0;
  if (old.Open(file, platform::OpenFile::Sharing::kExclusive, platform::OpenFile::Access::kRead,
               ignored) == platform::OpenFile::Result::kInUse) {
    throw dbf::InUseError(platform::PathText(file));
  }
}

void DbfTable::CheckReplaceable() const {
  // The old table is not replaced under a program that holds it open.
  RequireNotInUse(impl_->path);
}

void DbfTable::Finish(const BeforeReplace& before_replace) {
  RequireOpen();
  Impl& impl = *impl_;
  if (!impl.created) throw dbf::TableError(TableName, "no se ha creado con este programa");
  if (impl.state != Impl::State::kBrowse) {
    throw dbf::TableError(TableName, "tiene un registro sin grabar");
  }
  if (impl.count > std::numeric_limits<std::uint32_t>::max()) {
    throw dbf::TableError(TableName, "tiene demasiados registros");
  }
  CheckReplaceable();
  if (before_replace) {
    const std::vector<fs::path> old_files = OldFiles();
    if (!old_files.empty()) before_replace(old_files);
  }
  dbf::WriteHeader(impl.layout, static_cast<std::uint32_t>(impl.count), platform::Now(),
                   impl.image.data());
  const std::size_t records_end = impl.image.size();
  impl.image.Append(std::string_view(&dbf::kEndOfFile, 1));
  TableFiles files;
  try {
    files.Prepare(impl.path, impl.image.view(), IndexPath(), std::nullopt,
                  platform::PendingFile::Permissions::kNew);
  } catch (...) {
    impl.image.Resize(records_end);
    throw;
  }
  impl.image.Resize(records_end);
  files.Commit();
}

fs::path DbfTable::IndexPath() const {
  const std::string mdx = fs::path(FileName()).stem().string() + ".MDX";
  return platform::PathForWriting(DatabaseName, mdx);
}

std::vector<fs::path> DbfTable::OldFiles() const {
  std::vector<fs::path> old_files;
  std::error_code ignored_error;
  if (fs::is_regular_file(impl_->path, ignored_error)) old_files.push_back(impl_->path);
  const fs::path index = IndexPath();
  if (fs::is_regular_file(index, ignored_error)) old_files.push_back(index);
  return old_files;
}

void DbfTable::Open() {
  if (Active()) return;
  CheckTableType();
  Impl& impl = *impl_;
  impl.Reset();
  const auto found = platform::FindFile(DatabaseName, FileName());
  impl.path = found ? *found : DatabaseName / FileName();
  const std::string missing = "No se encuentra la tabla " + impl.Label();
  if (!found) throw RunError(missing);

  int error = 0;
  using Sharing = platform::OpenFile::Sharing;
  using Access = platform::OpenFile::Access;
  switch (impl.file.Open(impl.path, Exclusive ? Sharing::kExclusive : Sharing::kShared,
                         ReadOnly ? Access::kRead : Access::kReadWrite, error)) {
    case platform::OpenFile::Result::kOk:
      break;
    case platform::OpenFile::Result::kInUse:
      throw dbf::InUseError(impl.Label());
    case platform::OpenFile::Result::kFailed:
      switch (platform::IoCodeFromNative(error)) {
        case 2: throw RunError(missing);
        case 32: throw dbf::InUseError(impl.Label());
        default:
          throw dbf::CannotError("abrir", impl.Label(), platform::SystemErrorText(error));
      }
  }
  try {
    if (!impl.image.ReadAll(impl.file, error)) {
      throw dbf::CannotError("leer", impl.Label(), platform::SystemErrorText(error));
    }
    impl.layout = dbf::ReadCheckedLayout(impl.image.view(), impl.Label());
  } catch (const std::bad_alloc&) {
    impl.Reset();
    ThrowNoMemory(impl.Label());
  } catch (...) {
    impl.Reset();
    throw;
  }
  // Keep the live records, in place: deleted ones are hidden, as the classic
  // engine hides them.
  const std::size_t header = impl.layout.header_length;
  const std::size_t length = impl.layout.record_length;
  std::size_t live = 0;
  for (std::size_t i = 0; i < impl.layout.declared_records; ++i) {
    const std::size_t from = header + i * length;
    if (impl.image[from] == dbf::kRecordDeleted) continue;
    if (live != i) std::memmove(&impl.image[header + live * length], &impl.image[from], length);
    ++live;
  }
  impl.image.Resize(header + live * length);
  impl.count = live;
  if (impl.layout.code_page != CodePage::kAnsi1252) {
    for (std::size_t i = 0; i < live; ++i) {
      for (std::size_t f = 0; f < impl.layout.fields.size(); ++f) {
        const dbf::FieldLayout& field = impl.layout.fields[f];
        const bool text = field.type == dbf::kTypeCharacter || field.type == dbf::kTypeVarchar;
        if (field.hidden || !text) continue;
        ToCp1252(dbf::StoredText(impl.layout, f, impl.Record(i)), impl.layout.code_page,
                 &impl.unmappable);
      }
    }
  }
  if (!Exclusive) impl.file.Close();
  impl.Activate(false);
}

void DbfTable::Close() { impl_->Reset(); }

bool DbfTable::Active() const { return impl_->state != Impl::State::kClosed; }

void DbfTable::CheckBrowseMode() {
  if (impl_->state == Impl::State::kAppend || impl_->state == Impl::State::kEdit) {
    if (impl_->modified) {
      Post();
    } else {
      Cancel();
    }
  }
}

void DbfTable::First() {
  RequireOpen();
  CheckBrowseMode();
  impl_->current = 0;
  impl_->eof = impl_->count == 0;
}

void DbfTable::Next() {
  RequireOpen();
  CheckBrowseMode();
  if (impl_->eof) return;
  if (impl_->current + 1 < impl_->count) {
    ++impl_->current;
  } else {
    impl_->eof = true;
  }
}

bool DbfTable::Eof() const { return impl_->state == Impl::State::kClosed || impl_->eof; }

std::size_t DbfTable::RecordCount() const { return Active() ? impl_->count : 0; }

std::size_t DbfTable::UnmappableCount() const { return Active() ? impl_->unmappable : 0; }

std::size_t DbfTable::RecNo() const { return impl_->current; }

void DbfTable::CheckWritable() const {
  if (ReadOnly) {
    throw dbf::TableError(TableName, "est\xE1" " abierta solo para lectura");
  }
}

void DbfTable::Append() {
  RequireOpen();
  CheckWritable();
  CheckBrowseMode();
  impl_->buffer = impl_->blank;
  impl_->modified = false;
  impl_->state = Impl::State::kAppend;
}

void DbfTable::Edit() {
  RequireOpen();
  CheckWritable();
  if (impl_->state == Impl::State::kAppend || impl_->state == Impl::State::kEdit) return;
  if (impl_->count == 0) return Append();
  impl_->buffer = std::string(impl_->Record(impl_->current));
  impl_->modified = false;
  impl_->state = Impl::State::kEdit;
}

void DbfTable::Post() {
  RequireOpen();
  Impl& impl = *impl_;
  if (impl.state == Impl::State::kAppend) {
    impl.image.Append(impl.buffer);
    impl.current = impl.count++;
    impl.eof = false;
    // A new last record changes an index only with a key not seen before.
    for (auto& [field, keys] : impl.indexes) {
      keys.try_emplace(dbf::KeyText(impl.layout, field, impl.buffer), impl.current);
    }
  } else if (impl.state == Impl::State::kEdit) {
    if (impl.modified) impl.indexes.clear();
    std::copy(impl.buffer.begin(), impl.buffer.end(),
              impl.image.data() + static_cast<std::ptrdiff_t>(impl.layout.header_length +
                                                               impl.current * impl.layout.record_length));
  } else {
    return;
  }
  impl.state = Impl::State::kBrowse;
  impl.buffer.clear();
  impl.modified = false;
}

void DbfTable::Cancel() {
  RequireOpen();
  if (impl_->state == Impl::State::kAppend || impl_->state == Impl::State::kEdit) {
    impl_->state = Impl::State::kBrowse;
    impl_->buffer.clear();
    impl_->modified = false;
  }
}

Field DbfTable::FieldByName(std::string_view name) {
  RequireOpen();
  for (std::size_t i : impl_->visible) {
    if (ascii::EqualsNoCase(impl_->layout.fields[i].name, name)) {
      return Field(this, static_cast<int>(i), impl_->generation);
    }
  }
  throw RunError((Name.empty() ? std::string() : Name + ": ") + "No se encuentra el campo '" +
                 std::string(name) + "'");
}

int DbfTable::FieldCount() const { return static_cast<int>(impl_->visible.size()); }

Field DbfTable::Fields(int index) {
  RequireOpen();
  if (index < 0 || static_cast<std::size_t>(index) >= impl_->visible.size()) {
    throw dbf::TableError(TableName, "no tiene el campo n\xFA" "mero " + std::to_string(index));
  }
  return Field(this, static_cast<int>(impl_->visible[static_cast<std::size_t>(index)]),
               impl_->generation);
}

bool DbfTable::Locate(std::string_view field, std::string_view value) {
  return Locate(FieldByName(field), value);
}

bool DbfTable::Locate(const Field& f, std::string_view value) {
  if (f.table_ != this) throw dbf::TableError(TableName, "no tiene el campo " + f.FieldName());
  f.Layout();  // open, and the field is of this opening
  CheckBrowseMode();
  Impl& impl = *impl_;
  const auto index = static_cast<std::size_t>(f.index_);
  auto built = impl.indexes.find(index);
  if (built == impl.indexes.end()) {
    TextMap<std::size_t> keys;
    keys.reserve(impl.count);
    for (std::size_t i = 0; i < impl.count; ++i) {
      keys.try_emplace(dbf::KeyText(impl.layout, index, impl.Record(i)), i);
    }
    built = impl.indexes.emplace(index, std::move(keys)).first;
  }
  const auto hit = built->second.find(value);
  if (hit == built->second.end()) return false;
  impl.current = hit->second;
  impl.eof = false;
  return true;
}

}  // namespace tvz
