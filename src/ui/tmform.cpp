#include "ui/tmform.h"

#include <cwctype>

#include "core/errors.h"
#include "export/export_run.h"
#include "import/import_run.h"
#include "platform/files.h"
#include "ui/control_ids.h"
#include "ui/dpi.h"
#include "ui/html_help.h"
#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

constexpr char kCaption[] = "Exportar e importar datos entre Vardelin y ZARP";
// A dialog-style frame that cannot be resized.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Help context of the window and of every control that takes the focus.
constexpr int kHelpContext = 3;
// The host reads the run status here, beside the executable.
constexpr wchar_t kResultFile[] = L"Vardelin.ini";
constexpr wchar_t kResultSection[] = L"Transformadores";
constexpr wchar_t kResultKey[] = L"Transformado";
// How long the host's window may take to answer before the window shows on
// its own.
constexpr DWORD kHostAnswerMilliseconds = 1000;
// The timer that keeps the window over the host's (Embedding::kOwnedPopup).
constexpr UINT_PTR kFollowHostTimer = 1;

std::wstring CurrentDirectory() {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::wstring dir(n, L'\0');
  dir.resize(GetCurrentDirectoryW(n, dir.data()));
  return dir;
}

SIZE ClientSize(UINT dpi) { return {ScaleToDpi(kClientWidth, dpi), ScaleToDpi(kClientHeight, dpi)}; }

}  // namespace

TMForm::TMForm(HINSTANCE instance, const std::vector<std::string>& parameters)
    : instance_(instance), run_(*this) {
  try {
    embed_ = ReadEmbedRequest(parameters);
  } catch (const RunError& e) {  // reported by FormCreate; the window goes on standalone
    command_line_error_ = e.what();
  }
  run_.Embedded = embed_.has_value();
}

TMForm::~TMForm() {
  if (list_brush_ != nullptr) DeleteObject(list_brush_);
}

bool TMForm::Create(int show_command) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APLICACION));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APLICACION), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = TVZ_FORM_CLASS;
  RegisterClassExW(&wc);
  // Embedded, the window is created with the host window's DPI awareness, so
  // that it can become its child.
  if (embed_) AdoptDpiAwarenessOf(reinterpret_cast<HWND>(embed_->host));

  const SIZE outer = WindowSizeFor(ClientSize(DpiOf(nullptr)), kStyle, kExStyle, DpiOf(nullptr));
  CreateWindowExW(kExStyle, TVZ_FORM_CLASS, Wide(kCaption).c_str(), kStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, outer.cx, outer.cy, nullptr, nullptr, instance_, this);
  if (hwnd_ == nullptr) return false;
  ShowWindow(hwnd_, Embedded() ? SW_SHOW : show_command);
  UpdateWindow(hwnd_);
  // Not the first tab stop: Enter there would start a conversion.
  SetFocus(Directorios.hwnd());
  return true;
}

bool TMForm::TranslateKeys(MSG& message) {
  if (hwnd_ == nullptr) return false;
  if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

LRESULT CALLBACK TMForm::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  TMForm* form = nullptr;
  if (message == WM_NCCREATE) {
    form = static_cast<TMForm*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  } else {
    form = reinterpret_cast<TMForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (form == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  const LRESULT result = form->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
  }
  return result;
}

LRESULT TMForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_CLOSE: FormClose(); DestroyWindow(hwnd_); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wparam), HIWORD(wparam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: PaintForm(reinterpret_cast<HDC>(wparam), View()); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers the whole client area
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_MEASUREITEM: OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)); return TRUE;
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(
          PrepareLabel(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), View()));
    case WM_CTLCOLORLISTBOX:
      SetBkColor(reinterpret_cast<HDC>(wparam), kListBackground);
      return reinterpret_cast<LRESULT>(list_brush_);
    case WM_SETCURSOR:
      if (OnSetCursor()) return TRUE;
      break;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == IDM_RESTAURAR) {
        RestoreTables();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (OnActivate(LOWORD(wparam))) return 0;
      break;
    case WM_TIMER:
      if (wparam == kFollowHostTimer) FollowHostWindow();
      return 0;
    case WM_HELP: HelpKey(); return TRUE;  // F1, from the focused control up to here
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam)); return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

