// The import run over an arbitrary SOLUC.DBF, with the look-up tables of the
// sample school. A run either writes a whole ZARP_HORARIO.TXT (header, one
// record per row, trailer with the count, CR LF after every line) or stops
// with a message and leaves the earlier file as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "fuzz_support.h"
#include "support/run_helper.h"

namespace {

using namespace tvz;
namespace fs = std::filesystem;

const std::string kOld = "old timetable\r\n";

// The sample school exported once: the look-up tables every run reads.
const fs::path& Vtemp() {
  static const fs::path vtemp = [] {
    const fs::path dir = fuzz::Fresh("vtemp");
    FUZZ_CHECK(test::RunExport(TVZ_SAMPLES_DIR "/escuela", dir).outcome.has_value());
    return dir;
  }();
  return vtemp;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& vtemp = Vtemp();
  const fs::path zarp = fuzz::Fresh("zarp");
  test::WriteBytes(zarp / "ZARP_ASIGNAT.TXT",
                   test::ReadBytes(fs::path(TVZ_SAMPLES_DIR "/escuela") / "ZARP_ASIGNAT.TXT"));
  test::WriteBytes(zarp / "ZARP_HORARIO.TXT", kOld);
  test::WriteBytes(vtemp / "SOLUC.DBF", std::string_view(reinterpret_cast<const char*>(data), size));

  const std::string out_file = (zarp / "ZARP_HORARIO.TXT").string();
  const test::RunResult r = test::RunImport(zarp, vtemp);
  if (!r.outcome) {
    FUZZ_CHECK(!r.error.empty());
    FUZZ_CHECK(r.status == 0);
    FUZZ_CHECK(test::ReadBytes(out_file) == kOld);
    FUZZ_CHECK(!r.host.Busy());
    return 0;
  }
  FUZZ_CHECK(*r.outcome == RunOutcome::kFinished);
  FUZZ_CHECK(r.status == 1);
  FUZZ_CHECK(!r.host.Busy());
  const std::string bytes = test::ReadBytes(out_file);
  FUZZ_CHECK(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0);
  FUZZ_CHECK(r.tablas.size() == 1);
  // Records end with CR LF; the values are written as the tables hold them,
  // so a value may itself hold line breaks: only the first and the last
  // record are certain.
  const std::vector<std::string_view> lines = fuzz::SplitInput(bytes, "\r\n");
  FUZZ_CHECK(lines.size() >= 3 && lines.back().empty());
  FUZZ_CHECK(lines.front().substr(0, 17) == "0ZARP_HORARIO.TXT");
  const std::string_view trailer = lines[lines.size() - 2];
  FUZZ_CHECK(trailer.substr(0, 17) == "9ZARP_HORARIO.TXT");
  FUZZ_CHECK(trailer.size() > 71 && trailer.substr(71) == std::to_string(r.tablas[0].registros));
  return 0;
}
