#pragma once
// What a run needs from the front that started it, and the state one run
// works on. The core never touches a window: it talks to the user only
// through RunHost.
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

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

// Where a value comes from, for the warnings and for the place of an error:
// what the run is making ("PROFT", "ZARP_HORARIO.TXT"), the file read (its
// name in capitals) or table, and the physical line (1-based) or record.
struct Source {
  std::string_view tabla;
  std::string_view fichero;
  std::uint64_t linea = 0;
};

// Where the error that ended a run happened: the file or table read, and its
// line or record (0: the file as a whole). The view is a name the program
// spells (a literal), valid for the program's life.
struct LugarError {
  std::string_view fichero;
  std::uint64_t linea = 0;
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
  // Set when an error ends the run while a ReadingPlace lives (fichero
  // empty otherwise); the fronts show it under the error's text.
  LugarError lugar_error;

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

// While it lives, an error that leaves its scope is placed at `at` as it is
// then (the file, and the line its loop has reached): the innermost place
// wins. End() stops placing, for the steps after a record loop. `at` must
// outlive it, and its `fichero` the run (a literal).
class ReadingPlace {
public:
  ReadingPlace(Conversion& c, const Source& at)
      : c_(c), at_(&at), exceptions_(std::uncaught_exceptions()) {}
  ReadingPlace(const ReadingPlace&) = delete;
  ReadingPlace& operator=(const ReadingPlace&) = delete;
  ~ReadingPlace() {
    const bool unwinding = std::uncaught_exceptions() > exceptions_;
    if (at_ != nullptr && unwinding && c_.lugar_error.fichero.empty())
      c_.lugar_error = {at_->fichero, at_->linea};
  }
  void End() { at_ = nullptr; }

private:
  Conversion& c_;
  const Source* at_;
  int exceptions_;
};

}  // namespace tvz
