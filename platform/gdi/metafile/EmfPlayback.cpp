#include "platform/gdi/metafile/EmfPlayback.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/metafile/EmfDib.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/rtl/CodePages.h"

namespace {

// Coordinates are kept within 27 bits, as a graphics device's own coordinate space is: the
// sums and differences the target forms from them cannot overflow.
constexpr int kMaxCoordinate = 1 << 27;

int RoundToInt(double v) {
  if (!(v == v)) return 0;  // NaN from a degenerate mapping
  return static_cast<int>(std::lround(std::clamp<double>(v, -kMaxCoordinate, kMaxCoordinate)));
}

int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -kMaxCoordinate, kMaxCoordinate)); }
int Sum(int a, int b) { return Clamp(int64_t{a} + b); }

// Font sizes and pen widths beyond this many pixels (over 20 inches on the screen) come only
// from broken files; they are cut to it.
constexpr int kMaxFontPixels = 2048;

// The stock brushes by their handle; nothing for other handles.
std::optional<TLogBrush> StockBrush(uint32_t handle) {
  switch (handle) {
    case ENHMETA_STOCK_OBJECT | WHITE_BRUSH: return CreateSolidBrush(0xFFFFFF);
    case ENHMETA_STOCK_OBJECT | LTGRAY_BRUSH: return CreateSolidBrush(0xC0C0C0);
    case ENHMETA_STOCK_OBJECT | GRAY_BRUSH: return CreateSolidBrush(0x808080);
    case ENHMETA_STOCK_OBJECT | DKGRAY_BRUSH: return CreateSolidBrush(0x404040);
    case ENHMETA_STOCK_OBJECT | BLACK_BRUSH: return CreateSolidBrush(0);
    case ENHMETA_STOCK_OBJECT | NULL_BRUSH: return NullBrush();
    default: return std::nullopt;
  }
}

bool UsesSource(uint32_t rop) { return ((rop >> 2) & 0x330000) != (rop & 0x330000); }

}  // namespace

TEmfPlayback::TEmfPlayback(TDeviceContext& target, const TEmfHeader& header, const TRect& dest)
    : target_(target),
      mapping_(header.Device.cx > 0 && header.Device.cy > 0 ? header.Device : TSize{1920, 1080}),
      dest_(dest),
      objects_(std::max<size_t>(header.Handles, 1)) {
  // The frame, or else the bounds of the drawing, fills dest; a file with neither is played
  // at its own size.
  auto width = [](const TRect& r) { return static_cast<double>(r.Right) - r.Left; };
  auto height = [](const TRect& r) { return static_cast<double>(r.Bottom) - r.Top; };
  frame_ = header.FramePixels();
  if (width(frame_) <= 0 || height(frame_) <= 0) {
    const TRect& b = header.Bounds;
    frame_ = {b.Left, b.Top, Sum(b.Right, 1), Sum(b.Bottom, 1)};
  }
  sx_ = width(frame_) > 0 ? (static_cast<double>(dest.Right) - dest.Left) / width(frame_) : 1.0;
  sy_ = height(frame_) > 0 ? (static_cast<double>(dest.Bottom) - dest.Top) / height(frame_) : 1.0;

  TRegion clip;
  if (target.GetClipRgn(clip)) initialClip_ = clip;
  target.SelectPen(TLogPen{});
  target.SelectBrush(TLogBrush{});
  target.SelectFont(TFontHandle());
  target.SetTextColor(0);
  target.SetBkColor(0xFFFFFF);
  target.SetBkMode(OPAQUE);
  target.SetTextAlign(TA_LEFT | TA_TOP);
  target.SetROP2(R2_COPYPEN);
  target.SetPolyFillMode(ALTERNATE);
  target.SetStretchBltMode(BLACKONWHITE);
  target.SetTextCharacterExtra(0);
  target.SetTextJustification(0, 0);
  target.MoveToEx(Map({0, 0}).X, Map({0, 0}).Y);
}

