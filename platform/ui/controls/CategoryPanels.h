// TCategoryPanelGroup: a vertical stack of TCategoryPanel (each aligned to the top), each
// with a caption bar that collapses it to the bar alone or expands it again. When the
// panels are taller than the group, the group scrolls them vertically: a scroll bar at its
// right edge takes that much of the panels' width, and the mouse wheel scrolls too.
#pragma once

#include "platform/ui/WinControl.h"

class TCategoryPanel : public TWinControl {
 public:
  explicit TCategoryPanel(TComponent* AOwner);
  bool Collapsed() const { return collapsed_; }
  void SetCollapsed(bool value);
  void Expand() { SetCollapsed(false); }
  void Collapse() { SetCollapsed(true); }
  // Height when expanded (the control's Height follows Collapsed).
  int ExpandedHeight() const { return expandedHeight_; }
  void SetExpandedHeight(int value);

  TNotifyEvent OnExpand;
  TNotifyEvent OnCollapse;

  // The children sit below the caption bar, in the area the panel has when expanded.
  TRect ClientRect() const override;

  // Height of the caption bar that stays when collapsed.
  static constexpr int HeaderHeight = 24;

 private:
  bool collapsed_ = false;
  int expandedHeight_ = 200;
};

class TCategoryPanelGroup : public TWinControl {
 public:
  explicit TCategoryPanelGroup(TComponent* AOwner);
  int PanelCount() const;
  TCategoryPanel* Panels(int index) const;

  // How far the panels are scrolled up (0 to VertScrollRange).
  int VertScrollPos() const { return scrollPos_; }
  // Scrolls the panels; the position is kept within 0 to VertScrollRange.
  void SetVertScrollPos(int value);
  // How far the panels can scroll: the height of the visible panels beyond the group's
  // (0 when they fit, and then no scroll bar shows).
  int VertScrollRange() const;
  bool ScrollBarVisible() const { return VertScrollRange() > 0; }

  // The panels' area: the group less the scroll bar, moved up by the scroll position and
  // as high as the panels.
  TRect ClientRect() const override;
  void AlignControls() override;
  // The wheel scrolls the panels unless an OnMouseWheel handler takes it.
  bool MouseWheel(TShiftState shift, int wheelDelta, int x, int y) override;

  static constexpr int ScrollBarWidth = 17;
  // Pixels scrolled by one notch of the wheel (a wheel delta of 120).
  static constexpr int WheelStep = 48;

 private:
  int PanelsHeight() const;
  int scrollPos_ = 0;
};
