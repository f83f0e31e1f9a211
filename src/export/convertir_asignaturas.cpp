// ASIGNOMT: subjects from zarp_asignat.txt, then activities (tasks) from
// ZARP_ACTIVIDADES.TXT, sharing one list of codes.
#include "export/converter_support.h"
#include "export/export_run.h"
#include "platform/files.h"
#include "records/code_list.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

void ConvertirAsignaturas(Conversion& c) {
  auto subjects = RequiredInput(c, "zarp_asignat.txt",
                                "No existe archivo de asignaturas (ZARP_ASIGNAT.TXT)");
  if (!subjects) return;  // ASIGNOMT stays as it was; activities are not read
  LineReader reader(*subjects);
  auto table = NewTable(c, "ASIGNOMT",
                        {Str("COD", 10), Str("CODLARGO", 10), Str("NOMBRE", 80),
                         {"ESTAREA", FieldType::ftBoolean, 0}, Str("CODTAREA", 10)});
  Field cod = table->FieldByName("COD"), codlargo = table->FieldByName("CODLARGO"),
        nombre = table->FieldByName("NOMBRE"), estarea = table->FieldByName("ESTAREA"),
        codtarea = table->FieldByName("CODTAREA");
  CodeList codes;
  std::uint64_t skipped = 0;
  std::string line;
  while (reader.Next(line)) {
    if (IsSkippedRecord(line, "ZARP_ASIGNAT.TXT")) continue;
    const std::string code = ColumnField(line, 2, 4);
    if (!codes.AddIfNew(code)) {
      ++skipped;
      continue;
    }
    table->Append();
    cod.SetAsString(code);
    codlargo.SetAsString(ColumnField(line, 6, 20));
    nombre.SetAsString(ColumnField(line, 26, 150));
    estarea.SetAsBoolean(false);
    table->Post();
  }
  reader.Close();

  // Activities are optional: without the file, ASIGNOMT holds subjects only.
  if (auto activities = platform::FindFile(c.RutaCarpeta, "ZARP_ACTIVIDADES.TXT")) {
    LineReader tasks(*activities);
    while (tasks.Next(line)) {
      if (IsSkippedRecord(line, "ZARP_ACTIVIDADES.TXT")) continue;
      // The asterisk goes before the trimmed code: a blank code gives "*".
      const std::string code = "*" + ColumnField(line, 2, 4);
      if (!codes.AddIfNew(code)) {
        ++skipped;
        continue;
      }
      table->Append();
      cod.SetAsString(code);
      codlargo.SetAsString(ColumnField(line, 6, 10));
      nombre.SetAsString(ColumnField(line, 6, 60));
      estarea.SetAsBoolean(true);
      codtarea.SetAsString(ColumnField(line, 66, 3));
      table->Post();
    }
    tasks.Close();
  }
  FinishTable(c, *table, "ASIGNOMT", skipped);
}

}  // namespace tvz
