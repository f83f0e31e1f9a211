#include "export/export_run.h"

#include <algorithm>

#include "export/converter_support.h"
#include "core/errors.h"
#include "export/table_copies.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/folder_lock.h"

namespace tvz {

namespace {

std::string Capitals(std::string_view name) {
  std::string out(name);
  for (char& ch : out)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return out;
}

// The other regular files of the folder whose names equal `found`'s but for
// ASCII letter case. Where the file system ignores case there is only one
// such file, whatever the spelling of `found`: no others.
std::vector<std::string> SameNameOtherCase(const std::filesystem::path& found) {
  std::vector<std::string> matches;
  const std::string read = found.filename().string();
  const std::string name = Capitals(read);
  std::error_code ec;
  for (std::filesystem::directory_iterator it(found.parent_path(), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (Capitals(entry) == name && it->is_regular_file(ec)) matches.push_back(entry);
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

std::optional<std::filesystem::path> RequiredInput(Conversion& c, std::string_view name,
                                                   std::string_view missing_message,
                                                   std::string_view table) {
  if (auto path = OptionalInput(c, name, table)) return path;
  c.Show(std::string(missing_message));
  c.Transformado = -1;
  return std::nullopt;
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

void FinishTable(Conversion& c, DbfTable& table, std::string_view name, std::uint64_t skipped) {
  if (c.CheckOnly) {
    // Nothing is written, but the run stops where the export would: at an
    // old table another program holds.
    table.CheckReplaceable();
  } else if (c.copies) {
    // The table it replaces goes into the run's copy first.
    c.copies->Finish(table);
  } else {
    table.Finish();
  }
  c.report.push_back({std::string(name), table.RecordCount(), skipped});
}

RunOutcome ExportRun(Conversion& c) {
  if (!platform::DirectoryExists(c.RutaCarpeta)) {
    c.Show("No existe la carpeta");
    if (c.Embedded) c.Transformado = -1;
    return RunOutcome::kRefused;
  }
  // The working folder is this run's until it ends; what a killed run left
  // there is cleared first.
  platform::FolderLocks locks;
  if (auto busy_folder = locks.Hold({c.WorkingFolder})) {
    c.Transformado = -1;
    throw RunError(FolderInUseText(platform::PathText(*busy_folder)));
  }
  platform::RemoveStaleTemporaries(c.WorkingFolder);
  BusyCursor busy(*c.host);
  c.Transformado = 1;
  c.copies = std::make_shared<CopyRun>(c.WorkingFolder, platform::Now());
  try {
    ConvertirAsignaturas(c);
    ConvertirProfesores(c);
    ConvertirAulas(c);
    ConvertirGrupos(c);
    ConvertirAsignaturasGrupo(c);
    ConvertirSesiones(c);
  } catch (...) {
    // The host must never take a run ended by an error for a success.
    c.Transformado = -1;
    throw;
  }
  busy.End();
  c.Show("Proceso finalizado");
  return RunOutcome::kFinished;
}

}  // namespace tvz
