#include "platform/gdi/dc/DeviceContextBase.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/dc/TextLayout.h"
#include "platform/rtl/CodePages.h"

namespace {

int Sign(int v) { return v < 0 ? -1 : 1; }

}  // namespace

int TDeviceContextBase::SaveDC() {
  saved_.push_back(state_);
  return static_cast<int>(saved_.size());
}

bool TDeviceContextBase::RestoreDC(int level) {
  int count = static_cast<int>(saved_.size());
  if (level < 0) level = count + 1 + level;
  if (level < 1 || level > count) return false;
  state_ = saved_[static_cast<size_t>(level - 1)];
  saved_.resize(static_cast<size_t>(level - 1));
  return true;
}

TFontHandle TDeviceContextBase::SelectFont(const TFontHandle& font) { return std::exchange(state_.Font, font); }
TLogPen TDeviceContextBase::SelectPen(const TLogPen& pen) { return std::exchange(state_.Pen, pen); }
TLogBrush TDeviceContextBase::SelectBrush(const TLogBrush& brush) { return std::exchange(state_.Brush, brush); }
COLORREF TDeviceContextBase::SetTextColor(COLORREF c) { return std::exchange(state_.TextColor, c & 0xFFFFFF); }
COLORREF TDeviceContextBase::SetBkColor(COLORREF c) { return std::exchange(state_.BkColor, c & 0xFFFFFF); }
int TDeviceContextBase::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(state_.BkMode, mode);
}
uint32_t TDeviceContextBase::SetTextAlign(uint32_t align) { return std::exchange(state_.TextAlign, align); }
int TDeviceContextBase::SetTextCharacterExtra(int extra) { return std::exchange(state_.Spacing.CharExtra, extra); }
bool TDeviceContextBase::SetTextJustification(int breakExtra, int breakCount) {
  state_.Spacing.BreakExtra = breakCount > 0 ? breakExtra : 0;
  state_.Spacing.BreakCount = std::max(0, breakCount);
  return true;
}
int TDeviceContextBase::SetROP2(int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  return std::exchange(state_.Rop2, rop2);
}
int TDeviceContextBase::SetStretchBltMode(int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return std::exchange(state_.StretchMode, mode);
}
int TDeviceContextBase::SetPolyFillMode(int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return std::exchange(state_.PolyFillMode, mode);
}

int TDeviceContextBase::SetMapMode(int mode) {
  if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  int old = std::exchange(state_.MapMode, mode);
  int dpi = GetDeviceCaps(LOGPIXELSX);
  auto fixed = [&](int unitsPerInch) {
    state_.WindowExt = {unitsPerInch, unitsPerInch};
    state_.ViewportExt = {dpi, -dpi};
  };
  switch (mode) {
    case MM_TEXT: state_.WindowExt = {1, 1}; state_.ViewportExt = {1, 1}; break;
    case MM_LOMETRIC: fixed(254); break;
    case MM_HIMETRIC: fixed(2540); break;
    case MM_LOENGLISH: fixed(100); break;
    case MM_HIENGLISH: fixed(1000); break;
    case MM_TWIPS: fixed(1440); break;
    default: break;  // isotropic and anisotropic keep the present extents
  }
  return old;
}

TPoint TDeviceContextBase::SetWindowOrgEx(int x, int y) { return std::exchange(state_.WindowOrg, TPoint{x, y}); }
TPoint TDeviceContextBase::SetViewportOrgEx(int x, int y) { return std::exchange(state_.ViewportOrg, TPoint{x, y}); }

namespace {

// In the isotropic mode one logical unit is equally long on both axes: the viewport extent
// of the axis with the larger scale shrinks to match the other.
void MakeIsotropic(TDCState& s) {
  if (s.MapMode != MM_ISOTROPIC) return;
  double sx = std::abs(static_cast<double>(s.ViewportExt.cx) / s.WindowExt.cx);
  double sy = std::abs(static_cast<double>(s.ViewportExt.cy) / s.WindowExt.cy);
  if (sx < sy)
    s.ViewportExt.cy = Sign(s.ViewportExt.cy) * static_cast<int>(std::lround(std::abs(s.WindowExt.cy) * sx));
  else if (sy < sx)
    s.ViewportExt.cx = Sign(s.ViewportExt.cx) * static_cast<int>(std::lround(std::abs(s.WindowExt.cx) * sy));
}

}  // namespace

