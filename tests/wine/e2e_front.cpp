// The scenarios of what the window shows to the user and to the host: its
// dialogs in front of the host.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "e2e_files.h"
#include "e2e_host.h"
#include "e2e_scenario.h"
#include "ui/control_ids.h"

namespace tvz::e2e {
namespace {

// True when `a` comes before `b` in the z-order of the top-level windows.
bool Above(HWND a, HWND b) {
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == a) return true;
    if (w == b) return false;
  }
  return false;
}

// A point of the host's client area that neither the program's window nor
// the dialog covers.
bool FreePointOfHost(HWND host, HWND form, HWND dialog, POINT& out) {
  RECT client, f, d;
  GetClientRect(host, &client);
  GetWindowRect(form, &f);
  GetWindowRect(dialog, &d);
  for (int y = client.bottom - 10; y > 0; y -= 10) {
    for (int x = client.right - 10; x > 0; x -= 10) {
      POINT p{x, y};
      ClientToScreen(host, &p);
      if (!PtInRect(&f, p) && !PtInRect(&d, p)) {
        out = p;
        return true;
      }
    }
  }
  return false;
}

// Embedded, every dialog of an export stays in front of the host when the
// user clicks the host (which stays enabled: this process never disables it).
void RunDialogInFront(const Env& env) {
  std::printf("scenario dialog_in_front\n");
  const Case c{"dialog_in_front", {"exportar", "{host}"}, Folder::kWithoutProf, Setup::kNone, {},
               Shown::kEmbedded, Buttons::kExportOnly, IDC_BEXPORTAR,
               {{"No existe archivo de profesores (ZARP_PROF.TXT)", false}, kFinished}, true, false,
               -1, "RMRRRR"};
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  ProgramRun run(s.program, Parameters(c, host), s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  run.BeforeAnswer([&](HWND dialog) {
    POINT p{};
    Check(FreePointOfHost(host, form, dialog, p), "a free point of the host to click");
    ClickAt(p);
    SetWindowPos(host, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(host);
    PumpFor(300);
    Check(IsWindowVisible(dialog) && Above(dialog, host),
          "the dialog is still above the host after a click on the host");
    Check(IsWindowEnabled(host) != FALSE, "the host stays enabled");
    // The host has the keyboard now; the dialog only has to stay visible.
    std::printf("  foreground: %s\n", GetForegroundWindow() == dialog ? "the dialog" : "another window");
  });
  run.Click(c.click);
  run.AnswerDialogs(c.after_click.size());
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended with exit code 0");
  CheckDialogs(c.after_click, run.dialogs());
  CheckResultFile(c, s);
  CheckTables(c);
  DestroyWindow(host);
}

}  // namespace

bool RunFrontScenario(const char* name, const Env& env) {
  const struct {
    const char* name;
    void (*run)(const Env&);
  } scripted[] = {{"dialog_in_front", RunDialogInFront}};
  for (const auto& script : scripted) {
    if (std::strcmp(script.name, name) != 0) continue;
    script.run(env);
    return true;
  }
  return false;
}

}  // namespace tvz::e2e
