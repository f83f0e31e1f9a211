#pragma once
// A small school whose every anomaly sits on a known line of a known file,
// and the warnings an export of it must give, in the order the run meets
// them.
#include <cstdint>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/report.h"

namespace tvz::test {

// tipo, tabla, fichero, linea, valor, campo, linea_primera.
using AvisoRow =
    std::tuple<std::string, std::string, std::string, std::uint64_t, std::string, std::string, std::uint64_t>;

std::vector<AvisoRow> Rows(const Informe& informe);

// Writes the school's ZARP files into `folder`. With `repeated_name`, also
// "zarp_actividades.txt" beside ZARP_ACTIVIDADES.TXT (same bytes).
void WriteReportSchool(const std::filesystem::path& folder, bool repeated_name);

// True when the folder tells names apart by letter case.
bool CaseSensitive(const std::filesystem::path& folder);

// The warnings of an export of the school; fichero_repetido only with
// `repeated_name`.
std::vector<AvisoRow> ExpectedExportAvisos(bool repeated_name);

}  // namespace tvz::test
