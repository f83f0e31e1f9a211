// converter_times ZARP VTEMP
//
// Runs the six export converters one by one over the school in ZARP, into
// VTEMP, and prints the wall time of each: where an export spends its time.
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "core/conversion.h"
#include "core/errors.h"
#include "export/export_run.h"
#include "export/table_destination.h"
#include "platform/clock.h"

namespace {

class QuietHost : public tvz::RunHost {
public:
  void ShowMessage(const std::string&) override {}
  void SetBusy(bool) override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: converter_times ZARP VTEMP\n");
    return 64;
  }
  QuietHost host;
  tvz::Conversion c(host);
  c.RutaCarpeta = argv[1];
  c.WorkingFolder = argv[2];
  // As an export writes its tables.
  tvz::WritingDestination tables(c.WorkingFolder, tvz::platform::Now());
  const std::pair<const char*, void (*)(tvz::Conversion&, tvz::TableDestination&)> converters[] = {
      {"ConvertirAsignaturas", tvz::ConvertirAsignaturas},
      {"ConvertirProfesores", tvz::ConvertirProfesores},
      {"ConvertirAulas", tvz::ConvertirAulas},
      {"ConvertirGrupos", tvz::ConvertirGrupos},
      {"ConvertirAsignaturasGrupo", tvz::ConvertirAsignaturasGrupo},
      {"ConvertirSesiones", tvz::ConvertirSesiones}};
  try {
    for (const auto& [name, convert] : converters) {
      const auto start = std::chrono::steady_clock::now();
      convert(c, tables);
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      std::printf("| %-26s | %9llu | %6.3f |\n", name,
                  static_cast<unsigned long long>(c.informe.tablas.empty() ? 0 : c.informe.tablas.back().registros),
                  took.count());
    }
  } catch (const tvz::RunError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 2;
  }
  return 0;
}
