#include "ui/html_help.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include "ui/html_help_viewer.h"

namespace tvz::ui {

namespace {

using HtmlHelpAFunction = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

struct HelpSystem {
  HMODULE library = nullptr;
  HtmlHelpAFunction html_help = nullptr;
  std::string log_file;
  HelpManager manager;
  std::unique_ptr<HtmlHelpViewer> viewer;
};

// The one viewer of the process, with the library it was loaded from.
HelpSystem* g_help = nullptr;
std::string g_application_help_file;

std::string ModulePath() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : MAX_PATH);
}

std::string EnvironmentVariable(const char* name) {
  char value[MAX_PATH * 2] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return (n > 0 && n < sizeof value) ? std::string(value, n) : std::string();
}

// Test switch: when TVZ_HELP_LOG names a file, every HtmlHelpA call appends
// one line to it ("HtmlHelpA window=... file=... command=... data=...
// result=..."), so that tests under Wine can see which calls F1 and the help
// button made. Without the variable nothing is written.
void LogCall(const std::string& log_file, HWND caller, const char* file, UINT command,
             DWORD_PTR data, HWND result) {
  if (log_file.empty()) return;
  FILE* out = std::fopen(log_file.c_str(), "ab");
  if (out == nullptr) return;
  std::fprintf(out, "HtmlHelpA window=%llu file=%s%s%s command=%u ",
               static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(caller)),
               file ? "\"" : "", file ? file : "(null)", file ? "\"" : "", command);
  if (command == kHhDisplayIndex) {
    std::fprintf(out, "data=\"%s\"", reinterpret_cast<const char*>(data));
  } else {
    std::fprintf(out, "data=%llu", static_cast<unsigned long long>(data));
  }
  std::fprintf(out, " result=%llu\r\n",
               static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(result)));
  std::fclose(out);
}

HtmlHelpEntry MakeEntry(HelpSystem& help) {
  if (help.html_help == nullptr) return nullptr;
  return [&help](WindowHandle caller, const char* file, unsigned command, std::uintptr_t data) {
    const HWND window = reinterpret_cast<HWND>(caller);
    const HWND result = help.html_help(window, file, command, data);
    LogCall(help.log_file, window, file, command, data, result);
    return reinterpret_cast<WindowHandle>(result);
  };
}

}  // namespace

void HelpStartup() {
  if (g_help != nullptr) return;
  g_help = new HelpSystem;
  g_help->log_file = EnvironmentVariable("TVZ_HELP_LOG");
  g_help->library = LoadLibraryA("HHCtrl.ocx");
  if (g_help->library != nullptr) {
    g_help->html_help = reinterpret_cast<HtmlHelpAFunction>(
        reinterpret_cast<void*>(GetProcAddress(g_help->library, "HtmlHelpA")));
  }
  g_help->viewer = std::make_unique<HtmlHelpViewer>(
      MakeEntry(*g_help), ModulePath(), [] { return g_application_help_file; });
  g_help->manager.RegisterViewer(*g_help->viewer);
}

void HelpShutdown() {
  if (g_help == nullptr) return;
  HelpSystem* help = g_help;
  g_help = nullptr;
  if (help->viewer->Manager() != nullptr) help->manager.ReleaseViewer(help->viewer->ViewerId());
  help->viewer.reset();
  help->html_help = nullptr;
  if (help->library != nullptr) FreeLibrary(help->library);
  delete help;
}

void SetApplicationHelpFile(const std::string& name) { g_application_help_file = name; }

void HelpContents() {
  if (g_help == nullptr) return;
  g_help->manager.RecordHelpFile(g_application_help_file);
  g_help->viewer->ShowContents();
}

void HelpContext(int context) {
  if (g_help == nullptr) return;
  const std::string file = g_application_help_file;
  g_help->manager.RecordHelpFile(file);
  if (g_help->viewer->ContextMatches(context, file)) g_help->viewer->ShowContext(context, file);
}

}  // namespace tvz::ui
