// GRUPOST: groups from zarp_grupo.txt, with a composed description.
#include "export/converter_support.h"
#include "export/export_run.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

void ConvertirGrupos(Conversion& c, TableDestination& tables) {
  auto input = RequiredInput(c, "zarp_grupo.txt", "No existe archivo de grupos (ZARP_GRUPO.TXT)",
                             "GRUPOST");
  if (!input) return;
  Source at{"GRUPOST", "ZARP_GRUPO.TXT", 0};
  // ZARP names the groups file ZARP_GRUPOS.TXT inside its records.
  LineReader reader = OpenRecords(c, *input, at, "ZARP_GRUPOS.TXT");
  auto table = NewTable(c, "GRUPOST",
                        {Str("ABREV", 10), Str("TURNO", 1), Str("NIVEL", 5), Str("CURSO", 3),
                         Str("GRUPO", 2), Str("MARCO", 1), Str("UNIDAD", 10), Str("DESCRIP", 80),
                         Str("ABREVCORTA", 4)});
  DbfTable& t = *table;
  Field abrev = t.FieldByName("ABREV"), turno = t.FieldByName("TURNO"),
        nivel = t.FieldByName("NIVEL"), curso = t.FieldByName("CURSO"),
        grupo = t.FieldByName("GRUPO"), marco = t.FieldByName("MARCO"),
        unidad = t.FieldByName("UNIDAD"), descrip = t.FieldByName("DESCRIP"),
        abrevcorta = t.FieldByName("ABREVCORTA");
  std::string line;
  ReadingPlace place(c, at);
  while (reader.Next(line)) {
    ++at.linea;
    if (IsSkippedRecord(line, "ZARP_GRUPOS.TXT")) continue;
    const std::string unit = ColumnField(line, 2, 10);
    const std::string shift = ColumnField(line, 35, 3);
    std::string level = ColumnField(line, 16, 3);
    const std::string course = ColumnField(line, 22, 3);
    const std::string letter = unit.empty() ? std::string() : unit.substr(unit.size() - 1);
    if (level.empty()) {
      level = "NIV";
      Warn(c, AvisoTipo::kGrupoSinNivel, at, unit);
    }

    t.Append();
    abrev.SetAsString(unit);
    turno.SetAsString(shift);  // the field keeps the first byte
    nivel.SetAsString(level);
    curso.SetAsString(course);
    grupo.SetAsString(letter);
    marco.SetAsString("0");
    unidad.SetAsString(unit);
    // Every separator is written, also next to an empty piece.
    descrip.SetAsString("(" + ColumnField(line, 25, 10) + ") " + shift + " " + level + " " + course +
                        " " + letter);
    abrevcorta.SetAsString(ColumnText(line, 12, 4));
    t.Post();
  }
  reader.Close();
  place.End();
  FinishTable(c, tables, std::move(table));
}

}  // namespace tvz