// --- mapping ---

TPoint TEmfPlayback::MapDevice(TPoint p) const {
  return {RoundToInt(dest_.Left + (static_cast<double>(p.X) - frame_.Left) * sx_),
          RoundToInt(dest_.Top + (static_cast<double>(p.Y) - frame_.Top) * sy_)};
}

TPointF TEmfPlayback::ToDevice(double x, double y) const {
  const TXForm& w = world_;
  return mapping_.ToDevice(x * w.eM11 + y * w.eM21 + w.eDx, x * w.eM12 + y * w.eM22 + w.eDy);
}

TPoint TEmfPlayback::Map(TPoint p) const {
  TPointF d = ToDevice(p.X, p.Y);
  return {RoundToInt(dest_.Left + (d.X - frame_.Left) * sx_), RoundToInt(dest_.Top + (d.Y - frame_.Top) * sy_)};
}

TRect TEmfPlayback::MapRect(const TRect& r) const {
  TPoint a = Map({r.Left, r.Top}), b = Map({r.Right, r.Bottom});
  return {a.X, a.Y, b.X, b.Y};
}

int TEmfPlayback::MapLengthX(int v) const {
  return RoundToInt(v * std::hypot(world_.eM11, world_.eM12) * std::abs(mapping_.ScaleX() * sx_));
}
int TEmfPlayback::MapLengthY(int v) const {
  return RoundToInt(v * std::hypot(world_.eM21, world_.eM22) * std::abs(mapping_.ScaleY() * sy_));
}

std::vector<TPoint> TEmfPlayback::Points(const TEmfRecord& r, size_t countAt, size_t pointsAt, bool small) const {
  uint32_t count = r.U32(countAt);
  r.Array(pointsAt, count, small ? 4 : 8);
  std::vector<TPoint> points;
  points.reserve(count);
  for (uint32_t i = 0; i < count; ++i)
    points.push_back(Map(small ? r.PointS(pointsAt + i * 4) : r.PointL(pointsAt + size_t{i} * 8)));
  return points;
}

// --- records ---

