#include "ui/form_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/control_ids.h"
#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// The window class and styles of a control of the form.
struct WindowKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

WindowKind WindowKindOf(const FormControl& control) {
  switch (control.kind) {
    case ControlKind::kButton:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::kDirectoryList:
      return {WC_LISTBOXW,
              kChild | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                  LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::kDriveBox:
      return {WC_COMBOBOXW,
              kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
              0};
    case ControlKind::kText:
      // A title wraps in its box; any other text is one line.
      return {WC_STATICW,
              kChild | SS_NOPREFIX | (control.style == TextStyle::kTitle ? SS_LEFT : SS_LEFTNOWORDWRAP), 0};
    case ControlKind::kPathText:
      return {WC_STATICW, kChild | SS_NOPREFIX | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS, 0};
    case ControlKind::kHiddenLabel:
      return {WC_STATICW, kChild | SS_NOPREFIX | SS_LEFTNOWORDWRAP, 0};
  }
  return {WC_STATICW, kChild, 0};
}

// The drive box's dropped list shows this many lines.
constexpr int kDroppedLines = 8;

HIMAGELIST GlyphList(HINSTANCE instance, int icon, int grey_icon, int size) {
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 6, 0);
  auto load = [&](int id) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
  };
  HICON normal = load(icon);
  HICON grey = load(grey_icon);
  // One image per button state: normal, hot, pressed, disabled, default,
  // stylus hot.
  constexpr int kDisabledState = 4;
  for (int state = 1; state <= 6; ++state)
    ImageList_AddIcon(list, state == kDisabledState ? grey : normal);
  DestroyIcon(normal);
  DestroyIcon(grey);
  return list;
}

void SetGlyph(HWND button, HIMAGELIST list, UINT dpi) {
  BUTTON_IMAGELIST image{};
  image.himl = list;
  image.margin = {ScaleToDpi(2, dpi), 0, 0, 0};
  image.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
}

// One line of `text` in `font`.
SIZE TextExtent(HFONT font, const std::wstring& text) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  SIZE size{};
  GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
  TEXTMETRICW tm{};
  GetTextMetricsW(screen, &tm);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return {size.cx + tm.tmOverhang, tm.tmHeight};
}

// A text: its font, and its box grown to its text where it has no width or
// height of its own.
Box PlaceText(HWND label, const FormControl& control, TopPanels panels, UINT dpi,
              const FormFonts& fonts) {
  const HFONT font = FontOf(control.style, fonts);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  Box b = ScaleToDpi(ControlBox(control, panels), dpi);
  const SIZE extent = TextExtent(font, Wide(control.text));
  if (control.box.width == 0) b.width = extent.cx + ScaleToDpi(2, dpi);
  if (control.box.height == 0) b.height = extent.cy;
  return b;
}

}  // namespace

void CreateFormControls(HWND form, HINSTANCE instance) {
  for (const FormControl& control : FormControls()) {
    const WindowKind kind = WindowKindOf(control);
    CreateWindowExW(kind.ex_style, kind.window_class, Wide(control.text).c_str(), kind.style, 0, 0,
                    0, 0, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance,
                    nullptr);
  }
}

void PlaceFormControls(HWND form, TopPanels panels, UINT dpi, const FormFonts& fonts) {
  for (const FormControl& control : FormControls()) {
    if (control.kind == ControlKind::kHiddenLabel) continue;
    HWND window = GetDlgItem(form, control.id);
    Box b;
    if (IsText(control.kind)) {
      b = PlaceText(window, control, panels, dpi, fonts);
    } else {
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal()), FALSE);
      b = ScaleToDpi(ControlBox(control, panels), dpi);
    }
    if (control.kind == ControlKind::kDriveBox) b.height += kDroppedLines * ListLineHeight(fonts);
    SetWindowPos(window, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, PanelShown(control.panel, panels) ? SW_SHOWNA : SW_HIDE);
  }
}

int ListLineHeight(const FormFonts& fonts) {
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, fonts.normal());
  TEXTMETRICW tm{};
  GetTextMetricsW(screen, &tm);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return std::max<int>(tm.tmHeight, GetSystemMetrics(SM_CYSMICON)) + 1;
}

void ButtonGlyphs::Apply(HWND form, HINSTANCE instance, UINT dpi) {
  // The buttons hold the old lists until they have the new ones.
  HIMAGELIST old_accept = accept_, old_close = close_;
  const int size = ScaleToDpi(16, dpi);
  accept_ = GlyphList(instance, IDI_ACEPTAR, IDI_ACEPTAR_GRIS, size);
  close_ = GlyphList(instance, IDI_CERRAR, IDI_CERRAR_GRIS, size);
  SetGlyph(GetDlgItem(form, IDC_BEXPORTAR), accept_, dpi);
  SetGlyph(GetDlgItem(form, IDC_BIMPORTAR), accept_, dpi);
  SetGlyph(GetDlgItem(form, IDC_BCLOSE), close_, dpi);
  if (old_accept != nullptr) ImageList_Destroy(old_accept);
  if (old_close != nullptr) ImageList_Destroy(old_close);
}

void ButtonGlyphs::Release() {
  if (accept_ != nullptr) ImageList_Destroy(accept_);
  if (close_ != nullptr) ImageList_Destroy(close_);
  accept_ = close_ = nullptr;
}

}  // namespace tvz::ui
