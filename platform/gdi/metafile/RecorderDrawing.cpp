// The drawing calls of the metafile recorder.
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/gdi/metafile/EmfDib.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/MetafileRecorder.h"

namespace {

bool FitsIn16Bits(const std::vector<TPoint>& points) {
  constexpr int lo = std::numeric_limits<int16_t>::min(), hi = std::numeric_limits<int16_t>::max();
  return std::all_of(points.begin(), points.end(),
                     [](TPoint p) { return p.X >= lo && p.X <= hi && p.Y >= lo && p.Y <= hi; });
}

// A rectangle from a corner and a size; false when a side does not fit in an int.
bool SpanRect(int x, int y, int width, int height, TRect& out) {
  const int64_t right = int64_t{x} + width, bottom = int64_t{y} + height;
  if (right < std::numeric_limits<int>::min() || right > std::numeric_limits<int>::max() ||
      bottom < std::numeric_limits<int>::min() || bottom > std::numeric_limits<int>::max())
    return false;
  out = {x, y, static_cast<int>(right), static_cast<int>(bottom)};
  return true;
}

// Whether a ternary raster operation reads the source.
bool UsesSource(uint32_t rop) { return ((rop >> 2) & 0x330000) != (rop & 0x330000); }

}  // namespace

void TMetafileRecorder::RecordPoly(uint32_t type32, uint32_t type16, const std::vector<TPoint>& points) {
  const bool small = FitsIn16Bits(points);
  TEmfRecordWriter w(small ? type16 : type32);
  w.Rect(DeviceBoundsOf(points)).U32(static_cast<uint32_t>(points.size()));
  for (TPoint p : points) {
    if (small)
      w.I16(static_cast<int16_t>(p.X)).I16(static_cast<int16_t>(p.Y));
    else
      w.Point(p);
  }
  Emit(w.Finish());
}

void TMetafileRecorder::RecordBox(uint32_t type, const TRect& box) { Emit(TEmfRecordWriter(type).Rect(box).Finish()); }

bool TMetafileRecorder::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return false;
  RecordPoly(EMR_POLYGON, EMR_POLYGON16, points);
  AddPointBounds(points, true);
  return true;
}

bool TMetafileRecorder::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2) return false;
  RecordPoly(EMR_POLYLINE, EMR_POLYLINE16, points);
  AddPointBounds(points, true);
  return true;
}

bool TMetafileRecorder::PolyBezier(const std::vector<TPoint>& points) {
  if (points.size() % 3 != 1) return false;
  RecordPoly(EMR_POLYBEZIER, EMR_POLYBEZIER16, points);
  AddPointBounds(points, true);
  return true;
}

bool TMetafileRecorder::LineTo(int x, int y) {
  Emit(TEmfRecordWriter(EMR_LINETO).I32(x).I32(y).Finish());
  AddPointBounds({state_.Position, {x, y}}, true);
  if (PathOpen()) PathLineTo(ToDevice(x, y));
  state_.Position = {x, y};
  return true;
}

bool TMetafileRecorder::Rectangle(int left, int top, int right, int bottom) {
  RecordBox(EMR_RECTANGLE, {left, top, right, bottom});
  AddBounds({left, top, right, bottom}, PenExtent());
  return true;
}

bool TMetafileRecorder::Ellipse(int left, int top, int right, int bottom) {
  RecordBox(EMR_ELLIPSE, {left, top, right, bottom});
  AddBounds({left, top, right, bottom}, PenExtent());
  return true;
}

bool TMetafileRecorder::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  Emit(TEmfRecordWriter(EMR_ROUNDRECT).Rect({left, top, right, bottom}).I32(width).I32(height).Finish());
  AddBounds({left, top, right, bottom}, PenExtent());
  return true;
}

bool TMetafileRecorder::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  Emit(TEmfRecordWriter(EMR_ARC).Rect({left, top, right, bottom}).I32(xStart).I32(yStart).I32(xEnd).I32(yEnd).Finish());
  AddBounds({left, top, right, bottom}, PenExtent());
  return true;
}

bool TMetafileRecorder::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  Emit(TEmfRecordWriter(EMR_PIE).Rect({left, top, right, bottom}).I32(xStart).I32(yStart).I32(xEnd).I32(yEnd).Finish());
  AddBounds({left, top, right, bottom}, PenExtent());
  return true;
}

bool TMetafileRecorder::FillRgn(const TRegion& region, const TLogBrush& brush) {
  if (region.IsEmpty() || brush.IsNull()) return true;
  uint32_t handle = BrushHandle(brush);
  std::vector<TRect> rects = region.Rects();
  TRect box = region.Box();
  TEmfRecordWriter w(EMR_FILLRGN);
  TRect bounds = ToDeviceRect(box);
  w.Rect({bounds.Left, bounds.Top, bounds.Right - 1, bounds.Bottom - 1}).U32(RGNDATAHEADER_SIZE + static_cast<uint32_t>(rects.size()) * 16).U32(handle);
  w.U32(RGNDATAHEADER_SIZE).U32(RDH_RECTANGLES).U32(static_cast<uint32_t>(rects.size()));
  w.U32(static_cast<uint32_t>(rects.size()) * 16).Rect(box);
  for (const TRect& r : rects) w.Rect(r);
  Emit(w.Finish());
  Release(handle);
  AddBounds(box);
  return true;
}

