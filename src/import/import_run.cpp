// The import run: SOLUC, walked in stored order, becomes ZARP_HORARIO.TXT.
// The slot, group, task and room look-ups give the first match in stored
// order (import/lookups.h).
#include "import/import_run.h"

#include <array>
#include <optional>

#include "core/errors.h"
#include "import/horario_format.h"
#include "import/lookups.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/system_errors.h"
#include "records/line_reader.h"
#include "tables/dbf_table.h"

namespace tvz {

namespace {

// The six tables, opened for exclusive use in this order and closed in the
// same order; closed also when an error ends the run, so the timetabling
// program is not locked out.
enum TableIndex { kSoluc, kGrupos, kProf, kAulas, kAsignaturas, kDiasHoras, kTableCount };
constexpr std::array<const char*, kTableCount> kTableNames = {"SOLUC", "GRUPOST", "PROFT",
                                                              "AULAT", "ASIGNOMT", "DIASHORAST"};

class ImportTables {
public:
  explicit ImportTables(const std::filesystem::path& working_folder) {
    for (int i = 0; i < kTableCount; ++i) {
      DbfTable& t = tables_[i];
      t.DatabaseName = working_folder;
      t.TableName = kTableNames[i];
      t.Type = TableType::ttDBase;
      t.Exclusive = true;
      t.Name = std::string("Tabla") + kTableNames[i];
    }
  }
  ~ImportTables() { CloseAll(); }
  // Opens the six tables; a table in another code page whose letters cp1252
  // lacks (read as "?") is reported.
  void OpenAll(Conversion& c) {
    for (int i = 0; i < kTableCount; ++i) {
      tables_[i].Open();
      if (const std::size_t lost = tables_[i].UnmappableCount()) {
        Aviso a;
        a.tipo = AvisoTipo::kCaracteresSustituidos;
        a.tabla = "ZARP_HORARIO.TXT";
        a.fichero = kTableNames[i];
        a.valor = std::to_string(lost);
        c.informe.Add(std::move(a));
      }
    }
  }
  void CloseAll() {
    for (DbfTable& t : tables_) t.Close();
  }
  DbfTable& operator[](TableIndex i) { return tables_[i]; }

private:
  std::array<DbfTable, kTableCount> tables_;
};

// A warning about SOLUC's record `number` (1-based).
void Warn(Conversion& c, AvisoTipo tipo, std::size_t number, const std::string& valor) {
  Aviso a;
  a.tipo = tipo;
  a.tabla = std::string(kHorarioFile);
  a.fichero = "SOLUC";
  a.linea = number;
  a.valor = valor;
  c.informe.Add(std::move(a));
}

std::string_view Head(std::string_view text, std::size_t n) { return text.substr(0, n); }

// The centre code from the header of the subjects file, which is read (and
// decoded) only for it; without one, the code is written blank and said so.
std::string ReadCentreCode(Conversion& c, const std::filesystem::path& subjects) {
  Source at{kHorarioFile, "ZARP_ASIGNAT.TXT", 0};
  TextLines lines;
  {
    ReadingPlace place(c, at);
    lines = LoadLines(subjects, {&c.informe, at.tabla, at.fichero, {}});
  }
  CentreCode centre = FindCentreCode(lines);
  if (centre.code.find_first_not_of(' ') == std::string::npos) {
    Aviso a;
    a.tipo = AvisoTipo::kCentroVacio;
    a.tabla = std::string(at.tabla);
    a.fichero = std::string(at.fichero);
    a.linea = centre.line;
    a.valor = centre.code;
    c.informe.Add(std::move(a));
  }
  return std::move(centre.code);
}

}  // namespace

RunOutcome ImportRun(Conversion& c) {
  if (!platform::DirectoryExists(c.RutaCarpeta)) {
    c.Show("No existe la carpeta");
    if (c.Embedded) c.Transformado = 0;
    return RunOutcome::kRefused;
  }
  // Both folders are this run's until it ends: the tables it reads (an export
  // would rewrite them) and the folder it writes into (where what a killed
  // run left is cleared first).
  platform::FolderLocks locks;
  if (auto busy_folder = locks.Hold({c.WorkingFolder, c.RutaCarpeta}))
    throw RunError(FolderInUseText(platform::PathText(*busy_folder)));
  platform::RemoveStaleTemporaries(c.RutaCarpeta);
  BusyCursor busy(c.host);

  const auto subjects = platform::FindFile(c.RutaCarpeta, "zarp_asignat.txt")
                            .value_or(c.RutaCarpeta / "zarp_asignat.txt");
  const std::string centre = ReadCentreCode(c, subjects);

  // The file is built in one buffer, record after record, each ended by CR LF.
  std::string bytes = HeaderRecord(centre, platform::Now()) + "\r\n";
  std::uint64_t records = 0;

  ImportTables tables(c.WorkingFolder);
  tables.OpenAll(c);
  DbfTable& soluc = tables[kSoluc];
  const Field dia = soluc.FieldByName("DIA"), hora = soluc.FieldByName("HORA"),
              marco = soluc.FieldByName("MARCO"), codgrupo = soluc.FieldByName("CODGRUPO"),
              asig = soluc.FieldByName("ASIG"), tarea = soluc.FieldByName("TAREA"),
              aula = soluc.FieldByName("AULA"), prof = soluc.FieldByName("PROF");
  SlotIndex slots(tables[kDiasHoras]);
  LookUp groups(tables[kGrupos], "ABREV", "ABREVCORTA");
  LookUp tasks(tables[kAsignaturas], "COD", "CODTAREA");
  LookUp rooms(tables[kAulas], "ABREV", "ABREVCORTA");
  bytes.reserve(bytes.size() + (soluc.RecordCount() + 1) * 32);
  Source record{kHorarioFile, "SOLUC", 0};
  ReadingPlace place(c, record);
  for (soluc.First(); !soluc.Eof(); soluc.Next()) {
    const std::size_t number = soluc.RecNo() + 1;
    record.linea = number;
    // Day 0, and a NULL day (all '*', as GDAL writes it): a class the
    // timetable did not place.
    if (dia.AsInteger() == 0) {
      const std::string mark = dia.NullMark();
      Warn(c, AvisoTipo::kClaseSinColocar, number,
           mark.empty() ? codgrupo.AsString() + " " + asig.AsString() : mark);
      continue;
    }
    // Views of the SOLUC record, which stays current through the record.
    const std::string_view hour = hora.Text(), day = dia.Text(), frame = Head(marco.Text(), 1);
    const std::optional<std::string_view> slot = slots.Find(day, hour, frame);
    if (!slot) {
      Warn(c, AvisoTipo::kFranjaDesconocida, number,
           std::string(day) + " " + std::string(hour) + " " + std::string(frame));
    }
    const std::string_view group_code = codgrupo.Text(), task_code = tarea.Text(),
                           room_code = aula.Text();
    using enum HorarioColumn;
    HorarioRecord record(bytes, number);
    record.Put(kFranja, slot.value_or(std::string_view()));
    record.Put(kDia, day);
    record.Put(kProfesor, prof.Text());
    // An unknown group or room keeps the first 4 characters of its code; an
    // empty code (an activity's) is written empty, without a warning.
    const std::optional<std::string_view> group = groups.Find(group_code);
    if (!group && !group_code.empty()) {
      Warn(c, AvisoTipo::kGrupoDesconocido, number, std::string(group_code));
    }
    record.Put(kGrupo, group.value_or(Head(group_code, 4)));
    // A task ASIGNOMT lacks is a lesson.
    const std::optional<std::string_view> task = tasks.Find(task_code);
    record.Put(kTarea, task.value_or("LEC"));
    if (!task) ++c.informe.tareas_lec;
    record.Put(kAsignatura, asig.Text());
    const std::optional<std::string_view> room = rooms.Find(room_code);
    if (!room && !room_code.empty()) Warn(c, AvisoTipo::kAulaDesconocida, number, std::string(room_code));
    record.Put(kAula, room.value_or(Head(room_code, 4)));
    record.End();
    ++records;
  }
  place.End();
  tables.CloseAll();
  bytes += TrailerRecord(centre, platform::Now(), records);
  bytes += "\r\n";
  const auto target = platform::PathForWriting(c.RutaCarpeta, kHorarioFile);
  int error = 0;
  if (!platform::ReplaceFileAtomically(target, bytes, error)) {
    throw RunError("Cannot create file \"" + target.string() + "\". " +
                   platform::SystemErrorText(error));
  }
  c.informe.tablas.push_back({std::string(kHorarioFile), records, 0});

  busy.End();
  c.Transformado = 1;
  c.Show("Proceso finalizado");
  return RunOutcome::kFinished;
}

}  // namespace tvz
