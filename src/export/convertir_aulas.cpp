// AULAT: rooms from zarp_aulas.txt; every data record becomes a room, without
// a duplicate test.
#include "export/converter_support.h"
#include "export/export_run.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

void ConvertirAulas(Conversion& c, TableDestination& tables) {
  auto input = RequiredInput(c, "zarp_aulas.txt", "No existe archivo de aulas (ZARP_AULAS.TXT)",
                             "AULAT");
  if (!input) return;
  Source at{"AULAT", "ZARP_AULAS.TXT", 0};
  LineReader reader = OpenRecords(c, *input, at, "ZARP_AULAS.TXT");
  auto table = NewTable(c, "AULAT",
                        {Str("ABREV", 10), Str("NOMBRE", 80), Str("EDIFICIO", 1),
                         {"MAXALUM", FieldType::ftInteger, 0}, Str("ABREVCORTA", 4)});
  Field abrev = table->FieldByName("ABREV"), nombre = table->FieldByName("NOMBRE"),
        abrevcorta = table->FieldByName("ABREVCORTA");
  std::string line;
  ReadingPlace place(c, at);
  while (reader.Next(line)) {
    ++at.linea;
    if (IsSkippedRecord(line, "ZARP_AULAS.TXT")) continue;
    table->Append();
    abrev.SetAsString(ColumnText(line, 2, 10));
    SetText(c, nombre, ColumnText(line, 86, 100), at);
    abrevcorta.SetAsString(ColumnText(line, 12, 4));
    table->Post();
  }
  reader.Close();
  place.End();
  FinishTable(c, tables, std::move(table));
}

}  // namespace tvz
