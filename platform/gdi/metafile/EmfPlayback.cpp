#include "platform/gdi/metafile/EmfPlayback.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/metafile/EmfDib.h"
#include "platform/gdi/metafile/EmfRecordViews.h"
#include "platform/gdi/metafile/EmfRecords.h"

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

int TEmfMapping::ExtSelectClipRgn(const TRegion* region, int mode) {
  TRegion clip;
  if (mode != RGN_COPY && region != nullptr && !GetClipRgn(clip)) {
    TRegion whole = TRegion::FromRect(surface_);
    TMeasureDC::ExtSelectClipRgn(&whole, RGN_COPY);
  }
  return TMeasureDC::ExtSelectClipRgn(region, mode);
}

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

std::vector<TPoint> TEmfPlayback::MapPoints(std::vector<TPoint> points) const {
  for (TPoint& p : points) p = Map(p);
  return points;
}

// --- records ---

bool TEmfPlayback::Play(const TEmfRecord& r) {
  switch (r.Type()) {
    case EMR_EOF: return false;
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE:
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16:
      PlayPoly(r);
      break;
    case EMR_POLYBEZIERTO: case EMR_POLYLINETO: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16: PlayTo(r); break;
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
      PlayPolyPoly(r);
      break;
    case EMR_SETWINDOWEXTEX: {
      TSize s = EmfSize(r);
      if (s.cx != 0 && s.cy != 0) mapping_.SetWindowExtEx(s.cx, s.cy);
      break;
    }
    case EMR_SETVIEWPORTEXTEX: {
      TSize s = EmfSize(r);
      if (s.cx != 0 && s.cy != 0) mapping_.SetViewportExtEx(s.cx, s.cy);
      break;
    }
    case EMR_SETWINDOWORGEX: mapping_.SetWindowOrgEx(EmfPoint(r).X, EmfPoint(r).Y); break;
    case EMR_SETVIEWPORTORGEX: mapping_.SetViewportOrgEx(EmfPoint(r).X, EmfPoint(r).Y); break;
    case EMR_SCALEWINDOWEXTEX:
    case EMR_SCALEVIEWPORTEXTEX: {
      TEmfScale k = ReadEmfScale(r);
      bool window = r.Type() == EMR_SCALEWINDOWEXTEX;
      TSize e = window ? mapping_.GetWindowExtEx() : mapping_.GetViewportExtEx();
      if (k.XDenom == 0 || k.YDenom == 0) break;
      int cx = MulDiv(e.cx, k.XNum, k.XDenom), cy = MulDiv(e.cy, k.YNum, k.YDenom);
      if (cx == 0 || cy == 0) break;
      window ? (void)mapping_.SetWindowExtEx(cx, cy) : (void)mapping_.SetViewportExtEx(cx, cy);
      break;
    }
    case EMR_SETMAPMODE: mapping_.SetMapMode(EmfSignedValue(r)); break;
    case EMR_SETBKMODE: target_.SetBkMode(EmfSignedValue(r)); break;
    case EMR_SETPOLYFILLMODE: target_.SetPolyFillMode(EmfSignedValue(r)); break;
    case EMR_SETROP2: target_.SetROP2(EmfSignedValue(r)); break;
    case EMR_SETSTRETCHBLTMODE: target_.SetStretchBltMode(EmfSignedValue(r)); break;
    case EMR_SETTEXTALIGN: target_.SetTextAlign(EmfValue(r)); break;
    case EMR_SETTEXTCOLOR: target_.SetTextColor(EmfColor(r)); break;
    case EMR_SETBKCOLOR: target_.SetBkColor(EmfColor(r)); break;
    case EMR_MOVETOEX: {
      TPoint p = Map(EmfPoint(r));
      target_.MoveToEx(p.X, p.Y);
      break;
    }
    case EMR_LINETO: {
      TPoint p = Map(EmfPoint(r));
      target_.LineTo(p.X, p.Y);
      break;
    }
    case EMR_SETPIXELV: {
      TEmfPixel pixel = ReadEmfPixel(r);
      TPoint p = Map(pixel.At);
      target_.SetPixel(p.X, p.Y, pixel.Color);
      break;
    }
    case EMR_INTERSECTCLIPRECT: target_.IntersectClipRect(MapRect(EmfRect(r))); break;
    case EMR_EXCLUDECLIPRECT: target_.ExcludeClipRect(MapRect(EmfRect(r))); break;
    case EMR_EXTSELECTCLIPRGN: PlayClipRgn(r); break;
    case EMR_OFFSETCLIPRGN: PlayOffsetClip(r); break;
    case EMR_SAVEDC:
      target_.SaveDC();
      mapping_.SaveDC();
      savedWorld_.push_back(world_);
      ++depth_;
      break;
    case EMR_RESTOREDC: PlayRestore(EmfSignedValue(r)); break;
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM:
      if (std::optional<TXForm> next = ApplyEmfWorldTransform(r, world_)) world_ = *next;
      break;
    case EMR_SELECTOBJECT: PlaySelect(EmfValue(r)); break;
    case EMR_CREATEPEN: case EMR_EXTCREATEPEN: case EMR_CREATEBRUSHINDIRECT: case EMR_EXTCREATEFONTINDIRECTW:
      PlayCreate(r);
      break;
    case EMR_DELETEOBJECT:
      if (TObject* o = Entry(EmfValue(r))) *o = {};
      break;
    case EMR_RECTANGLE: {
      TRect b = MapRect(EmfRect(r));
      target_.Rectangle(b.Left, b.Top, b.Right, b.Bottom);
      break;
    }
    case EMR_ELLIPSE: {
      TRect b = MapRect(EmfRect(r));
      target_.Ellipse(b.Left, b.Top, b.Right, b.Bottom);
      break;
    }
    case EMR_ROUNDRECT: {
      TEmfRoundRect rr = ReadEmfRoundRect(r);
      TRect b = MapRect(rr.Box);
      target_.RoundRect(b.Left, b.Top, b.Right, b.Bottom, MapLengthX(rr.Corner.cx), MapLengthY(rr.Corner.cy));
      break;
    }
    case EMR_ARC:
    case EMR_PIE: {
      TEmfArc arc = ReadEmfArc(r);
      TRect b = MapRect(arc.Box);
      TPoint s = Map(arc.Start), e = Map(arc.End);
      if (r.Type() == EMR_ARC)
        target_.Arc(b.Left, b.Top, b.Right, b.Bottom, s.X, s.Y, e.X, e.Y);
      else
        target_.Pie(b.Left, b.Top, b.Right, b.Bottom, s.X, s.Y, e.X, e.Y);
      break;
    }
    case EMR_BEGINPATH:
      target_.BeginPath();
      pathOpen_ = true;
      break;
    case EMR_ENDPATH:
      target_.EndPath();
      pathOpen_ = false;
      break;
    case EMR_CLOSEFIGURE: target_.CloseFigure(); break;
    case EMR_ABORTPATH:
      target_.AbortPath();
      pathOpen_ = false;
      break;
    case EMR_FILLPATH: target_.FillPath(); break;
    case EMR_STROKEPATH: target_.StrokePath(); break;
    case EMR_STROKEANDFILLPATH: target_.StrokeAndFillPath(); break;
    case EMR_FILLRGN: case EMR_PAINTRGN: PlayFillRgn(r); break;
    case EMR_BITBLT: case EMR_STRETCHBLT: PlayBlt(r); break;
    case EMR_STRETCHDIBITS: PlayStretchDIBits(r); break;
    case EMR_EXTTEXTOUTW: case EMR_EXTTEXTOUTA: PlayText(r); break;
    default: break;  // header, comments and what the interface cannot draw
  }
  return true;
}