// Builds the window's content, then applies the command line.
void TMForm::OnCreate() {
  dpi_ = DpiOf(hwnd_);
  fonts_.Create(dpi_);
  list_brush_ = CreateSolidBrush(kListBackground);
  CreateFormControls(hwnd_, instance_);
  HMENU system_menu = GetSystemMenu(hwnd_, FALSE);
  AppendMenuW(system_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(system_menu, MF_STRING, IDM_RESTAURAR, L"Restaurar tablas anteriores...");
  Directorios.Attach(GetDlgItem(hwnd_, IDC_DIRECTORIOS));
  Unidades.Attach(GetDlgItem(hwnd_, IDC_UNIDADES));
  ApplyDpi(dpi_);
  const SIZE outer = WindowSizeFor(ClientSize(dpi_), kStyle, kExStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Directorios.SetDirectory(CurrentDirectory());
  DirectoryChanged();
  FormCreate();
  UpdateButtons();
}

// Exactly two parameters put the window inside the host's window, showing
// the panel of the mode asked for. A handle that is not a number is reported
// and the window goes on standalone with both panels; a host that does not
// answer gets the window on its own, still embedded for the run and the
// result file.
void TMForm::FormCreate() {
  if (!command_line_error_.empty()) ShowError(command_line_error_);
  if (!embed_) return;
  EmbedIn(reinterpret_cast<HWND>(embed_->host));
  ApplyPanels(embed_->panels);
}

// Embedded, the host learns the run status from the result file; every other
// section and key of that file stays as it was.
void TMForm::FormClose() {
  if (close_handled_) return;
  close_handled_ = true;
  if (!Embedded()) return;
  const std::wstring file = (platform::ExecutableFolder() / kResultFile).wstring();
  WritePrivateProfileStringW(kResultSection, kResultKey,
                             std::to_wstring(run_.Transformado).c_str(), file.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());  // flush
}

// Also reached when the host destroys its window with this one inside.
void TMForm::OnDestroy() {
  FormClose();
  glyphs_.Release();
  PostQuitMessage(0);
}

void TMForm::OnCommand(int id, int code) {
  switch (id) {
    case IDC_BEXPORTAR: if (code == BN_CLICKED) BExportarClick(); break;
    case IDC_BIMPORTAR: if (code == BN_CLICKED) BImportarClick(); break;
    case IDC_BUTTON1: if (code == BN_CLICKED) Button1Click(); break;
    case IDC_BCLOSE: if (code == BN_CLICKED) BCloseClick(); break;
    case IDC_DIRECTORIOS: if (code == LBN_DBLCLK) DirectoriosOpen(); break;
    case IDC_UNIDADES:
      // While the list is dropped, the arrow keys only browse it.
      if (code == CBN_CLOSEUP ||
          (code == CBN_SELCHANGE && !SendMessageW(Unidades.hwnd(), CB_GETDROPPEDSTATE, 0, 0)))
        UnidadesChange();
      break;
    case IDOK: EnterKey(); break;  // Enter on a control that is not a button
    case IDCANCEL: Close(); break;  // Escape
  }
}

void TMForm::BExportarClick() { RunConversion(&ExportRun, "exportar"); }

void TMForm::BImportarClick() { RunConversion(&ImportRun, "importar"); }

void TMForm::BCloseClick() { Close(); }

void TMForm::Button1Click() {
  SetApplicationHelpFile("ZARP.chm");
  HelpContents();
}

void TMForm::HelpKey() { HelpContext(kHelpContext); }

void TMForm::EnterKey() {
  const HWND focus = GetFocus();
  if (focus == Directorios.hwnd()) DirectoriosOpen();
  if (focus == Unidades.hwnd()) UnidadesChange();
}

void TMForm::DirectoriosOpen() {
  if (Directorios.OpenSelected()) DirectoryChanged();
}

// Moves Directorios to the chosen drive's current folder; a drive that
// cannot be read leaves everything as it was.
void TMForm::UnidadesChange() {
  const wchar_t drive = Unidades.SelectedDrive();
  const std::wstring& current = Directorios.Directory();
  if (drive == 0) return;
  if (current.size() >= 2 && current[1] == L':' && std::towupper(current[0]) == drive) return;
  if (!Directorios.SetDirectory(CurrentFolderOfDrive(drive))) MessageBeep(MB_ICONWARNING);
  DirectoryChanged();
}

void TMForm::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  // Painted off screen, so that the texts do not flicker over the gradient.
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  const HGDIOBJ old = SelectObject(buffer, bitmap);
  PaintForm(buffer, View());
  BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
         ps.rcPaint.bottom - ps.rcPaint.top, buffer, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(bitmap);
  DeleteDC(buffer);
  EndPaint(hwnd_, &ps);
}

void TMForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID == IDC_DIRECTORIOS) Directorios.DrawItem(item, dpi_);
  if (item.CtlID == IDC_UNIDADES) Unidades.DrawItem(item);
}

