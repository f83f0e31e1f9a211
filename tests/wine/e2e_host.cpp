#include "e2e_host.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/control_ids.h"

namespace tvz::e2e {

namespace {

int g_failures = 0;
constexpr DWORD kTimeout = 20000;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

struct Search {
  DWORD pid;
  const wchar_t* window_class;
  HWND found;
  HWND other_than = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  if (window == search->other_than) return TRUE;
  if (ProcessOf(window) != search->pid || !IsWindowVisible(window)) return TRUE;
  if (ClassOf(window) != search->window_class) return TRUE;
  search->found = window;
  return FALSE;
}

std::string Quoted(const std::string& parameter) {
  if (!parameter.empty() && parameter.find(' ') == std::string::npos) return parameter;
  return "\"" + parameter + "\"";
}

}  // namespace

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), n + 1)));
  return text;
}

std::wstring EditText(HWND edit) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(edit, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(copied);
  return text;
}

bool Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) ++g_failures;
  return ok;
}

int Failures() { return g_failures; }

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
  }
}

HWND CreateHostWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = L"TvzTestHost";
  RegisterClassW(&wc);
  HWND host = CreateWindowExW(0, wc.lpszClassName, L"Vardelin (test host)",
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 680, 380, nullptr,
                              nullptr, wc.hInstance, nullptr);
  ShowWindow(host, SW_SHOW);
  PumpFor(50);
  return host;
}

std::string HandleText(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "%llX",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return text;
}

void PressKey(WORD key, WORD modifier) {
  std::vector<INPUT> input;
  auto add = [&](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(in);
  };
  if (modifier != 0) add(modifier, false);
  add(key, false);
  add(key, true);
  if (modifier != 0) add(modifier, true);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  PumpFor(100);
}

void ClickAt(POINT screen, int clicks) {
  std::vector<INPUT> input(1 + 2 * static_cast<std::size_t>(clicks));
  for (std::size_t i = 0; i < input.size(); ++i) {
    INPUT& in = input[i];
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE |
                    (i == 0 ? MOUSEEVENTF_MOVE : i % 2 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  PumpFor(200);
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    "?", nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, "?",
                      nullptr);
  return out;
}

std::wstring WideFrom(const std::string& cp1252) {
  if (cp1252.empty()) return {};
  const int n = MultiByteToWideChar(1252, 0, cp1252.data(), static_cast<int>(cp1252.size()),
                                    nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(1252, 0, cp1252.data(), static_cast<int>(cp1252.size()), out.data(), n);
  return out;
}

ProgramRun::ProgramRun(const std::wstring& exe, const std::vector<std::string>& parameters,
                       const std::wstring& current_folder, HWND host)
    : host_(host) {
  std::wstring command = L"\"" + exe + L"\"";
  for (const std::string& p : parameters) command += L" " + WideFrom(Quoted(p));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const BOOL started = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                      nullptr, current_folder.c_str(), &startup, &process_);
  Check(started != FALSE, "program started: " + Narrow(command));
}

ProgramRun::~ProgramRun() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND ProgramRun::FindForm() const {
  if (HWND child = FindWindowExW(host_, nullptr, TVZ_FORM_CLASS, nullptr))
    if (ProcessOf(child) == process_.dwProcessId) return child;
  Search search{process_.dwProcessId, TVZ_FORM_CLASS, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ProgramRun::FindDialog(HWND other_than) const {
  Search search{process_.dwProcessId, L"#32770", nullptr, other_than};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ProgramRun::Idle() {
  if (process_.hProcess == nullptr || WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT)
    return false;
  if (FindDialog() != nullptr || form_ == nullptr) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0 &&
         FindDialog() == nullptr;
}

HWND ProgramRun::WaitForForm() {
  if (process_.hProcess == nullptr) return nullptr;
  const bool shown = WaitUntil(
      [&] {
        if (HWND dialog = FindDialog()) Answer(dialog);
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT) return true;
        form_ = FindForm();
        return form_ != nullptr && IsWindowVisible(form_) && Idle();
      },
      kTimeout);
  Check(shown && form_ != nullptr, "main window shown");
  return shown ? form_ : nullptr;
}

HWND ProgramRun::WaitForDialog(HWND other_than) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(other_than)) != nullptr; }, kTimeout);
  Check(dialog != nullptr, "a dialog came");
  return dialog;
}

bool ProgramRun::WaitIdle() { return WaitUntil([&] { return Idle(); }, kTimeout); }

void ProgramRun::Click(int control_id) {
  WaitIdle();
  HWND control = form_ != nullptr ? GetDlgItem(form_, control_id) : nullptr;
  Check(control != nullptr, "control " + std::to_string(control_id) + " found");
  if (control != nullptr) PostMessageW(control, BM_CLICK, 0, 0);
}

void ProgramRun::AnswerDialogs(std::size_t count) {
  const std::size_t target = dialogs_.size() + count;
  WaitUntil(
      [&] {
        if (HWND dialog = FindDialog()) Answer(dialog);
        return dialogs_.size() >= target ||
               WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT;
      },
      kTimeout);
  Check(dialogs_.size() >= target, "expected number of dialogs came");
}

bool ProgramRun::WaitForExit(DWORD& exit_code) {
  if (process_.hProcess == nullptr) return false;
  const bool ended = WaitUntil(
      [&] {
        if (HWND dialog = FindDialog()) Answer(dialog);
        return WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT;
      },
      kTimeout);
  if (ended) GetExitCodeProcess(process_.hProcess, &exit_code);
  return ended;
}

// Reads what the dialog shows, then presses its button.
void ProgramRun::Answer(HWND dialog) {
  if (before_answer_) before_answer_(dialog);
  DialogSeen seen;
  seen.caption_ok = TextOf(dialog) == L"transVardelZarp";
  int buttons = 0;
  HWND button = nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring cls = ClassOf(child);
    if (cls == L"Button" && IsWindowVisible(child)) {
      ++buttons;
      button = child;
      seen.button_ok = TextOf(child) == L"Aceptar";
    } else if (cls == L"Static" && IsWindowVisible(child)) {
      if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        seen.error_icon = true;
      else
        seen.text += Narrow(TextOf(child));
    } else if (cls == L"Edit" && IsWindowVisible(child)) {
      seen.text += Narrow(EditText(child));
    }
  }
  seen.button_ok = seen.button_ok && buttons == 1;
  RECT r;
  GetWindowRect(dialog, &r);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &mi);
  const long dx = (r.left + r.right) - (mi.rcWork.left + mi.rcWork.right);
  const long dy = (r.top + r.bottom) - (mi.rcWork.top + mi.rcWork.bottom);
  seen.centred = std::labs(dx) <= 2 && std::labs(dy) <= 2;
  seen.fits = r.left >= mi.rcWork.left && r.top >= mi.rcWork.top && r.right <= mi.rcWork.right &&
              r.bottom <= mi.rcWork.bottom;
  std::printf("  dialog: \"%s\"%s\n", seen.text.c_str(), seen.error_icon ? " (error icon)" : "");
  dialogs_.push_back(seen);
  if (button != nullptr) PostMessageW(button, BM_CLICK, 0, 0);
  WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kTimeout);
}

}  // namespace tvz::e2e