bool TEmfPlayback::Play(const TEmfRecord& r) {
  switch (r.Type()) {
    case EMR_EOF: return false;
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: PlayPoly(r, false); break;
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: PlayPoly(r, true); break;
    case EMR_POLYBEZIERTO: case EMR_POLYLINETO: PlayTo(r, false); break;
    case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16: PlayTo(r, true); break;
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: PlayPolyPoly(r, false); break;
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: PlayPolyPoly(r, true); break;
    case EMR_SETWINDOWEXTEX: {
      TSize s = r.SizeL(8);
      if (s.cx != 0 && s.cy != 0) mapping_.SetWindowExtEx(s.cx, s.cy);
      break;
    }
    case EMR_SETVIEWPORTEXTEX: {
      TSize s = r.SizeL(8);
      if (s.cx != 0 && s.cy != 0) mapping_.SetViewportExtEx(s.cx, s.cy);
      break;
    }
    case EMR_SETWINDOWORGEX: mapping_.SetWindowOrgEx(r.I32(8), r.I32(12)); break;
    case EMR_SETVIEWPORTORGEX: mapping_.SetViewportOrgEx(r.I32(8), r.I32(12)); break;
    case EMR_SCALEWINDOWEXTEX:
    case EMR_SCALEVIEWPORTEXTEX: {
      int xNum = r.I32(8), xDen = r.I32(12), yNum = r.I32(16), yDen = r.I32(20);
      bool window = r.Type() == EMR_SCALEWINDOWEXTEX;
      TSize e = window ? mapping_.GetWindowExtEx() : mapping_.GetViewportExtEx();
      if (xDen == 0 || yDen == 0) break;
      int cx = MulDiv(e.cx, xNum, xDen), cy = MulDiv(e.cy, yNum, yDen);
      if (cx == 0 || cy == 0) break;
      window ? (void)mapping_.SetWindowExtEx(cx, cy) : (void)mapping_.SetViewportExtEx(cx, cy);
      break;
    }
    case EMR_SETMAPMODE: mapping_.SetMapMode(r.I32(8)); break;
    case EMR_SETBKMODE: target_.SetBkMode(r.I32(8)); break;
    case EMR_SETPOLYFILLMODE: target_.SetPolyFillMode(r.I32(8)); break;
    case EMR_SETROP2: target_.SetROP2(r.I32(8)); break;
    case EMR_SETSTRETCHBLTMODE: target_.SetStretchBltMode(r.I32(8)); break;
    case EMR_SETTEXTALIGN: target_.SetTextAlign(r.U32(8)); break;
    case EMR_SETTEXTCOLOR: target_.SetTextColor(r.U32(8) & 0xFFFFFF); break;
    case EMR_SETBKCOLOR: target_.SetBkColor(r.U32(8) & 0xFFFFFF); break;
    case EMR_MOVETOEX: {
      TPoint p = Map(r.PointL(8));
      target_.MoveToEx(p.X, p.Y);
      break;
    }
    case EMR_LINETO: {
      TPoint p = Map(r.PointL(8));
      target_.LineTo(p.X, p.Y);
      break;
    }
    case EMR_SETPIXELV: {
      TPoint p = Map(r.PointL(8));
      target_.SetPixel(p.X, p.Y, r.U32(16) & 0xFFFFFF);
      break;
    }
    case EMR_INTERSECTCLIPRECT: target_.IntersectClipRect(MapRect(r.RectL(8))); break;
    case EMR_EXCLUDECLIPRECT: target_.ExcludeClipRect(MapRect(r.RectL(8))); break;
    case EMR_EXTSELECTCLIPRGN: PlayClipRgn(r); break;
    case EMR_OFFSETCLIPRGN: PlayOffsetClip(r); break;
    case EMR_SAVEDC:
      target_.SaveDC();
      mapping_.SaveDC();
      savedWorld_.push_back(world_);
      ++depth_;
      break;
    case EMR_RESTOREDC: PlayRestore(r.I32(8)); break;
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM: PlayWorldTransform(r); break;
    case EMR_SELECTOBJECT: PlaySelect(r.U32(8)); break;
    case EMR_CREATEPEN: case EMR_EXTCREATEPEN: case EMR_CREATEBRUSHINDIRECT: case EMR_EXTCREATEFONTINDIRECTW:
      PlayCreate(r);
      break;
    case EMR_DELETEOBJECT:
      if (TObject* o = Entry(r.U32(8))) *o = {};
      break;
    case EMR_RECTANGLE: {
      TRect b = MapRect(r.RectL(8));
      target_.Rectangle(b.Left, b.Top, b.Right, b.Bottom);
      break;
    }
    case EMR_ELLIPSE: {
      TRect b = MapRect(r.RectL(8));
      target_.Ellipse(b.Left, b.Top, b.Right, b.Bottom);
      break;
    }
    case EMR_ROUNDRECT: {
      TRect b = MapRect(r.RectL(8));
      TSize c = r.SizeL(24);
      target_.RoundRect(b.Left, b.Top, b.Right, b.Bottom, MapLengthX(c.cx), MapLengthY(c.cy));
      break;
    }
    case EMR_ARC:
    case EMR_PIE: {
      TRect b = MapRect(r.RectL(8));
      TPoint s = Map(r.PointL(24)), e = Map(r.PointL(32));
      if (r.Type() == EMR_ARC)
        target_.Arc(b.Left, b.Top, b.Right, b.Bottom, s.X, s.Y, e.X, e.Y);
      else
        target_.Pie(b.Left, b.Top, b.Right, b.Bottom, s.X, s.Y, e.X, e.Y);
      break;
    }
    case EMR_BEGINPATH: target_.BeginPath(); break;
    case EMR_ENDPATH: target_.EndPath(); break;
    case EMR_CLOSEFIGURE: target_.CloseFigure(); break;
    case EMR_ABORTPATH: target_.AbortPath(); break;
    case EMR_FILLPATH: target_.FillPath(); break;
    case EMR_STROKEPATH: target_.StrokePath(); break;
    case EMR_STROKEANDFILLPATH: target_.StrokeAndFillPath(); break;
    case EMR_FILLRGN: {
      uint32_t handle = r.U32(28);
      TObject* o = Entry(handle);
      if (std::optional<TLogBrush> stock = StockBrush(handle))
        PlayFillRgn(r, 24, 32, *stock);
      else if (o && o->Kind == TObject::Brush)
        PlayFillRgn(r, 24, 32, o->BrushValue);
      break;
    }
    case EMR_PAINTRGN: PlayFillRgn(r, 24, 28, std::nullopt); break;
    case EMR_BITBLT: PlayBlt(r, false); break;
    case EMR_STRETCHBLT: PlayBlt(r, true); break;
    case EMR_STRETCHDIBITS: PlayStretchDIBits(r); break;
    case EMR_EXTTEXTOUTW: PlayText(r, true); break;
    case EMR_EXTTEXTOUTA: PlayText(r, false); break;
    default: break;  // header, comments and what the interface cannot draw
  }
  return true;
}