// FillRect and FrameRect are pattern copies with the brush selected for the moment, as a
// player of the metafile would draw them.
bool TMetafileRecorder::FillRect(const TRect& rect, const TLogBrush& brush) {
  if (brush.IsNull()) return true;
  TRect r = rect.Normalized();
  uint32_t previous = selection_.Brush;
  uint32_t handle = BrushHandle(brush);
  if (handle != previous) Emit(TEmfRecordWriter(EMR_SELECTOBJECT).U32(handle).Finish());
  RecordBlt(r, nullptr, {}, 0, PATCOPY, false);
  if (handle != previous) {
    Emit(TEmfRecordWriter(EMR_SELECTOBJECT).U32(previous).Finish());
    Release(handle);
  }
  return true;
}

bool TMetafileRecorder::FrameRect(const TRect& rect, const TLogBrush& brush) {
  if (brush.IsNull()) return true;
  TRect r = rect.Normalized();
  if (r.IsEmpty()) return true;
  // One logical unit wide, at least one pixel, as the raster device draws it.
  int w = std::max(1, static_cast<int>(std::lround(1 / std::abs(ScaleX()))));
  int h = std::max(1, static_cast<int>(std::lround(1 / std::abs(ScaleY()))));
  TRegion frame = TRegion::Combine(TRegion::FromRect(r), TRegion::FromRect(r.Inflate(-w, -h)), RGN_DIFF);
  for (const TRect& part : frame.Rects()) FillRect(part, brush);
  return true;
}

bool TMetafileRecorder::DrawFocusRect(const TRect&) { return false; }

void TMetafileRecorder::RecordBlt(const TRect& dest, const TPixelBuffer* source, const TRect& sourceRect,
                                  COLORREF sourceBk, uint32_t rop, bool stretch) {
  TEmfDib dib;
  TRect src = sourceRect;
  if (source) {
    TRect area = sourceRect.Normalized();
    TRect whole{0, 0, source->Width, source->Height};
    if (area.Intersect(whole) == area && !area.IsEmpty()) {
      // Only the pixels used go into the record; the source rectangle is then relative to them.
      dib = EncodeEmfDib(*source, area);
      src = sourceRect.Offset(-area.Left, -area.Top);
    } else {
      dib = EncodeEmfDib(*source, whole);
    }
  }
  const uint32_t fixed = stretch ? 108 : 100;
  TEmfRecordWriter w(stretch ? EMR_STRETCHBLT : EMR_BITBLT);
  TRect bounds = ToDeviceRect(dest);
  w.Rect({bounds.Left, bounds.Top, bounds.Right - 1, bounds.Bottom - 1});
  w.I32(dest.Left).I32(dest.Top).I32(dest.Width()).I32(dest.Height()).U32(rop);
  w.I32(src.Left).I32(src.Top);
  w.F32(1).F32(0).F32(0).F32(1).F32(0).F32(0);  // the source's own pixels: identity transform
  w.U32(sourceBk).U32(DIB_RGB_COLORS);
  if (source) {
    w.U32(fixed).U32(static_cast<uint32_t>(dib.Info.size()));
    w.U32(fixed + static_cast<uint32_t>(dib.Info.size())).U32(static_cast<uint32_t>(dib.Bits.size()));
  } else {
    w.U32(0).U32(0).U32(0).U32(0);
  }
  if (stretch) w.I32(src.Width()).I32(src.Height());
  w.Bytes(dib.Info).Bytes(dib.Bits);
  Emit(w.Finish());
  AddBounds(dest.Normalized());
}

bool TMetafileRecorder::PatBlt(int x, int y, int width, int height, uint32_t rop) {
  TRect dest;
  if (UsesSource(rop) || !SpanRect(x, y, width, height, dest)) return false;
  RecordBlt(dest, nullptr, {}, 0, rop, false);
  return true;
}

bool TMetafileRecorder::BitBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc,
                               uint32_t rop) {
  if (!UsesSource(rop)) return PatBlt(x, y, width, height, rop);
  const TPixelBuffer* pixels = source ? source->Pixels() : nullptr;
  if (!pixels || pixels->IsEmpty()) return false;
  // The source covers as many of its pixels as the destination covers of the device's.
  TRect dest, src;
  if (!SpanRect(x, y, width, height, dest)) return false;
  TRect d = ToDeviceRect(dest);
  TPoint s = source->LPtoDP({xSrc, ySrc});
  if (!SpanRect(s.X, s.Y, d.Width(), d.Height(), src)) return false;
  RecordBlt(dest, pixels, src, source->GetBkColor(), rop, true);
  return true;
}

