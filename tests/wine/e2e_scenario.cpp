// The set-up of a scenario and the checks every scenario makes.
#include "e2e_scenario.h"

#include "e2e_files.h"
#include "ui/control_ids.h"

namespace tvz::e2e {

Scene Prepare(const Case& c, const Env& env) {
  Scene s;
  const std::wstring dir = env.work + L"\\" + WideFrom(c.name);
  RemoveTree(dir);
  CreateDirectoryW(env.work.c_str(), nullptr);
  CreateDirectoryW(dir.c_str(), nullptr);
  CreateDirectoryW((dir + L"\\programa").c_str(), nullptr);
  s.program = dir + L"\\programa\\transVardelZarp.exe";
  Check(CopyFileW(env.program.c_str(), s.program.c_str(), FALSE) != FALSE, "program copied");
  s.ini = dir + L"\\programa\\Vardelin.ini";
  WriteBytes(s.ini, kSeededIni);
  s.base = c.folder == Folder::kVanishing ? dir + L"\\carpeta" : dir;
  CreateDirectoryW(s.base.c_str(), nullptr);
  s.data = s.base + L"\\datos";
  Check(CopyFolder(env.samples, s.data), "sample files copied");
  if (c.folder == Folder::kWithoutProf) DeleteFileW((s.data + L"\\ZARP_PROF.TXT").c_str());
  SeedWorkingFolder({kExportTables, kExportTables + 6});
  return s;
}

std::vector<std::string> Parameters(const Case& c, HWND host) {
  std::vector<std::string> out;
  for (const std::string& p : c.parameters) out.push_back(p == "{host}" ? HandleText(host) : p);
  return out;
}

void CheckPlacement(const Case& c, HWND form, HWND host) {
  RECT client;
  GetClientRect(form, &client);
  Check(client.right == 599 && client.bottom == 270, "client area 599 x 270");
  const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
  if (c.shown == Shown::kEmbedded) {
    if (UnderWine())
      Check(GetWindow(form, GW_OWNER) == host && (style & WS_POPUP) && !(style & WS_CHILD) &&
                (GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOOLWINDOW),
            "a popup owned by the host window, out of the taskbar");
    else
      Check(GetParent(form) == host && (style & WS_CHILD), "a child of the host window");
    Check((style & WS_CAPTION) == 0 && (style & WS_THICKFRAME) == 0, "no border, no caption");
    RECT r;
    GetWindowRect(form, &r);
    MapWindowPoints(HWND_DESKTOP, host, reinterpret_cast<POINT*>(&r), 2);
    Check(r.left == 2 && r.top == 2, "at (2, 2) of the host's client area");
  } else {
    Check(GetAncestor(form, GA_PARENT) == GetDesktopWindow() && !(style & WS_CHILD) &&
              GetWindow(form, GW_OWNER) == nullptr,
          "a window of its own");
    Check((style & WS_CAPTION) == WS_CAPTION, "with its caption");
  }
  HWND exportar = GetDlgItem(form, IDC_BEXPORTAR);
  HWND importar = GetDlgItem(form, IDC_BIMPORTAR);
  Check((IsWindowVisible(exportar) != FALSE) == (c.buttons != Buttons::kImportOnly),
        "export panel shown as the mode says");
  Check((IsWindowVisible(importar) != FALSE) == (c.buttons != Buttons::kExportOnly),
        "import panel shown as the mode says");
  // Alone, a panel spans the whole top band: its button keeps its place in
  // the panel, which now starts at the left edge.
  RECT b;
  GetWindowRect(importar, &b);
  MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&b), 2);
  Check(b.left == (c.buttons == Buttons::kImportOnly ? 96 : 289 + 96) && b.top == 72,
        "BImportar at its place in the import panel");
}

void CheckDialogs(const std::vector<Message>& expected, const std::vector<DialogSeen>& seen) {
  Check(seen.size() == expected.size(), "dialogs: " + std::to_string(seen.size()) + ", expected " +
                                            std::to_string(expected.size()));
  for (std::size_t i = 0; i < expected.size() && i < seen.size(); ++i) {
    const std::string what = "dialog " + std::to_string(i + 1) + " \"" + seen[i].text + "\"";
    if (expected[i].text != nullptr && expected[i].prefix)
      Check(seen[i].text.rfind(expected[i].text, 0) == 0,
            what + " starts with \"" + expected[i].text + "\"");
    else if (expected[i].text != nullptr)
      Check(seen[i].text == expected[i].text, what + " reads \"" + expected[i].text + "\"");
    else
      Check(!seen[i].text.empty(), what + " has a text");
    Check(seen[i].error_icon == expected[i].error,
          what + (expected[i].error ? " with the error icon" : " without icon"));
    Check(seen[i].caption_ok && seen[i].button_ok, what + " captioned transVardelZarp, one Aceptar");
    Check(seen[i].centred && seen[i].fits, what + " centred on the screen, inside it");
  }
}

void CheckResultFile(const Case& c, const Scene& s) {
  if (!c.ini) {
    Check(ReadBytes(s.ini) == std::optional<std::string>(kSeededIni), "Vardelin.ini not written");
    return;
  }
  Check(IniValue(s.ini, "Transformadores", "Transformado") == std::to_string(*c.ini),
        "Vardelin.ini: Transformado=" + std::to_string(*c.ini));
  Check(IniValue(s.ini, "Transformadores", "Otra") == std::optional<std::string>("abc") &&
            IniValue(s.ini, "Otros", "Clave") == std::optional<std::string>("Valor"),
        "Vardelin.ini: the other keys and sections kept");
}

void CheckTables(const Case& c) {
  for (int i = 0; i < 6; ++i) {
    const std::string table = kExportTables[i];
    if (c.tables[i] == 'M') {
      Check(ReadBytes(TablePath(table)) == MarkerOf(table), table + " untouched");
    } else {
      const std::optional<unsigned> records = DbfRecordCount(TablePath(table));
      Check(records && *records > 0,
            table + " rebuilt (" + (records ? std::to_string(*records) : "no table") + " records)");
    }
  }
}

std::wstring ReportFile(const Scene& s) {
  return s.program.substr(0, s.program.rfind(L'\\')) + L"\\transVardelZarp-informe.txt";
}

std::string CheckReportFile(const Scene& s, const std::string& conversion, bool warnings) {
  const std::optional<std::string> file = ReadBytes(ReportFile(s));
  if (!Check(file.has_value(), "the report is beside the program")) return "";
  const std::string& text = *file;
  bool crlf = !text.empty() && text.size() >= 2 && text.substr(text.size() - 2) == "\r\n";
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf = false;
  Check(crlf, "every line of the report ends with CR LF");
  Check(text.rfind("Informe de transVardelZarp (" + conversion + ")\r\n", 0) == 0,
        "the report of the " + conversion + " run");
  Check(text.find("Resultado: finalizado\r\n") != std::string::npos, "the report says the run finished");
  Check((text.find("\r\nSin avisos.\r\n") == std::string::npos) == warnings &&
            (text.find("\r\nAvisos: ") != std::string::npos) == warnings,
        warnings ? "the report has warnings" : "the report says there are none");
  // cp1252, not UTF-8: an accented vowel is one byte.
  if (warnings)
    Check(text.find_first_of("\xE1\xE9\xED\xF3\xFA") != std::string::npos &&
              text.find('\xC3') == std::string::npos,
          "the report is cp1252");
  return text;
}

}  // namespace tvz::e2e
