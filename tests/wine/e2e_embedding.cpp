// The scenarios of the window inside host programs that wait for it in
// different ways: the window is drawn on the screen over the host's client
// area, the ZARP folder opens from its parent (the list scrolls) by keys, by
// the mouse and by the list's selection, and the export writes its result.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "e2e_files.h"
#include "e2e_host.h"
#include "e2e_scenario.h"
#include "ui/control_ids.h"

namespace tvz::e2e {
namespace {

// A host window in a thread of its own, which waits for the program with a
// GetMessage loop, with MsgWaitForMultipleObjects, or without handling any
// message (as a host blocked in WaitForSingleObject).
enum class HostKind { kGetMessage, kMsgWait, kNotAnswering };

class HostThread {
public:
  explicit HostThread(HostKind kind) : kind_(kind) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    quit_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Main, this, 0, &thread_id_);
    WaitForSingleObject(ready_, 10000);
  }
  ~HostThread() {
    SetEvent(quit_);
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 10000);
    for (HANDLE h : {thread_, ready_, quit_}) CloseHandle(h);
  }
  HWND window() const { return window_; }

private:
  static DWORD WINAPI Main(void* self) {
    auto* host = static_cast<HostThread*>(self);
    host->window_ = CreateHostWindow();
    SetEvent(host->ready_);
    MSG m;
    if (host->kind_ == HostKind::kNotAnswering) WaitForSingleObject(host->quit_, INFINITE);
    if (host->kind_ == HostKind::kGetMessage)
      while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
    if (host->kind_ == HostKind::kMsgWait)
      while (MsgWaitForMultipleObjects(1, &host->quit_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    DestroyWindow(host->window_);
    return 0;
  }

  HostKind kind_;
  HANDLE thread_, ready_, quit_;
  DWORD thread_id_ = 0;
  HWND window_ = nullptr;
};

// What the screen shows where `window` stands: the program's window drawn
// there has its gradients (many colours) and its list's background, and
// hardly any of the host's background.
bool Drawn(HWND window, std::string& seen) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  std::map<COLORREF, int> colours;
  for (int i = 0; i < w * h; ++i) {
    const DWORD bgr = static_cast<const DWORD*>(bits)[i] & 0xFFFFFF;
    ++colours[RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr))];
  }
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  const int list = colours[RGB(240, 251, 255)];
  const int host = colours[GetSysColor(COLOR_APPWORKSPACE)];
  seen = std::to_string(colours.size()) + " colours, " + std::to_string(list) +
         " pixels of the list, " + std::to_string(host) + " of the host";
  return colours.size() > 20 && list > 5000 && host < w * h / 50;
}

void CheckDrawn(HWND form, const std::string& when) {
  std::string seen;
  const bool drawn = WaitUntil([&] { return Drawn(form, seen); }, 3000);
  Check(drawn, "drawn on the screen " + when + ": " + seen);
}

// A message to a window of the program, -1 when it does not answer in time.
LRESULT Ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 2000, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

int LineOf(HWND list, const std::wstring& name) {
  const LRESULT count = Ask(list, LB_GETCOUNT);
  for (int i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH] = {};
    if (Ask(list, LB_GETTEXTLEN, i) < MAX_PATH &&
        Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text)) > 0 && name == text)
      return i;
  }
  return -1;
}

// The centre of a line of the list on the screen, or false when it is out
// of sight.
bool LineOnScreen(HWND list, int line, POINT& centre) {
  const LRESULT top = Ask(list, LB_GETTOPINDEX), height = Ask(list, LB_GETITEMHEIGHT);
  RECT client;
  GetClientRect(list, &client);
  centre = {client.right / 2, static_cast<LONG>((line - top) * height + height / 2)};
  if (top < 0 || height <= 0 || line < top || (line - top + 1) * height > client.bottom)
    return false;
  ClientToScreen(list, &centre);
  return true;
}

void DoubleClickAt(POINT p) {
  ClickAt(p);
  ClickAt(p);
}

// Opens the folder `name` of the list in one of the three ways; the line is
// out of sight before, so that the list scrolls.
enum class Way { kKeys, kMouse, kSelection };
const char* const kWayNames[] = {"keys", "mouse", "list selection"};

