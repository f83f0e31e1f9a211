// DIASHORAST: the weekly slots of zarp_sesiones.txt. The hour number of a
// slot is the rank of its start time among the distinct start times of the
// whole week, so the same start time has the same hour on every day.
#include <algorithm>

#include "core/number_text.h"
#include "export/converter_support.h"
#include "export/export_run.h"
#include "records/code_list.h"
#include "records/line_reader.h"
#include "records/zarp_record.h"

namespace tvz {

namespace {

// Monday to Sunday; any other value is kept as read (known false).
std::string DayNumber(const std::string& letter, bool& known) {
  static constexpr const char* kLetters = "LMXJVSD";
  known = true;
  if (letter.size() == 1)
    for (int i = 0; i < 7; ++i)
      if (letter[0] == kLetters[i]) return std::to_string(i + 1);
  known = false;
  return letter;
}

// "0800" -> "08:00"; shorter columns give shorter pieces ("800" -> "80:0").
std::string TimeText(const std::string& t) {
  return t.substr(0, std::min<std::size_t>(2, t.size())) + ":" + (t.size() > 2 ? t.substr(2, 2) : "");
}

std::string HourOf(const std::string& time_text) { return time_text.substr(0, 2); }
std::string MinuteOf(const std::string& time_text) {
  return time_text.size() > 3 ? time_text.substr(3, 2) : std::string();
}

}  // namespace

void ConvertirSesiones(Conversion& c, TableDestination& tables) {
  auto input = RequiredInput(c, "zarp_sesiones.txt",
                             "No existe archivo de grupos (ZARP_SESIONES.TXT)", "DIASHORAST");
  if (!input) return;
  SortedCodeList starts;
  Source at{"DIASHORAST", "ZARP_SESIONES.TXT", 0};
  const TextLines lines = LoadRecords(c, *input, at, "ZARP_SESIONES.TXT");
  auto table = NewTable(c, "DIASHORAST",
                        {Str("DIHO", 10), Str("CODDIHO", 10), Str("DIA", 20), Str("TEXTODIA", 20),
                         Str("HORA", 8), Str("TEXTOHOR", 15), Str("HORADESDE", 8),
                         Str("HORAHASTA", 8), Str("MINUTOS", 8), Str("MARCO", 1),
                         Str("MARCOXML", 10)});
  DbfTable& t = *table;
  Field diho = t.FieldByName("DIHO"), coddiho = t.FieldByName("CODDIHO"), dia = t.FieldByName("DIA"),
        hora = t.FieldByName("HORA"), textohor = t.FieldByName("TEXTOHOR"),
        horadesde = t.FieldByName("HORADESDE"), horahasta = t.FieldByName("HORAHASTA"),
        minutos = t.FieldByName("MINUTOS"), marco = t.FieldByName("MARCO");

  // Pass 1: one slot per data line.
  ReadingPlace place(c, at);
  for (std::string_view line : lines) {
    ++at.linea;
    if (IsSkippedRecord(line, "ZARP_SESIONES.TXT")) continue;
    const std::string raw_start = ColumnField(line, 10, 4);
    const std::string start = TimeText(raw_start);
    starts.Add(start);
    const std::string end = TimeText(ColumnField(line, 14, 4));
    // Read in this order, so the first piece that is not a number is named.
    const int end_hour = StrToInt(HourOf(end));
    const int start_hour = StrToInt(HourOf(start));
    const int end_minute = StrToInt(MinuteOf(end));
    const int start_minute = StrToInt(MinuteOf(start));
    const int minutes = (end_hour - start_hour) * 60 + (end_minute - start_minute);

    if (minutes < 0) Warn(c, AvisoTipo::kMinutosNegativos, at, start + "-" + end);
    const std::string letter = ColumnField(line, 9, 1);
    bool known_day = true;
    const std::string day = DayNumber(letter, known_day);
    if (!known_day) Warn(c, AvisoTipo::kDiaDesconocido, at, letter);

    t.Append();
    dia.SetAsString(day);
    hora.SetAsString(raw_start);  // pass 2 puts the hour number here
    coddiho.SetAsString(ColumnText(line, 5, 4));
    textohor.SetAsString("-" + start + "-" + end);
    horadesde.SetAsString(start);
    horahasta.SetAsString(end);
    minutos.SetAsString(std::to_string(minutes));
    marco.SetAsString("0");
    t.Post();
  }

  place.End();

  // Pass 2: hour numbers, slot keys and slot texts.
  for (t.First(); !t.Eof(); t.Next()) {
    const int hour = starts.IndexOf(horadesde.AsString()) + 1;
    t.Edit();
    hora.SetAsString(std::to_string(hour));
    diho.SetAsString(dia.AsString() + hora.AsString());
    textohor.SetAsString(std::to_string(hour) + textohor.AsString());
    t.Post();
  }
  FinishTable(c, tables, std::move(table));
}

}  // namespace tvz