bool TMetafileRecorder::StretchBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc,
                                   int ySrc, int widthSrc, int heightSrc, uint32_t rop) {
  if (!UsesSource(rop)) return PatBlt(x, y, width, height, rop);
  const TPixelBuffer* pixels = source ? source->Pixels() : nullptr;
  if (!pixels || pixels->IsEmpty()) return false;
  TRect dest, srcLogical;
  if (!SpanRect(x, y, width, height, dest) || !SpanRect(xSrc, ySrc, widthSrc, heightSrc, srcLogical)) return false;
  TPoint a = source->LPtoDP({xSrc, ySrc}), b = source->LPtoDP({srcLogical.Right, srcLogical.Bottom});
  RecordBlt(dest, pixels, {a.X, a.Y, b.X, b.Y}, source->GetBkColor(), rop, true);
  return true;
}

bool TMetafileRecorder::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int widthSrc,
                                      int heightSrc, const TPixelBuffer& bits, uint32_t rop) {
  TRect dest, area;
  if ((UsesSource(rop) && bits.IsEmpty()) || !SpanRect(x, y, width, height, dest) ||
      !SpanRect(xSrc, ySrc, widthSrc, heightSrc, area))
    return false;
  area = area.Normalized();
  TRect whole{0, 0, bits.Width, bits.Height};
  TPixelBuffer colour = bits;
  colour.Monochrome = false;  // a DIB brings its own colours
  TEmfDib dib;
  int sx = xSrc, sy = ySrc;
  if (bits.IsEmpty()) {
    sx = sy = 0;
  } else if (area.Intersect(whole) == area && !area.IsEmpty()) {
    dib = EncodeEmfDib(colour, area);
    sx -= area.Left;
    sy -= area.Top;
    whole = {0, 0, area.Width(), area.Height()};
  } else {
    dib = EncodeEmfDib(colour, whole);
  }
  // The record counts the source's rows from the bottom of the (bottom-up) bitmap.
  const int dibBottomY = whole.Height() - (sy + heightSrc);
  const uint32_t fixed = 80;
  TEmfRecordWriter w(EMR_STRETCHDIBITS);
  TRect bounds = ToDeviceRect(dest);
  w.Rect({bounds.Left, bounds.Top, bounds.Right - 1, bounds.Bottom - 1});
  w.I32(x).I32(y).I32(sx).I32(dibBottomY).I32(widthSrc).I32(heightSrc);
  if (dib.Info.empty())
    w.U32(0).U32(0).U32(0).U32(0);
  else
    w.U32(fixed).U32(static_cast<uint32_t>(dib.Info.size())).U32(fixed + static_cast<uint32_t>(dib.Info.size()))
        .U32(static_cast<uint32_t>(dib.Bits.size()));
  w.U32(DIB_RGB_COLORS).U32(rop).I32(width).I32(height);
  w.Bytes(dib.Info).Bytes(dib.Bits);
  Emit(w.Finish());
  AddBounds(dest.Normalized());
  return true;
}

COLORREF TMetafileRecorder::SetPixel(int x, int y, COLORREF color) {
  Emit(TEmfRecordWriter(EMR_SETPIXELV).I32(x).I32(y).U32(color).Finish());
  AddBounds({x, y, x + 1, y + 1});
  return color;
}

// --- text ---

bool TMetafileRecorder::TextOut(int x, int y, std::u16string_view text) {
  return ExtTextOut(x, y, 0, nullptr, text, nullptr);
}

bool TMetafileRecorder::ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::u16string_view text,
                                   const int* dx) {
  TTextPlacement place = PlaceText(x, y, options, text, dx);
  const TTextMetric& tm = state_.Font.Realized().TextMetric();
  TRect textBox{place.Left, place.Baseline - tm.tmAscent, place.Left + place.Width, place.Baseline + tm.tmDescent};
  TRect box = textBox.Normalized();
  if (rect && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
    TRect r = rect->Normalized();
    box = (options & ETO_CLIPPED) ? box.Intersect(r) : TRect{std::min(box.Left, r.Left), std::min(box.Top, r.Top),
                                                              std::max(box.Right, r.Right), std::max(box.Bottom, r.Bottom)};
  }
  TRect bounds = ToDeviceRect(box);

  TEmfRecordWriter w(EMR_EXTTEXTOUTW);
  w.Rect({bounds.Left, bounds.Top, bounds.Right - 1, bounds.Bottom - 1});
  w.U32(GM_COMPATIBLE).F32(0).F32(0);
  const uint32_t chars = static_cast<uint32_t>(text.size());
  const uint32_t dxOffset = EMR_EXTTEXTOUT_FIXED + (chars * 2 + 3) / 4 * 4;
  w.I32(x).I32(y).U32(chars).U32(EMR_EXTTEXTOUT_FIXED).U32(options);
  w.Rect(rect ? *rect : TRect{0, 0, -1, -1});
  w.U32(dxOffset);
  for (char16_t c : text) w.U16(c);
  w.Pad();
  for (int a : place.Advances) w.I32(a);
  Emit(w.Finish());
  if (!box.IsEmpty()) AddBounds(box);
  return true;
}

