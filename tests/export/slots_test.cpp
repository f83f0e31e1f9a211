// DIASHORAST.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "export/export_run.h"
#include "support/table_reader.h"
#include "support/test_support.h"

namespace tvz {
namespace {

using test::PutAt;
using test::Row;

std::string Slot(std::string code, std::string day, std::string start, std::string end) {
  std::string line = "1xyz";  // columns 2 to 4 are not read
  PutAt(line, 5, code);
  PutAt(line, 9, day);
  PutAt(line, 10, start);
  PutAt(line, 14, end);
  return line;
}

class SlotsTest : public test::ConverterTest {
protected:
  void Write(std::vector<std::string> data) { WriteZarp("zarp_sesiones.txt", data); }
  std::vector<Row> Rows(std::vector<std::string> fields) {
    return test::ReadRows(vtemp.path(), "DIASHORAST", fields);
  }
};

TEST_F(SlotsTest, HourNumbersRankStartTimesOfTheWholeWeek) {
  Write({Slot("0002", "L", "0900", "0955"), Slot("0001", "L", "0800", "0855"),
         Slot("0003", "V", "0830", "0925"), Slot("0004", "M", "0800", "0855"),
         Slot("0005", "x", "0900", "0830"),   // lower case day; ends before it starts
         Slot("0006", "L", "0900", "0955")}); // same day and hour again
  ConvertirSesiones(run.c, run.tables);
  const std::vector<Row> expected = {
      {"13", "0002", "1", "3", "3-09:00-09:55", "09:00", "09:55", "55", "0", "", ""},
      {"11", "0001", "1", "1", "1-08:00-08:55", "08:00", "08:55", "55", "0", "", ""},
      {"52", "0003", "5", "2", "2-08:30-09:25", "08:30", "09:25", "55", "0", "", ""},
      {"21", "0004", "2", "1", "1-08:00-08:55", "08:00", "08:55", "55", "0", "", ""},
      {"x3", "0005", "x", "3", "3-09:00-08:30", "09:00", "08:30", "-30", "0", "", ""},
      {"13", "0006", "1", "3", "3-09:00-09:55", "09:00", "09:55", "55", "0", "", ""},
  };
  EXPECT_EQ(Rows({"DIHO", "CODDIHO", "DIA", "HORA", "TEXTOHOR", "HORADESDE", "HORAHASTA",
                  "MINUTOS", "MARCO", "TEXTODIA", "MARCOXML"}),
            expected);
}

TEST_F(SlotsTest, TenStartTimesGiveTwoDigitHours) {
  std::vector<std::string> lines;
  const char* days = "LMXJVSD";
  for (int d = 0; d < 7; ++d)
    for (int h = 0; h < 10; ++h) {
      char start[5], end[5];
      std::snprintf(start, sizeof start, "%02d00", 8 + h);
      std::snprintf(end, sizeof end, "%02d55", 8 + h);
      lines.push_back(Slot(std::to_string(d * 10 + h), std::string(1, days[d]), start, end));
    }
  Write(lines);
  ConvertirSesiones(run.c, run.tables);
  const auto rows = Rows({"DIHO", "TEXTOHOR"});
  ASSERT_EQ(rows.size(), 70u);
  EXPECT_EQ(rows[9], (Row{"110", "10-17:00-17:55"}));
  EXPECT_EQ(rows[69], (Row{"710", "10-17:00-17:55"}));
  EXPECT_EQ(rows[10], (Row{"21", "1-08:00-08:55"}));
}

TEST_F(SlotsTest, ShortTimeColumnsAreCutNotRejected) {
  Write({Slot("1", "L", "800", "0930")});
  ConvertirSesiones(run.c, run.tables);
  // "800" reads as hour 80 and minute 0.
  EXPECT_EQ(Rows({"HORADESDE", "MINUTOS"}), (std::vector<Row>{{"80:0", "-4230"}}));
}

TEST_F(SlotsTest, NonNumericTimesEndTheRunAndLeaveTheOldTable) {
  struct Case {
    std::string line;
    const char* bad_piece;
  } cases[] = {
      {"", ":"},                                 // empty line: end hour ":" fails first
      {Slot("1", "L", "08", "0955"), ""},        // start minute missing
      {Slot("1", "L", "0800", "09"), ""},        // end minute missing
      {Slot("1", "L", "0800", "ab55"), "ab"},    // end hour first
      {Slot("1", "L", "zz00", "0955"), "zz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    test::WriteBytes(vtemp / "DIASHORAST.DBF", "old slots");
    Write({Slot("1", "L", "0800", "0855"), c.line});
    try {
      ConvertirSesiones(run.c, run.tables);
      ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()),
                std::string("'") + c.bad_piece + "' no es un valor entero v\xE1" "lido");
    }
    EXPECT_EQ(test::ReadBytes(vtemp / "DIASHORAST.DBF"), "old slots");
  }
}

TEST_F(SlotsTest, MissingFileMessage) {
  ConvertirSesiones(run.c, run.tables);
  EXPECT_EQ(run.host.messages,
            std::vector<std::string>{"No existe archivo de grupos (ZARP_SESIONES.TXT)"});
  EXPECT_EQ(run.c.Transformado, -1);
}

}  // namespace
}  // namespace tvz