void Open(ProgramRun& run, HWND form, Way way, const std::wstring& name) {
  HWND list = GetDlgItem(form, IDC_DIRECTORIOS);
  const int line = LineOf(list, name);
  POINT p{};
  Check(line >= 0 && !LineOnScreen(list, line, p), "\"" + Narrow(name) + "\" out of sight");
  SetForegroundWindow(GetAncestor(form, GA_ROOT));
  PumpFor(100);
  run.WaitIdle();
  if (way == Way::kKeys) {  // the last line, then up to the folder
    PressKey(VK_END);
    for (LRESULT i = Ask(list, LB_GETCOUNT) - 1; i > line; --i)
      PressKey(VK_UP);
    PressKey(VK_RETURN);
  } else if (way == Way::kMouse) {  // the wheel, then a double click
    RECT r;
    GetWindowRect(list, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    for (int i = 0; i < 20 && !LineOnScreen(list, line, p); ++i) {
      INPUT in{};
      in.type = INPUT_MOUSE;
      in.mi.dwFlags = MOUSEEVENTF_WHEEL;
      in.mi.mouseData = static_cast<DWORD>(line < Ask(list, LB_GETTOPINDEX) ? WHEEL_DELTA : -WHEEL_DELTA);
      SendInput(1, &in, sizeof in);
      run.WaitIdle();
    }
    if (Check(LineOnScreen(list, line, p), "the wheel brought it into sight")) DoubleClickAt(p);
  } else {  // the host selects the line, the list scrolls to it and opens it
    Ask(list, LB_SETCURSEL, static_cast<WPARAM>(line));
    PostMessageW(form, WM_COMMAND, MAKEWPARAM(IDC_DIRECTORIOS, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
  }
}

struct HostCase {
  const char* name;
  HostKind kind;
  bool follows;  // the host is moved and raised, the window follows
};
const HostCase kHostCases[] = {
    {"host_getmessage", HostKind::kGetMessage, true},
    {"host_msgwait", HostKind::kMsgWait, false},
    {"host_not_answering", HostKind::kNotAnswering, false},
};

void CheckFollows(ProgramRun& run, HWND form, HWND host) {
  RECT r;
  GetWindowRect(host, &r);
  SetWindowPos(host, nullptr, r.left + 37, r.top + 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const bool moved = WaitUntil([&] {
    RECT f;
    GetWindowRect(form, &f);
    POINT at{2, 2};
    ClientToScreen(host, &at);
    return f.left == at.x && f.top == at.y;
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
  WaitUntil([&] { return !IsIconic(host); }, 3000);
  CheckDrawn(form, "once the host was restored");
  run.WaitIdle();
}

void RunInHost(const HostCase& h, const Env& env) {
  std::printf("scenario %s\n", h.name);
  const bool answers = h.kind != HostKind::kNotAnswering;
  const Case c{h.name, {"exportar", "{host}"}, Folder::kSamples, Setup::kNone, {},
               answers ? Shown::kEmbedded : Shown::kStandalone, Buttons::kExportOnly,
               IDC_BEXPORTAR, {kFinished, kReport}, true, false, 1, "RRRRRR"};
  const Scene s = Prepare(c, env);
  // Enough folders beside the ZARP folder that the list must scroll to it.
  for (int i = 1; i <= 14; ++i)
    CreateDirectoryW((s.base + L"\\carpeta" + std::to_wstring(100 + i)).c_str(), nullptr);
  HostThread host(h.kind);
  ProgramRun run(s.program, Parameters(c, host.window()), s.base, host.window());
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  CheckPlacement(c, form, host.window());
  CheckDrawn(form, "at the start");
  if (h.follows) CheckFollows(run, form, host.window());

  const std::wstring parent = s.base.substr(s.base.rfind(L'\\') + 1);
  HWND path = GetDlgItem(form, IDC_RUTA);
  for (Way way : {Way::kKeys, Way::kMouse, Way::kSelection}) {
    const std::string how = std::string(" by ") + kWayNames[static_cast<int>(way)];
    Open(run, form, way, L"datos");
    Check(WaitUntil([&] { return lstrcmpiW(TextOf(path).c_str(), s.data.c_str()) == 0; }, 5000),
          "the ZARP folder opened" + how);
    if (way == Way::kSelection) break;
    // Back to the parent, the line right above the ZARP folder, the same way.
    HWND list = GetDlgItem(form, IDC_DIRECTORIOS);
    POINT p{};
    SetForegroundWindow(GetAncestor(form, GA_ROOT));
    run.WaitIdle();
    if (way == Way::kKeys) {
      PressKey(VK_UP);
      PressKey(VK_RETURN);
    } else if (LineOnScreen(list, LineOf(list, parent), p)) {
      DoubleClickAt(p);
    }
    Check(WaitUntil([&] { return lstrcmpiW(TextOf(path).c_str(), s.base.c_str()) == 0; }, 5000),
          "the parent folder opened" + how);
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
  const std::string geometry = std::to_string(r.right - r.left) + "x" +
                               std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) +
                               "+" + std::to_string(r.top);
  WriteBytes(signal, geometry);
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
