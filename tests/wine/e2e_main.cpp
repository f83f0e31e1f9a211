// tvz_e2e SCENARIO PROGRAM SAMPLES WORK
// tvz_e2e desktop-handle
//
// One end-to-end scenario of transVardelZarp.exe under Wine: this program
// plays the timetabling program (a window of its own, the command line, the
// result file Vardelin.ini, the tables in C:\VTEMP) and the user (buttons,
// message dialogs). PROGRAM is transVardelZarp.exe, SAMPLES a folder of ZARP
// files, WORK a scratch folder. Exit code 0 when every check holds.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "e2e_files.h"
#include "e2e_host.h"
#include "ui/control_ids.h"

namespace tvz::e2e {
namespace {

enum class Folder { Samples, WithoutProf, Vanishing };
enum class Setup { None, ExportedTablesAndSoluc, LockedAulas };
enum class Shown { Embedded, Standalone };
enum class Buttons { Both, ExportOnly, ImportOnly };

struct Message {
  const char* text;  // nullptr: any text
  bool error;
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

const Message kFinished{"Proceso finalizado", false};

const Case kCases[] = {
    {"export_finished", {"exportar", "{host}"}, Folder::Samples, Setup::None, {},
     Shown::Embedded, Buttons::ExportOnly, IDC_BEXPORTAR, {kFinished}, true, false, 1, "RRRRRR"},
    {"export_missing_file", {"exportar", "{host}"}, Folder::WithoutProf, Setup::None, {},
     Shown::Embedded, Buttons::ExportOnly, IDC_BEXPORTAR,
     {{"No existe archivo de profesores (ZARP_PROF.TXT)", false}, kFinished}, true, false, -1,
     "RMRRRR"},
    {"export_folder_missing", {"exportar", "{host}"}, Folder::Vanishing, Setup::None, {},
     Shown::Embedded, Buttons::ExportOnly, IDC_BEXPORTAR, {{"No existe la carpeta", false}}, true,
     false, -1, "MMMMMM"},
    {"import_folder_missing", {"importar", "{host}"}, Folder::Vanishing, Setup::None, {},
     Shown::Embedded, Buttons::ImportOnly, IDC_BIMPORTAR, {{"No existe la carpeta", false}}, true,
     false, 0, "MMMMMM"},
    {"export_error_ends_run", {"exportar", "{host}"}, Folder::Samples, Setup::LockedAulas, {},
     Shown::Embedded, Buttons::ExportOnly, IDC_BEXPORTAR, {{"Error de E/S 32.", true}}, false,
     true, -1, "RRMMMM"},
    {"import_finished", {"importar", "{host}"}, Folder::Samples, Setup::ExportedTablesAndSoluc, {},
     Shown::Embedded, Buttons::ImportOnly, IDC_BIMPORTAR, {kFinished}, true, false, 1, "RRRRRR"},
    {"import_error_missing_table", {"importar", "{host}"}, Folder::Samples, Setup::None, {},
     Shown::Embedded, Buttons::ImportOnly, IDC_BIMPORTAR, {{nullptr, true}}, false, true, 0,
     "MMMMMM"},
    {"salir_before_run", {"importar", "{host}"}, Folder::Samples, Setup::None, {},
     Shown::Embedded, Buttons::ImportOnly, 0, {}, false, true, 0, "MMMMMM"},
    {"mode_in_capitals", {"IMPORTAR", "{host}"}, Folder::Samples, Setup::None, {},
     Shown::Embedded, Buttons::ImportOnly, 0, {}, false, true, 0, "MMMMMM"},
    {"other_mode_both_panels", {"ayuda", "{host}"}, Folder::Samples, Setup::None, {},
     Shown::Embedded, Buttons::Both, 0, {}, false, true, 0, "MMMMMM"},
    {"bad_handle", {"exportar", "zz"}, Folder::Samples, Setup::None,
     {{"'$zz' no es un valor entero v\xE1lido.", true}}, Shown::Standalone, Buttons::Both, 0, {},
     false, true, std::nullopt, "MMMMMM"},
    {"three_parameters", {"importar", "{host}", "extra"}, Folder::Samples, Setup::None, {},
     Shown::Standalone, Buttons::Both, 0, {}, false, true, std::nullopt, "MMMMMM"},
    {"standalone_export", {}, Folder::Samples, Setup::None, {}, Shown::Standalone, Buttons::Both,
     IDC_BEXPORTAR, {kFinished}, false, false, std::nullopt, "RRRRRR"},
};

struct Env {
  std::wstring program, samples, work;
};

struct Scene {
  std::wstring program;  // the scenario's own copy, with its own Vardelin.ini
  std::wstring ini;
  std::wstring base;     // parent of the data folder
  std::wstring data;     // the current folder of the program
};

Scene Prepare(const Case& c, const Env& env) {
  Scene s;
  const std::wstring dir = env.work + L"\\" + WideFrom(c.name);
  RemoveTree(dir);
  CreateDirectoryW(env.work.c_str(), nullptr);
  CreateDirectoryW(dir.c_str(), nullptr);
  CreateDirectoryW((dir + L"\\programa").c_str(), nullptr);
  s.program = dir + L"\\programa\\transVardelZarp.exe";
  Check(CopyFileW(env.program.c_str(), s.program.c_str(), FALSE) != FALSE, "program copied");
  s.ini = dir + L"\\programa\\Vardelin.ini";
  WriteBytes(s.ini, kSeededIni);
  s.base = c.folder == Folder::Vanishing ? dir + L"\\carpeta" : dir;
  CreateDirectoryW(s.base.c_str(), nullptr);
  s.data = s.base + L"\\datos";
  Check(CopyFolder(env.samples, s.data), "sample files copied");
  if (c.folder == Folder::WithoutProf) DeleteFileW((s.data + L"\\ZARP_PROF.TXT").c_str());
  SeedWorkingFolder({kExportTables, kExportTables + 6});
  return s;
}

std::vector<std::string> Parameters(const Case& c, HWND host) {
  std::vector<std::string> out;
  for (const std::string& p : c.parameters) out.push_back(p == "{host}" ? HandleText(host) : p);
  return out;
}

// The timetable the host computed: a row of day 0 (never written) and a row
// whose group, task and room the tables lack, in a slot that does not exist.
std::string SolucBytes() {
  return DbfTableBytes({{"DIA", 'N', 1}, {"HORA", 'N', 2}, {"MARCO", 'C', 1}, {"PROF", 'C', 4},
                        {"CODGRUPO", 'C', 10}, {"TAREA", 'C', 10}, {"ASIG", 'C', 6},
                        {"AULA", 'C', 10}},
                       {{"0", "1", "M", "P001", "1ESOA", "MAT", "MAT", "A1"},
                        {"7", "99", "M", "P001", "ZZZZZ9", "NOPE", "MAT", "X9"}});
}

// Gives the working folder the tables of an embedded export of the
// scenario's folder, and the host's SOLUC; the result file is seeded again.
void ExportThenWriteSoluc(const Scene& s, HWND host) {
  ProgramRun run(s.program, {"exportar", HandleText(host)}, s.data, host);
  run.WaitForForm();
  run.Click(IDC_BEXPORTAR);
  DWORD code = 1;
  Check(run.WaitForExit(code), "preparing export ended");
  WriteBytes(s.ini, kSeededIni);
  Check(WriteBytes(TablePath("SOLUC"), SolucBytes()), "SOLUC written");
}

void CheckPlacement(const Case& c, HWND form, HWND host) {
  RECT client;
  GetClientRect(form, &client);
  Check(client.right == 599 && client.bottom == 270, "client area 599 x 270");
  const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
  if (c.shown == Shown::Embedded) {
    Check(GetParent(form) == host && (style & WS_CHILD), "a child of the host window");
    Check((style & WS_CAPTION) == 0 && (style & WS_THICKFRAME) == 0, "no border, no caption");
    RECT r;
    GetWindowRect(form, &r);
    MapWindowPoints(HWND_DESKTOP, host, reinterpret_cast<POINT*>(&r), 2);
    Check(r.left == 2 && r.top == 2, "at (2, 2) of the host's client area");
  } else {
    Check(GetAncestor(form, GA_PARENT) == GetDesktopWindow() && !(style & WS_CHILD),
          "a window of its own");
    Check((style & WS_CAPTION) == WS_CAPTION, "with its caption");
  }
  HWND exportar = GetDlgItem(form, IDC_BEXPORTAR);
  HWND importar = GetDlgItem(form, IDC_BIMPORTAR);
  Check((IsWindowVisible(exportar) != FALSE) == (c.buttons != Buttons::ImportOnly),
        "export panel shown as the mode says");
  Check((IsWindowVisible(importar) != FALSE) == (c.buttons != Buttons::ExportOnly),
        "import panel shown as the mode says");
  // Alone, a panel spans the whole top band: its button keeps its place in
  // the panel, which now starts at the left edge.
  RECT b;
  GetWindowRect(importar, &b);
  MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&b), 2);
  Check(b.left == (c.buttons == Buttons::ImportOnly ? 96 : 289 + 96) && b.top == 72,
        "BImportar at its place in the import panel");
}

void CheckDialogs(const std::vector<Message>& expected, const std::vector<DialogSeen>& seen) {
  Check(seen.size() == expected.size(), "dialogs: " + std::to_string(seen.size()) + ", expected " +
                                            std::to_string(expected.size()));
  for (std::size_t i = 0; i < expected.size() && i < seen.size(); ++i) {
    const std::string what = "dialog " + std::to_string(i + 1) + " \"" + seen[i].text + "\"";
    if (expected[i].text != nullptr)
      Check(seen[i].text == expected[i].text, what + " reads \"" + expected[i].text + "\"");
    else
      Check(!seen[i].text.empty(), what + " has a text");
    Check(seen[i].error_icon == expected[i].error,
          what + (expected[i].error ? " with the error icon" : " without icon"));
    Check(seen[i].caption_ok && seen[i].button_ok, what + " captioned transVardelZarp, one Aceptar");
    Check(seen[i].centred, what + " centred on the screen");
  }
}

void CheckResultFile(const Case& c, const Scene& s) {
  if (!c.ini) {
    Check(ReadBytes(s.ini) == std::optional<std::string>(kSeededIni), "Vardelin.ini not written");
    return;
  }
  Check(IniValue(s.ini, "Transformadores", "Transformado") == std::to_string(*c.ini),
        "Vardelin.ini: Transformado=" + std::to_string(*c.ini));
  Check(IniValue(s.ini, "Transformadores", "Otra") == std::optional<std::string>("abc") &&
            IniValue(s.ini, "Otros", "Clave") == std::optional<std::string>("Valor"),
        "Vardelin.ini: the other keys and sections kept");
}

void CheckTables(const Case& c) {
  for (int i = 0; i < 6; ++i) {
    const std::string table = kExportTables[i];
    if (c.tables[i] == 'M') {
      Check(ReadBytes(TablePath(table)) == MarkerOf(table), table + " untouched");
    } else {
      const std::optional<unsigned> records = DbfRecordCount(TablePath(table));
      Check(records && *records > 0,
            table + " rebuilt (" + (records ? std::to_string(*records) : "no table") + " records)");
    }
  }
}

std::string Padded(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

bool TwelveDigits(const std::string& s, std::size_t at) {
  if (s.size() < at + 12) return false;
  for (std::size_t i = at; i < at + 12; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

void CheckTimetableFile(const Scene& s) {
  std::string centre;
  const std::string asignat = ReadBytes(s.data + L"\\ZARP_ASIGNAT.TXT").value_or("");
  if (asignat.rfind('0', 0) == 0) centre = asignat.substr(51, std::min<std::size_t>(8, asignat.find('\r') - 51));
  const std::optional<std::string> file = ReadBytes(s.data + L"\\ZARP_HORARIO.TXT");
  if (!Check(file.has_value(), "ZARP_HORARIO.TXT written")) return;
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = file->find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(file->substr(start, end - start));
  Check(start == file->size(), "every line ends with CR LF");
  if (!Check(lines.size() == 3, "header, one record, trailer")) return;
  const std::string head = Padded("ZARP_HORARIO.TXT", 50) + Padded(centre, 8);
  Check(lines[0].substr(0, 59) == "0" + head && TwelveDigits(lines[0], 59) && lines[0].size() == 71,
        "header: " + lines[0]);
  Check(lines[1] == "1    7P001ZZZZLEC MAT X9  ", "record: " + lines[1]);
  Check(lines[2].substr(0, 59) == "9" + head && TwelveDigits(lines[2], 59) &&
            lines[2].substr(71) == "1",
        "trailer: " + lines[2]);
}

void Run(const Case& c, const Env& env) {
  std::printf("scenario %s\n", c.name);
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  if (c.setup == Setup::ExportedTablesAndSoluc) ExportThenWriteSoluc(s, host);
  HANDLE lock = INVALID_HANDLE_VALUE;
  if (c.setup == Setup::LockedAulas)  // held open by another program, no sharing
    lock = CreateFileW((s.data + L"\\ZARP_AULAS.TXT").c_str(), GENERIC_READ, 0, nullptr,
                       OPEN_EXISTING, 0, nullptr);

  ProgramRun run(s.program, Parameters(c, host), s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  std::vector<DialogSeen> at_start = run.dialogs();
  CheckDialogs(c.at_start, at_start);
  CheckPlacement(c, form, host);
  if (c.folder == Folder::Vanishing)
    Check(MoveFileW(s.base.c_str(), (s.base + L".ido").c_str()) != FALSE, "chosen folder removed");

  if (c.click != 0) {
    run.Click(c.click);
    run.AnswerDialogs(c.after_click.size());
  }
  if (!c.closes_itself) {
    Check(run.WaitIdle(), "window still open after the run");
    const bool enabled = IsWindowEnabled(GetDlgItem(form, IDC_BEXPORTAR)) &&
                         IsWindowEnabled(GetDlgItem(form, IDC_BIMPORTAR));
    const bool disabled = !IsWindowEnabled(GetDlgItem(form, IDC_BEXPORTAR)) &&
                          !IsWindowEnabled(GetDlgItem(form, IDC_BIMPORTAR));
    Check(c.runs_left ? enabled : disabled,
          c.runs_left ? "both run buttons enabled" : "both run buttons disabled");
    if (!c.runs_left) {  // a disabled button starts nothing
      const std::size_t before = run.dialogs().size();
      run.Click(IDC_BIMPORTAR);
      PumpFor(300);
      Check(run.WaitIdle() && run.dialogs().size() == before, "no second run");
    }
    run.Click(IDC_BCLOSE);
  }
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended with exit code 0");
  if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);

  std::vector<Message> all = c.at_start;
  all.insert(all.end(), c.after_click.begin(), c.after_click.end());
  CheckDialogs(all, run.dialogs());
  CheckResultFile(c, s);
  CheckTables(c);
  if (c.setup == Setup::ExportedTablesAndSoluc) CheckTimetableFile(s);
  DestroyWindow(host);
}

// The keyboard alone, standalone: Tab to Directorios, Up and Enter open the
// parent folder (which holds no ZARP file), Shift+Tab back to BExportar and
// Enter runs the export there; Alt+S closes the window.
void RunKeyboard(const Env& env) {
  std::printf("scenario keyboard\n");
  const Case c{"keyboard", {}, Folder::Samples, Setup::None, {}, Shown::Standalone, Buttons::Both,
               0, {}, false, false, std::nullopt, "MMMMMM"};
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  ProgramRun run(s.program, {}, s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  SetForegroundWindow(form);
  PumpFor(200);
  auto press = [&](WORD key, WORD modifier = 0) {
    run.WaitIdle();
    PressKey(key, modifier);
  };
  press(VK_TAB);
  press(VK_TAB);
  press(VK_UP);
  press(VK_RETURN);
  press(VK_TAB, VK_SHIFT);
  press(VK_TAB, VK_SHIFT);
  press(VK_RETURN);
  const std::vector<Message> expected = {
      {"No existe archivo de asignaturas (ZARP_ASIGNAT.TXT)", false},
      {"No existe archivo de profesores (ZARP_PROF.TXT)", false},
      {"No existe archivo de aulas (ZARP_AULAS.TXT)", false},
      {"No existe archivo de grupos (ZARP_GRUPO.TXT)", false},
      {"No existe archivo de grupos (ZARP_ASIGNATGRUPO.TXT)", false},
      {"No existe archivo de grupos (ZARP_SESIONES.TXT)", false},
      kFinished,
  };
  run.AnswerDialogs(expected.size());
  Check(run.WaitIdle() && !IsWindowEnabled(GetDlgItem(form, IDC_BEXPORTAR)),
        "the run finished in the window");
  SetForegroundWindow(form);
  PumpFor(200);
  press('S', VK_MENU);
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "Alt+S closed the program");
  CheckDialogs(expected, run.dialogs());
  CheckResultFile(c, s);
  CheckTables(c);
  DestroyWindow(host);
}

// The text of the line that Directorios shows as current.
std::string CurrentLine(HWND form) {
  HWND list = GetDlgItem(form, IDC_DIRECTORIOS);
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (index < 0 || length < 0) return "";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Narrow(text);
}

// Unidades by the keyboard: "C" moves Directorios to C:'s current folder
// (its root), "Z" back to the folder it had on Z:, where the export runs.
void RunDriveList(const Env& env) {
  std::printf("scenario drive_list\n");
  const Case c{"drive_list", {}, Folder::Samples, Setup::None, {}, Shown::Standalone, Buttons::Both,
               0, {}, false, false, std::nullopt, "RRRRRR"};
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  ProgramRun run(s.program, {}, s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  Check(CurrentLine(form) == "datos", "Directorios starts in the current folder");
  SetForegroundWindow(form);
  PumpFor(200);
  auto press = [&](WORD key, WORD modifier = 0) {
    run.WaitIdle();
    PressKey(key, modifier);
  };
  for (int i = 0; i < 3; ++i) press(VK_TAB);
  press('C');
  run.WaitIdle();
  Check(CurrentLine(form) == "C:\\" &&
            SendMessageW(GetDlgItem(form, IDC_DIRECTORIOS), LB_GETCURSEL, 0, 0) == 0,
        "drive c: shows its root: " + CurrentLine(form));
  press('Z');
  run.WaitIdle();
  Check(CurrentLine(form) == "datos", "drive z: shows its folder again: " + CurrentLine(form));
  for (int i = 0; i < 3; ++i) press(VK_TAB, VK_SHIFT);
  press(VK_RETURN);
  run.AnswerDialogs(1);
  run.Click(IDC_BCLOSE);
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended");
  CheckDialogs({kFinished}, run.dialogs());
  CheckResultFile(c, s);
  CheckTables(c);
  DestroyWindow(host);
}

}  // namespace
}  // namespace tvz::e2e

int main(int argc, char** argv) {
  using namespace tvz::e2e;
  if (argc == 2 && std::strcmp(argv[1], "desktop-handle") == 0) {
    // For the screenshots: the desktop as a host shows the embedded layout
    // in a window of its own (a real host's child has no picture under Wine).
    std::printf("%s\n", HandleText(GetDesktopWindow()).c_str());
    return 0;
  }
  if (argc != 5) {
    std::fprintf(stderr, "usage: tvz_e2e SCENARIO PROGRAM SAMPLES WORK\n");
    return 2;
  }
  const Env env{WindowsPath(argv[2]), WindowsPath(argv[3]), WindowsPath(argv[4])};
  const struct {
    const char* name;
    void (*run)(const Env&);
  } scripted[] = {{"keyboard", RunKeyboard}, {"drive_list", RunDriveList}};
  for (const auto& script : scripted) {
    if (std::strcmp(script.name, argv[1]) != 0) continue;
    script.run(env);
    std::printf("%s: %d failed checks\n", script.name, Failures());
    return Failures() == 0 ? 0 : 1;
  }
  for (const Case& c : kCases) {
    if (std::strcmp(c.name, argv[1]) != 0) continue;
    Run(c, env);
    std::printf("%s: %d failed checks\n", c.name, Failures());
    return Failures() == 0 ? 0 : 1;
  }
  std::fprintf(stderr, "unknown scenario %s\n", argv[1]);
  return 2;
}
