#pragma once
// What one end-to-end scenario of transVardelZarp.exe sets up, does and
// expects, and the checks that every scenario makes once the program ended.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e_host.h"

namespace tvz::e2e {

enum class Folder { kSamples, kWithoutProf, kVanishing };
enum class Setup { kNone, kExportedTablesAndSoluc, kLockedAulas };
enum class Shown { kEmbedded, kStandalone };
enum class Buttons { kBoth, kExportOnly, kImportOnly };

struct Message {
  const char* text;  // nullptr: any text
  bool error;
  bool prefix = false;  // the dialog's text starts with `text`
};

struct Case {
  const char* name;
  std::vector<std::string> parameters;  // "{host}": the host window's handle
  Folder folder;
  Setup setup;
  std::vector<Message> at_start;  // before the window shows
  Shown shown;
  Buttons buttons;
  int click;  // 0: none
  std::vector<Message> after_click;
  bool closes_itself;  // else "Salir" is pressed at the end
  bool runs_left;      // both run buttons still enabled before "Salir"
  std::optional<int> ini;  // Transformado written; nullopt: file as it was
  const char* tables;  // per export table: R rebuilt, M untouched
};

constexpr Message kFinished{"Proceso finalizado", false};
// The summary of a run's warnings, after kFinished.
constexpr Message kReport{"El proceso ha terminado con ", false, true};

struct Env {
  std::wstring program, samples, work;
};

struct Scene {
  std::wstring program;  // the scenario's own copy, with its own Vardelin.ini
  std::wstring ini;
  std::wstring base;     // parent of the data folder
  std::wstring data;     // the current folder of the program
};

// A fresh copy of the program with its seeded result file, the case's data
// folder (the current folder of the program) and a working folder that
// holds a marker for every export table.
Scene Prepare(const Case& c, const Env& env);
// The case's parameters, "{host}" replaced by the host window's handle.
std::vector<std::string> Parameters(const Case& c, HWND host);

// Where the window is and which panels it shows.
void CheckPlacement(const Case& c, HWND form, HWND host);
// The dialogs seen, in order, against the ones expected.
void CheckDialogs(const std::vector<Message>& expected, const std::vector<DialogSeen>& seen);
// Vardelin.ini beside the program copy.
void CheckResultFile(const Case& c, const Scene& s);
// The export tables in the working folder: rebuilt or untouched.
void CheckTables(const Case& c);
// The report of the run `conversion` ("exportar", "importar") beside the
// program copy: cp1252 text, CR LF, with or without warnings. Returns it.
std::string CheckReportFile(const Scene& s, const std::string& conversion, bool warnings);
// The path of that file.
std::wstring ReportFile(const Scene& s);

}  // namespace tvz::e2e
