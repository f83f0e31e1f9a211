#include "app/cli_commands.h"

namespace tvz::cli {

namespace {

constexpr Command kCommands[] = {
    {"exportar", "exportar|importar CARPETA [--vtemp DIR] [--informe FICHERO]",
     "Convierte los ficheros de ZARP de CARPETA en las tablas de\n"
     "Vardelin (ASIGNOMT, PROFT, AULAT, GRUPOST, ASIGT, DIASHORAST).\n",
     Operand::kFolder, &RunExportar},
    {"importar", nullptr,
     "Convierte el horario calculado por Vardelin (SOLUC) en\n"
     "CARPETA/ZARP_HORARIO.TXT.\n",
     Operand::kFolder, &RunImportar},
    {"comprobar", "comprobar CARPETA [--vtemp DIR] [--informe FICHERO]",
     "Lee y comprueba todo lo que leer\xED" "a exportar, con los mismos\n"
     "mensajes y avisos, pero no escribe nada.\n",
     Operand::kFolder, &RunComprobar},
    {"restaurar", "restaurar [COPIA [--informe FICHERO]] [--vtemp DIR]",
     "Sin COPIA, lista las copias de las tablas que han sustituido las\n"
     "exportaciones (en COPIAS, dentro de la carpeta de trabajo), de la\n"
     "m\xE1" "s reciente a la m\xE1" "s antigua. Con COPIA, vuelve a poner sus\n"
     "tablas, tras guardar como copia nueva las que sustituye.\n",
     Operand::kCopy, &RunRestaurar},
};

}  // namespace

std::span<const Command> Commands() { return kCommands; }

}  // namespace tvz::cli
