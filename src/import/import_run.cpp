// The import run: SOLUC, walked in stored order, becomes ZARP_HORARIO.TXT.
// The slot, group, task and room look-ups give the first match in stored
// order, through indexes built once per run.
#include "import/import_run.h"

#include <array>
#include <optional>
#include <unordered_map>

#include "core/errors.h"
#include "import/horario_format.h"
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

// Day, hour and frame -> CODDIHO of the first slot row that has them.
class SlotIndex {
public:
  explicit SlotIndex(DbfTable& slots) : slots_(slots) {}
  // The slot code; nullopt when no row has them.
  std::optional<std::string> Find(const std::string& day, const std::string& hour,
                                  const std::string& frame) {
    if (!built_) Build();
    auto it = index_.find(Key(day, hour, frame));
    if (it == index_.end()) return std::nullopt;
    return it->second;
  }

private:
  static std::string Key(std::string_view a, std::string_view b, std::string_view c) {
    std::string key;
    for (std::string_view part : {a, b, c}) {
      key += std::to_string(part.size());
      key += ':';
      key += part;
    }
    return key;
  }
  void Build() {
    built_ = true;
    for (slots_.First(); !slots_.Eof(); slots_.Next()) {
      index_.try_emplace(Key(slots_.FieldByName("DIA").AsString(),
                             slots_.FieldByName("HORA").AsString(),
                             slots_.FieldByName("MARCO").AsString()),
                         slots_.FieldByName("CODDIHO").AsString());
    }
  }
  DbfTable& slots_;
  bool built_ = false;
  std::unordered_map<std::string, std::string> index_;
};

// The field found in `table` by exact locate, else `fallback` (found false).
std::string LookUp(DbfTable& table, const char* key_field, const std::string& key,
                   const char* result_field, const std::string& fallback, bool& found) {
  found = table.Locate(key_field, key);
  return found ? table.FieldByName(result_field).AsString() : fallback;
}

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

// A value wider than its column would move every later column of the record
// and ZARP would read a teacher as a room; a control byte (a CR or LF above
// all) would split the record into lines ZARP takes for records of their own.
// The run stops instead.
void AppendChecked(std::string& record, const std::string& value, std::size_t width,
                   std::size_t solucRecord, const char* what) {
  for (unsigned char ch : value) {
    if (ch >= 0x20) continue;
    throw RunError("El registro " + std::to_string(solucRecord) + " de SOLUC no se puede exportar: " +
                   what + " contiene el car\xE1" "cter de control " + std::to_string(ch) +
                   ", que ZARP_HORARIO.TXT no admite");
  }
  if (value.size() > width) {
    throw RunError("El registro " + std::to_string(solucRecord) + " de SOLUC no se puede exportar: " +
                   what + " vale '" + value + "', que tiene " + std::to_string(value.size()) +
                   " caracteres y ZARP_HORARIO.TXT solo tiene " + std::to_string(width) +
                   " columnas para ese dato");
  }
  AppendPadded(record, value, width);
}

std::string Head(const std::string& text, std::size_t n) { return text.substr(0, n); }

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
  BusyCursor busy(*c.host);

  const auto subjects = platform::FindFile(c.RutaCarpeta, "zarp_asignat.txt")
                            .value_or(c.RutaCarpeta / "zarp_asignat.txt");
  const std::string centre = CentreCode(LoadLines(subjects));

  std::vector<std::string> output;
  output.push_back(HeaderRecord(centre, platform::Now()));

  ImportTables tables(c.WorkingFolder);
  tables.OpenAll(c);
  DbfTable& soluc = tables[kSoluc];
  SlotIndex slots(tables[kDiasHoras]);
  bool found = true;
  for (soluc.First(); !soluc.Eof(); soluc.Next()) {
    if (soluc.FieldByName("DIA").AsInteger() == 0) {
      Warn(c, AvisoTipo::kClaseSinColocar, soluc.RecNo() + 1,
           soluc.FieldByName("CODGRUPO").AsString() + " " + soluc.FieldByName("ASIG").AsString());
      continue;
    }
    const std::size_t number = soluc.RecNo() + 1;
    const std::string hour = soluc.FieldByName("HORA").AsString();
    const std::string day = soluc.FieldByName("DIA").AsString();
    const std::string frame = Head(soluc.FieldByName("MARCO").AsString(), 1);
    const std::optional<std::string> slot_found = slots.Find(day, hour, frame);
    if (!slot_found) Warn(c, AvisoTipo::kFranjaDesconocida, number, day + " " + hour + " " + frame);
    const std::string slot = slot_found.value_or(std::string());

    const std::string group_code = soluc.FieldByName("CODGRUPO").AsString();
    const std::string task_code = soluc.FieldByName("TAREA").AsString();
    const std::string room_code = soluc.FieldByName("AULA").AsString();
    std::string record = "1";
    AppendChecked(record, slot, 4, number, "el c\xF3" "digo de franja (CODDIHO de DIASHORAST)");
    AppendChecked(record, day, 1, number, "el d\xED" "a (DIA)");
    AppendChecked(record, soluc.FieldByName("PROF").AsString(), 4, number, "el profesor (PROF)");
    // An empty group or room code (an activity's) is written empty: no warning.
    const std::string group =
        LookUp(tables[kGrupos], "ABREV", group_code, "ABREVCORTA", Head(group_code, 4), found);
    if (!found && !group_code.empty()) Warn(c, AvisoTipo::kGrupoDesconocido, number, group_code);
    AppendChecked(record, group, 4, number, "el grupo (ABREVCORTA de GRUPOST)");
    AppendChecked(record, LookUp(tables[kAsignaturas], "COD", task_code, "CODTAREA", "LEC", found), 4,
                  number, "la tarea (CODTAREA de ASIGNOMT)");
    if (!found) ++c.informe.tareas_lec;
    AppendChecked(record, soluc.FieldByName("ASIG").AsString(), 4, number, "la asignatura (ASIG)");
    const std::string room =
        LookUp(tables[kAulas], "ABREV", room_code, "ABREVCORTA", Head(room_code, 4), found);
    if (!found && !room_code.empty()) Warn(c, AvisoTipo::kAulaDesconocida, number, room_code);
    AppendChecked(record, room, 4, number, "el aula (ABREVCORTA de AULAT)");
    output.push_back(std::move(record));
  }
  tables.CloseAll();
  output.push_back(TrailerRecord(centre, platform::Now(), output.size() - 1));

  std::string bytes;
  for (const std::string& line : output) {
    bytes += line;
    bytes += "\r\n";
  }
  const auto target = platform::PathForWriting(c.RutaCarpeta, kHorarioFile);
  int error = 0;
  if (!platform::ReplaceFileAtomically(target, bytes, error)) {
    throw RunError("Cannot create file \"" + target.string() + "\". " +
                   platform::SystemErrorText(error));
  }
  c.report.push_back({std::string(kHorarioFile), output.size() - 2, 0});

  busy.End();
  c.Transformado = 1;
  c.Show("Proceso finalizado");
  return RunOutcome::kFinished;
}

}  // namespace tvz
