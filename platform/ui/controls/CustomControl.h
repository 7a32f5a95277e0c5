// TCustomControl: a control that draws itself. The backend calls Paint whenever the control
// needs painting (after Invalidate, when uncovered, when resized) with Canvas on the
// control's pixels; outside painting Canvas only measures.
#pragma once

#include "platform/gdi/canvas/Canvas.h"
#include "platform/ui/WinControl.h"

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas& Canvas() { return painting_ ? *painting_ : measure_; }
  // Asks for a new painting; it comes later, from the message loop.
  void Invalidate();
  // Paints the control on a canvas as large as the control (the backend's or a test's).
  void PaintTo(TCanvas& canvas);

  TNotifyEvent OnPaint;

 protected:
  // Draws on Canvas(); the default fills the control with Color and raises OnPaint.
  virtual void Paint();

 private:
  TCanvas measure_;
  TCanvas* painting_ = nullptr;
};