void TMForm::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemHeight = static_cast<UINT>(ListLineHeight(fonts_));
}

bool TMForm::OnSetCursor() {
  if (!busy_) return false;
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  return true;
}

void TMForm::OnDpiChanged(UINT dpi, const RECT& suggested) {
  ApplyDpi(dpi);
  if (!Embedded() || embedding_ == Embedding::kOnItsOwn)
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMForm::EmbedIn(HWND host) {
  embedding_ = ChooseEmbedding(HostAnswers(host, kHostAnswerMilliseconds), RunsUnderWine());
  ArrangeInHost(hwnd_, host, embedding_, ClientSize(dpi_));
  if (embedding_ != Embedding::kOwnedPopup) return;
  follower_.emplace(hwnd_, host);
  SetTimer(hwnd_, kFollowHostTimer, kFollowMilliseconds, nullptr);
}

// The host's window is gone: the window closes, as a child would have been
// destroyed with it, once no run or dialog of its own is under way.
void TMForm::FollowHostWindow() {
  if (!follower_->Step() && !running_ && !restoring_) {
    KillTimer(hwnd_, kFollowHostTimer);
    Close();
  }
}

// Hidden while its host is minimised, the popup loses the focus of its
// control; it gets it back when it is activated again. True when the focus
// was put back.
bool TMForm::OnActivate(UINT state) {
  if (!Embedded() || embedding_ != Embedding::kOwnedPopup) return false;
  if (state == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus)) focus_ = focus;
    return false;
  }
  if (focus_ == nullptr || !IsChild(hwnd_, focus_) || !IsWindowEnabled(focus_)) return false;
  SetFocus(focus_);
  return true;
}

void TMForm::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  fonts_.Create(dpi);
  PlaceFormControls(hwnd_, panels_, dpi, fonts_);
  const int line = ListLineHeight(fonts_);
  Directorios.SetItemHeight(line);
  Unidades.SetHeights(line, ScaleToDpi(19, dpi));
  glyphs_.Apply(hwnd_, instance_, dpi);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TMForm::ApplyPanels(TopPanels panels) {
  panels_ = panels;
  PlaceFormControls(hwnd_, panels_, dpi_, fonts_);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TMForm::UpdateButtons() {
  const bool can_run = !run_finished_;
  const HWND focus = GetFocus();
  for (int id : {IDC_BEXPORTAR, IDC_BIMPORTAR}) {
    EnableWindow(GetDlgItem(hwnd_, id), can_run);
    if (!can_run && focus == GetDlgItem(hwnd_, id)) SetFocus(Directorios.hwnd());
  }
}

// The drive list and the path text follow Directorios.
void TMForm::DirectoryChanged() {
  Unidades.ShowDriveOf(Directorios.Directory());
  // The text paints the panel behind it itself.
  SetWindowTextW(GetDlgItem(hwnd_, IDC_RUTA), Directorios.Directory().c_str());
}

// Runs the close handler and destroys the window, which ends the program.
void TMForm::Close() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

FormView TMForm::View() const { return {panels_, dpi_}; }

}  // namespace tvz::ui
