// The scenarios of what a run leaves besides its tables, and of the copies
// the exports keep: the report dialog and file, and the system menu's
// "Restaurar tablas anteriores...".
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

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::vector<std::string> LinesOf(const std::string& text, const char* end) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + std::strlen(end))
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

// An embedded export of the sample school, which has warnings of every
// kind: "Proceso finalizado", then the summary while the window is still
// there, naming the report beside the program; the ZARP folder gets nothing.
void RunReportDialog(const Env& env) {
  std::printf("scenario report_dialog\n");
  const Case c{"report_dialog", {"exportar", "{host}"}, Folder::kSamples, Setup::kNone, {},
               Shown::kEmbedded, Buttons::kExportOnly, IDC_BEXPORTAR, {kFinished, kReport}, true,
               false, 1, "RRRRRR"};
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  const std::size_t files_before = FilesIn(s.data).size();
  ProgramRun run(s.program, Parameters(c, host), s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  std::vector<bool> window_there;
  run.BeforeAnswer([&](HWND) { window_there.push_back(IsWindow(form) && IsWindowVisible(form)); });
  run.Click(c.click);
  run.AnswerDialogs(c.after_click.size());
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended with exit code 0");
  CheckDialogs(c.after_click, run.dialogs());
  Check(window_there == std::vector<bool>{true, true}, "both dialogs come before the window closes");
  CheckResultFile(c, s);
  CheckTables(c);
  const std::string file = CheckReportFile(s, "exportar", true);
  Check(FilesIn(s.data).size() == files_before, "nothing new in the ZARP folder");
  if (run.dialogs().size() < 2) return;
  const std::string& text = run.dialogs()[1].text;
  std::printf("  report dialog:\n%s\n", text.c_str());
  const std::string where = "El informe completo est\xE1 en " + Narrow(ReportFile(s));
  Check(text.size() > where.size() && text.substr(text.size() - where.size()) == where,
        "the dialog ends saying where the report is");
  // Its lines are the summary in the report file, in the same order.
  const std::string heading_end = "avisos:";
  const std::size_t lines_at = text.find(heading_end);
  const std::size_t lines_end = text.rfind("El informe completo");
  if (!Check(lines_at != std::string::npos && lines_end != std::string::npos, "heading and lines")) return;
  const std::string lines =
      text.substr(lines_at + heading_end.size(), lines_end - lines_at - heading_end.size());
  const std::string count = text.substr(std::strlen(kReport.text), lines_at - 1 - std::strlen(kReport.text));
  Check(file.find("\r\nAvisos: " + count + "\r\n" + lines + "\r\n") != std::string::npos,
        "the dialog's count (" + count + ") and " + std::to_string(LinesOf(lines, "\r\n").size()) +
            " lines are the report's");
  DestroyWindow(host);
}

}  // namespace

bool RunRestoreScenario(const char* name, const Env& env);  // e2e_restore.cpp

bool RunReportScenario(const char* name, const Env& env) {
  if (std::strcmp(name, "report_dialog") == 0) {
    RunReportDialog(env);
    return true;
  }
  return RunRestoreScenario(name, env);
}

}  // namespace tvz::e2e