void TEmfPlayback::PlayPoly(const TEmfRecord& r, bool small) {
  std::vector<TPoint> points = Points(r, 24, 28, small);
  switch (r.Type()) {
    case EMR_POLYGON: case EMR_POLYGON16: target_.Polygon(points); break;
    case EMR_POLYLINE: case EMR_POLYLINE16: target_.Polyline(points); break;
    default: target_.PolyBezier(points); break;
  }
}

void TEmfPlayback::PlayTo(const TEmfRecord& r, bool small) {
  std::vector<TPoint> points = Points(r, 24, 28, small);
  if (points.empty()) return;
  if (r.Type() == EMR_POLYLINETO || r.Type() == EMR_POLYLINETO16) {
    for (TPoint p : points) target_.LineTo(p.X, p.Y);
    return;
  }
  if (points.size() % 3 != 0) return;
  points.insert(points.begin(), target_.GetCurrentPositionEx());
  target_.PolyBezier(points);
  target_.MoveToEx(points.back().X, points.back().Y);
}

void TEmfPlayback::PlayPolyPoly(const TEmfRecord& r, bool small) {
  uint32_t polys = r.U32(24), total = r.U32(28);
  r.Array(32, polys, 4);
  const size_t pointsAt = 32 + size_t{polys} * 4;
  r.Array(pointsAt, total, small ? 4 : 8);
  const bool polygon = r.Type() == EMR_POLYPOLYGON || r.Type() == EMR_POLYPOLYGON16;
  size_t next = 0;
  if (polygon) target_.BeginPath();
  for (uint32_t i = 0; i < polys; ++i) {
    uint32_t count = r.U32(32 + size_t{i} * 4);
    if (count > total - next) break;
    std::vector<TPoint> points;
    for (uint32_t k = 0; k < count; ++k, ++next)
      points.push_back(Map(small ? r.PointS(pointsAt + next * 4) : r.PointL(pointsAt + next * 8)));
    polygon ? (void)target_.Polygon(points) : (void)target_.Polyline(points);
  }
  if (polygon) {
    target_.EndPath();
    target_.StrokeAndFillPath();
  }
}

