#pragma once
// One export or import run over a folder, with a recording host, and what it
// left: how it ended, what it showed, the error that stopped it, the status.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "support/recording_host.h"

namespace tvz::test {

namespace fs = std::filesystem;

enum class RunKind { kExport, kImport, kCheck };  // kCheck: comprobar

struct RunSettings {
  std::int32_t status = 0;  // the run status before the run
  bool embedded = false;
};

struct RunResult {
  std::optional<RunOutcome> outcome;  // none when an error ended the run
  std::string error;                  // that error's text; "" otherwise
  RecordingHost host;                 // the messages and the busy cursor
  std::int32_t status = 0;            // the run status afterwards
  std::vector<TablaRecuento> tablas;  // the records of each table written
};

// Runs over the chosen folder `folder` with the working folder `vtemp`. A
// RunError ends up in the result; any other exception propagates.
RunResult Run(RunKind kind, const fs::path& folder, const fs::path& vtemp, RunSettings settings = {});
inline RunResult RunExport(const fs::path& folder, const fs::path& vtemp, RunSettings settings = {}) {
  return Run(RunKind::kExport, folder, vtemp, settings);
}
inline RunResult RunImport(const fs::path& folder, const fs::path& vtemp, RunSettings settings = {}) {
  return Run(RunKind::kImport, folder, vtemp, settings);
}

}  // namespace tvz::test
