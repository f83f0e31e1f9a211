#include "core/errors.h"

#include <gtest/gtest.h>

namespace tvz {
namespace {

TEST(Errors, FinalStopAndIoTexts) {
  EXPECT_EQ(WithFinalStop("Disco lleno"), "Disco lleno.");
  EXPECT_EQ(WithFinalStop("Hecho."), "Hecho.");
  EXPECT_EQ(WithFinalStop("Termina en blanco "), "Termina en blanco ");
  EXPECT_EQ(WithFinalStop("Termina en coma,"), "Termina en coma,");  // ',' sorts before '.'
  EXPECT_EQ(WithFinalStop("valor '5'"), "valor '5'");                // '\'' too
  EXPECT_EQ(WithFinalStop(""), "");
  EXPECT_EQ(WithFinalStop("Error de E/S 32\nZARP_AULAS.TXT"), "Error de E/S 32.\nZARP_AULAS.TXT");
  EXPECT_EQ(IoErrorText(2), "No se encuentra el archivo");
  EXPECT_EQ(IoErrorText(5), "Acceso al archivo denegado");
  EXPECT_EQ(IoErrorText(32), "Error de E/S 32");
}

}  // namespace
}  // namespace tvz