void TEmfPlayback::PlayText(const TEmfRecord& r, bool wide) {
  TPoint reference = Map(r.PointL(36));
  uint32_t chars = r.U32(44), stringAt = r.U32(48), options = r.U32(52), dxAt = r.U32(72);
  TRect rect = MapRect(r.RectL(56));
  String text;
  if (wide) {
    std::string_view bytes = r.Array(stringAt, chars, 2);
    for (size_t i = 0; i < bytes.size(); i += 2) text.push_back(Char(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
  } else {
    text = AnsiToString(r.Span(stringAt, chars));
    if (text.size() != chars) return;  // advances are per byte; a text that changes length has none to match
  }
  std::vector<int> dx;
  if (dxAt != 0 && chars != 0) {
    constexpr uint32_t ETO_PDY = 0x2000;  // an x and a y advance per character
    const size_t step = (options & ETO_PDY) ? 8 : 4;
    r.Array(dxAt, chars, step);
    // Scaled as running positions, so the text ends where the scaled advances add up to.
    const double scale = std::hypot(world_.eM11, world_.eM12) * std::abs(mapping_.ScaleX() * sx_);
    int64_t position = 0;
    int previous = 0;
    for (uint32_t i = 0; i < chars; ++i) {
      position += r.I32(dxAt + i * step);
      int next = RoundToInt(static_cast<double>(position) * scale);
      dx.push_back(next - previous);
      previous = next;
    }
  }
  const bool withRect = options & (ETO_OPAQUE | ETO_CLIPPED);
  target_.ExtTextOut(reference.X, reference.Y, options & (ETO_OPAQUE | ETO_CLIPPED | ETO_GLYPH_INDEX | ETO_RTLREADING),
                     withRect ? &rect : nullptr, text, dx.empty() ? nullptr : dx.data());
}

void TEmfPlayback::PlayBlt(const TEmfRecord& r, bool stretch) {
  TPoint at = r.PointL(24);
  TSize size = r.SizeL(32);
  uint32_t rop = r.U32(40);
  TPoint a = Map(at), b = Map({Sum(at.X, size.cx), Sum(at.Y, size.cy)});
  uint32_t bmiAt = r.U32(84), bmiSize = r.U32(88), bitsAt = r.U32(92), bitsSize = r.U32(96);
  if (bmiAt == 0 || bmiSize == 0) {
    if (!UsesSource(rop)) target_.PatBlt(a.X, a.Y, b.X - a.X, b.Y - a.Y, rop);
    return;
  }
  TPixelImage pixels = DecodeEmfDib(r.Span(bmiAt, bmiSize), r.Span(bitsAt, bitsSize));
  TRasterDC source(pixels.Buffer());
  source.SetBkColor(r.U32(76) & 0xFFFFFF);
  // The source rectangle in the bitmap's pixels through the record's source transform.
  double m11 = r.F32(52), m12 = r.F32(56), m21 = r.F32(60), m22 = r.F32(64), dx = r.F32(68), dy = r.F32(72);
  double xs = r.I32(44), ys = r.I32(48);
  int sx = RoundToInt(xs * m11 + ys * m21 + dx), sy = RoundToInt(xs * m12 + ys * m22 + dy);
  int sw, sh;
  if (stretch) {
    sw = RoundToInt(r.I32(100) * m11);
    sh = RoundToInt(r.I32(104) * m22);
  } else {
    // As many source pixels as the destination covers on the metafile's own device.
    TPointF da = ToDevice(at.X, at.Y), db = ToDevice(Sum(at.X, size.cx), Sum(at.Y, size.cy));
    sw = std::abs(RoundToInt(db.X) - RoundToInt(da.X));
    sh = std::abs(RoundToInt(db.Y) - RoundToInt(da.Y));
  }
  target_.StretchBlt(a.X, a.Y, b.X - a.X, b.Y - a.Y, &source, sx, sy, sw, sh, rop);
}

void TEmfPlayback::PlayStretchDIBits(const TEmfRecord& r) {
  TPoint at = r.PointL(8 + 16);
  TSize destSize = r.SizeL(72);
  uint32_t rop = r.U32(68);
  TPoint a = Map(at), b = Map({Sum(at.X, destSize.cx), Sum(at.Y, destSize.cy)});
  uint32_t bmiAt = r.U32(48), bmiSize = r.U32(52), bitsAt = r.U32(56), bitsSize = r.U32(60);
  if (bmiAt == 0 || bmiSize == 0) {
    if (!UsesSource(rop)) target_.PatBlt(a.X, a.Y, b.X - a.X, b.Y - a.Y, rop);
    return;
  }
  std::string_view info = r.Span(bmiAt, bmiSize);
  TPixelImage pixels = DecodeEmfDib(info, r.Span(bitsAt, bitsSize));
  int xSrc = Clamp(r.I32(32)), ySrc = Clamp(r.I32(36)), cxSrc = Clamp(r.I32(40)), cySrc = Clamp(r.I32(44));
  // Rows of a bottom-up bitmap (positive height) are counted from its bottom.
  const bool bottomUp = r.U32(bmiAt) == 12 ? true : r.I32(bmiAt + 8) > 0;
  if (bottomUp) ySrc = pixels.Height() - ySrc - cySrc;
  target_.StretchDIBits(a.X, a.Y, b.X - a.X, b.Y - a.Y, xSrc, ySrc, cxSrc, cySrc, pixels.Buffer(), rop);
}

// --- objects ---

TEmfPlayback::TObject* TEmfPlayback::Entry(uint32_t handle) {
  if (handle == 0 || handle >= objects_.size()) return nullptr;
  return &objects_[handle];
}

void TEmfPlayback::PlayCreate(const TEmfRecord& r) {
  TObject* o = Entry(r.U32(8));
  if (!o) return;  // outside the table the header announced
  TObject made;
  switch (r.Type()) {
    case EMR_CREATEPEN:
      made.Kind = TObject::Pen;
      made.PenValue = {r.U32(12), r.I32(16), r.U32(24) & 0xFFFFFF};
      break;
    case EMR_EXTCREATEPEN: {
      made.Kind = TObject::Pen;
      uint32_t style = r.U32(28), brushStyle = r.U32(36);
      made.PenValue = {brushStyle == BS_NULL ? uint32_t{PS_NULL} : style, static_cast<int>(r.U32(32)),
                       r.U32(40) & 0xFFFFFF};
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      made.Kind = TObject::Brush;
      uint32_t style = r.U32(12);
      // Pattern brushes have no equivalent here: they paint in their colour.
      made.BrushValue = {style == BS_NULL || style == BS_HATCHED ? style : uint32_t{BS_SOLID}, r.U32(16) & 0xFFFFFF,
                         style == BS_HATCHED ? static_cast<int>(r.U32(20) % 6) : 0};
      break;
    }
    default: {
      made.Kind = TObject::Font;
      TLogFont& f = made.FontValue;
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
      for (size_t i = 0; i < 32; ++i) {
        Char c = r.U16(40 + i * 2);
        if (c == 0) break;
        f.lfFaceName.push_back(c);
      }
      break;
    }
  }
  *o = made;
}

void TEmfPlayback::PlaySelect(uint32_t handle) {
  if (handle & ENHMETA_STOCK_OBJECT) {
    switch (handle & ~ENHMETA_STOCK_OBJECT) {
      case WHITE_BRUSH: case LTGRAY_BRUSH: case GRAY_BRUSH: case DKGRAY_BRUSH: case BLACK_BRUSH: case NULL_BRUSH:
        target_.SelectBrush(*StockBrush(handle));
        break;
      case WHITE_PEN: target_.SelectPen(CreatePen(PS_SOLID, 0, 0xFFFFFF)); break;
      case BLACK_PEN: target_.SelectPen(CreatePen(PS_SOLID, 0, 0)); break;
      case NULL_PEN: target_.SelectPen(NullPen()); break;
      case OEM_FIXED_FONT: case ANSI_FIXED_FONT: case ANSI_VAR_FONT: case SYSTEM_FONT: case DEVICE_DEFAULT_FONT:
      case SYSTEM_FIXED_FONT: case DEFAULT_GUI_FONT:
        target_.SelectFont(TFontHandle());
        break;
      default: break;  // palettes
    }
    return;
  }
  TObject* o = Entry(handle);
  if (!o) return;
  switch (o->Kind) {
    case TObject::Pen: {
      TLogPen pen = o->PenValue;
      pen.Width = std::min(MapLengthX(pen.Width), kMaxFontPixels);
      target_.SelectPen(pen);
      break;
    }
    case TObject::Brush: target_.SelectBrush(o->BrushValue); break;
    case TObject::Font: {
      TLogFont font = o->FontValue;
      font.lfHeight = std::clamp(MapLengthY(font.lfHeight), -kMaxFontPixels,
                                 kMaxFontPixels);
      font.lfWidth = std::clamp(MapLengthX(font.lfWidth), -kMaxFontPixels, kMaxFontPixels);
      target_.SelectFont(TFontHandle::Create(font));
      break;
    }
    case TObject::Empty: break;
  }
}

// --- regions and clipping ---

void TEmfPlayback::PlayFillRgn(const TEmfRecord& r, size_t sizeAt, size_t dataAt, std::optional<TLogBrush> brush) {
  std::vector<TRect> rects = r.RegionRects(sizeAt, dataAt);
  for (TRect& rect : rects) rect = MapRect(rect).Normalized();
  target_.FillRgn(TRegion::FromRects(rects), brush ? *brush : target_.GetCurrentBrush());
}

void TEmfPlayback::KeepInsideInitialClip() {
  if (!initialClip_) return;
  TRegion clip;
  TRegion inside = target_.GetClipRgn(clip) ? TRegion::Combine(clip, *initialClip_, RGN_AND) : *initialClip_;
  target_.SelectClipRgn(&inside);
}

void TEmfPlayback::PlayClipRgn(const TEmfRecord& r) {
  int mode = r.I32(12);
  if (r.U32(8) == 0) {
    if (mode == RGN_COPY) target_.SelectClipRgn(initialClip_ ? &*initialClip_ : nullptr);
    return;
  }
  // Metafile device pixels to target device pixels.
  std::vector<TRect> rects = r.RegionRects(8, 16);
  for (TRect& rect : rects) {
    TPoint a = target_.LPtoDP(MapDevice({rect.Left, rect.Top})), b = target_.LPtoDP(MapDevice({rect.Right, rect.Bottom}));
    rect = TRect{a.X, a.Y, b.X, b.Y}.Normalized();
  }
  TRegion region = TRegion::FromRects(rects);
  target_.ExtSelectClipRgn(&region, mode);
  KeepInsideInitialClip();
}

void TEmfPlayback::PlayOffsetClip(const TEmfRecord& r) {
  TRegion clip;
  if (!target_.GetClipRgn(clip)) return;
  TPoint p = r.PointL(8);
  TPoint a = target_.LPtoDP(Map({0, 0})), b = target_.LPtoDP(Map(p));
  TRegion moved = clip.Offset(b.X - a.X, b.Y - a.Y);
  target_.SelectClipRgn(&moved);
  KeepInsideInitialClip();
}

void TEmfPlayback::PlayRestore(int relative) {
  // Only states the metafile saved itself; never the one the player saved for the caller.
  if (relative >= 0 || -relative > depth_) return;
  target_.RestoreDC(relative);
  mapping_.RestoreDC(relative);
  world_ = savedWorld_[savedWorld_.size() - static_cast<size_t>(-relative)];
  savedWorld_.resize(savedWorld_.size() - static_cast<size_t>(-relative));
  depth_ += relative;
}

void TEmfPlayback::PlayWorldTransform(const TEmfRecord& r) {
  TXForm x{r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28)};
  // A transform that is not finite or that collapses the plane is refused, as GDI does.
  for (double v : {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy})
    if (!std::isfinite(v)) return;
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
    case MWT_LEFTMULTIPLY: next = multiply(x, world_); break;
    case MWT_RIGHTMULTIPLY: next = multiply(world_, x); break;
    case MWT_SET: next = x; break;
    default: return;
  }
  if (next.eM11 * next.eM22 - next.eM12 * next.eM21 == 0) return;
  world_ = next;
}
