// synth_school FOLDER VTEMP SCALE
//
// Writes a synthetic school for the performance measurements: the ZARP files
// of an export into FOLDER and a computed timetable (SOLUC) into VTEMP. At
// scale s it has 50*s groups, 1000*s subject-group assignments, 500*s hours
// lines, 100*s teachers, 60*s rooms and 1000*s SOLUC rows; the week has five
// days of seven slots. Scale 100 is 100,000 assignments, 5,000 groups and
// 50,000 hours lines; scale 1000 a million assignments and timetable rows.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/number_text.h"
#include "tables/dbf_table.h"

namespace {

namespace fs = std::filesystem;

std::string Code(long n, int width) {  // base-36 code of a fixed width
  static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string s(width, '0');
  for (int i = width - 1; i >= 0; --i, n /= 36) s[i] = digits[n % 36];
  return s;
}

std::string Pad(const std::string& s, std::size_t width) {
  std::string r = s.substr(0, width);
  r.resize(width, ' ');
  return r;
}

class ZarpFile {
public:
  ZarpFile(const fs::path& folder, const std::string& name) : name_(name), out_(folder / name, std::ios::binary) {
    out_ << '0' << Pad(name, 50) << "05000123" << "010920250800\r\n";
  }
  void Line(const std::string& line) {
    out_ << line << "\r\n";
    ++count_;
  }
  ~ZarpFile() { out_ << '9' << Pad(name_, 50) << "05000123" << "010920250800" << count_ << "\r\n"; }

private:
  std::string name_;
  std::ofstream out_;
  long count_ = 0;
};

const char* kLevels[] = {"ESO", "BAC", "FPB", "FPM", "FPS", "ADU", "ESP", "IDI", "MUS", "DEP"};
constexpr long kCombos = 50;  // 10 levels x 5 courses
std::string Level(long combo) { return kLevels[combo % 10]; }
std::string Course(long combo) { return std::to_string(combo / 10 % 5 + 1); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: synth_school FOLDER VTEMP SCALE\n");
    return 64;
  }
  const fs::path folder = argv[1], vtemp = argv[2];
  const long s = std::atol(argv[3]);
  fs::create_directories(folder);
  fs::create_directories(vtemp);
  const long groups = 50 * s, assignments = 1000 * s, hours = 500 * s, teachers = 100 * s,
             rooms = 60 * s, subjects_per_combo = 10 * s, rows = 1000 * s;
  auto subject = [&](long combo, long k) { return Code(combo * subjects_per_combo + k, 4); };

  {
    ZarpFile f(folder, "ZARP_ASIGNAT.TXT");
    for (long i = 0; i < kCombos * subjects_per_combo; ++i)
      f.Line("1" + Code(i, 4) + Pad("ASIG-" + Code(i, 4), 20) + "Asignatura n\xFA" "mero " + std::to_string(i));
  }
  {
    ZarpFile f(folder, "ZARP_PROF.TXT");
    for (long i = 0; i < teachers; ++i)
      f.Line("1" + Code(i, 4) + Pad("Profesor " + std::to_string(i), 90) + "Departamento " + std::to_string(i % 20));
  }
  {
    ZarpFile f(folder, "ZARP_AULAS.TXT");
    for (long i = 0; i < rooms; ++i)
      f.Line("1" + Pad("AULA" + Code(i, 5), 10) + Code(i, 4) + std::string(70, ' ') + "Aula " + std::to_string(i));
  }
  {
    ZarpFile f(folder, "ZARP_GRUPO.TXT");
    for (long g = 0; g < groups; ++g)
      f.Line("1" + Pad("G" + Code(g, 6), 10) + Code(g, 4) + Level(g % kCombos) + "   " +
             Pad(Course(g % kCombos), 3) + Pad("Grupo " + std::to_string(g), 10) + "M");
  }
  {
    ZarpFile f(folder, "ZARP_ASIGNATGRUPO.TXT");
    for (long i = 0; i < assignments; ++i) {
      const long g = i % groups;
      f.Line("1" + Pad("G" + Code(g, 6), 10) + "    " + subject(g % kCombos, (i / groups) % subjects_per_combo));
    }
  }
  {
    ZarpFile f(folder, "ZARP_ASIGNATCURSO.TXT");
    for (long i = 0; i < hours; ++i) {
      const long combo = i % kCombos, k = i / kCombos % subjects_per_combo;
      f.Line("1" + Level(combo) + "   " + Pad(Course(combo), 3) + std::string(13, ' ') + subject(combo, k) +
             Pad(std::to_string(i % 5 + 1) + (i % 3 ? "" : ",5"), 6));
    }
  }
  {
    ZarpFile f(folder, "ZARP_SESIONES.TXT");
    const char* days = "LMXJV";
    for (int d = 0; d < 5; ++d)
      for (int h = 0; h < 7; ++h) {
        char line[32];
        std::snprintf(line, sizeof line, "1   %04d%c%02d00%02d55", d * 7 + h + 1, days[d], 8 + h, 8 + h);
        f.Line(line);
      }
  }

  tvz::DbfTable soluc;
  soluc.DatabaseName = vtemp;
  soluc.TableName = "SOLUC.DBF";
  soluc.FieldDefs = {{"DIA", tvz::FieldType::ftInteger, 0},    {"HORA", tvz::FieldType::ftInteger, 0},
                     {"MARCO", tvz::FieldType::ftString, 1},   {"PROF", tvz::FieldType::ftString, 4},
                     {"CODGRUPO", tvz::FieldType::ftString, 10}, {"TAREA", tvz::FieldType::ftString, 10},
                     {"ASIG", tvz::FieldType::ftString, 10},   {"AULA", tvz::FieldType::ftString, 10}};
  soluc.CreateTable();
  for (long i = 0; i < rows; ++i) {
    const long g = i % groups;
    soluc.Append();
    soluc.FieldByName("DIA").SetAsInteger(static_cast<int>(i % 5 + 1));
    soluc.FieldByName("HORA").SetAsInteger(static_cast<int>(i / 5 % 7 + 1));
    soluc.FieldByName("MARCO").SetAsString("0");
    soluc.FieldByName("PROF").SetAsString(Code(i % teachers, 4));
    soluc.FieldByName("CODGRUPO").SetAsString("G" + Code(g, 6));
    soluc.FieldByName("TAREA").SetAsString("*LEC");
    soluc.FieldByName("ASIG").SetAsString(subject(g % kCombos, i % subjects_per_combo));
    soluc.FieldByName("AULA").SetAsString("AULA" + Code(i % rooms, 5));
    soluc.Post();
  }
  soluc.Finish();
  return 0;
}
