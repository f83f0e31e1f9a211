// The scenarios of one table: a host window starts the program with the
// case's command line (export, import, start-up and its errors), presses at
// most one run button and answers the dialogs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "e2e_files.h"
#include "e2e_host.h"
#include "e2e_scenario.h"
#include "ui/control_ids.h"

namespace tvz::e2e {
namespace {

const Case kCases[] = {
    {"export_finished", {"exportar", "{host}"}, Folder::kSamples, Setup::kNone, {},
     Shown::kEmbedded, Buttons::kExportOnly, IDC_BEXPORTAR, {kFinished, kReport}, true, false, 1, "RRRRRR"},
    {"export_missing_file", {"exportar", "{host}"}, Folder::kWithoutProf, Setup::kNone, {},
     Shown::kEmbedded, Buttons::kExportOnly, IDC_BEXPORTAR,
     {{"No existe archivo de profesores (ZARP_PROF.TXT)", false}, kFinished, kReport}, true, false,
     -1, "RMRRRR"},
    {"export_folder_missing", {"exportar", "{host}"}, Folder::kVanishing, Setup::kNone, {},
     Shown::kEmbedded, Buttons::kExportOnly, IDC_BEXPORTAR, {{"No existe la carpeta", false}}, true,
     false, -1, "MMMMMM"},
    {"import_folder_missing", {"importar", "{host}"}, Folder::kVanishing, Setup::kNone, {},
     Shown::kEmbedded, Buttons::kImportOnly, IDC_BIMPORTAR, {{"No existe la carpeta", false}}, true,
     false, 0, "MMMMMM"},
    {"export_error_ends_run", {"exportar", "{host}"}, Folder::kSamples, Setup::kLockedAulas, {},
     Shown::kEmbedded, Buttons::kExportOnly, IDC_BEXPORTAR, {{"Error de E/S 32.\nZARP_AULAS.TXT", true}},
     false, true, -1, "RRMMMM"},
    {"import_finished", {"importar", "{host}"}, Folder::kSamples,
     Setup::kExportedTablesAndSoluc, {}, Shown::kEmbedded, Buttons::kImportOnly, IDC_BIMPORTAR,
     {kFinished, kReport}, true, false, 1, "RRRRRR"},
    {"import_error_missing_table", {"importar", "{host}"}, Folder::kSamples, Setup::kNone, {},
     Shown::kEmbedded, Buttons::kImportOnly, IDC_BIMPORTAR, {{nullptr, true}}, false, true, 0,
     "MMMMMM"},
    {"salir_before_run", {"importar", "{host}"}, Folder::kSamples, Setup::kNone, {},
     Shown::kEmbedded, Buttons::kImportOnly, 0, {}, false, true, 0, "MMMMMM"},
    {"mode_in_capitals", {"IMPORTAR", "{host}"}, Folder::kSamples, Setup::kNone, {},
     Shown::kEmbedded, Buttons::kImportOnly, 0, {}, false, true, 0, "MMMMMM"},
    {"other_mode_both_panels", {"ayuda", "{host}"}, Folder::kSamples, Setup::kNone, {},
     Shown::kEmbedded, Buttons::kBoth, 0, {}, false, true, 0, "MMMMMM"},
    {"bad_handle", {"exportar", "zz"}, Folder::kSamples, Setup::kNone,
     {{"'$zz' no es un valor entero v\xE1" "lido.", true}}, Shown::kStandalone, Buttons::kBoth, 0,
     {}, false, true, std::nullopt, "MMMMMM"},
    {"three_parameters", {"importar", "{host}", "extra"}, Folder::kSamples, Setup::kNone, {},
     Shown::kStandalone, Buttons::kBoth, 0, {}, false, true, std::nullopt, "MMMMMM"},
    {"standalone_export", {}, Folder::kSamples, Setup::kNone, {}, Shown::kStandalone,
     Buttons::kBoth, IDC_BEXPORTAR, {kFinished, kReport}, false, false, std::nullopt, "RRRRRR"},
};

// The timetable the host computed: a row of day 0 (never written) and a row
// whose group, task and room the tables lack, in a slot that does not exist.
std::string SolucBytes() {
  return DbfTableBytes({{"DIA", 'N', 1}, {"HORA", 'N', 2}, {"MARCO", 'C', 1}, {"PROF", 'C', 4},
                        {"CODGRUPO", 'C', 10}, {"TAREA", 'C', 10}, {"ASIG", 'C', 6},
                        {"AULA", 'C', 10}},
                       {{"0", "1", "M", "P001", "1ESOA", "MAT", "MAT", "A1"},
                        {"7", "99", "M", "P001", "ZZZZZ9", "NOPE", "MAT", "X9"}});
}

// Gives the working folder the tables of an embedded export of the
// scenario's folder, and the host's SOLUC; the result file is seeded again.
void ExportThenWriteSoluc(const Scene& s, HWND host) {
  ProgramRun run(s.program, {"exportar", HandleText(host)}, s.data, host);
  run.WaitForForm();
  run.Click(IDC_BEXPORTAR);
  DWORD code = 1;
  Check(run.WaitForExit(code), "preparing export ended");
  WriteBytes(s.ini, kSeededIni);
  Check(WriteBytes(TablePath("SOLUC"), SolucBytes()), "SOLUC written");
}

std::string Padded(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

bool TwelveDigits(const std::string& s, std::size_t at) {
  if (s.size() < at + 12) return false;
  for (std::size_t i = at; i < at + 12; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

void CheckTimetableFile(const Scene& s) {
  std::string centre;
  const std::string asignat = ReadBytes(s.data + L"\\ZARP_ASIGNAT.TXT").value_or("");
  if (asignat.rfind('0', 0) == 0) centre = asignat.substr(51, std::min<std::size_t>(8, asignat.find('\r') - 51));
  const std::optional<std::string> file = ReadBytes(s.data + L"\\ZARP_HORARIO.TXT");
  if (!Check(file.has_value(), "ZARP_HORARIO.TXT written")) return;
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = file->find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(file->substr(start, end - start));
  Check(start == file->size(), "every line ends with CR LF");
  if (!Check(lines.size() == 3, "header, one record, trailer")) return;
  const std::string head = Padded("ZARP_HORARIO.TXT", 50) + Padded(centre, 8);
  Check(lines[0].substr(0, 59) == "0" + head && TwelveDigits(lines[0], 59) && lines[0].size() == 71,
        "header: " + lines[0]);
  Check(lines[1] == "1    7P001ZZZZLEC MAT X9  ", "record: " + lines[1]);
  Check(lines[2].substr(0, 59) == "9" + head && TwelveDigits(lines[2], 59) &&
            lines[2].substr(71) == "1",
        "trailer: " + lines[2]);
}

void Run(const Case& c, const Env& env) {
  std::printf("scenario %s\n", c.name);
  HWND host = CreateHostWindow();
  const Scene s = Prepare(c, env);
  if (c.setup == Setup::kExportedTablesAndSoluc) ExportThenWriteSoluc(s, host);
  HANDLE lock = INVALID_HANDLE_VALUE;
  if (c.setup == Setup::kLockedAulas)  // held open by another program, no sharing
    lock = CreateFileW((s.data + L"\\ZARP_AULAS.TXT").c_str(), GENERIC_READ, 0, nullptr,
                       OPEN_EXISTING, 0, nullptr);

  ProgramRun run(s.program, Parameters(c, host), s.data, host);
  HWND form = run.WaitForForm();
  if (form == nullptr) return;
  std::vector<DialogSeen> at_start = run.dialogs();
  CheckDialogs(c.at_start, at_start);
  CheckPlacement(c, form, host);
  if (c.folder == Folder::kVanishing)
    Check(MoveFileW(s.base.c_str(), (s.base + L".ido").c_str()) != FALSE, "chosen folder removed");

  if (c.click != 0) {
    run.Click(c.click);
    run.AnswerDialogs(c.after_click.size());
  }
  if (!c.closes_itself) {
    Check(run.WaitIdle(), "window still open after the run");
    const bool enabled = IsWindowEnabled(GetDlgItem(form, IDC_BEXPORTAR)) &&
                         IsWindowEnabled(GetDlgItem(form, IDC_BIMPORTAR));
    const bool disabled = !IsWindowEnabled(GetDlgItem(form, IDC_BEXPORTAR)) &&
                          !IsWindowEnabled(GetDlgItem(form, IDC_BIMPORTAR));
    Check(c.runs_left ? enabled : disabled,
          c.runs_left ? "both run buttons enabled" : "both run buttons disabled");
    if (!c.runs_left) {  // a disabled button starts nothing
      const std::size_t before = run.dialogs().size();
      run.Click(IDC_BIMPORTAR);
      PumpFor(300);
      Check(run.WaitIdle() && run.dialogs().size() == before, "no second run");
    }
    run.Click(IDC_BCLOSE);
  }
  DWORD code = 1;
  Check(run.WaitForExit(code) && code == 0, "program ended with exit code 0");
  if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);

  std::vector<Message> all = c.at_start;
  all.insert(all.end(), c.after_click.begin(), c.after_click.end());
  CheckDialogs(all, run.dialogs());
  CheckResultFile(c, s);
  CheckTables(c);
  if (c.setup == Setup::kExportedTablesAndSoluc) CheckTimetableFile(s);
  // A run that finished leaves its report beside the program; this sample
  // school has warnings of every kind.
  const bool finished = std::any_of(c.after_click.begin(), c.after_click.end(), [](const Message& m) {
    return m.text != nullptr && std::strcmp(m.text, kFinished.text) == 0;
  });
  if (finished) CheckReportFile(s, c.click == IDC_BIMPORTAR ? "importar" : "exportar", true);
  DestroyWindow(host);
}

}  // namespace

bool RunTableScenario(const char* name, const Env& env) {
  for (const Case& c : kCases) {
    if (std::strcmp(c.name, name) != 0) continue;
    Run(c, env);
    return true;
  }
  return false;
}

}  // namespace tvz::e2e
