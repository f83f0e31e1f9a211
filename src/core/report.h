#pragma once
// The run's report: besides its messages, every run keeps the records it
// wrote per table, a list of warnings (avisos), one for each thing it carried
// over other than as read, and a few counts of what it does by design. The
// fronts render it (report_render.h).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tvz {

// The kinds of warning. Each has its row in the table of kinds
// (AvisoKinds(), report.cpp: the build checks that the rows follow this
// order); its name is what the JSON report and the help use and never
// changes.
enum class AvisoTipo {
  // Export.
  kDuplicado,         // a record skipped: its code was already written
  kRecortado,         // a value longer than the table field, cut to it
  kGrupoDesconocido,  // a group code GRUPOST does not hold (export and import)
  kSinHoras,          // an assignment no hours line matched: 1 hour
  kHorasMinimas,      // an assignment with hours below 1, raised to 1
  kHorasVacias,       // an hours line with an empty hours column: 1 hour
  kGrupoSinNivel,     // a group without level: "NIV"
  kDiaDesconocido,    // a slot whose day letter is not L M X J V S D
  kMinutosNegativos,  // a slot that ends before it starts
  kFicheroRepetido,   // two files whose names differ only in letter case
  // Import.
  kFranjaDesconocida,  // a SOLUC record with no slot: blank slot code
  kAulaDesconocida,    // a room code AULAT does not hold
  kClaseSinColocar,    // a SOLUC record with day 0: not written
  // Both: characters cp1252 lacks, read as "?": in a table of another code
  // page (linea 0, valor: how many), or on a line of a decoded ZARP file
  // (valor: how many on that line).
  kCaracteresSustituidos,
  // Both: how a ZARP file was written (records/line_reader.h).
  kCodificacion,   // saved as UTF-8 or UTF-16, decoded (valor: "UTF-8", ...)
  kSaltosDeLinea,  // no LF: every CR ended a line (valor: "CR")
  kFinAnticipado,  // a Ctrl-Z at the start of a line ended the file before
                   // its data (valor: the lines not read, that one included)
  kTabuladores,    // a data line holding tabs, kept (valor: how many)
  // Import: ZARP_ASIGNAT.TXT gave no centre code (no header, or a header
  // that ends before column 52, or blank columns): it is written blank.
  kCentroVacio,
};

// What a summary line says about a kind: the thing counted (one, many), and
// what the run did with it (for one, for many). "%c" stands for the field of
// a cut value, "%f" for the file that was read, "%v" for the value.
struct AvisoTexts {
  const char* one = nullptr;
  const char* many = nullptr;
  const char* did_one = nullptr;
  const char* did_many = nullptr;
};

// One row per kind of warning.
struct AvisoKind {
  AvisoTipo tipo;
  const char* name;  // "duplicado", "recortado", ...
  AvisoTexts texts;  // cp1252
  // The texts of the import's warnings of this kind (ZARP_HORARIO.TXT),
  // where they read otherwise; all null: the same.
  AvisoTexts import_texts;
  bool has_campo;    // the warning names the field: "TABLE.FIELD"
  bool has_primera;  // the warning names where the first record is
  // The texts of the warnings about a table read (a `fichero` without an
  // extension, "SOLUC"), where they read otherwise; all null: the same.
  AvisoTexts table_texts{};
};

// Every kind, in the order of AvisoTipo.
std::span<const AvisoKind> AvisoKinds();
const AvisoKind& KindOf(AvisoTipo tipo);
// KindOf(tipo).name.
const char* AvisoName(AvisoTipo tipo);

// One warning. Texts are cp1252 bytes, like every program text.
struct Aviso {
  AvisoTipo tipo = AvisoTipo::kDuplicado;
  std::string tabla;    // what the run was making: "ASIGT", "ZARP_HORARIO.TXT"
  std::string fichero;  // the file or table read: "ZARP_ASIGNATGRUPO.TXT", "SOLUC"
  // The physical line of `fichero` (1-based, the header record is line 1),
  // counted as the run's reader reads the file: the files read line by line
  // break at LF only (at CR in a file without LF), the three read whole
  // (ZARP_SESIONES.TXT, ZARP_ASIGNATCURSO.TXT and, for the import,
  // ZARP_ASIGNAT.TXT) also at a lone CR. For a table, the record number
  // (1-based, among its records as read). 0: the file as a whole.
  std::uint64_t linea = 0;
  std::string valor;    // the value concerned, as read
  std::string campo;    // recortado: "TABLE.FIELD"
  // duplicado: where the first record with that code is (line and file).
  std::uint64_t linea_primera = 0;
  std::string fichero_primera;
};

// The records one table (or ZARP_HORARIO.TXT) got.
struct TablaRecuento {
  std::string tabla;            // "ASIGNOMT", ..., or "ZARP_HORARIO.TXT"
  std::uint64_t registros = 0;  // records (lines) written
  std::uint64_t duplicados = 0; // input records skipped as duplicates
};

struct Informe {
  // In the order the run made them.
  std::vector<TablaRecuento> tablas;
  std::vector<Aviso> avisos;
  // Import: SOLUC records whose task ASIGNOMT lacks, written as "LEC" (the
  // rule for lessons, not a warning).
  std::uint64_t tareas_lec = 0;

  void Add(Aviso aviso) { avisos.push_back(std::move(aviso)); }
  std::size_t Count(AvisoTipo tipo) const;
};

}  // namespace tvz