TSize TDeviceContextBase::SetWindowExtEx(int cx, int cy) {
  TSize old = state_.WindowExt;
  if (cx == 0 || cy == 0) return old;
  if (state_.MapMode == MM_ISOTROPIC || state_.MapMode == MM_ANISOTROPIC) {
    state_.WindowExt = {cx, cy};
    MakeIsotropic(state_);
  }
  return old;
}

TSize TDeviceContextBase::SetViewportExtEx(int cx, int cy) {
  TSize old = state_.ViewportExt;
  if (cx == 0 || cy == 0) return old;
  if (state_.MapMode == MM_ISOTROPIC || state_.MapMode == MM_ANISOTROPIC) {
    state_.ViewportExt = {cx, cy};
    MakeIsotropic(state_);
  }
  return old;
}

TPoint TDeviceContextBase::LPtoDP(TPoint p) const {
  const TDCState& s = state_;
  return {MulDiv(p.X - s.WindowOrg.X, s.ViewportExt.cx, s.WindowExt.cx) + s.ViewportOrg.X,
          MulDiv(p.Y - s.WindowOrg.Y, s.ViewportExt.cy, s.WindowExt.cy) + s.ViewportOrg.Y};
}

TPoint TDeviceContextBase::DPtoLP(TPoint p) const {
  const TDCState& s = state_;
  return {MulDiv(p.X - s.ViewportOrg.X, s.WindowExt.cx, s.ViewportExt.cx) + s.WindowOrg.X,
          MulDiv(p.Y - s.ViewportOrg.Y, s.WindowExt.cy, s.ViewportExt.cy) + s.WindowOrg.Y};
}

TPointF TDeviceContextBase::ToDevice(double x, double y) const {
  const TDCState& s = state_;
  return {(x - s.WindowOrg.X) * ScaleX() + s.ViewportOrg.X, (y - s.WindowOrg.Y) * ScaleY() + s.ViewportOrg.Y};
}

double TDeviceContextBase::ScaleX() const {
  return static_cast<double>(state_.ViewportExt.cx) / state_.WindowExt.cx;
}
double TDeviceContextBase::ScaleY() const {
  return static_cast<double>(state_.ViewportExt.cy) / state_.WindowExt.cy;
}

TRect TDeviceContextBase::ToDeviceRect(const TRect& r) const {
  TPoint a = LPtoDP({r.Left, r.Top}), b = LPtoDP({r.Right, r.Bottom});
  return TRect{a.X, a.Y, b.X, b.Y}.Normalized();
}

int TDeviceContextBase::SelectClipRgn(const TRegion* region) { return ExtSelectClipRgn(region, RGN_COPY); }

int TDeviceContextBase::ExtSelectClipRgn(const TRegion* region, int mode) {
  if (mode == RGN_COPY) {
    if (region)
      state_.Clip = *region;
    else
      state_.Clip.reset();
  } else {
    if (!region) return RGN_ERROR;
    TSize size = DeviceSize();
    TRegion current = state_.Clip ? *state_.Clip : TRegion::FromRect({0, 0, size.cx, size.cy});
    state_.Clip = TRegion::Combine(current, *region, mode);
  }
  return state_.Clip ? state_.Clip->Complexity() : SIMPLEREGION;
}

int TDeviceContextBase::IntersectClipRect(const TRect& logical) {
  TRegion r = TRegion::FromRect(ToDeviceRect(logical));
  return ExtSelectClipRgn(&r, RGN_AND);
}

int TDeviceContextBase::ExcludeClipRect(const TRect& logical) {
  TRegion r = TRegion::FromRect(ToDeviceRect(logical));
  return ExtSelectClipRgn(&r, RGN_DIFF);
}

bool TDeviceContextBase::GetClipRgn(TRegion& region) const {
  if (!state_.Clip) return false;
  region = *state_.Clip;
  return true;
}

