#include "export/converter_support.h"

#include <algorithm>
#include <system_error>

#include "core/ascii.h"
#include "platform/files.h"

namespace tvz {

namespace {

// The other regular files of the folder whose names equal `found`'s but for
// ASCII letter case. Where the file system ignores case there is only one
// such file, whatever the spelling of `found`: no others.
std::vector<std::string> SameNameOtherCase(const std::filesystem::path& found) {
  std::vector<std::string> matches;
  const std::string read = found.filename().string();
  std::error_code ec;
  for (std::filesystem::directory_iterator it(found.parent_path(), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (ascii::EqualsNoCase(entry, read) && it->is_regular_file(ec)) matches.push_back(entry);
  }
  if (matches.size() < 2) return {};
  matches.erase(std::remove(matches.begin(), matches.end(), read), matches.end());
  std::sort(matches.begin(), matches.end());
  return matches;
}

}  // namespace

std::optional<std::filesystem::path> OptionalInput(Conversion& c, std::string_view name,
                                                   std::string_view table) {
  auto path = platform::FindFile(c.RutaCarpeta, name);
  if (!path) return path;
  const std::vector<std::string> others = SameNameOtherCase(*path);
  if (!others.empty()) {
    std::string valor;
    for (const std::string& other : others) valor += (valor.empty() ? "" : ", ") + other;
    Aviso a;
    a.tipo = AvisoTipo::kFicheroRepetido;
    a.tabla = std::string(table);
    a.fichero = path->filename().string();
    a.valor = std::move(valor);
    c.informe.Add(std::move(a));
  }
  return path;
}

std::optional<std::filesystem::path> RequiredInput(Conversion& c, std::string_view name,
                                                   std::string_view missing_message,
                                                   std::string_view table) {
  if (auto path = OptionalInput(c, name, table)) return path;
  c.Show(std::string(missing_message));
  c.Transformado = -1;
  return std::nullopt;
}

LineReader OpenRecords(Conversion& c, const std::filesystem::path& file, const Source& at,
                       std::string_view record_name) {
  ReadingPlace place(c, at);
  return LineReader(file, {&c.informe, at.tabla, at.fichero, record_name});
}

TextLines LoadRecords(Conversion& c, const std::filesystem::path& file, const Source& at,
                      std::string_view record_name) {
  ReadingPlace place(c, at);
  return LoadLines(file, {&c.informe, at.tabla, at.fichero, record_name});
}

void Warn(Conversion& c, AvisoTipo tipo, const Source& at, std::string valor) {
  Aviso a;
  a.tipo = tipo;
  a.tabla = std::string(at.tabla);
  a.fichero = std::string(at.fichero);
  a.linea = at.linea;
  a.valor = std::move(valor);
  c.informe.Add(std::move(a));
}

void SetText(Conversion& c, Field field, std::string_view value, const Source& at) {
  field.SetAsString(value);
  if (value.size() <= static_cast<std::size_t>(field.Size())) return;
  Warn(c, AvisoTipo::kRecortado, at, std::string(value));
  c.informe.avisos.back().campo = std::string(at.tabla) + "." + field.FieldName();
}

std::unique_ptr<DbfTable> NewTable(const Conversion& c, std::string_view name,
                                   std::vector<FieldDef> fields) {
  auto table = std::make_unique<DbfTable>();
  table->DatabaseName = c.WorkingFolder;
  table->TableName = std::string(name) + ".DBF";
  table->Type = TableType::ttDBase;
  table->FieldDefs = std::move(fields);
  table->CreateTable();
  return table;
}

void FinishTable(Conversion& c, TableDestination& tables, std::unique_ptr<DbfTable> table,
                 std::uint64_t skipped) {
  TablaRecuento count{std::filesystem::path(table->TableName).stem().string(), table->RecordCount(),
                      skipped};
  tables.Finish(std::move(table));
  c.informe.tablas.push_back(std::move(count));
}

}  // namespace tvz
