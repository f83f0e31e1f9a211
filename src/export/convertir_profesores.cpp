// PROFT: teachers from zarp_prof.txt; a repeated abbreviation (in any letter
// case) keeps its first teacher.
#include "export/converter_support.h"
#include "export/export_run.h"
#include "records/code_list.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

void ConvertirProfesores(Conversion& c, TableDestination& tables) {
  auto input = RequiredInput(c, "zarp_prof.txt", "No existe archivo de profesores (ZARP_PROF.TXT)",
                             "PROFT");
  if (!input) return;
  Source at{"PROFT", "ZARP_PROF.TXT", 0};
  LineReader reader = OpenRecords(c, *input, at, "ZARP_PROF.TXT");
  auto table = NewTable(c, "PROFT",
                        {Str("ABREV", 10), Str("NOMBRE", 80), Str("DEPART", 40),
                         {"DNI", FieldType::ftInteger, 0}});
  Field abrev = table->FieldByName("ABREV"), nombre = table->FieldByName("NOMBRE"),
        depart = table->FieldByName("DEPART");
  CodeList codes;
  std::vector<std::uint64_t> first_lines;  // by code, the line it was written from
  std::uint64_t skipped = 0;
  std::string line;
  ReadingPlace place(c, at);
  while (reader.Next(line)) {
    ++at.linea;
    if (IsSkippedRecord(line, "ZARP_PROF.TXT")) continue;
    const std::string_view abbreviation = ColumnText(line, 2, 4);
    if (const std::size_t held = codes.AddOrFind(abbreviation); held != CodeList::kAdded) {
      ++skipped;
      Warn(c, AvisoTipo::kDuplicado, at, std::string(abbreviation));
      c.informe.avisos.back().linea_primera = first_lines[held];
      continue;
    }
    first_lines.push_back(at.linea);
    table->Append();
    abrev.SetAsString(abbreviation);
    SetText(c, nombre, ColumnText(line, 6, 90), at);
    SetText(c, depart, ColumnText(line, 96, 50), at);
    table->Post();
  }
  reader.Close();
  place.End();
  FinishTable(c, tables, std::move(table), skipped);
}

}  // namespace tvz
