#include "core/report.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace tvz {

namespace {

using enum AvisoTipo;
constexpr AvisoTexts kSame{};
constexpr char kReadAsQuestionMarks[] = "; se han le\xED" "do como ?";
constexpr char kFourFirst[] = "; se han escrito los 4 primeros caracteres de su c\xF3" "digo";

constexpr AvisoKind kKinds[] = {
    {kDuplicado, "duplicado",
     {"registro omitido por tener un c\xF3" "digo ya escrito",
      "registros omitidos por tener un c\xF3" "digo ya escrito", "", ""},
     kSame, false, true},
    {kRecortado, "recortado",
     {"valor m\xE1" "s largo que %c", "valores m\xE1" "s largos que %c", "; se ha recortado",
      "; se han recortado"},
     kSame, true, false},
    {kGrupoDesconocido, "grupo_desconocido",
     {"asignaci\xF3" "n de un grupo que GRUPOST no tiene", "asignaciones de grupos que GRUPOST no tiene",
      "; queda sin turno, nivel, curso ni grupo", "; quedan sin turno, nivel, curso ni grupo"},
     {"clase de un grupo que GRUPOST no tiene", "clases de grupos que GRUPOST no tiene", kFourFirst,
      kFourFirst},
     false, false},
    {kSinHoras, "sin_horas",
     {"asignaci\xF3" "n sin horas semanales", "asignaciones sin horas semanales",
      "; se le ha dado 1 hora", "; se les ha dado 1 hora"},
     kSame, false, false},
    {kHorasMinimas, "horas_minimas",
     {"asignaci\xF3" "n con menos de 1 hora semanal", "asignaciones con menos de 1 hora semanal",
      "; se le ha dado 1 hora", "; se les ha dado 1 hora"},
     kSame, false, false},
    {kHorasVacias, "horas_vacias",
     {"l\xED" "nea de horas con las horas en blanco", "l\xED" "neas de horas con las horas en blanco",
      "; cuenta como 1 hora", "; cuentan como 1 hora"},
     kSame, false, false},
    {kGrupoSinNivel, "grupo_sin_nivel",
     {"grupo sin nivel", "grupos sin nivel", "; se le ha puesto el nivel NIV",
      "; se les ha puesto el nivel NIV"},
     kSame, false, false},
    {kDiaDesconocido, "dia_desconocido",
     {"franja con un d\xED" "a que no es L, M, X, J, V, S ni D",
      "franjas con un d\xED" "a que no es L, M, X, J, V, S ni D",
      "; el d\xED" "a se ha copiado tal cual", "; el d\xED" "a se ha copiado tal cual"},
     kSame, false, false},
    {kMinutosNegativos, "minutos_negativos",
     {"franja que acaba antes de empezar", "franjas que acaban antes de empezar",
      "; sus minutos son negativos", "; sus minutos son negativos"},
     kSame, false, false},
    {kFicheroRepetido, "fichero_repetido",
     {"fichero con otro del mismo nombre en otras may\xFA" "sculas",
      "ficheros con otros del mismo nombre en otras may\xFA" "sculas", "; se ha le\xED" "do %f",
      "; se han le\xED" "do los de los nombres citados primero"},
     kSame, false, false},
    {kFranjaDesconocida, "franja_desconocida",
     {"clase sin franja en DIASHORAST", "clases sin franja en DIASHORAST",
      "; su c\xF3" "digo de franja va en blanco", "; su c\xF3" "digo de franja va en blanco"},
     kSame, false, false},
    {kAulaDesconocida, "aula_desconocida",
     {"clase en un aula que AULAT no tiene", "clases en aulas que AULAT no tiene", kFourFirst,
      kFourFirst},
     kSame, false, false},
    {kClaseSinColocar, "clase_sin_colocar",
     {"clase sin colocar en el horario", "clases sin colocar en el horario", "; no se ha escrito",
      "; no se han escrito"},
     kSame, false, false},
    {kCaracteresSustituidos, "caracteres_sustituidos",
     {"l\xED" "nea con letras que cp1252 no tiene", "l\xED" "neas con letras que cp1252 no tiene",
      kReadAsQuestionMarks, kReadAsQuestionMarks},
     kSame, false, false,
     {"tabla con letras que cp1252 no tiene", "tablas con letras que cp1252 no tiene",
      kReadAsQuestionMarks, kReadAsQuestionMarks}},
    {kCodificacion, "codificacion",
     {"fichero %f guardado en otra codificaci\xF3" "n", "ficheros guardados en otra codificaci\xF3" "n",
      "; se ha le\xED" "do en esa codificaci\xF3" "n y pasado a cp1252",
      "; se han le\xED" "do en la suya y pasado a cp1252"},
     kSame, false, false},
    {kSaltosDeLinea, "saltos_de_linea",
     {"fichero %f cuyas l\xED" "neas acaban solo en CR", "ficheros cuyas l\xED" "neas acaban solo en CR",
      "; cada CR se ha le\xED" "do como fin de l\xED" "nea", "; cada CR se ha le\xED" "do como fin de l\xED" "nea"},
     kSame, false, false},
    {kFinAnticipado, "fin_anticipado",
     {"marca de fin de fichero (Ctrl-Z) con datos detr\xE1" "s",
      "marcas de fin de fichero (Ctrl-Z) con datos detr\xE1" "s",
      "; no se han le\xED" "do las %v l\xED" "neas desde la marca",
      "; no se han le\xED" "do las l\xED" "neas desde la primera marca"},
     kSame, false, false},
    {kTabuladores, "tabuladores",
     {"l\xED" "nea de datos con tabuladores", "l\xED" "neas de datos con tabuladores",
      "; se han dejado tal cual: cada tabulador ocupa una columna",
      "; se han dejado tal cual: cada tabulador ocupa una columna"},
     kSame, false, false},
    {kCentroVacio, "centro_vacio",
     {"fichero %f sin c\xF3" "digo de centro en su cabecera",
      "ficheros sin c\xF3" "digo de centro en su cabecera",
      "; ZARP_HORARIO.TXT lleva el c\xF3" "digo de centro en blanco",
      "; ZARP_HORARIO.TXT lleva el c\xF3" "digo de centro en blanco"},
     kSame, false, false},
};

constexpr bool RowsFollowTheKinds() {
  for (std::size_t i = 0; i < std::size(kKinds); ++i)
    if (kKinds[i].tipo != static_cast<AvisoTipo>(i)) return false;
  return true;
}
static_assert(RowsFollowTheKinds(), "one row per AvisoTipo, in its order");

}  // namespace

std::span<const AvisoKind> AvisoKinds() { return kKinds; }

const AvisoKind& KindOf(AvisoTipo tipo) { return kKinds[static_cast<std::size_t>(tipo)]; }

const char* AvisoName(AvisoTipo tipo) { return KindOf(tipo).name; }

std::size_t Informe::Count(AvisoTipo tipo) const {
  return static_cast<std::size_t>(
      std::count_if(avisos.begin(), avisos.end(), [&](const Aviso& a) { return a.tipo == tipo; }));
}

}  // namespace tvz
