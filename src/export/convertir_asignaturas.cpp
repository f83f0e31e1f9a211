// ASIGNOMT: subjects from zarp_asignat.txt, then activities (tasks) from
// ZARP_ACTIVIDADES.TXT, sharing one list of codes.
#include "export/converter_support.h"
#include "export/export_run.h"
#include "platform/files.h"
#include "records/code_list.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

void ConvertirAsignaturas(Conversion& c, TableDestination& tables) {
  auto subjects = RequiredInput(c, "zarp_asignat.txt",
                                "No existe archivo de asignaturas (ZARP_ASIGNAT.TXT)", "ASIGNOMT");
  if (!subjects) return;  // ASIGNOMT stays as it was; activities are not read
  Source at{"ASIGNOMT", "ZARP_ASIGNAT.TXT", 0};
  LineReader reader = OpenRecords(c, *subjects, at, "ZARP_ASIGNAT.TXT");
  auto table = NewTable(c, "ASIGNOMT",
                        {Str("COD", 10), Str("CODLARGO", 10), Str("NOMBRE", 80),
                         {"ESTAREA", FieldType::ftBoolean, 0}, Str("CODTAREA", 10)});
  Field cod = table->FieldByName("COD"), codlargo = table->FieldByName("CODLARGO"),
        nombre = table->FieldByName("NOMBRE"), estarea = table->FieldByName("ESTAREA"),
        codtarea = table->FieldByName("CODTAREA");
  CodeList codes;
  // Where each code was first written: the line, and whether in the subjects
  // file (codes up to subject_codes) or the activities file.
  std::vector<std::uint64_t> first_lines;
  std::size_t subject_codes = static_cast<std::size_t>(-1);
  std::uint64_t skipped = 0;
  std::string line;
  auto duplicate = [&](std::size_t held, const Source& at, std::string_view code) {
    ++skipped;
    Warn(c, AvisoTipo::kDuplicado, at, std::string(code));
    Aviso& a = c.informe.avisos.back();
    a.linea_primera = first_lines[held];
    a.fichero_primera = held < subject_codes ? "ZARP_ASIGNAT.TXT" : "ZARP_ACTIVIDADES.TXT";
  };
  ReadingPlace place(c, at);
  while (reader.Next(line)) {
    ++at.linea;
    if (IsSkippedRecord(line, "ZARP_ASIGNAT.TXT")) continue;
    const std::string_view code = ColumnText(line, 2, 4);
    if (const std::size_t held = codes.AddOrFind(code); held != CodeList::kAdded) {
      duplicate(held, at, code);
      continue;
    }
    first_lines.push_back(at.linea);
    table->Append();
    cod.SetAsString(code);
    SetText(c, codlargo, ColumnText(line, 6, 20), at);
    SetText(c, nombre, ColumnText(line, 26, 150), at);
    estarea.SetAsBoolean(false);
    table->Post();
  }
  reader.Close();
  subject_codes = first_lines.size();

  // Activities are optional: without the file, ASIGNOMT holds subjects only.
  if (auto activities = OptionalInput(c, "ZARP_ACTIVIDADES.TXT", "ASIGNOMT")) {
    at = {"ASIGNOMT", "ZARP_ACTIVIDADES.TXT", 0};
    LineReader tasks = OpenRecords(c, *activities, at, "ZARP_ACTIVIDADES.TXT");
    std::string code;
    while (tasks.Next(line)) {
      ++at.linea;
      if (IsSkippedRecord(line, "ZARP_ACTIVIDADES.TXT")) continue;
      // The asterisk goes before the trimmed code: a blank code gives "*".
      code = "*";
      code += ColumnText(line, 2, 4);
      if (const std::size_t held = codes.AddOrFind(code); held != CodeList::kAdded) {
        duplicate(held, at, code);
        continue;
      }
      first_lines.push_back(at.linea);
      table->Append();
      cod.SetAsString(code);
      codlargo.SetAsString(ColumnText(line, 6, 10));
      nombre.SetAsString(ColumnText(line, 6, 60));
      estarea.SetAsBoolean(true);
      codtarea.SetAsString(ColumnText(line, 66, 3));
      table->Post();
    }
    tasks.Close();
  }
  place.End();
  FinishTable(c, tables, std::move(table), skipped);
}

}  // namespace tvz
