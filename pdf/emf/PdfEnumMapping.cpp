// TPdfEnum: logical units to points, the world transform, and the clip region.
#include <algorithm>
#include <cmath>

#include "pdf/document/PdfCanvas.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/metafile/EmfRecords.h"

namespace {

// Device coordinates are kept within 27 bits, as a graphics device's own coordinate space is:
// the sums and differences formed from them cannot overflow.
constexpr int kMaxCoordinate = 1 << 27;

int Round(double v) {
  if (!(v == v)) return 0;  // NaN from a degenerate mapping
  return static_cast<int>(std::lround(std::clamp<double>(v, -kMaxCoordinate, kMaxCoordinate)));
}
int Bound(int v) { return std::clamp(v, -kMaxCoordinate, kMaxCoordinate); }

}  // namespace

TRect TPdfEnum::Bounded(const TRect& r) {
  return TRect{Bound(r.Left), Bound(r.Top), Bound(r.Right), Bound(r.Bottom)}.Normalized();
}

// A logical rectangle in device pixels, as the clip rectangles are (without the world transform).
TRect TPdfEnum::DeviceRect(const TRect& r) const {
  TPointF a = mapping_.ToDevice(r.Left, r.Top), b = mapping_.ToDevice(r.Right, r.Bottom);
  return TRect{Round(a.X), Round(a.Y), Round(b.X), Round(b.Y)}.Normalized();
}

double TPdfEnum::DevX(double x) const { return x * pixelX_ + canvas_.OffsetX; }
double TPdfEnum::DevY(double y) const { return canvas_.OffsetY + canvas_.CurrentPageHeight() - y * pixelY_; }

// Logical units go through the world transform (its scale and offset: the canvas draws
// upright shapes), then through the window and viewport as GDI maps them, to pixels of the
// metafile's device, which are pixelX_ by pixelY_ points.
void TPdfEnum::UpdateMapping() {
  StrokeOpenPolyline();
  const TXForm& w = Cur().World;
  TPointF origin = mapping_.ToDevice(w.eDx, w.eDy);
  canvas_.WorldFactorX = static_cast<float>(mapping_.ScaleX() * w.eM11 * pixelX_);
  canvas_.WorldFactorY = static_cast<float>(mapping_.ScaleY() * w.eM22 * pixelY_);
  canvas_.WorldOffsetX = static_cast<float>(DevX(origin.X));
  canvas_.WorldOffsetY = static_cast<float>(DevY(origin.Y));
}

void TPdfEnum::PlayWorldTransform(const TEmfRecord& r) {
  std::optional<TXForm> next = ApplyEmfWorldTransform(r, Cur().World);
  if (!next) return;
  Cur().World = *next;
  UpdateMapping();
}

// The window's or viewport's extent multiplied by a fraction per axis; a fraction with a zero
// denominator, or a product of zero, leaves it as it is.
void TPdfEnum::PlayScaleExtent(const TEmfRecord& r) {
  const TEmfScale k = ReadEmfScale(r);
  const bool window = r.Type() == EMR_SCALEWINDOWEXTEX;
  const TSize e = window ? mapping_.GetWindowExtEx() : mapping_.GetViewportExtEx();
  if (k.XDenom == 0 || k.YDenom == 0) return;
  const int cx = MulDiv(e.cx, k.XNum, k.XDenom), cy = MulDiv(e.cy, k.YNum, k.YDenom);
  if (cx == 0 || cy == 0) return;
  window ? (void)mapping_.SetWindowExtEx(cx, cy) : (void)mapping_.SetViewportExtEx(cx, cy);
  UpdateMapping();
}

TRegion TPdfEnum::LogicalRegion(const std::vector<TRect>& rects) const {
  const TXForm& w = states_.back().World;
  std::vector<TRect> device;
  device.reserve(rects.size());
  for (const TRect& r : rects) {
    TPointF a = mapping_.ToDevice(r.Left * w.eM11 + w.eDx, r.Top * w.eM22 + w.eDy);
    TPointF b = mapping_.ToDevice(r.Right * w.eM11 + w.eDx, r.Bottom * w.eM22 + w.eDy);
    device.push_back(TRect{Round(a.X), Round(a.Y), Round(b.X), Round(b.Y)}.Normalized());
  }
  return TRegion::FromRects(device);
}

void TPdfEnum::PlayClip(const TEmfRecord& r) {
  switch (r.Type()) {
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT: {
      TRegion rect = TRegion::FromRect(DeviceRect(EmfRect(r)));
      mapping_.ExtSelectClipRgn(&rect, r.Type() == EMR_INTERSECTCLIPRECT ? RGN_AND : RGN_DIFF);
      break;
    }
    case EMR_OFFSETCLIPRGN: {
      TRegion clip;
      if (!mapping_.GetClipRgn(clip)) return;
      // Moved no further than the coordinates stay within their range.
      TPoint by = EmfPoint(r);
      TRect box = clip.Box();
      int dx = Round(by.X * mapping_.ScaleX()), dy = Round(by.Y * mapping_.ScaleY());
      dx = std::max(std::min(dx, kMaxCoordinate - box.Right), -kMaxCoordinate - box.Left);
      dy = std::max(std::min(dy, kMaxCoordinate - box.Bottom), -kMaxCoordinate - box.Top);
      TRegion moved = clip.Offset(dx, dy);
      mapping_.SelectClipRgn(&moved);
      break;
    }
    default: {  // EMR_EXTSELECTCLIPRGN: the region in device pixels
      TEmfClipRegion clip = ReadEmfClipRegion(r);
      if (!clip.Rects) {
        if (clip.Mode == RGN_COPY) mapping_.SelectClipRgn(nullptr);
        return SyncClip();
      }
      for (TRect& rect : *clip.Rects) rect = Bounded(rect);
      TRegion region = TRegion::FromRects(*clip.Rects);
      mapping_.ExtSelectClipRgn(&region, clip.Mode);
      break;
    }
  }
  SyncClip();
}

// The page keeps the metafile's clip in a "q" of its own: a change of clip ends it with "Q"
// (which also undoes colours, dash and width, so they are written again) and starts a new one
// with the region's rectangles as the clip path.
void TPdfEnum::SyncClip() {
  TRegion clip;
  std::optional<TRegion> wanted;
  if (mapping_.GetClipRgn(clip)) wanted = std::move(clip);
  if (wanted == clipInForce_) return;
  if (clipInForce_) {
    canvas_.RestoreState();
    ForgetGraphicsState();
    lineStyle_ = clipLineStyle_;
  }
  clipInForce_ = std::move(wanted);
  if (!clipInForce_) return;
  canvas_.SaveState();
  clipLineStyle_ = lineStyle_;
  std::vector<TRect> rects = clipInForce_->Rects();
  if (rects.empty()) canvas_.AppendRectangle(DevX(0), DevY(0), 0, 0);  // nothing is visible
  for (const TRect& d : rects)
    canvas_.AppendRectangle(DevX(d.Left), DevY(d.Bottom), d.Width() * pixelX_, d.Height() * pixelY_);
  canvas_.ClipToPath();
  canvas_.EndPath();
}
