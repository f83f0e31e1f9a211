#pragma once
// The records of ZARP_HORARIO.TXT: fixed columns, every line ending CR LF.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "records/line_reader.h"

namespace tvz {

inline constexpr std::string_view kHorarioFile = "ZARP_HORARIO.TXT";

// The centre code: columns 52 to 59 of the first line that starts with "0",
// not trimmed; shorter or empty where the line ends first; empty without
// such a line.
struct CentreCode {
  std::string code;
  std::uint64_t line = 0;  // the header's line (1-based); 0 without one
};
CentreCode FindCentreCode(const TextLines& lines);

// "ddmmyyyyhhnn".
std::string Timestamp(const platform::LocalTime& t);

// Header ("0") or trailer ("9"): the file name in 50 columns, the centre code
// in 8, the timestamp; the trailer adds the number of data records.
std::string HeaderRecord(const std::string& centre, const platform::LocalTime& t);
std::string TrailerRecord(const std::string& centre, const platform::LocalTime& t,
                          std::uint64_t data_records);

// One field: the value followed by blanks up to `width`.
// REQUIRES: value.size() <= width.
void AppendPadded(std::string& record, std::string_view value, std::size_t width);

// The columns of a data record, in the order they follow its "1": how wide
// each is, and what it holds, as an error names it.
enum class HorarioColumn { kFranja, kDia, kProfesor, kGrupo, kTarea, kAsignatura, kAula };
struct HorarioColumnFormat {
  HorarioColumn column;
  std::size_t width;
  const char* what;  // cp1252
};
inline constexpr HorarioColumnFormat kHorarioColumns[] = {
    {HorarioColumn::kFranja, 4, "el c\xF3" "digo de franja (CODDIHO de DIASHORAST)"},
    {HorarioColumn::kDia, 1, "el d\xED" "a (DIA)"},
    {HorarioColumn::kProfesor, 4, "el profesor (PROF)"},
    {HorarioColumn::kGrupo, 4, "el grupo (ABREVCORTA de GRUPOST)"},
    {HorarioColumn::kTarea, 4, "la tarea (CODTAREA de ASIGNOMT)"},
    {HorarioColumn::kAsignatura, 4, "la asignatura (ASIG)"},
    {HorarioColumn::kAula, 4, "el aula (ABREVCORTA de AULAT)"},
};

// One data record, appended to `out` column by column (each Put after the
// one before it), ended by End(). A value wider than its column would move
// every later column and ZARP would read a teacher as a room; a control byte
// (a CR or LF above all) would split the record into lines ZARP takes for
// records of their own: either is a RunError naming SOLUC's record, and the
// run stops.
class HorarioRecord {
public:
  HorarioRecord(std::string& out, std::size_t soluc_record);
  void Put(HorarioColumn column, std::string_view value);
  void End();  // CR LF

private:
  std::string& out_;
  std::size_t soluc_record_;
};

}  // namespace tvz
