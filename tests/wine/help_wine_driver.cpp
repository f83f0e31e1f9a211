// help_wine_driver <transVardelZarp.exe> <log file>
//
// Runs the program under Wine, presses its "F1 AYUDA" button and the F1 key
// (a real key press, through SendInput), and checks through the program's
// TVZ_HELP_LOG switch that each made exactly one HtmlHelpA call on ZARP.chm
// beside the executable: the contents (command 1, data 0) and help context 3
// (command 15, data 3), both answered by a help window. The program is
// started from another current folder, and must keep responding and close
// normally with no further HtmlHelpA call. Exit code 0 when all holds.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kCaption[] = "Exportar e importar datos entre Vardelin y ZARP";
int g_failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
  if (!ok) ++g_failures;
}

// Lets this process answer messages while it waits.
void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

template <typename Pred>
bool WaitFor(Pred pred, DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (!pred()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    Pump(20);
  }
  return true;
}

std::vector<std::string> LogLines(const std::string& log) {
  std::vector<std::string> lines;
  std::ifstream in(log, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

struct FindButton {
  const char* text;
  HWND found = nullptr;
};

BOOL CALLBACK FindButtonProc(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<FindButton*>(lp);
  char cls[32] = {}, text[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  GetWindowTextA(w, text, sizeof text);
  if (lstrcmpiA(cls, "Button") == 0 && lstrcmpA(text, f->text) == 0) {
    f->found = w;
    return FALSE;
  }
  return TRUE;
}

bool Responds(HWND w) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r) != 0;
}

// "HtmlHelpA window=0 file="<file>" command=<c> data=<d> result=<r>"
bool ParseCall(const std::string& line, std::string& window, std::string& file, unsigned& command,
               unsigned long long& data, unsigned long long& result) {
  const auto q1 = line.find("file=\"");
  const auto q2 = q1 == std::string::npos ? q1 : line.find('"', q1 + 6);
  if (line.rfind("HtmlHelpA window=", 0) != 0 || q2 == std::string::npos) return false;
  window = line.substr(17, line.find(' ', 17) - 17);
  file = line.substr(q1 + 6, q2 - q1 - 6);
  return std::sscanf(line.c_str() + q2 + 1, " command=%u data=%llu result=%llu", &command, &data,
                     &result) == 3;
}

void CheckCall(const std::string& line, const std::string& chm, unsigned command,
               unsigned long long data, const char* what) {
  std::string window, file;
  unsigned c = 0;
  unsigned long long d = 0, result = 0;
  if (!ParseCall(line, window, file, c, d, result)) {
    Check(false, std::string(what) + ": unreadable log line '" + line + "'");
    return;
  }
  Check(window == "0", std::string(what) + ": owner window 0 (got " + window + ")");
  Check(lstrcmpiA(file.c_str(), chm.c_str()) == 0,
        std::string(what) + ": file " + chm + " (got " + file + ")");
  Check(c == command && d == data, std::string(what) + ": command " + std::to_string(command) +
                                       ", data " + std::to_string(data) + " (got " +
                                       std::to_string(c) + ", " + std::to_string(d) + ")");
  Check(result != 0, std::string(what) + ": HTML Help answered with a window");
}

// CTest passes build paths as Linux paths; Wine sees them on drive Z:.
std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return (!path.empty() && path[0] == '\\' && path.rfind("\\\\", 0) != 0) ? "Z:" + path : path;
}

void PressF1() {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = VK_F1;
  in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_F1, 0));
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: help_wine_driver <transVardelZarp.exe> <log file>\n");
    return 2;
  }
  char exe[MAX_PATH] = {}, log[MAX_PATH] = {}, *name = nullptr;
  GetFullPathNameA(WindowsPath(argv[1]).c_str(), MAX_PATH, exe, &name);
  GetFullPathNameA(WindowsPath(argv[2]).c_str(), MAX_PATH, log, nullptr);
  const std::string chm = std::string(exe, name ? name - exe : 0) + "ZARP.chm";
  Check(GetFileAttributesA(chm.c_str()) != INVALID_FILE_ATTRIBUTES, "ZARP.chm beside the program");
  DeleteFileA(log);
  SetEnvironmentVariableA("TVZ_HELP_LOG", log);

  // Started from another folder: the help must still come from beside the exe.
  char windir[MAX_PATH] = {};
  GetWindowsDirectoryA(windir, MAX_PATH);
  std::string cmd = std::string("\"") + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(exe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, windir, &si, &pi)) {
    std::printf("FAIL: cannot start %s (error %lu)\n", exe, GetLastError());
    return 1;
  }
  HWND main_window = nullptr;
  WaitFor([&] {
    main_window = FindWindowA(nullptr, kCaption);
    return main_window != nullptr && IsWindowVisible(main_window);
  }, 15000);
  Check(main_window != nullptr, "main window shown");
  if (main_window == nullptr) {
    TerminateProcess(pi.hProcess, 1);
    return 1;
  }

  FindButton help{"F1 AYUDA"};
  EnumChildWindows(main_window, FindButtonProc, reinterpret_cast<LPARAM>(&help));
  Check(help.found != nullptr, "\"F1 AYUDA\" button found");
  if (help.found != nullptr) PostMessageA(help.found, BM_CLICK, 0, 0);
  Check(WaitFor([&] { return LogLines(log).size() >= 1; }, 15000), "help button made a call");
  Pump(300);
  Check(Responds(main_window), "window responds after the help button");

  // F1 as a key press on the main window's focused control.
  SetForegroundWindow(main_window);
  Pump(200);
  PressF1();
  Check(WaitFor([&] { return LogLines(log).size() >= 2; }, 15000), "F1 made a call");
  Pump(300);
  Check(Responds(main_window), "window responds after F1");

  const std::vector<std::string> calls = LogLines(log);
  for (const auto& line : calls) std::printf("  log: %s\n", line.c_str());
  if (calls.size() >= 1) CheckCall(calls[0], chm, 1, 0, "help button (contents)");
  if (calls.size() >= 2) CheckCall(calls[1], chm, 15, 3, "F1 (context 3)");

  // "Salir" closes the program, with its help window still open.
  FindButton salir{"&Salir"};
  EnumChildWindows(main_window, FindButtonProc, reinterpret_cast<LPARAM>(&salir));
  if (salir.found != nullptr) {
    PostMessageA(salir.found, BM_CLICK, 0, 0);
  } else {
    PostMessageA(main_window, WM_CLOSE, 0, 0);
  }
  const bool ended = WaitFor([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; },
                             15000);
  Check(ended, "program ended after Salir with the help window open");
  DWORD code = 1;
  if (ended) GetExitCodeProcess(pi.hProcess, &code);
  else TerminateProcess(pi.hProcess, 1);
  Check(ended && code == 0, "exit code 0 (got " + std::to_string(code) + ")");
  Check(LogLines(log).size() == 2, "exactly two HtmlHelpA calls; none at program end");
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::printf("%s\n", g_failures == 0 ? "HELP WINE PASS" : "HELP WINE FAIL");
  return g_failures == 0 ? 0 : 1;
}
