#include "ui/form_painting.h"

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

COLORREF ColourOf(TextStyle style) {
  switch (style) {
    case TextStyle::kTitle: return RGB(0, 0, 0);
    case TextStyle::kCaption: return RGB(0, 0, 255);
    case TextStyle::kEmphasis: return RGB(255, 0, 0);
  }
  return RGB(0, 0, 0);
}

}  // namespace

HFONT FontOf(TextStyle style, const FormFonts& fonts) {
  switch (style) {
    case TextStyle::kTitle: return fonts.title();
    case TextStyle::kCaption: return fonts.normal();
    case TextStyle::kEmphasis: return fonts.bold();
  }
  return fonts.normal();
}

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
}

HBRUSH PrepareLabel(HDC dc, HWND label, const FormView& view) {
  const FormControl* control = ControlOf(GetDlgCtrlID(label));
  SetTextColor(dc, ColourOf(control != nullptr ? control->style : TextStyle::kTitle));
  SetBkMode(dc, TRANSPARENT);
  // The panels behind the label, in the label's coordinates (the form
  // clips its children, so nothing of its own painting is under them).
  POINT origin{0, 0};
  MapWindowPoints(label, GetParent(label), &origin, 1);
  POINT old{};
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
  PaintForm(dc, view);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace tvz::ui
