// The whole export run over arbitrary ZARP files. The input holds the eight
// files one after another, separated by kSeparator, in the order of kFiles; a
// part that is absent leaves its file missing. Every table the run writes
// must read back; an error must end the run with status -1 and leave the
// table of the converter it stopped as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "fuzz_support.h"
#include "support/run_helper.h"
#include "tables/dbf_table.h"

namespace {

using namespace tvz;
namespace fs = std::filesystem;

constexpr std::string_view kSeparator = "~~ZARP~~";
constexpr const char* kFiles[] = {"ZARP_ASIGNAT.TXT",      "ZARP_ACTIVIDADES.TXT",
                                  "ZARP_PROF.TXT",         "ZARP_AULAS.TXT",
                                  "ZARP_GRUPO.TXT",        "ZARP_ASIGNATGRUPO.TXT",
                                  "ZARP_ASIGNATCURSO.TXT", "ZARP_SESIONES.TXT"};
constexpr const char* kTables[] = {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"};
const std::string kOld = "old table";

void ReadBack(const fs::path& vtemp, const char* name) {
  DbfTable t;
  t.DatabaseName = vtemp;
  t.TableName = name;
  t.Open();
  for (t.First(); !t.Eof(); t.Next())
    for (int i = 0; i < t.FieldCount(); ++i) t.Fields(i).AsString();
  t.Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzz::SplitInput(
      std::string_view(reinterpret_cast<const char*>(data), size), kSeparator);
  const fs::path zarp = fuzz::Fresh("zarp");
  const fs::path vtemp = fuzz::Fresh("vtemp");
  for (std::size_t i = 0; i < parts.size() && i < std::size(kFiles); ++i)
    test::WriteBytes(zarp / kFiles[i], parts[i]);
  for (const char* table : kTables) test::WriteBytes(vtemp / (std::string(table) + ".DBF"), kOld);

  const test::RunResult r = test::RunExport(zarp, vtemp);
  const bool failed = !r.outcome;
  if (failed) {
    FUZZ_CHECK(!r.error.empty());
    FUZZ_CHECK(r.status == -1);
  } else {
    FUZZ_CHECK(*r.outcome == RunOutcome::kFinished);
    FUZZ_CHECK(r.host.messages.back() == "Proceso finalizado");
  }
  FUZZ_CHECK(!r.host.Busy());
  // The tables the run finished read back; the others are untouched.
  std::size_t finished = 0;
  for (const char* table : kTables) {
    const fs::path file = vtemp / (std::string(table) + ".DBF");
    const bool reported = std::any_of(r.tablas.begin(), r.tablas.end(),
                                      [&](const TablaRecuento& t) { return t.tabla == table; });
    if (reported) {
      ++finished;
      ReadBack(vtemp, table);
    } else {
      FUZZ_CHECK(test::ReadBytes(file) == kOld);
    }
  }
  FUZZ_CHECK(failed || r.status == 1 || r.status == -1);
  // No temporary file is left beside the tables; the tables a run replaced
  // are kept in COPIAS, and only those.
  std::size_t entries = 0;
  for (const auto& e : fs::directory_iterator(vtemp)) {
    if (e.path().filename() == "COPIAS") {
      FUZZ_CHECK(finished > 0 && e.is_directory());
      continue;
    }
    ++entries;
  }
  FUZZ_CHECK(entries == std::size(kTables));
  return 0;
}
