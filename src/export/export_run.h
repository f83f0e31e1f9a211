#pragma once
// The export run (ZARP text files -> the six tables of the working folder)
// and its converters, in the order the run calls them.
#include "core/conversion.h"

namespace tvz {

class TableDestination;  // export/table_destination.h

// The whole export run over c.RutaCarpeta:
//  * folder missing: shows "No existe la carpeta"; in embedded mode sets the
//    status to -1; returns Refused.
//  * otherwise: busy cursor, status 1, the six converters in order (a missing
//    required file shows its message, sets -1 and the run goes on), busy
//    cursor off, "Proceso finalizado"; returns Finished. Each table it
//    replaces is kept first in the run's copy (tables/table_copies.h).
//  * an error (RunError) inside a converter ends the run: the status becomes
//    -1, the busy cursor is turned off, that converter's table stays as it was
//    and the error propagates to the front.
// The front disables its run buttons after Finished and, in embedded mode,
// closes its window after either outcome.
RunOutcome ExportRun(Conversion& c);

// `comprobar`: the same run, with the same messages, report, status and
// errors, reading and checking everything and writing no table.
RunOutcome CheckExport(Conversion& c);

// The converters. Each reads its ZARP file(s) from c.RutaCarpeta, hands its
// table to `tables` only when it completes, and reports a missing required
// file by a message and status -1.
void ConvertirAsignaturas(Conversion& c, TableDestination& tables);       // ASIGNOMT
void ConvertirProfesores(Conversion& c, TableDestination& tables);        // PROFT
void ConvertirAulas(Conversion& c, TableDestination& tables);             // AULAT
void ConvertirGrupos(Conversion& c, TableDestination& tables);            // GRUPOST
void ConvertirAsignaturasGrupo(Conversion& c, TableDestination& tables);  // ASIGT
void ConvertirSesiones(Conversion& c, TableDestination& tables);          // DIASHORAST

}  // namespace tvz