void TEmfPlayback::PlayPoly(const TEmfRecord& r) {
  std::vector<TPoint> points = MapPoints(ReadEmfPolyPoints(r));
  switch (r.Type()) {
    case EMR_POLYGON: case EMR_POLYGON16: target_.Polygon(points); break;
    case EMR_POLYLINE: case EMR_POLYLINE16: target_.Polyline(points); break;
    default: target_.PolyBezier(points); break;
  }
}

void TEmfPlayback::PlayTo(const TEmfRecord& r) {
  std::vector<TPoint> points = MapPoints(ReadEmfPolyPoints(r));
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

void TEmfPlayback::PlayPolyPoly(const TEmfRecord& r) {
  std::vector<std::vector<TPoint>> figures = ReadEmfPolyPolyPoints(r);
  const bool polygon = r.Type() == EMR_POLYPOLYGON || r.Type() == EMR_POLYPOLYGON16;
  // Polygons are painted as one path, so that their overlaps follow the fill mode; inside a
  // path bracket of the metafile they add to its path.
  const bool ownPath = polygon && !pathOpen_;
  if (ownPath) target_.BeginPath();
  for (std::vector<TPoint>& points : figures) {
    points = MapPoints(std::move(points));
    polygon ? (void)target_.Polygon(points) : (void)target_.Polyline(points);
  }
  if (ownPath) {
    target_.EndPath();
    target_.StrokeAndFillPath();
  }
}

void TEmfPlayback::PlayText(const TEmfRecord& r) {
  TEmfText t = ReadEmfText(r);
  TPoint reference = Map(t.Reference);
  TRect rect = MapRect(t.Rect);
  std::vector<int> dx;
  if (!t.Dx.empty()) {
    // Scaled as running positions, so the text ends where the scaled advances add up to.
    const double scale = std::hypot(world_.eM11, world_.eM12) * std::abs(mapping_.ScaleX() * sx_);
    int64_t position = 0;
    int previous = 0;
    for (int32_t advance : t.Dx) {
      position += advance;
      int next = RoundToInt(static_cast<double>(position) * scale);
      dx.push_back(next - previous);
      previous = next;
    }
  }
  const bool withRect = t.Options & (ETO_OPAQUE | ETO_CLIPPED);
  target_.ExtTextOut(reference.X, reference.Y, t.Options & (ETO_OPAQUE | ETO_CLIPPED | ETO_GLYPH_INDEX | ETO_RTLREADING),
                     withRect ? &rect : nullptr, t.Text, dx.empty() ? nullptr : dx.data());
}

void TEmfPlayback::PlayBlt(const TEmfRecord& r) {
  TEmfBlt b = ReadEmfBlt(r);
  TPoint far{Sum(b.Dest.X, b.DestSize.cx), Sum(b.Dest.Y, b.DestSize.cy)};
  TPoint p = Map(b.Dest), q = Map(far);
  if (!b.HasBitmap()) {
    if (!UsesSource(b.Rop)) target_.PatBlt(p.X, p.Y, q.X - p.X, q.Y - p.Y, b.Rop);
    return;
  }
  TPixelImage pixels = DecodeEmfDib(b.Info, b.Bits);
  TRasterDC source(pixels.Buffer());
  source.SetBkColor(b.SourceBkColor);
  // The source rectangle in the bitmap's pixels through the record's source transform.
  const TXForm& m = b.SourceTransform;
  const double xs = b.Source.X, ys = b.Source.Y;
  int sx = RoundToInt(xs * m.eM11 + ys * m.eM21 + m.eDx), sy = RoundToInt(xs * m.eM12 + ys * m.eM22 + m.eDy);
  int sw, sh;
  if (r.Type() == EMR_STRETCHBLT) {
    sw = RoundToInt(b.SourceSize.cx * m.eM11);
    sh = RoundToInt(b.SourceSize.cy * m.eM22);
  } else {
    // As many source pixels as the destination covers on the metafile's own device.
    TPointF da = ToDevice(b.Dest.X, b.Dest.Y), db = ToDevice(far.X, far.Y);
    sw = std::abs(RoundToInt(db.X) - RoundToInt(da.X));
    sh = std::abs(RoundToInt(db.Y) - RoundToInt(da.Y));
  }
  target_.StretchBlt(p.X, p.Y, q.X - p.X, q.Y - p.Y, &source, sx, sy, sw, sh, b.Rop);
}

void TEmfPlayback::PlayStretchDIBits(const TEmfRecord& r) {
  TEmfStretchDib d = ReadEmfStretchDib(r);
  TPoint p = Map(d.Dest), q = Map({Sum(d.Dest.X, d.DestSize.cx), Sum(d.Dest.Y, d.DestSize.cy)});
  if (!d.HasBitmap()) {
    if (!UsesSource(d.Rop)) target_.PatBlt(p.X, p.Y, q.X - p.X, q.Y - p.Y, d.Rop);
    return;
  }
  TPixelImage pixels = DecodeEmfDib(d.Info, d.Bits);
  target_.StretchDIBits(p.X, p.Y, q.X - p.X, q.Y - p.Y, Clamp(d.Source.X), Clamp(d.Source.Y), Clamp(d.SourceSize.cx),
                        Clamp(d.SourceSize.cy), pixels.Buffer(), d.Rop);
}

// --- objects ---

TEmfPlayback::TObject* TEmfPlayback::Entry(uint32_t handle) {
  if (handle == 0 || handle >= objects_.size()) return nullptr;
  return &objects_[handle];
}

void TEmfPlayback::PlayCreate(const TEmfRecord& r) {
  TObject made;
  uint32_t handle;
  switch (r.Type()) {
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN: {
      TEmfPen pen = ReadEmfPen(r);
      handle = pen.Handle;
      made.Kind = TObject::Pen;
      made.PenValue = pen.Pen;
      break;
    }
    case EMR_CREATEBRUSHINDIRECT: {
      TEmfBrush brush = ReadEmfBrush(r);
      handle = brush.Handle;
      made.Kind = TObject::Brush;
      const uint32_t style = brush.Brush.Style;
      // Pattern brushes have no equivalent here: they paint in their colour.
      made.BrushValue = {style == BS_NULL || style == BS_HATCHED ? style : uint32_t{BS_SOLID}, brush.Brush.Color,
                         style == BS_HATCHED ? brush.Brush.Hatch : 0};
      break;
    }
    default: {
      TEmfFont font = ReadEmfFont(r);
      handle = font.Handle;
      made.Kind = TObject::Font;
      made.FontValue = font.Font;
      break;
    }
  }
  if (TObject* o = Entry(handle)) *o = made;  // nothing outside the table the header announced
}

void TEmfPlayback::PlaySelect(uint32_t handle) {
  if (handle & ENHMETA_STOCK_OBJECT) {
    if (std::optional<TLogBrush> brush = StockBrush(handle))
      target_.SelectBrush(*brush);
    else if (std::optional<TLogPen> pen = EmfStockPen(handle))
      target_.SelectPen(*pen);
    else if (IsEmfStockFont(handle))
      target_.SelectFont(TFontHandle());
    return;  // palettes
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

void TEmfPlayback::PlayFillRgn(const TEmfRecord& r) {
  TEmfRegionPaint paint = ReadEmfRegionPaint(r);
  std::optional<TLogBrush> brush;
  if (!paint.Brush) {
    brush = target_.GetCurrentBrush();
  } else if (std::optional<TLogBrush> stock = StockBrush(*paint.Brush)) {
    brush = stock;
  } else if (TObject* o = Entry(*paint.Brush); o && o->Kind == TObject::Brush) {
    brush = o->BrushValue;
  }
  if (!brush) return;
  for (TRect& rect : paint.Rects) rect = MapRect(rect).Normalized();
  target_.FillRgn(TRegion::FromRects(paint.Rects), *brush);
}

void TEmfPlayback::KeepInsideInitialClip() {
  if (!initialClip_) return;
  TRegion clip;
  TRegion inside = target_.GetClipRgn(clip) ? TRegion::Combine(clip, *initialClip_, RGN_AND) : *initialClip_;
  target_.SelectClipRgn(&inside);
}

void TEmfPlayback::PlayClipRgn(const TEmfRecord& r) {
  TEmfClipRegion clip = ReadEmfClipRegion(r);
  if (!clip.Rects) {
    if (clip.Mode == RGN_COPY) target_.SelectClipRgn(initialClip_ ? &*initialClip_ : nullptr);
    return;
  }
  // Metafile device pixels to target device pixels.
  for (TRect& rect : *clip.Rects) {
    TPoint a = target_.LPtoDP(MapDevice({rect.Left, rect.Top})), b = target_.LPtoDP(MapDevice({rect.Right, rect.Bottom}));
    rect = TRect{a.X, a.Y, b.X, b.Y}.Normalized();
  }
  TRegion region = TRegion::FromRects(*clip.Rects);
  target_.ExtSelectClipRgn(&region, clip.Mode);
  KeepInsideInitialClip();
}

void TEmfPlayback::PlayOffsetClip(const TEmfRecord& r) {
  TRegion clip;
  if (!target_.GetClipRgn(clip)) return;
  TPoint a = target_.LPtoDP(Map({0, 0})), b = target_.LPtoDP(Map(EmfPoint(r)));
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
