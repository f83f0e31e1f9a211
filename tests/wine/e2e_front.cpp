// The scenarios of what the window shows to the user and to the host: its
// dialogs in front of the host, and a name for every control.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <optional>
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
               {{"No existe archivo de profesores (ZARP_PROF.TXT)", false}, kFinished, kReport}, true,
               false, -1, "RMRRRR"};
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

// What assistive technology reads: a static or a button by its own text,
// a list by its label, the static text that comes right before it in the
// z-order (the search stops at a control that starts a tab group).
std::wstring LabelOf(HWND control) {
  for (HWND w = GetWindow(control, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
    if (ClassOf(w) == L"Static") return TextOf(w);
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    if ((style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) break;
  }
  return L"";
}

// The name the system's accessibility layer gives the control, or "?" and
// the errors.
std::string AccessibleName(HWND control) {
  IAccessible* acc = nullptr;
  HRESULT hr = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible, reinterpret_cast<void**>(&acc));
  if (FAILED(hr)) {
    const HRESULT std_hr = CreateStdAccessibleObject(control, static_cast<LONG>(OBJID_CLIENT),
                                                     IID_IAccessible, reinterpret_cast<void**>(&acc));
    if (FAILED(std_hr))
      return "? " + std::to_string(static_cast<unsigned long>(hr)) + " " +
             std::to_string(static_cast<unsigned long>(std_hr));
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string out = "?";
  const HRESULT got = acc->get_accName(self, &name);
  if (got == S_OK && name != nullptr) out = Narrow(name);
  else out = "? get_accName " + std::to_string(static_cast<unsigned long>(got));
  SysFreeString(name);
  acc->Release();
  return out;
}

// Every control of the standalone window, in z-order, with its name.
void RunNames(const Env& env) {
  std::printf("scenario names\n");
  const Case c{"names", {}, Folder::kSamples, Setup::kNone, {}, Shown::kStandalone,
               Buttons::kBoth, 0, {}, false, true, std::nullopt, "MMMMMM"};
  const char* const kFolderCaption = "Carpeta en la que se encuentran los Ficheros TXT de ZARP";
  const struct {
    int id;
    const wchar_t* window_class;
    const char* name;  // nullptr: the current folder
  } expected[] = {
      {IDC_TITULO_EXPORTAR, L"Static", "Transformar datos desde ZARP hacia Vardelin "},
      {IDC_BEXPORTAR, L"Button", "Aceptar"},
      {IDC_TITULO_IMPORTAR, L"Static", "Transformar datos desde Vardelin hacia ZARP"},
      {IDC_BIMPORTAR, L"Button", "Aceptar"},
      {IDC_RUTA_TEXTO, L"Static", "Ruta Actual:"},
      {IDC_RUTA, L"Static", nullptr},
      {IDC_CARPETA_TEXTO, L"Static", kFolderCaption},
      {IDC_DIRECTORIOS, L"ListBox", kFolderCaption},
      {IDC_UNIDADES_TEXTO, L"Static", "Unidades"},
      {IDC_UNIDADES, L"ComboBox", "Unidades"},
      {IDC_BUTTON1, L"Button", "F1 AYUDA"},
      {IDC_BCLOSE, L"Button", "&Salir"},
      {IDC_VERSION, L"Static", "TransVardelinZARP para RD40 V-1.0"},
  };
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  ProgramRun run(s.program, {}, s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  CoInitialize(nullptr);
  HWND child = GetWindow(form, GW_CHILD);
  for (const auto& e : expected) {
    const std::string what = "control " + std::to_string(e.id);
    if (!Check(child != nullptr && GetDlgCtrlID(child) == e.id && ClassOf(child) == e.window_class,
               what + " next in z-order, of its class"))
      break;
    const bool list = ClassOf(child) == L"ListBox" || ClassOf(child) == L"ComboBox";
    const std::string name = Narrow(list ? LabelOf(child) : TextOf(child));
    if (e.name != nullptr)
      Check(name == e.name, what + " named \"" + name + "\"");
    else
      Check(lstrcmpiA(name.c_str(), Narrow(s.data).c_str()) == 0, what + " shows the folder " + name);
    // Wine's accessibility layer gives no object for these windows
    // (E_NOINTERFACE), so the names above are the checks; what it says is
    // only shown.
    std::printf("  accessible name: %s\n", AccessibleName(child).c_str());
    child = GetWindow(child, GW_HWNDNEXT);
  }
  Check(child == nullptr, "no other control");
  CoUninitialize();
  run.Click(IDC_BCLOSE);
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended");
  CheckDialogs({}, run.dialogs());
  DestroyWindow(host);
}

}  // namespace

bool RunFrontScenario(const char* name, const Env& env) {
  const struct {
    const char* name;
    void (*run)(const Env&);
  } scripted[] = {{"dialog_in_front", RunDialogInFront}, {"names", RunNames}};
  for (const auto& script : scripted) {
    if (std::strcmp(script.name, name) != 0) continue;
    script.run(env);
    return true;
  }
  return false;
}

}  // namespace tvz::e2e
