#include "support/run_helper.h"

#include "core/errors.h"
#include "export/export_run.h"
#include "import/import_run.h"

namespace tvz::test {

RunResult Run(RunKind kind, const fs::path& folder, const fs::path& vtemp, RunSettings settings) {
  RunResult r;
  Conversion c(r.host);
  c.RutaCarpeta = folder;
  c.WorkingFolder = vtemp;
  c.Transformado = settings.status;
  c.Embedded = settings.embedded;
  try {
    r.outcome = kind == RunKind::kExport ? ExportRun(c) : kind == RunKind::kImport ? ImportRun(c) : CheckExport(c);
  } catch (const RunError& e) {
    r.error = e.what();
  }
  r.status = c.Transformado;
  r.tablas = c.informe.tablas;
  return r;
}

}  // namespace tvz::test
