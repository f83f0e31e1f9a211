// The import run: SOLUC, walked in stored order, becomes ZARP_HORARIO.TXT.
// The slot, group, task and room look-ups give the first match in stored
// order, through indexes built once per run.
#include "import/import_run.h"

#include <array>
#include <deque>
#include <exception>
#include <optional>

#include "core/errors.h"
#include "core/text_map.h"
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
  std::optional<std::string_view> Find(std::string_view day, std::string_view hour,
                                       std::string_view frame) {
    if (!built_) Build();
    auto it = index_.find(Key(day, hour, frame));
    if (it == index_.end()) return std::nullopt;
    return it->second;
  }

private:
  // The three parts as one key, built in key_, whose buffer is reused.
  const std::string& Key(std::string_view a, std::string_view b, std::string_view c) {
    key_.clear();
    for (std::string_view part : {a, b, c}) AppendKeyPart(key_, part);
    return key_;
  }
  void Build() {
    built_ = true;
    const Field day = slots_.FieldByName("DIA"), hour = slots_.FieldByName("HORA"),
                frame = slots_.FieldByName("MARCO"), code = slots_.FieldByName("CODDIHO");
    for (slots_.First(); !slots_.Eof(); slots_.Next())
      index_.try_emplace(Key(day.Text(), hour.Text(), frame.Text()), code.AsString());
  }
  DbfTable& slots_;
  bool built_ = false;
  std::string key_;
  TextMap<std::string> index_;
};

// A look-up table: the result field of the first record (stored order)
// whose key field reads as the given text, as a locate finds it. Read once,
// on the first look-up, into one flat table of key and result (views of the
// table's records, which do not change while the run holds the table; copies
// where a text had to be converted), so that a look-up is one probe and does
// not visit the record.
class LookUp {
public:
  LookUp(DbfTable& t, const char* key_field, const char* result_field)
      : table_(t), key_field_(key_field), result_field_(result_field) {}
  // The result of the match, else `fallback` (found false).
  std::string_view Find(std::string_view text, std::string_view fallback, bool& found) {
    if (!built_) Build();
    const auto it = index_.find(text);
    found = it != index_.end();
    if (found && no_result_) std::rethrow_exception(no_result_);
    return found ? it->second : fallback;
  }

private:
  void Build() {
    built_ = true;
    const Field key = table_.FieldByName(key_field_);
    // A missing result field is an error at the first match, as when each
    // look-up read the record it found.
    std::optional<Field> result;
    try {
      result = table_.FieldByName(result_field_);
    } catch (const RunError&) {
      no_result_ = std::current_exception();
    }
    index_.reserve(table_.RecordCount());
    for (table_.First(); !table_.Eof(); table_.Next()) {
      auto [it, added] = index_.try_emplace(Kept(key));
      if (added && result) it->second = Kept(*result);
    }
  }
  std::string_view Kept(const Field& field) {
    if (const auto text = field.TextInPlace()) return *text;
    return converted_.emplace_back(field.AsString());
  }
  DbfTable& table_;
  const char* key_field_;
  const char* result_field_;
  bool built_ = false;
  std::exception_ptr no_result_;
  std::deque<std::string> converted_;  // texts that are not in the records as they read
  ViewMap<std::string_view> index_;
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

// A value wider than its column would move every later column of the record
// and ZARP would read a teacher as a room; a control byte (a CR or LF above
// all) would split the record into lines ZARP takes for records of their own.
// The run stops instead.
void AppendChecked(std::string& record, std::string_view value, std::size_t width,
                   std::size_t solucRecord, const char* what) {
  for (unsigned char ch : value) {
    if (ch >= 0x20) continue;
    throw RunError("El registro " + std::to_string(solucRecord) + " de SOLUC no se puede exportar: " +
                   what + " contiene el car\xE1" "cter de control " + std::to_string(ch) +
                   ", que ZARP_HORARIO.TXT no admite");
  }
  if (value.size() > width) {
    throw RunError("El registro " + std::to_string(solucRecord) + " de SOLUC no se puede exportar: " +
                   what + " vale '" + std::string(value) + "', que tiene " + std::to_string(value.size()) +
                   " caracteres y ZARP_HORARIO.TXT solo tiene " + std::to_string(width) +
                   " columnas para ese dato");
  }
  AppendPadded(record, value, width);
}

std::string_view Head(std::string_view text, std::size_t n) { return text.substr(0, n); }

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
  bool found = true;
  for (soluc.First(); !soluc.Eof(); soluc.Next()) {
    if (dia.AsInteger() == 0) {
      Warn(c, AvisoTipo::kClaseSinColocar, soluc.RecNo() + 1,
           codgrupo.AsString() + " " + asig.AsString());
      continue;
    }
    const std::size_t number = soluc.RecNo() + 1;
    // Views of the SOLUC record, which stays current through the record.
    const std::string_view hour = hora.Text(), day = dia.Text(), frame = Head(marco.Text(), 1);
    const std::optional<std::string_view> slot_found = slots.Find(day, hour, frame);
    if (!slot_found) {
      Warn(c, AvisoTipo::kFranjaDesconocida, number,
           std::string(day) + " " + std::string(hour) + " " + std::string(frame));
    }
    const std::string_view group_code = codgrupo.Text(), task_code = tarea.Text(),
                           room_code = aula.Text();
    bytes += '1';
    AppendChecked(bytes, slot_found.value_or(std::string_view()), 4, number,
                  "el c\xF3" "digo de franja (CODDIHO de DIASHORAST)");
    AppendChecked(bytes, day, 1, number, "el d\xED" "a (DIA)");
    AppendChecked(bytes, prof.Text(), 4, number, "el profesor (PROF)");
    // An empty group or room code (an activity's) is written empty: no warning.
    const std::string_view group = groups.Find(group_code, Head(group_code, 4), found);
    if (!found && !group_code.empty()) {
      Warn(c, AvisoTipo::kGrupoDesconocido, number, std::string(group_code));
    }
    AppendChecked(bytes, group, 4, number, "el grupo (ABREVCORTA de GRUPOST)");
    AppendChecked(bytes, tasks.Find(task_code, "LEC", found), 4, number,
                  "la tarea (CODTAREA de ASIGNOMT)");
    if (!found) ++c.informe.tareas_lec;
    AppendChecked(bytes, asig.Text(), 4, number, "la asignatura (ASIG)");
    const std::string_view room = rooms.Find(room_code, Head(room_code, 4), found);
    if (!found && !room_code.empty()) Warn(c, AvisoTipo::kAulaDesconocida, number, std::string(room_code));
    AppendChecked(bytes, room, 4, number, "el aula (ABREVCORTA de AULAT)");
    bytes += "\r\n";
    ++records;
  }
  tables.CloseAll();
  bytes += TrailerRecord(centre, platform::Now(), records);
  bytes += "\r\n";
  const auto target = platform::PathForWriting(c.RutaCarpeta, kHorarioFile);
  int error = 0;
  if (!platform::ReplaceFileAtomically(target, bytes, error)) {
    throw RunError("Cannot create file \"" + target.string() + "\". " +
                   platform::SystemErrorText(error));
  }
  c.report.push_back({std::string(kHorarioFile), records, 0});

  busy.End();
  c.Transformado = 1;
  c.Show("Proceso finalizado");
  return RunOutcome::kFinished;
}

}  // namespace tvz
