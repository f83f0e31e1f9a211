// ASIGT: one record per subject a group is taught (zarp_asignatgrupo.txt),
// completed with the group's data from GRUPOST and the weekly hours of
// zarp_asignatcurso.txt (export/hours.h). First matches win, as in a scan in
// stored order; the look-ups are hash indexes so the cost stays linear.
#include <array>

#include "core/text_map.h"
#include "export/converter_support.h"
#include "export/export_run.h"
#include "export/hours.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

namespace {

constexpr std::array<const char*, 4> kGroupFields = {"TURNO", "NIVEL", "CURSO", "GRUPO"};

// Group code -> TURNO, NIVEL, CURSO, GRUPO of the first group with that code:
// the GRUPOST this run built, where the destination kept it; otherwise (and
// when this run had no groups file) the table in the working folder.
TextMap<std::array<std::string, 4>> IndexGroups(const Conversion& c, TableDestination& tables) {
  DbfTable from_file;
  DbfTable* built = tables.Built("GRUPOST");
  DbfTable& groups = built ? *built : from_file;
  if (!built) {
    groups.DatabaseName = c.WorkingFolder;
    groups.TableName = "GRUPOST.DBF";
    groups.Type = TableType::ttDefault;
    groups.ReadOnly = true;
    groups.Open();
  }
  TextMap<std::array<std::string, 4>> index;
  index.reserve(groups.RecordCount());
  const Field abrev = groups.FieldByName("ABREV");
  const std::array<Field, 4> fields = {
      groups.FieldByName(kGroupFields[0]), groups.FieldByName(kGroupFields[1]),
      groups.FieldByName(kGroupFields[2]), groups.FieldByName(kGroupFields[3])};
  for (groups.First(); !groups.Eof(); groups.Next()) {
    auto [it, inserted] = index.try_emplace(std::string(abrev.Text()));
    if (!inserted) continue;
    for (std::size_t i = 0; i < fields.size(); ++i) it->second[i] = fields[i].AsString();
  }
  if (!built) groups.Close();
  return index;
}

}  // namespace

void ConvertirAsignaturasGrupo(Conversion& c, TableDestination& tables) {
  auto input = RequiredInput(c, "zarp_asignatgrupo.txt",
                             "No existe archivo de grupos (ZARP_ASIGNATGRUPO.TXT)", "ASIGT");
  if (!input) return;
  Source at{"ASIGT", "ZARP_ASIGNATGRUPO.TXT", 0};
  LineReader reader = OpenRecords(c, *input, at, "ZARP_ASIGNATGRUPO.TXT");
  auto table = NewTable(
      c, "ASIGT",
      {Str("CASIG", 10), Str("CPROF", 10), Str("CGRUP", 10), Str("CAULA", 10), Str("CTAREA", 10),
       Str("TURNO", 1), Str("NIVEL", 5), Str("CURSO", 3), Str("GRUPO", 2),
       {"HORAS", FieldType::ftFloat, 0}, Str("SESIONES", 20), Str("NCONEX", 4)});
  DbfTable& t = *table;

  Field casig = t.FieldByName("CASIG"), cgrup = t.FieldByName("CGRUP"),
        ctarea = t.FieldByName("CTAREA"), nivel = t.FieldByName("NIVEL"),
        curso = t.FieldByName("CURSO"), horas = t.FieldByName("HORAS"),
        sesiones = t.FieldByName("SESIONES");
  std::array<Field, 4> group_fields = {t.FieldByName(kGroupFields[0]), t.FieldByName(kGroupFields[1]),
                                       t.FieldByName(kGroupFields[2]), t.FieldByName(kGroupFields[3])};

  // Pass 1: the assignments, in file order; lines[n] is the line of record n.
  std::vector<std::uint64_t> lines;
  std::string line;
  ReadingPlace place(c, at);
  while (reader.Next(line)) {
    ++at.linea;
    if (IsSkippedRecord(line, "ZARP_ASIGNATGRUPO.TXT")) continue;
    lines.push_back(at.linea);
    t.Append();
    casig.SetAsString(ColumnText(line, 16, 4));
    cgrup.SetAsString(ColumnText(line, 2, 10));
    ctarea.SetAsString("*LEC");
    t.Post();
  }
  reader.Close();
  place.End();

  // Pass 2: the group's data, by exact (case-sensitive) group code.
  auto line_of = [&](std::size_t record) {
    return Source{"ASIGT", "ZARP_ASIGNATGRUPO.TXT", lines[record]};
  };
  {
    const auto groups = IndexGroups(c, tables);  // freed before the hours are read
    for (t.First(); !t.Eof(); t.Next()) {
      auto found = groups.find(cgrup.Text());
      if (found == groups.end()) {
        Warn(c, AvisoTipo::kGrupoDesconocido, line_of(t.RecNo()), cgrup.AsString());
        continue;
      }
      t.Edit();
      for (std::size_t i = 0; i < group_fields.size(); ++i) group_fields[i].SetAsString(found->second[i]);
      t.Post();
    }
  }

  auto hours_file = OptionalInput(c, "zarp_asignatcurso.txt", "ASIGT");
  if (!hours_file) {
    // The table keeps what passes 1 and 2 wrote; the run status is unchanged.
    c.Show("No existe archivo de grupos (ZARP_ASIGNATCURSO.TXT)");
    FinishTable(c, tables, std::move(table));
    return;
  }

  // Pass 3: weekly hours, by exact subject, level and course. The records it
  // gives hours (at least 1) are marked; the others still have blank HORAS.
  std::vector<bool> has_hours(t.RecordCount());
  {
    HoursIndex hours(c, *hours_file, horas);
    for (t.First(); !t.Eof(); t.Next()) {
      const HoursIndex::Hours* h = hours.Find(casig.Text(), nivel.Text(), curso.Text());
      if (h == nullptr) continue;
      t.Edit();
      horas.SetAsFloat(h->hours);
      if (h->raised) Warn(c, AvisoTipo::kHorasMinimas, line_of(t.RecNo()), std::string(h->column));
      sesiones.SetAsString(SessionString(h->hours));
      has_hours[t.RecNo()] = true;
      t.Post();
    }
  }

  // Pass 4: one weekly hour for every assignment the hours file did not name.
  for (t.First(); !t.Eof(); t.Next()) {
    if (has_hours[t.RecNo()]) continue;
    Warn(c, AvisoTipo::kSinHoras, line_of(t.RecNo()), casig.AsString());
    t.Edit();
    horas.SetAsFloat(1);
    sesiones.SetAsString("1");
    t.Post();
  }
  FinishTable(c, tables, std::move(table));
}

}  // namespace tvz
