// The system menu's "Restaurar tablas anteriores...": the copies the exports
// kept in C:\VTEMP\COPIAS, one chosen and put back after a confirmation.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "e2e_files.h"
#include "e2e_host.h"
#include "e2e_scenario.h"
#include "ui/control_ids.h"

namespace tvz::e2e {
namespace {

const char kAllTables[] = "ASIGNOMT, ASIGT, AULAT, DIASHORAST, GRUPOST, PROFT";

std::map<std::string, std::optional<std::string>> TableBytes() {
  std::map<std::string, std::optional<std::string>> bytes;
  for (const char* table : kExportTables) bytes[table] = ReadBytes(TablePath(table));
  return bytes;
}

std::vector<std::string> ListLines(HWND list) {
  std::vector<std::string> lines;
  const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    lines.push_back(Narrow(text));
  }
  return lines;
}

std::string DialogText(HWND dialog, int id) { return Narrow(TextOf(GetDlgItem(dialog, id))); }

// Presses a button of a dialog and waits until that dialog is gone, or for
// a moment when it stays.
void Press(HWND dialog, int id) {
  PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 500);
}

// Two exports: the second keeps the tables of the first, as Vardelin left
// them (ASIGT changed after the first export), in a copy. The system menu's
// command lists both copies, newest first; cancelling the confirmation
// changes nothing, confirming puts that copy's tables back byte for byte.
void RunRestoreFromMenu(const Env& env) {
  std::printf("scenario restore_from_menu\n");
  const Case c{"restore_from_menu", {}, Folder::kSamples, Setup::kNone, {}, Shown::kStandalone,
               Buttons::kBoth, IDC_BEXPORTAR, {kFinished, kReport}, false, false, std::nullopt,
               "RRRRRR"};
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  {
    ProgramRun first(s.program, {"exportar", HandleText(host)}, s.data, host);
    first.WaitForForm();
    first.Click(IDC_BEXPORTAR);
    DWORD code = 1;
    Check(first.WaitForExit(code), "first export ended");
  }
  WriteBytes(s.ini, kSeededIni);
  std::optional<std::string> asigt = ReadBytes(TablePath("ASIGT"));
  if (!Check(asigt && asigt->size() > 40, "ASIGT of the first export")) return;
  (*asigt)[asigt->size() - 2] = (*asigt)[asigt->size() - 2] == 'X' ? 'Y' : 'X';  // edited in Vardelin
  WriteBytes(TablePath("ASIGT"), *asigt);
  const auto kept = TableBytes();

  ProgramRun run(s.program, {}, s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  run.Click(IDC_BEXPORTAR);
  run.AnswerDialogs(c.after_click.size());
  Check(run.WaitIdle(), "second export finished");
  const auto second = TableBytes();
  Check(second != kept, "the second export replaced the tables");

  PostMessageW(form, WM_SYSCOMMAND, IDM_RESTAURAR, 0);
  HWND dialog = run.WaitForDialog();
  if (dialog == nullptr) return;
  Check(TextOf(dialog) == L"transVardelZarp", "the copies' dialog is captioned transVardelZarp");
  Check(DialogText(dialog, IDOK) == "Restaurar" && DialogText(dialog, IDCANCEL) == "Cancelar",
        "with Restaurar and Cancelar");
  Check(DialogText(dialog, IDC_RESTAURAR_TEXTO).find("C:\\VTEMP\\COPIAS") != std::string::npos,
        "it names the copies' folder: " + DialogText(dialog, IDC_RESTAURAR_TEXTO));
  const std::vector<std::string> lines = ListLines(GetDlgItem(dialog, IDC_RESTAURAR_LISTA));
  for (const std::string& line : lines) std::printf("  copy: %s\n", line.c_str());
  if (!Check(lines.size() == 2, "two copies listed")) return;
  const std::string newest = lines[0].substr(0, lines[0].find('\t'));
  const std::string older = lines[1].substr(0, lines[1].find('\t'));
  Check(newest > older, "newest first: " + newest);
  SYSTEMTIME now;
  GetLocalTime(&now);
  char today[16];
  std::snprintf(today, sizeof today, "\t%02d/%02d/%04d ", now.wDay, now.wMonth, now.wYear);
  Check(lines[0].find(today) != std::string::npos &&
            lines[0].substr(lines[0].rfind('\t') + 1) == kAllTables,
        "name, date, time and tables");
  Check(SendDlgItemMessageW(dialog, IDC_RESTAURAR_LISTA, LB_GETCURSEL, 0, 0) == 0, "newest chosen");

  Press(dialog, IDOK);
  HWND confirm = run.WaitForDialog(dialog);
  if (confirm == nullptr) return;
  const std::string question = Narrow(TextOf(GetDlgItem(confirm, IDC_MENSAJE_TEXTO)));
  std::printf("  confirmation: %s\n", question.c_str());
  Check(question.rfind("Se van a poner en C:\\VTEMP las tablas de la copia " + newest + " (", 0) == 0,
        "the confirmation names the copy");
  Check(DialogText(confirm, IDOK) == "Aceptar" && DialogText(confirm, IDCANCEL) == "Cancelar" &&
            IsWindowVisible(GetDlgItem(confirm, IDCANCEL)),
        "it asks with Aceptar and Cancelar");
  Press(confirm, IDCANCEL);
  Check(IsWindowVisible(dialog) && TableBytes() == second, "cancelled: the list stays, no table changed");

  Press(dialog, IDOK);
  confirm = run.WaitForDialog(dialog);
  if (confirm == nullptr) return;
  Press(confirm, IDOK);
  Check(WaitUntil([&] { return !IsWindow(dialog); }, 20000), "the list closes");
  run.AnswerDialogs(1);
  Check(TableBytes() == kept, "the tables of the chosen copy are back, byte for byte");
  const std::string result = std::string("Tablas restauradas de la copia ") + newest + ": " +
                             kAllTables + "\r\nLas tablas sustituidas quedan en la copia ";
  CheckDialogs({kFinished, kReport, {result.c_str(), false, true}}, run.dialogs());
  Check(run.WaitIdle(), "window idle after the restore");
  run.Click(IDC_BCLOSE);
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended");
  CheckResultFile(c, s);
  DestroyWindow(host);
}

// No copy in C:\VTEMP: the command says so; the window's layout is as ever.
void RunRestoreNoCopies(const Env& env) {
  std::printf("scenario restore_no_copies\n");
  const Case c{"restore_no_copies", {}, Folder::kSamples, Setup::kNone, {}, Shown::kStandalone,
               Buttons::kBoth, 0, {}, false, true, std::nullopt, "MMMMMM"};
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  ProgramRun run(s.program, {}, s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  PostMessageW(form, WM_SYSCOMMAND, IDM_RESTAURAR, 0);
  run.AnswerDialogs(1);
  CheckPlacement(c, form, host);
  run.Click(IDC_BCLOSE);
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended");
  CheckDialogs({{"No hay copias de las tablas en C:\\VTEMP\\COPIAS", false}}, run.dialogs());
  CheckTables(c);
  DestroyWindow(host);
}

}  // namespace

bool RunRestoreScenario(const char* name, const Env& env) {
  if (std::strcmp(name, "restore_from_menu") == 0) RunRestoreFromMenu(env);
  else if (std::strcmp(name, "restore_no_copies") == 0) RunRestoreNoCopies(env);
  else return false;
  return true;
}

}  // namespace tvz::e2e
