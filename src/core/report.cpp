#include "core/report.h"

#include <algorithm>
#include <array>

namespace tvz {

namespace {
constexpr std::array<const char*, kAvisoTipoCount> kNames = {
    "duplicado",         "recortado",          "grupo_desconocido", "sin_horas",
    "horas_minimas",     "horas_vacias",       "grupo_sin_nivel",   "dia_desconocido",
    "minutos_negativos", "fichero_repetido",   "franja_desconocida", "aula_desconocida",
    "clase_sin_colocar", "caracteres_sustituidos"};
}  // namespace

const char* AvisoName(AvisoTipo tipo) { return kNames[static_cast<std::size_t>(tipo)]; }

std::size_t Informe::Count(AvisoTipo tipo) const {
  return static_cast<std::size_t>(
      std::count_if(avisos.begin(), avisos.end(), [&](const Aviso& a) { return a.tipo == tipo; }));
}

}  // namespace tvz
