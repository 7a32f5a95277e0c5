#include "platform/ui/controls/CustomControl.h"

#include "platform/gdi/dc/MeasureDC.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), measure_(std::make_unique<TMeasureDC>()) {
  SetBounds(0, 0, 100, 100);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::Invalidate() { Changed(TChange::Paint); }

void TCustomControl::PaintTo(TCanvas& canvas) {
  TCanvas* outer = painting_;
  painting_ = &canvas;
  // The canvas goes back to measuring also when the painting fails.
  struct Restore {
    TCustomControl& c;
    TCanvas* outer;
    ~Restore() { c.painting_ = outer; }
  } restore{*this, outer};
  Paint();
}

void TCustomControl::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(TRect{0, 0, Width(), Height()});
  Raise(OnPaint, this);
}
