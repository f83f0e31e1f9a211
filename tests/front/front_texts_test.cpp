// What both fronts show: the copies' lines, the restore's lines and the text
// of the failure that ends a run.
#include "front/front_texts.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "core/errors.h"

namespace tvz {
namespace {

TEST(RestoreDialog, ListLineHasNameDateTimeAndTables) {
  EXPECT_EQ(CopyLine({"20261208-1012-2", {2026, 12, 8, 10, 12, 0}, {"ASIGNOMT", "ASIGT"}}, "\t"),
            "20261208-1012-2\t08/12/2026 10:12\tASIGNOMT, ASIGT");
  EXPECT_EQ(CopyLine({"20260102-0905", {2026, 1, 2, 9, 5, 0}, {"PROFT"}}, "\t"),
            "20260102-0905\t02/01/2026 09:05\tPROFT");
}

TEST(FrontTexts, RestoredLinesNameTheNewCopyOnlyWhenOneWasMade) {
  EXPECT_EQ(RestoredLines("A", {{"PROFT"}, ""}).size(), 1u);
  EXPECT_EQ(RestoredLines("A", {{"PROFT"}, "B"}).back(), "Las tablas sustituidas quedan en la copia B");
}

TEST(FrontTexts, AFailureIsShownWithItsFinalStopAndOutOfMemoryIsMarked) {
  struct Case {
    std::exception_ptr thrown;
    std::string text;
    bool out_of_memory;
  } cases[] = {
      {std::make_exception_ptr(RunError("No existe la copia de las tablas X")),
       "No existe la copia de las tablas X.", false},
      {std::make_exception_ptr(std::runtime_error("ya.")), "ya.", false},
      {std::make_exception_ptr(std::bad_alloc()), WithFinalStop(NoMemoryText()), true},
  };
  for (const Case& c : cases) {
    try {
      std::rethrow_exception(c.thrown);
    } catch (...) {
      const RunFailure f = CurrentFailure();
      EXPECT_EQ(f.text, c.text);
      EXPECT_EQ(f.out_of_memory, c.out_of_memory);
    }
  }
}

}  // namespace
}  // namespace tvz
