// AULAT: rooms from zarp_aulas.txt; every data record becomes a room, without
// a duplicate test.
#include "export/converter_support.h"
#include "export/export_run.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

void ConvertirAulas(Conversion& c) {
  auto input = RequiredInput(c, "zarp_aulas.txt", "No existe archivo de aulas (ZARP_AULAS.TXT)",
                             "AULAT");
  if (!input) return;
  LineReader reader(*input);
  auto table = NewTable(c, "AULAT",
                        {Str("ABREV", 10), Str("NOMBRE", 80), Str("EDIFICIO", 1),
                         {"MAXALUM", FieldType::ftInteger, 0}, Str("ABREVCORTA", 4)});
  std::string line;
  Source at{"AULAT", "ZARP_AULAS.TXT", 0};
  while (reader.Next(line)) {
    ++at.linea;
    if (IsSkippedRecord(line, "ZARP_AULAS.TXT")) continue;
    table->Append();
    table->FieldByName("ABREV").SetAsString(ColumnField(line, 2, 10));
    SetText(c, table->FieldByName("NOMBRE"), ColumnField(line, 86, 100), at);
    table->FieldByName("ABREVCORTA").SetAsString(ColumnField(line, 12, 4));
    table->Post();
  }
  reader.Close();
  FinishTable(c, *table, "AULAT");
}

}  // namespace tvz
