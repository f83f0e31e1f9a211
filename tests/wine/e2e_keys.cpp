// The scenarios driven by the keyboard alone, in a standalone window.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "e2e_files.h"
#include "e2e_host.h"
#include "e2e_scenario.h"
#include "ui/control_ids.h"

namespace tvz::e2e {
namespace {

// The keyboard alone, standalone: the focus starts on Directorios, Up and
// Enter open the parent folder (which holds no ZARP file), Shift+Tab back to BExportar and
// Enter runs the export there; Alt+S closes the window.
void RunKeyboard(const Env& env) {
  std::printf("scenario keyboard\n");
  const Case c{"keyboard", {}, Folder::kSamples, Setup::kNone, {}, Shown::kStandalone,
               Buttons::kBoth, 0, {}, false, false, std::nullopt, "MMMMMM"};
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
  CheckReportFile(s, "exportar", false);  // a run without warnings writes it too
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
  const Case c{"drive_list", {}, Folder::kSamples, Setup::kNone, {}, Shown::kStandalone,
               Buttons::kBoth, 0, {}, false, false, std::nullopt, "RRRRRR"};
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
  press(VK_TAB);  // from Directorios to Unidades
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
  run.AnswerDialogs(2);
  run.Click(IDC_BCLOSE);
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended");
  CheckDialogs({kFinished, kReport}, run.dialogs());
  CheckResultFile(c, s);
  CheckTables(c);
  DestroyWindow(host);
}

// Enter right after the start goes to Directorios, standalone and embedded:
// on its current folder it opens nothing and starts no conversion; Up and
// Enter then open the parent folder.
void RunEnterAtStart(const Env& env, bool embedded) {
  const Case c{embedded ? "enter_at_start_embedded" : "enter_at_start",
               embedded ? std::vector<std::string>{"exportar", "{host}"} : std::vector<std::string>{},
               Folder::kSamples, Setup::kNone, {},
               embedded ? Shown::kEmbedded : Shown::kStandalone,
               embedded ? Buttons::kExportOnly : Buttons::kBoth, 0, {}, false, true,
               embedded ? std::optional<int>(0) : std::nullopt, "MMMMMM"};
  std::printf("scenario %s\n", c.name);
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  ProgramRun run(s.program, Parameters(c, host), s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  CheckPlacement(c, form, host);
  HWND list = GetDlgItem(form, IDC_DIRECTORIOS);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &gui);
  Check(gui.hwndFocus == list, "the focus starts on Directorios");
  SetForegroundWindow(GetAncestor(form, GA_ROOT));  // a child gets the keys through its host
  PumpFor(200);
  auto press = [&](WORD key) {
    run.WaitIdle();
    PressKey(key);
  };
  press(VK_RETURN);
  PumpFor(300);
  Check(run.WaitIdle() && run.dialogs().empty(), "Enter at the start shows no dialog");
  Check(IsWindowEnabled(GetDlgItem(form, IDC_BEXPORTAR)) != FALSE, "no conversion ran");
  Check(CurrentLine(form) == "datos", "Directorios still in its folder: " + CurrentLine(form));
  press(VK_UP);
  press(VK_RETURN);
  run.WaitIdle();
  Check(CurrentLine(form) == c.name, "Up and Enter opened the parent folder: " + CurrentLine(form));
  run.Click(IDC_BCLOSE);
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended");
  CheckDialogs({}, run.dialogs());
  CheckResultFile(c, s);
  CheckTables(c);
  DestroyWindow(host);
}

}  // namespace

bool RunKeyboardScenario(const char* name, const Env& env) {
  const struct {
    const char* name;
    void (*run)(const Env&);
  } scripted[] = {
      {"keyboard", RunKeyboard},
      {"drive_list", RunDriveList},
      {"enter_at_start", [](const Env& env) { RunEnterAtStart(env, false); }},
      {"enter_at_start_embedded", [](const Env& env) { RunEnterAtStart(env, true); }},
  };
  for (const auto& script : scripted) {
    if (std::strcmp(script.name, name) != 0) continue;
    script.run(env);
    return true;
  }
  return false;
}

}  // namespace tvz::e2e
