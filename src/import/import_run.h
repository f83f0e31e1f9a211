#pragma once
// The import run: the computed timetable (SOLUC and its look-up tables in the
// working folder) -> ZARP_HORARIO.TXT in the chosen folder.
#include "core/conversion.h"

namespace tvz {

// The whole import run over c.RutaCarpeta:
//  * folder missing: shows "No existe la carpeta"; in embedded mode sets the
//    status to 0; returns Refused.
//  * otherwise: busy cursor, reads the centre code, opens the six tables for
//    exclusive use, writes ZARP_HORARIO.TXT (replaced only once complete),
//    busy cursor off, status 1, "Proceso finalizado"; returns Finished.
//  * an error (RunError) ends the run: the tables it opened are closed, no
//    file is replaced, the status keeps its value, the busy cursor is turned
//    off and the error propagates to the front.
RunOutcome ImportRun(Conversion& c);

}  // namespace tvz
