#pragma once
// What a run needs from the front that started it, and the state one run
// works on. The core never touches a window: it talks to the user only
// through RunHost.
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/report.h"

namespace tvz {

class RunHost {
public:
  virtual ~RunHost() = default;
  // Shows one of the run's messages and returns when the user has read it
  // (the window: a modal "Aceptar" dialog; the command line: one stdout line).
  virtual void ShowMessage(const std::string& text) = 0;
  // Busy cursor on (true) or off (false).
  virtual void SetBusy(bool busy) = 0;
};

// One run's context: what it was asked to do, who shows its messages, and
// what it reports.
struct Conversion {
  // The host must outlive the conversion.
  explicit Conversion(RunHost& run_host) : host(run_host) {}

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
  RunHost& host;
  // What the run did: the records of each table it made, its warnings and
  // counts (report.h).
  Informe informe;

  void Show(const std::string& text) const { host.ShowMessage(text); }
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
