#include "platform/gdi/metafile/EmfRecordViews.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/rtl/CodePages.h"

namespace {

// Offsets of the fields behind a record's type and size.
constexpr size_t kParam = 8;

int ClampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool IsSmallPoly(uint32_t type) { return type >= EMR_POLYBEZIER16 && type <= EMR_POLYPOLYGON16; }

TPoint PointAt(const TEmfRecord& r, size_t at, bool small) { return small ? r.PointS(at) : r.PointL(at); }

String Utf16At(const TEmfRecord& r, size_t at, size_t count) {
  std::string_view bytes = r.Array(at, count, 2);
  String text;
  text.reserve(count);
  for (size_t i = 0; i < bytes.size(); i += 2) text.push_back(Char(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
  return text;
}

// A bitmap's BITMAPINFO and bits, or two empty views when the record carries none (a bitmap's
// offsets are never 0: the record's type stands there).
void BitmapOf(const TEmfRecord& r, size_t fieldsAt, std::string_view& info, std::string_view& bits) {
  uint32_t infoAt = r.U32(fieldsAt), infoSize = r.U32(fieldsAt + 4);
  uint32_t bitsAt = r.U32(fieldsAt + 8), bitsSize = r.U32(fieldsAt + 12);
  if (infoAt == 0 || infoSize == 0 || bitsAt == 0) return;
  info = r.Span(infoAt, infoSize);
  bits = r.Span(bitsAt, bitsSize);
}

}  // namespace

uint32_t EmfValue(const TEmfRecord& r) { return r.U32(kParam); }
int32_t EmfSignedValue(const TEmfRecord& r) { return r.I32(kParam); }
TPoint EmfPoint(const TEmfRecord& r) { return r.PointL(kParam); }
TSize EmfSize(const TEmfRecord& r) { return r.SizeL(kParam); }
TRect EmfRect(const TEmfRecord& r) { return r.RectL(kParam); }
COLORREF EmfColor(const TEmfRecord& r) { return r.U32(kParam) & 0xFFFFFF; }

TEmfScale ReadEmfScale(const TEmfRecord& r) { return {r.I32(8), r.I32(12), r.I32(16), r.I32(20)}; }

TEmfRoundRect ReadEmfRoundRect(const TEmfRecord& r) { return {r.RectL(8), r.SizeL(24)}; }

TEmfArc ReadEmfArc(const TEmfRecord& r) { return {r.RectL(8), r.PointL(24), r.PointL(32)}; }

TEmfPixel ReadEmfPixel(const TEmfRecord& r) { return {r.PointL(8), r.U32(16) & 0xFFFFFF}; }

// Bounds (8), count (24), points (28).
std::vector<TPoint> ReadEmfPolyPoints(const TEmfRecord& r) {
  const bool small = IsSmallPoly(r.Type());
  const size_t step = small ? 4 : 8;
  uint32_t count = r.U32(24);
  r.Array(28, count, step);
  std::vector<TPoint> points;
  points.reserve(count);
  for (uint32_t i = 0; i < count; ++i) points.push_back(PointAt(r, 28 + size_t{i} * step, small));
  return points;
}

// Bounds (8), figures (24), points in all (28), the count of each figure (32), the points.
std::vector<std::vector<TPoint>> ReadEmfPolyPolyPoints(const TEmfRecord& r) {
  const bool small = IsSmallPoly(r.Type());
  const size_t step = small ? 4 : 8;
  uint32_t figures = r.U32(24), total = r.U32(28);
  r.Array(32, figures, 4);
  const size_t pointsAt = 32 + size_t{figures} * 4;
  r.Array(pointsAt, total, step);
  std::vector<std::vector<TPoint>> result;
  size_t next = 0;
  for (uint32_t i = 0; i < figures; ++i) {
    uint32_t count = r.U32(32 + size_t{i} * 4);
    if (count > total - next) break;
    std::vector<TPoint>& points = result.emplace_back();
    points.reserve(count);
    for (uint32_t k = 0; k < count; ++k, ++next) points.push_back(PointAt(r, pointsAt + next * step, small));
  }
  return result;
}

// Bounds (8), graphics mode (24), scales (28, 32), then the EMRTEXT: reference (36), characters
// (44), string offset (48), options (52), rectangle (56), advances offset (72).
TEmfText ReadEmfText(const TEmfRecord& r) {
  constexpr uint32_t ETO_PDY = 0x2000;  // an x and a y advance per character
  TEmfText t;
  t.Reference = r.PointL(36);
  uint32_t chars = r.U32(44), stringAt = r.U32(48), dxAt = r.U32(72);
  t.Options = r.U32(52);
  t.Rect = r.RectL(56);
  if (r.Type() == EMR_EXTTEXTOUTW) {
    t.Text = Utf16At(r, stringAt, chars);
  } else {
    t.Text = AnsiToString(r.Span(stringAt, chars));
    t.Options &= ~uint32_t{ETO_GLYPH_INDEX};
  }
  if (dxAt != 0 && chars != 0) {
    const size_t step = (t.Options & ETO_PDY) ? 8 : 4;
    r.Array(dxAt, chars, step);
    // Advances are per byte of ANSI text: they cannot be matched with characters whose count changed.
    if (t.Text.size() == chars) {
      t.Dx.reserve(chars);
      for (uint32_t i = 0; i < chars; ++i) t.Dx.push_back(r.I32(dxAt + size_t{i} * step));
    }
  }
  return t;
}

// CREATEPEN: handle (8), style (12), width (16, the x of a POINTL), colour (24).
// EXTCREATEPEN: handle (8), bitmap fields (12..28), then the EXTLOGPEN: style (28), width (32),
// brush style (36), colour (40), hatch (44), style entry count (48), entries (52).
TEmfPen ReadEmfPen(const TEmfRecord& r) {
  TEmfPen p;
  p.Handle = r.U32(8);
  if (r.Type() == EMR_CREATEPEN) {
    p.Pen = {r.U32(12), r.I32(16), r.U32(24) & 0xFFFFFF};
    return p;
  }
  uint32_t style = r.U32(28);
  p.Pen = {r.U32(36) == BS_NULL ? uint32_t{PS_NULL} : style, ClampToInt(r.U32(32)), r.U32(40) & 0xFFFFFF};
  if ((style & PS_STYLE_MASK) == PS_USERSTYLE) {
    uint32_t count = r.U32(48);
    r.Array(52, count, 4);
    p.StyleEntries.reserve(count);
    for (uint32_t i = 0; i < count; ++i) p.StyleEntries.push_back(r.U32(52 + size_t{i} * 4));
  }
  return p;
}

// Handle (8), style (12), colour (16), hatch (20).
TEmfBrush ReadEmfBrush(const TEmfRecord& r) {
  return {r.U32(8), TLogBrush{r.U32(12), r.U32(16) & 0xFFFFFF, static_cast<int>(r.U32(20) % 6)}};
}

// Handle (8), then the LOGFONTW: height, width, escapement, orientation, weight (12..32), eight
// byte fields (32..40) and the face name of 32 characters (40..104).
TEmfFont ReadEmfFont(const TEmfRecord& r) {
  TEmfFont result;
  result.Handle = r.U32(8);
  TLogFont& f = result.Font;
  r.Span(12, LOGFONTW_SIZE);
  f.lfHeight = r.I32(12);
  f.lfWidth = r.I32(16);
  f.lfEscapement = r.I32(20);
  f.lfOrientation = r.I32(24);
  f.lfWeight = r.I32(28);
  std::string_view b = r.Span(32, 8);
  f.lfItalic = uint8_t(b[0]);
  f.lfUnderline = uint8_t(b[1]);
  f.lfStrikeOut = uint8_t(b[2]);
  f.lfCharSet = uint8_t(b[3]);
  f.lfOutPrecision = uint8_t(b[4]);
  f.lfClipPrecision = uint8_t(b[5]);
  f.lfQuality = uint8_t(b[6]);
  f.lfPitchAndFamily = uint8_t(b[7]);
  String face = Utf16At(r, 40, 32);
  f.lfFaceName = face.substr(0, face.find(Char(0)));
  return result;
}

// Bounds (8), destination (24, 32), raster operation (40), source (44), source transform (52),
// source background (76), usage (80), bitmap fields (84..100); STRETCHBLT: source size (100).
TEmfBlt ReadEmfBlt(const TEmfRecord& r) {
  TEmfBlt b;
  b.Dest = r.PointL(24);
  b.DestSize = r.SizeL(32);
  b.Rop = r.U32(40);
  b.Source = r.PointL(44);
  b.SourceTransform = {r.F32(52), r.F32(56), r.F32(60), r.F32(64), r.F32(68), r.F32(72)};
  b.SourceBkColor = r.U32(76) & 0xFFFFFF;
  b.SourceSize = r.Type() == EMR_STRETCHBLT ? r.SizeL(100) : b.DestSize;
  BitmapOf(r, 84, b.Info, b.Bits);
  return b;
}

// Bounds (8), destination (24), source (32), source size (40), bitmap fields (48..64), usage
// (64), raster operation (68), destination size (72).
TEmfStretchDib ReadEmfStretchDib(const TEmfRecord& r) {
  TEmfStretchDib d;
  d.Dest = r.PointL(24);
  d.Source = r.PointL(32);
  d.SourceSize = r.SizeL(40);
  d.Rop = r.U32(68);
  d.DestSize = r.SizeL(72);
  BitmapOf(r, 48, d.Info, d.Bits);
  if (!d.HasBitmap()) return d;
  // Rows of a bottom-up bitmap (positive height; a core header's always) count from its bottom.
  TEmfRecord info(d.Info, r.Offset());
  const bool core = info.U32(0) == 12;
  const int64_t height = core ? info.U16(6) : info.I32(8);
  if (core || height > 0) d.Source.Y = ClampToInt(height - d.Source.Y - int64_t{d.SourceSize.cy});
  return d;
}

// Bounds (8), region data size (24); FILLRGN: brush (28), data (32); PAINTRGN: data (28);
// FRAMERGN: brush (28), width and height (32), data (40).
TEmfRegionPaint ReadEmfRegionPaint(const TEmfRecord& r) {
  TEmfRegionPaint p;
  switch (r.Type()) {
    case EMR_PAINTRGN: p.Rects = r.RegionRects(24, 28); break;
    case EMR_FILLRGN:
      p.Brush = r.U32(28);
      p.Rects = r.RegionRects(24, 32);
      break;
    default:
      p.Brush = r.U32(28);
      p.FrameSize = r.SizeL(32);
      p.Rects = r.RegionRects(24, 40);
      break;
  }
  return p;
}

// Region data size (8), mode (12), data (16).
TEmfClipRegion ReadEmfClipRegion(const TEmfRecord& r) {
  TEmfClipRegion c;
  c.Mode = r.I32(12);
  if (r.U32(8) != 0) c.Rects = r.RegionRects(8, 16);
  return c;
}

// The XFORM (8..32); MODIFYWORLDTRANSFORM: the mode (32).
std::optional<TXForm> ApplyEmfWorldTransform(const TEmfRecord& r, const TXForm& current) {
  TXForm x{r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28)};
  for (double v : {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy})
    if (!std::isfinite(v)) return std::nullopt;
  auto multiply = [](const TXForm& a, const TXForm& b) {  // first a, then b
    return TXForm{a.eM11 * b.eM11 + a.eM12 * b.eM21,         a.eM11 * b.eM12 + a.eM12 * b.eM22,
                  a.eM21 * b.eM11 + a.eM22 * b.eM21,         a.eM21 * b.eM12 + a.eM22 * b.eM22,
                  a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx, a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy};
  };
  constexpr uint32_t MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3, MWT_SET = 4;
  uint32_t mode = r.Type() == EMR_SETWORLDTRANSFORM ? MWT_SET : r.U32(32);
  TXForm next;
  switch (mode) {
    case MWT_IDENTITY: next = {}; break;
    case MWT_LEFTMULTIPLY: next = multiply(x, current); break;
    case MWT_RIGHTMULTIPLY: next = multiply(current, x); break;
    case MWT_SET: next = x; break;
    default: return std::nullopt;
  }
  // As GDI does, a transform that collapses the plane is refused.
  const double determinant = next.eM11 * next.eM22 - next.eM12 * next.eM21;
  if (determinant == 0 || !std::isfinite(determinant)) return std::nullopt;
  return next;
}

// Data size (8), data (12).
std::string_view ReadEmfComment(const TEmfRecord& r) { return r.Span(12, r.U32(8)); }

std::optional<TLogPen> EmfStockPen(uint32_t handle) {
  switch (handle) {
    case ENHMETA_STOCK_OBJECT | WHITE_PEN: return CreatePen(PS_SOLID, 0, 0xFFFFFF);
    case ENHMETA_STOCK_OBJECT | BLACK_PEN: return CreatePen(PS_SOLID, 0, 0);
    case ENHMETA_STOCK_OBJECT | NULL_PEN: return NullPen();
    default: return std::nullopt;
  }
}

bool IsEmfStockFont(uint32_t handle) {
  if (!(handle & ENHMETA_STOCK_OBJECT)) return false;
  uint32_t index = handle & ~ENHMETA_STOCK_OBJECT;
  return index >= OEM_FIXED_FONT && index <= DEFAULT_GUI_FONT && index != DEFAULT_PALETTE;
}
