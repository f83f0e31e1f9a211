// The import run over an arbitrary SOLUC.DBF, with the look-up tables of the
// sample school. A run either writes a whole ZARP_HORARIO.TXT (header, one
// record per row, trailer with the count, CR LF after every line) or stops
// with a message and leaves the earlier file as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "core/errors.h"
#include "export/export_run.h"
#include "fuzz_support.h"
#include "import/import_run.h"

namespace {

using namespace tvz;
namespace fs = std::filesystem;

const std::string kOld = "old timetable\r\n";

// The sample school exported once: the look-up tables every run reads.
const fs::path& Vtemp() {
  static const fs::path vtemp = [] {
    const fs::path dir = fuzz::Fresh("vtemp");
    fuzz::Host host;
    Conversion c;
    c.RutaCarpeta = TVZ_SAMPLES_DIR "/escuela";
    c.WorkingFolder = dir;
    c.host = &host;
    ExportRun(c);
    return dir;
  }();
  return vtemp;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& vtemp = Vtemp();
  const fs::path zarp = fuzz::Fresh("zarp");
  fuzz::Write(zarp / "ZARP_ASIGNAT.TXT",
              fuzz::Read(fs::path(TVZ_SAMPLES_DIR "/escuela") / "ZARP_ASIGNAT.TXT"));
  fuzz::Write(zarp / "ZARP_HORARIO.TXT", kOld);
  fuzz::Write(vtemp / "SOLUC.DBF", std::string_view(reinterpret_cast<const char*>(data), size));

  fuzz::Host host;
  Conversion c;
  c.RutaCarpeta = zarp;
  c.WorkingFolder = vtemp;
  c.host = &host;
  const std::string out_file = (zarp / "ZARP_HORARIO.TXT").string();
  try {
    FUZZ_CHECK(ImportRun(c) == RunOutcome::Finished);
  } catch (const RunError& e) {
    FUZZ_CHECK(*e.what() != '\0');
    FUZZ_CHECK(c.Transformado == 0);
    FUZZ_CHECK(fuzz::Read(out_file) == kOld);
    FUZZ_CHECK(!host.busy);
    return 0;
  }
  FUZZ_CHECK(c.Transformado == 1);
  FUZZ_CHECK(!host.busy);
  const std::string bytes = fuzz::Read(out_file);
  FUZZ_CHECK(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0);
  FUZZ_CHECK(c.report.size() == 1);
  // Records end with CR LF; the values are written as the tables hold them,
  // so a value may itself hold line breaks: only the first and the last
  // record are certain.
  const std::vector<std::string_view> lines = fuzz::SplitInput(bytes, "\r\n");
  FUZZ_CHECK(lines.size() >= 3 && lines.back().empty());
  FUZZ_CHECK(lines.front().substr(0, 17) == "0ZARP_HORARIO.TXT");
  const std::string_view trailer = lines[lines.size() - 2];
  FUZZ_CHECK(trailer.substr(0, 17) == "9ZARP_HORARIO.TXT");
  FUZZ_CHECK(trailer.size() > 71 && trailer.substr(71) == std::to_string(c.report[0].records));
  return 0;
}
