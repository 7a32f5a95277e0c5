// TCustomControl: a control that draws itself. The backend calls Paint whenever part of the
// control needs painting (after Invalidate or InvalidateArea, when uncovered, when resized)
// with Canvas on the control's pixels, clipped to that part; outside painting Canvas only
// measures.
#pragma once

#include "platform/gdi/canvas/Canvas.h"
#include "platform/ui/WinControl.h"

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas& Canvas() { return painting_ ? *painting_ : measure_; }
  // Asks for a new painting of the whole control; it comes later, from the message loop.
  void Invalidate();
  // Asks for a new painting of the part r (control coordinates) only.
  void InvalidateArea(const TRect& r);
  // The part asked to be painted again since the last call (empty when none); the backend
  // takes it when the control tells it to paint.
  TRect TakeInvalidArea();
  // Paints the part area of the control on a canvas as large as the control (the backend's
  // or a test's): drawing is clipped to area, so the pixels outside it stay as they were,
  // and Canvas().ClipRect() tells Paint which part is wanted.
  void PaintTo(TCanvas& canvas, const TRect& area);

  TNotifyEvent OnPaint;

 protected:
  // Draws on Canvas(); the default fills the control with Color and raises OnPaint.
  virtual void Paint();

 private:
  TCanvas measure_;
  TCanvas* painting_ = nullptr;
  TRect invalid_;
};
