// tvz_e2e SCENARIO PROGRAM SAMPLES WORK
// tvz_e2e screenshot-host PROGRAM MODE SIGNAL
//
// One end-to-end scenario of transVardelZarp.exe under Wine: this program
// plays the timetabling program (a window of its own, the command line, the
// result file Vardelin.ini, the tables in C:\VTEMP) and the user (buttons,
// message dialogs). PROGRAM is transVardelZarp.exe, SAMPLES a folder of ZARP
// files, WORK a scratch folder. Exit code 0 when every check holds.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "e2e_files.h"
#include "e2e_host.h"
#include "e2e_scenario.h"

namespace tvz::e2e {
// Each runs the scenario of that name and returns true, or returns false
// when it has none of that name.
bool RunTableScenario(const char* name, const Env& env);     // e2e_cases.cpp
bool RunKeyboardScenario(const char* name, const Env& env);  // e2e_keys.cpp
bool RunFrontScenario(const char* name, const Env& env);     // e2e_front.cpp
bool RunReportScenario(const char* name, const Env& env);    // e2e_report.cpp, e2e_restore.cpp
bool RunEmbeddingScenario(const char* name, const Env& env); // e2e_embedding.cpp
// For the screenshots: the host with `program` embedded in it, started with
// `mode` in the current folder, until the file `signal` is removed; the
// host's place on the screen ("WxH+X+Y") is written into it once the
// program is drawn.
int ShowForScreenshot(const std::wstring& program, const std::string& mode,
                      const std::wstring& signal);
}  // namespace tvz::e2e

int main(int argc, char** argv) {
  using namespace tvz::e2e;
  if (argc == 5 && std::strcmp(argv[1], "screenshot-host") == 0)
    return ShowForScreenshot(WindowsPath(argv[2]), argv[3], WindowsPath(argv[4]));
  if (argc != 5) {
    std::fprintf(stderr, "usage: tvz_e2e SCENARIO PROGRAM SAMPLES WORK\n");
    return 2;
  }
  const Env env{WindowsPath(argv[2]), WindowsPath(argv[3]), WindowsPath(argv[4])};
  for (auto run : {RunKeyboardScenario, RunFrontScenario, RunReportScenario, RunEmbeddingScenario,
                   RunTableScenario}) {
    if (!run(argv[1], env)) continue;
    std::printf("%s: %d failed checks\n", argv[1], Failures());
    return Failures() == 0 ? 0 : 1;
  }
  std::fprintf(stderr, "unknown scenario %s\n", argv[1]);
  return 2;
}
