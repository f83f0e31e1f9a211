#include "ui/form_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/control_ids.h"
#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

struct ControlKind {
  int id;
  const wchar_t* window_class;
  const char* text;  // cp1252
  DWORD style;
  DWORD ex_style;
};

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

constexpr ControlKind kKinds[] = {
    {IDC_BEXPORTAR, WC_BUTTONW, "Aceptar", kButton, 0},
    {IDC_BIMPORTAR, WC_BUTTONW, "Aceptar", kButton, 0},
    {IDC_DIRECTORIOS, WC_LISTBOXW, "Directorios",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
         LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE},
    {IDC_UNIDADES, WC_COMBOBOXW, "",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
         CBS_HASSTRINGS,
     0},
    {IDC_BUTTON1, WC_BUTTONW, "F1 AYUDA", kButton, 0},
    {IDC_BCLOSE, WC_BUTTONW, "&Salir", kButton, 0},
};

// The z-order, which the tab order follows: every text comes right before
// the control it names, so that assistive technology finds it as its label
// (Directorios: the caption above it; Unidades: a text of its own that
// has no size).
constexpr int kZOrder[] = {IDC_TITULO_EXPORTAR, IDC_BEXPORTAR,      IDC_TITULO_IMPORTAR,
                           IDC_BIMPORTAR,       IDC_RUTA_TEXTO,     IDC_RUTA,
                           IDC_CARPETA_TEXTO,   IDC_DIRECTORIOS,    IDC_UNIDADES_TEXTO,
                           IDC_UNIDADES,        IDC_BUTTON1,        IDC_BCLOSE,
                           IDC_VERSION};
constexpr char kUnidadesLabel[] = "Unidades";

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

// A text: one line unless it is a title, the path shortened in the middle.
ControlKind LabelKind(int id) {
  const LabelPlace* place = LabelOf(id);
  DWORD style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
  if (place == nullptr) return {id, WC_STATICW, kUnidadesLabel, style | SS_LEFTNOWORDWRAP, 0};
  style |= place->style == TextStyle::kTitle ? SS_LEFT : SS_LEFTNOWORDWRAP;
  if (id == IDC_RUTA) style |= SS_PATHELLIPSIS;
  return {id, WC_STATICW, place->text, style, 0};
}

ControlKind KindOf(int id) {
  for (const ControlKind& kind : kKinds)
    if (kind.id == id) return kind;
  return LabelKind(id);
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

void PlaceLabel(HWND form, const LabelPlace& place, TopPanels panels, UINT dpi,
                const FormFonts& fonts) {
  HWND label = GetDlgItem(form, place.id);
  const HFONT font = FontOf(place.style, fonts);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  Box b = ScaleToDpi(OnForm(place.panel, place.box, panels), dpi);
  const SIZE extent = TextExtent(font, Wide(place.text));
  if (place.box.width == 0) b.width = extent.cx + ScaleToDpi(2, dpi);
  if (place.box.height == 0) b.height = extent.cy;
  SetWindowPos(label, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(label, PanelShown(place.panel, panels) ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

void CreateFormControls(HWND form, HINSTANCE instance) {
  for (int id : kZOrder) {
    const ControlKind kind = KindOf(id);
    CreateWindowExW(kind.ex_style, kind.window_class, Wide(kind.text).c_str(), kind.style, 0, 0, 0,
                    0, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kind.id)), instance,
                    nullptr);
  }
}

void PlaceFormControls(HWND form, TopPanels panels, UINT dpi, const FormFonts& fonts) {
  for (const ControlPlace& place : ControlPlaces()) {
    HWND control = GetDlgItem(form, place.id);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.normal()), FALSE);
    const Box b = ScaleToDpi(ControlBox(place, panels), dpi);
    int height = b.height;
    if (place.id == IDC_UNIDADES) height += kDroppedLines * ListLineHeight(fonts);
    SetWindowPos(control, nullptr, b.left, b.top, b.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(control, PanelShown(place.panel, panels) ? SW_SHOWNA : SW_HIDE);
  }
  for (const LabelPlace& place : LabelPlaces()) PlaceLabel(form, place, panels, dpi, fonts);
  PlaceLabel(form, CurrentPathPlace(), panels, dpi, fonts);
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
