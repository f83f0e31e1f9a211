// The embedded window in hosts that wait for it in different ways: drawn on
// the screen over the host's client area, the ZARP folder opened from its
// parent (the list must scroll) by keys, by the mouse and by the list's
// selection, and the export's result written.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>

#include "e2e_files.h"
#include "e2e_host.h"
#include "e2e_scenario.h"
#include "ui/control_ids.h"

namespace tvz::e2e {
namespace {

// A host window in a thread of its own, which waits with a GetMessage loop,
// with MsgWaitForMultipleObjects, or handling no message at all (as a host
// blocked in WaitForSingleObject), until it is destroyed.
enum class HostKind { kGetMessage, kMsgWait, kNotAnswering };

class HostThread {
public:
  explicit HostThread(HostKind kind) : kind_(kind), thread_([this] { Main(); }) {
    WaitUntil([&] { return window_ != nullptr; }, 10000);
  }
  ~HostThread() {
    SetEvent(quit_);
    PostThreadMessageW(id_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(quit_);
  }
  HWND window() const { return window_; }

private:
  void Main() {
    id_ = GetCurrentThreadId();
    const HWND window = CreateHostWindow();
    window_ = window;
    MSG m;
    if (kind_ == HostKind::kNotAnswering) WaitForSingleObject(quit_, INFINITE);
    while (kind_ == HostKind::kGetMessage && GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
    while (kind_ == HostKind::kMsgWait &&
           MsgWaitForMultipleObjects(1, &quit_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    DestroyWindow(window);
  }

  HostKind kind_;
  HANDLE quit_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<DWORD> id_{0};
  std::atomic<HWND> window_{nullptr};
  std::thread thread_;  // last: it starts once the members above exist
};

// Whether the screen shows the program's window where `form` stands: many
// colours (its gradients), its list's background, hardly any of the host's.
bool Drawn(HWND form, std::string& seen) {
  RECT r;
  GetWindowRect(form, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  const HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  std::map<COLORREF, int> colours;  // of every other pixel across and down
  for (int y = 0; y < h; y += 2)
    for (int x = 0; x < w; x += 2) ++colours[GetPixel(copy, x, y)];
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  const int list = colours[RGB(240, 251, 255)], host = colours[GetSysColor(COLOR_APPWORKSPACE)];
  seen = std::to_string(colours.size()) + " colours, " + std::to_string(list) +
         " points of the list, " + std::to_string(host) + " of the host";
  return colours.size() > 20 && list > 1000 && host < w * h / 200;
}

void CheckDrawn(HWND form, const std::string& when) {
  std::string seen;
  const bool drawn = WaitUntil([&] { return Drawn(form, seen); }, 3000);
  Check(drawn, "drawn on the screen " + when + ": " + seen);
}

// A message to a window of the program; -1 when it does not answer in time.
LRESULT Ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 2000, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

int LineOf(HWND list, const std::wstring& name) {
  for (LRESULT i = 0, count = Ask(list, LB_GETCOUNT); i < count; ++i) {
    wchar_t text[MAX_PATH] = {};
    if (Ask(list, LB_GETTEXTLEN, i) < MAX_PATH &&
        Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text)) > 0 && name == text)
      return static_cast<int>(i);
  }
  return -1;
}

// The centre of a line of the list on the screen; false when it is out of
// sight.
bool LineOnScreen(HWND list, int line, POINT& centre) {
  const LRESULT top = Ask(list, LB_GETTOPINDEX), height = Ask(list, LB_GETITEMHEIGHT);
  RECT client;
  GetClientRect(list, &client);
  centre = {client.right / 2, static_cast<LONG>((line - top) * height + height / 2)};
  ClientToScreen(list, &centre);
  return top >= 0 && height > 0 && line >= top && (line - top + 1) * height <= client.bottom;
}

enum class Way { kKeys, kMouse, kSelection };
struct Step {
  Way way;
  const char* how;
  bool to_zarp;  // else to its parent, the line right above it
};
// From the parent; the ZARP folder is out of sight each time.
const Step kSteps[] = {{Way::kKeys, "keys", true},
                       {Way::kMouse, "mouse", false},
                       {Way::kMouse, "mouse", true},
                       {Way::kSelection, "list selection", false},
                       {Way::kSelection, "list selection", true}};

void Open(ProgramRun& run, HWND form, const Step& step, const std::wstring& name) {
  HWND list = GetDlgItem(form, IDC_DIRECTORIOS);
  const int line = LineOf(list, name);
  POINT p{};
  if (step.to_zarp) Check(line >= 0 && !LineOnScreen(list, line, p), "the ZARP folder out of sight");
  SetForegroundWindow(GetAncestor(form, GA_ROOT));
  run.WaitIdle();
  switch (step.way) {
    case Way::kKeys:  // the last line, "programa", then the one above it
      for (WORD key : {VK_END, VK_UP, VK_RETURN}) PressKey(key);
      break;
    case Way::kMouse: {  // the wheel until it is in sight, then a double click
      RECT r;
      GetWindowRect(list, &r);
      SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      INPUT wheel{};
      wheel.type = INPUT_MOUSE;
      wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
      wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
      for (int i = 0; i < 20 && !LineOnScreen(list, line, p); ++i) {
        SendInput(1, &wheel, sizeof wheel);
        run.WaitIdle();
      }
      ClickAt(p, 2);
      break;
    }
    case Way::kSelection:  // the host selects it (the list scrolls to it) and opens it
      Ask(list, LB_SETCURSEL, static_cast<WPARAM>(line));
      PostMessageW(form, WM_COMMAND, MAKEWPARAM(IDC_DIRECTORIOS, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(list));
      break;
  }
}

// The host moved, raised above the window, minimised and restored.
void CheckFollows(ProgramRun& run, HWND form, HWND host) {
  RECT r;
  GetWindowRect(host, &r);
  SetWindowPos(host, nullptr, r.left + 37, r.top + 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const bool moved = WaitUntil([&] {
    POINT at{2, 2};
    ClientToScreen(host, &at);
    GetWindowRect(form, &r);
    return r.left == at.x && r.top == at.y;
  }, 3000);
  Check(moved, "the window moved with the host");
  SetWindowPos(host, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  CheckDrawn(form, "after the host came to the top");
  if (GetWindow(form, GW_OWNER) == host) {  // a child is hidden with its parent anyway
    ShowWindowAsync(host, SW_MINIMIZE);
    Check(WaitUntil([&] { return IsIconic(host) && !IsWindowVisible(form); }, 3000),
          "hidden while the host is minimised");
  }
  ShowWindowAsync(host, SW_RESTORE);
  CheckDrawn(form, "once the host was restored");
  run.WaitIdle();
}

struct HostCase {
  const char* name;
  HostKind kind;
  bool follows;
};
const HostCase kHostCases[] = {{"host_getmessage", HostKind::kGetMessage, true},
                               {"host_msgwait", HostKind::kMsgWait, false},
                               {"host_not_answering", HostKind::kNotAnswering, false}};

void RunInHost(const HostCase& h, const Env& env) {
  std::printf("scenario %s\n", h.name);
  const Case c{h.name, {"exportar", "{host}"}, Folder::kSamples, Setup::kNone, {},
               h.kind == HostKind::kNotAnswering ? Shown::kStandalone : Shown::kEmbedded,
               Buttons::kExportOnly, IDC_BEXPORTAR, {kFinished, kReport}, true, false, 1, "RRRRRR"};
  const Scene s = Prepare(c, env);
  for (int i = 1; i <= 14; ++i)  // before "datos", as "programa" is after it
    CreateDirectoryW((s.base + L"\\carpeta" + std::to_wstring(100 + i)).c_str(), nullptr);
  HostThread host(h.kind);
  ProgramRun run(s.program, Parameters(c, host.window()), s.base, host.window());
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  CheckPlacement(c, form, host.window());
  CheckDrawn(form, "at the start");
  if (h.follows) CheckFollows(run, form, host.window());
  for (const Step& step : kSteps) {
    const std::wstring& folder = step.to_zarp ? s.data : s.base;
    Open(run, form, step, folder.substr(folder.rfind(L'\\') + 1));
    const bool opened = WaitUntil(
        [&] { return lstrcmpiW(TextOf(GetDlgItem(form, IDC_RUTA)).c_str(), folder.c_str()) == 0; },
        5000);
    if (!Check(opened, std::string(step.to_zarp ? "the ZARP folder" : "its parent") +
                           " opened by " + step.how))
      return;  // the program is ended
  }
  run.Click(IDC_BEXPORTAR);
  run.AnswerDialogs(c.after_click.size());
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended with exit code 0");
  CheckDialogs(c.after_click, run.dialogs());
  CheckResultFile(c, s);
  CheckTables(c);
}

}  // namespace

int ShowForScreenshot(const std::wstring& program, const std::string& mode,
                      const std::wstring& signal) {
  HWND host = CreateHostWindow();
  wchar_t here[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, here);
  ProgramRun run(program, {mode, HandleText(host)}, here, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return 1;
  CheckDrawn(form, "for the picture");
  RECT r;
  GetWindowRect(host, &r);
  WriteBytes(signal, std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
                         "+" + std::to_string(r.left) + "+" + std::to_string(r.top));
  WaitUntil([&] { return GetFileAttributesW(signal.c_str()) == INVALID_FILE_ATTRIBUTES; }, 60000);
  run.Click(IDC_BCLOSE);
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended");
  DestroyWindow(host);
  return Failures() == 0 ? 0 : 1;
}

bool RunEmbeddingScenario(const char* name, const Env& env) {
  for (const HostCase& h : kHostCases) {
    if (std::strcmp(h.name, name) != 0) continue;
    RunInHost(h, env);
    return true;
  }
  return false;
}

}  // namespace tvz::e2e
