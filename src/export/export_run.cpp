#include "export/export_run.h"

#include <memory>

#include "core/errors.h"
#include "export/table_destination.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/folder_lock.h"

namespace tvz {

namespace {

enum class Destination { kWrite, kCheck };

RunOutcome Export(Conversion& c, Destination destination) {
  if (!platform::DirectoryExists(c.RutaCarpeta)) {
    c.Show("No existe la carpeta");
    if (c.Embedded) c.Transformado = -1;
    return RunOutcome::kRefused;
  }
  // The working folder is this run's until it ends; what a killed run left
  // there is cleared first (by an export: the check removes nothing).
  platform::FolderLocks locks;
  if (auto busy_folder = locks.Hold({c.WorkingFolder})) {
    c.Transformado = -1;
    throw RunError(FolderInUseText(platform::PathText(*busy_folder)));
  }
  if (destination == Destination::kWrite) platform::RemoveStaleTemporaries(c.WorkingFolder);
  BusyCursor busy(c.host);
  c.Transformado = 1;
  std::unique_ptr<TableDestination> tables;
  if (destination == Destination::kWrite)
    tables = std::make_unique<WritingDestination>(c.WorkingFolder, platform::Now());
  else
    tables = std::make_unique<CheckingDestination>(c.WorkingFolder);
  try {
    ConvertirAsignaturas(c, *tables);
    ConvertirProfesores(c, *tables);
    ConvertirAulas(c, *tables);
    ConvertirGrupos(c, *tables);
    ConvertirAsignaturasGrupo(c, *tables);
    ConvertirSesiones(c, *tables);
  } catch (...) {
    // The host must never take a run ended by an error for a success.
    c.Transformado = -1;
    tables->End();
    throw;
  }
  tables->End();
  busy.End();
  c.Show("Proceso finalizado");
  return RunOutcome::kFinished;
}

}  // namespace

RunOutcome ExportRun(Conversion& c) { return Export(c, Destination::kWrite); }

RunOutcome CheckExport(Conversion& c) { return Export(c, Destination::kCheck); }

}  // namespace tvz
