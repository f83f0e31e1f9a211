#include "ui/form_painting.h"

#include "ui/wide_text.h"

namespace tvz::ui {

namespace {

HFONT MakeFont(const wchar_t* face, int points, int weight, UINT dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(points, static_cast<int>(dpi), 72);
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

RECT ToRect(const Box& b) { return {b.left, b.top, b.right(), b.bottom()}; }

TRIVERTEX Vertex(int x, int y, Rgb c) {
  TRIVERTEX v{};
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(c.r << 8);
  v.Green = static_cast<COLOR16>(c.g << 8);
  v.Blue = static_cast<COLOR16>(c.b << 8);
  return v;
}

// Top half from start to middle, bottom half from middle to end.
void PaintGradient(HDC dc, const Box& b, const PanelGradient& g) {
  const int middle = b.top + b.height / 2;
  TRIVERTEX v[4] = {Vertex(b.left, b.top, g.start), Vertex(b.right(), middle, g.middle),
                    Vertex(b.left, middle, g.middle), Vertex(b.right(), b.bottom(), g.end)};
  GRADIENT_RECT rects[2] = {{0, 1}, {2, 3}};
  GradientFill(dc, v, 4, rects, 2, GRADIENT_FILL_RECT_V);
}

HFONT FontOf(TextStyle style, const FormFonts& fonts) {
  switch (style) {
    case TextStyle::kTitle: return fonts.title();
    case TextStyle::kCaption: return fonts.normal();
    case TextStyle::kEmphasis: return fonts.bold();
  }
  return fonts.normal();
}

COLORREF ColourOf(TextStyle style) {
  switch (style) {
    case TextStyle::kTitle: return RGB(0, 0, 0);
    case TextStyle::kCaption: return RGB(0, 0, 255);
    case TextStyle::kEmphasis: return RGB(255, 0, 0);
  }
  return RGB(0, 0, 0);
}

void PaintLabel(HDC dc, const FormView& view, const LabelPlace& label, const std::wstring& text,
                UINT extra_format) {
  RECT r = ToRect(ScaleToDpi(OnForm(label.panel, label.box, view.panels), view.dpi));
  SelectObject(dc, FontOf(label.style, *view.fonts));
  SetTextColor(dc, ColourOf(label.style));
  UINT format = DT_NOPREFIX | extra_format;
  if (label.style == TextStyle::kTitle) {
    format |= DT_WORDBREAK;
  } else {
    format |= DT_SINGLELINE;
    if (label.box.width == 0) format |= DT_NOCLIP;
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

}  // namespace

void FormFonts::Create(UINT dpi) {
  Destroy();
  normal_ = MakeFont(L"MS Sans Serif", 8, FW_NORMAL, dpi);
  bold_ = MakeFont(L"MS Sans Serif", 8, FW_BOLD, dpi);
  title_ = MakeFont(L"Arial", 12, FW_BOLD, dpi);
}

void FormFonts::Destroy() {
  for (HFONT* f : {&normal_, &bold_, &title_}) {
    if (*f != nullptr) DeleteObject(*f);
    *f = nullptr;
  }
}

void PaintForm(HDC dc, const FormView& view) {
  for (Panel panel : {Panel::kExport, Panel::kImport, Panel::kFolder}) {
    if (PanelShown(panel, view.panels))
      PaintGradient(dc, ScaleToDpi(PanelBox(panel, view.panels), view.dpi), GradientOf(panel));
  }
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const HGDIOBJ old_font = SelectObject(dc, view.fonts->normal());
  for (const LabelPlace& label : LabelPlaces()) {
    if (PanelShown(label.panel, view.panels)) PaintLabel(dc, view, label, Wide(label.text), 0);
  }
  const RECT path = CurrentPathRect(view);
  LabelPlace place = CurrentPathPlace();
  place.box.height = path.bottom - path.top;
  PaintLabel(dc, view, place, view.current_path, DT_PATH_ELLIPSIS);
  SelectObject(dc, old_font);
  SetBkMode(dc, old_mode);
}

RECT CurrentPathRect(const FormView& view) {
  const LabelPlace place = CurrentPathPlace();
  Box b = ScaleToDpi(OnForm(place.panel, place.box, view.panels), view.dpi);
  // One line of the bold font.
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, view.fonts->bold());
  TEXTMETRICW tm{};
  GetTextMetricsW(screen, &tm);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  b.height = tm.tmHeight;
  return ToRect(b);
}

}  // namespace tvz::ui
