#include "ui/report_file.h"

#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/system_errors.h"

namespace tvz::ui {

std::filesystem::path ReportFilePath() { return platform::ExecutableFolder() / kReportFileName; }

std::string WriteReportFile(const std::filesystem::path& file, const Conversion& c, const ReportRun& run) {
  int error = 0;
  if (platform::ReplaceFileAtomically(file, ReportText(c, run, platform::Now()), error)) return "";
  return platform::SystemErrorText(error);
}

}  // namespace tvz::ui