int TDeviceContextBase::GetClipBox(TRect& logical) const {
  TSize size = DeviceSize();
  TRect box = state_.Clip ? state_.Clip->Box() : TRect{0, 0, size.cx, size.cy};
  TPoint a = DPtoLP({box.Left, box.Top}), b = DPtoLP({box.Right, box.Bottom});
  logical = TRect{a.X, a.Y, b.X, b.Y}.Normalized();
  return state_.Clip ? state_.Clip->Complexity() : SIMPLEREGION;
}

TPoint TDeviceContextBase::MoveToEx(int x, int y) {
  TPoint old = std::exchange(state_.Position, TPoint{x, y});
  if (pathOpen_) PathMoveTo(ToDevice(x, y));
  return old;
}

bool TDeviceContextBase::BeginPath() {
  path_.clear();
  pathOpen_ = true;
  pathDone_ = false;
  return true;
}

bool TDeviceContextBase::EndPath() {
  if (!pathOpen_) return false;
  pathOpen_ = false;
  pathDone_ = true;
  return true;
}

bool TDeviceContextBase::CloseFigure() {
  if (!pathOpen_ || path_.empty()) return false;
  path_.back().Closed = true;
  return true;
}

bool TDeviceContextBase::AbortPath() {
  path_.clear();
  pathOpen_ = pathDone_ = false;
  return true;
}

void TDeviceContextBase::PathMoveTo(TPointF p) { path_.push_back({{p}, false}); }

void TDeviceContextBase::PathLineTo(TPointF p) {
  if (path_.empty() || path_.back().Closed) {
    TPointF start = ToDevice(state_.Position.X, state_.Position.Y);
    path_.push_back({{start}, false});
  }
  path_.back().Points.push_back(p);
}

void TDeviceContextBase::PathAddFigure(std::vector<TPointF> points, bool closed) {
  path_.push_back({std::move(points), closed});
}

std::vector<TPathFigure> TDeviceContextBase::TakePath() {
  pathDone_ = false;
  return std::exchange(path_, {});
}

namespace {

int SegmentsFor(double rx, double ry) {
  return std::clamp(static_cast<int>((std::abs(rx) + std::abs(ry)) * 2), 16, 720);
}

}  // namespace

std::vector<TPointF> TDeviceContextBase::EllipsePoints(const TRect& r) const {
  TRect n = r.Normalized();
  double cx = (n.Left + n.Right) / 2.0, cy = (n.Top + n.Bottom) / 2.0;
  double rx = n.Width() / 2.0, ry = n.Height() / 2.0;
  int segments = SegmentsFor(rx * ScaleX(), ry * ScaleY());
  std::vector<TPointF> points;
  for (int i = 0; i < segments; ++i) {
    double a = 2 * std::numbers::pi * i / segments;
    points.push_back(ToDevice(cx + rx * std::cos(a), cy + ry * std::sin(a)));
  }
  return points;
}

std::vector<TPointF> TDeviceContextBase::ArcPoints(const TRect& r, TPoint start, TPoint end) const {
  TRect n = r.Normalized();
  double cx = (n.Left + n.Right) / 2.0, cy = (n.Top + n.Bottom) / 2.0;
  double rx = n.Width() / 2.0, ry = n.Height() / 2.0;
  // Angles with y pointing up, so that growing angles run counter-clockwise on the screen.
  double a0 = std::atan2(-(start.Y - cy) / std::max(ry, 1e-9), (start.X - cx) / std::max(rx, 1e-9));
  double a1 = std::atan2(-(end.Y - cy) / std::max(ry, 1e-9), (end.X - cx) / std::max(rx, 1e-9));
  if (a1 <= a0) a1 += 2 * std::numbers::pi;
  int segments = std::max(2, static_cast<int>(SegmentsFor(rx * ScaleX(), ry * ScaleY()) * (a1 - a0) / (2 * std::numbers::pi)));
  std::vector<TPointF> points;
  for (int i = 0; i <= segments; ++i) {
    double a = a0 + (a1 - a0) * i / segments;
    points.push_back(ToDevice(cx + rx * std::cos(a), cy - ry * std::sin(a)));
  }
  return points;
}

