#pragma once
// What a run needs from the front that started it, and the state one run
// works on. The core never touches a window: it talks to the user only
// through RunHost.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/report.h"

namespace tvz {

class CopyRun;   // export/table_copies.h
class DbfTable;  // the table store (tables/dbf_table.h)

class RunHost {
public:
  virtual ~RunHost() = default;
  // Shows one of the run's messages and returns when the user has read it
  // (the window: a modal "Aceptar" dialog; the command line: one stdout line).
  virtual void ShowMessage(const std::string& text) = 0;
  // Busy cursor on (true) or off (false).
  virtual void SetBusy(bool busy) = 0;
};

// One line of the short report a finished run leaves for the command line.
struct TableReport {
  std::string table;          // "ASIGNOMT", ..., or "ZARP_HORARIO.TXT"
  std::uint64_t records = 0;  // records (lines) written
  std::uint64_t skipped = 0;  // input records skipped as duplicates
};

struct Conversion {
  // The chosen folder (`RutaCarpeta`): where the ZARP files are read and
  // ZARP_HORARIO.TXT is written.
  std::filesystem::path RutaCarpeta;
  // The working folder that holds the dBase tables (C:\VTEMP on Windows).
  std::filesystem::path WorkingFolder;
  // Run status (`Transformado`): 0 at start, 1 after a run, -1 when an export
  // missed a required file or was ended by an error.
  std::int32_t Transformado = 0;
  // Embedded mode (`NumParametros` == 2): changes what a refused run does.
  bool Embedded = false;
  RunHost* host = nullptr;
  std::vector<TableReport> report;
  // Where an export keeps the tables it replaces (set by the export run;
  // none: nothing is kept). Afterwards it names the copy the run made.
  std::shared_ptr<CopyRun> copies;
  // The warnings and counts of the run (report.h).
  Informe informe;
  // Check only (`comprobar`): the export reads, checks and reports all it
  // would, and writes nothing; the tables it builds are dropped, but those a
  // later converter reads (GRUPOST for ASIGT) are kept here, by name.
  bool CheckOnly = false;
  std::map<std::string, std::shared_ptr<DbfTable>> unwritten_tables;

  void Show(const std::string& text) const { host->ShowMessage(text); }
};

// How a run ended when it did not end by an error (RunError).
enum class RunOutcome {
  kRefused,   // the chosen folder does not exist; nothing was done
  kFinished,  // "Proceso finalizado" was shown
};

// Busy cursor for as long as it lives, also when an error ends the run.
class BusyCursor {
public:
  explicit BusyCursor(RunHost& host) : host_(host) { host_.SetBusy(true); }
  ~BusyCursor() { End(); }
  void End() {
    if (on_) host_.SetBusy(false);
    on_ = false;
  }

private:
  RunHost& host_;
  bool on_ = true;
};

}  // namespace tvz
