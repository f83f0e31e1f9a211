#pragma once
// Weekly hours of a subject: the hours file's index, the hours text as a
// number and the session string the timetabling program reads them as.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/conversion.h"
#include "core/text_map.h"
#include "tables/dbf_table.h"

namespace tvz {

// The hours column as a number: empty means 1, a comma is a decimal point.
// Not a number: RunError "'%s' no es un valor punto flotante válido" (with
// the commas already replaced). Hours whose whole part does not fit a 32-bit
// integer: RunError naming the text (no school has them; the table must not
// get a value its readers overflow on).
double HoursFromText(std::string_view column);

// n = whole part of h (h >= 1): n ones up to 13; from 14 on, the number n-13
// followed by thirteen ones; then the half mark (0xBD) when h has a fraction.
std::string SessionString(double hours);

// The weekly hours of the hours file (zarp_asignatcurso.txt) by exact
// subject, level and course: the first line that names them wins, as in a
// scan in file order. A line's hours are read on the first Find that reaches
// the line, and kept: a bad hours text stops the run at the first assignment
// that needs it, and a line no assignment needs is never read.
class HoursIndex {
public:
  struct Hours {
    double hours = 0;     // as the table's hours field keeps them, at least 1
    bool raised = false;  // read below 1 and raised to 1
    // Its line of the hours file (saturated at 2^32 - 1), where an error in
    // its hours text is placed; beside `raised`, it costs no memory.
    std::uint32_t line = 0;
    std::string_view column;  // the hours text as read
  };

  // Reads `file` whole (ASIGT's lines are `c`'s warnings): a first line
  // whose hours are blank (read as 1 hour) is reported as horas_vacias.
  // `horas` is the field the hours go to: they are kept with its decimals.
  // `c` must outlive the index.
  HoursIndex(Conversion& c, const std::filesystem::path& file, Field horas);

  // The hours of the first line that names subject, level and course; null
  // when none does. Valid while the index lives. An hours text that is no
  // number ends the run placed at its line of the hours file.
  const Hours* Find(std::string_view subject, std::string_view level, std::string_view course);

private:
  // One line's hours column (at most six bytes), and its hours once read.
  struct Line {
    std::array<char, 6> column{};
    std::uint8_t size = 0;
    bool read = false;
    Hours hours;
  };
  const std::string& Key(std::string_view subject, std::string_view level,
                         std::string_view course);

  Conversion& c_;
  Field horas_;
  std::string key_;  // reused for every key
  TextMap<Line> lines_;
};

}  // namespace tvz