std::vector<TPointF> TDeviceContextBase::BezierPoints(const std::vector<TPoint>& p) const {
  std::vector<TPointF> points;
  if (p.empty()) return points;
  points.push_back(ToDevice(p[0].X, p[0].Y));
  for (size_t i = 1; i + 2 < p.size(); i += 3) {
    TPointF a = ToDevice(p[i - 1].X, p[i - 1].Y), b = ToDevice(p[i].X, p[i].Y), c = ToDevice(p[i + 1].X, p[i + 1].Y),
            d = ToDevice(p[i + 2].X, p[i + 2].Y);
    double length = std::hypot(b.X - a.X, b.Y - a.Y) + std::hypot(c.X - b.X, c.Y - b.Y) + std::hypot(d.X - c.X, d.Y - c.Y);
    int steps = std::clamp(static_cast<int>(length / 2), 4, 256);
    for (int k = 1; k <= steps; ++k) {
      double t = static_cast<double>(k) / steps, u = 1 - t;
      points.push_back({u * u * u * a.X + 3 * u * u * t * b.X + 3 * u * t * t * c.X + t * t * t * d.X,
                        u * u * u * a.Y + 3 * u * u * t * b.Y + 3 * u * t * t * c.Y + t * t * t * d.Y});
    }
  }
  return points;
}

std::vector<TPointF> TDeviceContextBase::RoundRectPoints(const TRect& r, int width, int height) const {
  TRect n = r.Normalized();
  double rx = std::min(std::abs(width), n.Width()) / 2.0, ry = std::min(std::abs(height), n.Height()) / 2.0;
  std::vector<TPointF> points;
  int quarter = std::max(2, SegmentsFor(rx * ScaleX(), ry * ScaleY()) / 4);
  struct TCorner {
    double Cx, Cy, Start;
  };
  const TCorner corners[] = {{n.Right - rx, n.Top + ry, -std::numbers::pi / 2},
                             {n.Right - rx, n.Bottom - ry, 0},
                             {n.Left + rx, n.Bottom - ry, std::numbers::pi / 2},
                             {n.Left + rx, n.Top + ry, std::numbers::pi}};
  for (const TCorner& c : corners)
    for (int i = 0; i <= quarter; ++i) {
      double a = c.Start + std::numbers::pi / 2 * i / quarter;
      points.push_back(ToDevice(c.Cx + rx * std::cos(a), c.Cy + ry * std::sin(a)));
    }
  return points;
}

int TDeviceContextBase::GetDeviceCaps(int index) const {
  TSize size = DeviceSize();
  switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return size.cx;
    case VERTRES: return size.cy;
    case HORZSIZE: return MulDiv(size.cx, 254, 960);
    case VERTSIZE: return MulDiv(size.cy, 254, 960);
    case BITSPIXEL: return BitsPerPixel();
    case PLANES: return 1;
    case NUMCOLORS: return BitsPerPixel() <= 8 ? 1 << BitsPerPixel() : -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
  }
}

TDeviceContextBase::TTextPlacement TDeviceContextBase::PlaceText(int x, int y, uint32_t options,
                                                                std::u16string_view text, const int* dx) {
  const TRealizedFont& font = state_.Font.Realized();
  TTextPlacement p;
  if (dx) {
    p.Advances.assign(dx, dx + text.size());
  } else if (options & ETO_GLYPH_INDEX) {
    for (Char g : text) p.Advances.push_back(font.GlyphAdvance(g) + state_.Spacing.CharExtra);
  } else {
    p.Advances = TextAdvances(font, text, state_.Spacing);
  }
  for (int a : p.Advances) p.Width += a;
  TPoint origin = (state_.TextAlign & TA_UPDATECP) ? state_.Position : TPoint{x, y};
  uint32_t horizontal = state_.TextAlign & TA_HORZ_MASK;
  p.Left = horizontal == TA_RIGHT ? origin.X - p.Width : horizontal == TA_CENTER ? origin.X - p.Width / 2 : origin.X;
  if (state_.TextAlign & TA_UPDATECP) {
    if (horizontal == TA_RIGHT)
      state_.Position.X = origin.X - p.Width;
    else if (horizontal != TA_CENTER)
      state_.Position.X = origin.X + p.Width;
  }
  const TTextMetric& tm = font.TextMetric();
  switch (state_.TextAlign & TA_VERT_MASK) {
    case TA_BASELINE: p.Baseline = origin.Y; break;
    case TA_BOTTOM: p.Baseline = origin.Y - tm.tmDescent; break;
    default: p.Baseline = origin.Y + tm.tmAscent; break;
  }
  return p;
}

