#include "export/export_run.h"

#include "export/converter_support.h"
#include "platform/files.h"

namespace tvz {

std::optional<std::filesystem::path> RequiredInput(Conversion& c, std::string_view name,
                                                   std::string_view missing_message) {
  if (auto path = platform::FindFile(c.RutaCarpeta, name)) return path;
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
  table.Finish();
  c.report.push_back({std::string(name), table.RecordCount(), skipped});
}

RunOutcome ExportRun(Conversion& c) {
  if (!platform::DirectoryExists(c.RutaCarpeta)) {
    c.Show("No existe la carpeta");
    if (c.Embedded) c.Transformado = -1;
    return RunOutcome::kRefused;
  }
  BusyCursor busy(*c.host);
  c.Transformado = 1;
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
