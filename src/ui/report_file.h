#pragma once
// The report of the window's last run: a text file (cp1252, CR LF) beside the
// program, where the host's Vardelin.ini lives, replaced after every run.
// Nothing of it goes into the chosen ZARP folder.
#include <filesystem>
#include <string>

#include "core/conversion.h"
#include "report/report_render.h"

namespace tvz::ui {

inline constexpr char kReportFileName[] = "transVardelZarp-informe.txt";

// ExecutableFolder() / kReportFileName.
std::filesystem::path ReportFilePath();

// Writes the whole report of run `c` to `file` in one step (the previous
// report stays whole until the new one is complete). "" when written, else
// the reason (cp1252).
std::string WriteReportFile(const std::filesystem::path& file, const Conversion& c, const ReportRun& run);

}  // namespace tvz::ui