TSize TDeviceContextBase::GetTextExtentPoint32(std::u16string_view text) const {
  return TextExtent(state_.Font.Realized(), text, state_.Spacing);
}

TTextFit TDeviceContextBase::GetTextExtentExPoint(std::u16string_view text, int maxExtent) const {
  return FitText(state_.Font.Realized(), text, maxExtent, state_.Spacing);
}

TTextMetric TDeviceContextBase::GetTextMetrics() const { return state_.Font.Realized().TextMetric(); }

TOutlineTextMetric TDeviceContextBase::GetOutlineTextMetrics() const { return state_.Font.Realized().OutlineMetric(); }

std::vector<TABC> TDeviceContextBase::GetCharABCWidths(unsigned first, unsigned last) const {
  std::vector<TABC> widths;
  for (unsigned c = first; c <= last && c <= 0x10FFFF; ++c) widths.push_back(state_.Font.Realized().AbcWidths(c));
  return widths;
}

std::vector<TABC> TDeviceContextBase::GetCharABCWidthsA(unsigned first, unsigned last) const {
  std::vector<TABC> widths;
  for (unsigned code = first; code <= last && code <= 255; ++code) {
    String c = AnsiToString(std::string(1, static_cast<char>(code)));
    widths.push_back(state_.Font.Realized().AbcWidths(c.empty() ? 0 : c[0]));
  }
  return widths;
}

std::vector<int> TDeviceContextBase::GetCharWidth32(unsigned first, unsigned last) const {
  std::vector<int> widths;
  for (unsigned c = first; c <= last && c <= 0x10FFFF; ++c) widths.push_back(state_.Font.Realized().Advance(c));
  return widths;
}

std::vector<uint16_t> TDeviceContextBase::GetGlyphIndices(std::u16string_view text, uint32_t flags) const {
  std::vector<uint16_t> glyphs;
  for (Char c : text) {
    unsigned g = state_.Font.Realized().GlyphIndex(c);
    glyphs.push_back(g == 0 && (flags & GGI_MARK_NONEXISTING_GLYPHS) ? 0xFFFF : static_cast<uint16_t>(g));
  }
  return glyphs;
}

std::string TDeviceContextBase::GetFontData(uint32_t tag) const {
  const TRealizedFont& font = state_.Font.Realized();
  return tag == 0 ? font.FileData() : font.TableData(tag);
}

String TDeviceContextBase::GetTextFace() const { return state_.Font.Realized().Location().FaceName; }

int TDeviceContextBase::DrawText(std::u16string_view text, TRect& rect, uint32_t format) {
  TTextLayout layout = LayoutDrawText(*this, text, rect, format);
  if (format & DT_CALCRECT) {
    rect = layout.Bounds;
    return layout.Height;
  }
  int saved = SaveDC();
  SetTextAlign(TA_LEFT | TA_TOP);
  if (!(format & DT_NOCLIP)) IntersectClipRect(rect);
  for (const TTextLayoutLine& line : layout.Lines) {
    ExtTextOut(line.X, line.Y, 0, nullptr, line.Text, nullptr);
    if (line.Prefix >= 0) {
      TTextMetric tm = GetTextMetrics();
      std::u16string_view lineText(line.Text);
      int before = GetTextExtentPoint32(lineText.substr(0, static_cast<size_t>(line.Prefix))).cx;
      int width = GetTextExtentPoint32(lineText.substr(static_cast<size_t>(line.Prefix), 1)).cx;
      FillRect({line.X + before, line.Y + tm.tmAscent + 1, line.X + before + width, line.Y + tm.tmAscent + 2},
               CreateSolidBrush(state_.TextColor));
    }
  }
  RestoreDC(saved);
  return layout.Height;
}
