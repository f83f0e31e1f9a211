// PROFT: teachers from zarp_prof.txt; a repeated abbreviation (in any letter
// case) keeps its first teacher.
#include "export/converter_support.h"
#include "export/export_run.h"
#include "records/code_list.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

void ConvertirProfesores(Conversion& c) {
  auto input = RequiredInput(c, "zarp_prof.txt", "No existe archivo de profesores (ZARP_PROF.TXT)");
  if (!input) return;
  LineReader reader(*input);
  auto table = NewTable(c, "PROFT",
                        {Str("ABREV", 10), Str("NOMBRE", 80), Str("DEPART", 40),
                         {"DNI", FieldType::ftInteger, 0}});
  CodeList codes;
  std::uint64_t skipped = 0;
  std::string line;
  while (reader.Next(line)) {
    if (IsSkippedRecord(line, "ZARP_PROF.TXT")) continue;
    const std::string abbreviation = ColumnField(line, 2, 4);
    if (!codes.AddIfNew(abbreviation)) {
      ++skipped;
      continue;
    }
    table->Append();
    table->FieldByName("ABREV").SetAsString(abbreviation);
    table->FieldByName("NOMBRE").SetAsString(ColumnField(line, 6, 90));
    table->FieldByName("DEPART").SetAsString(ColumnField(line, 96, 50));
    table->Post();
  }
  reader.Close();
  FinishTable(c, *table, "PROFT", skipped);
}

}  // namespace tvz
