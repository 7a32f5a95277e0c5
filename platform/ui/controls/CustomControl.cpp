#include "platform/ui/controls/CustomControl.h"

#include <algorithm>

#include "platform/gdi/dc/MeasureDC.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), measure_(std::make_unique<TMeasureDC>()) {
  SetBounds(0, 0, 100, 100);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::Invalidate() { InvalidateArea(TRect{0, 0, Width(), Height()}); }

void TCustomControl::InvalidateArea(const TRect& r) {
  TRect area = r.Normalized().Intersect(TRect{0, 0, Width(), Height()});
  if (area.IsEmpty()) return;
  if (invalid_.IsEmpty())
    invalid_ = area;
  else
    invalid_ = TRect{std::min(invalid_.Left, area.Left), std::min(invalid_.Top, area.Top),
                     std::max(invalid_.Right, area.Right), std::max(invalid_.Bottom, area.Bottom)};
  Changed(TChange::Paint);
}

TRect TCustomControl::TakeInvalidArea() {
  TRect area = invalid_;
  invalid_ = TRect{};
  return area;
}

void TCustomControl::PaintTo(TCanvas& canvas, const TRect& area) {
  TRect clip = area.Normalized().Intersect(TRect{0, 0, Width(), Height()});
  if (clip.IsEmpty()) return;
  TDeviceContext& dc = canvas.Handle();
  const int saved = dc.SaveDC();
  dc.IntersectClipRect(clip);
  TCanvas* outer = painting_;
  painting_ = &canvas;
  // The canvas goes back to measuring and the device context loses the clip also when the
  // painting fails.
  struct Restore {
    TCustomControl& c;
    TCanvas* outer;
    TDeviceContext& dc;
    int saved;
    ~Restore() {
      c.painting_ = outer;
      dc.RestoreDC(saved);
    }
  } restore{*this, outer, dc, saved};
  Paint();
}

void TCustomControl::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(TRect{0, 0, Width(), Height()});
  Raise(OnPaint, this);
}
