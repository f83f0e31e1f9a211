#include "core/report.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace tvz {

namespace {

using enum AvisoTipo;
constexpr AvisoTexts kSame{};
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
     {"tabla con letras que cp1252 no tiene", "tablas con letras que cp1252 no tiene",
      "; se han le\xED" "do como ?", "; se han le\xED" "do como ?"},
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
