// TCategoryPanelGroup: a vertical stack of TCategoryPanel (each aligned to the top), each
// with a caption bar that collapses it to the bar alone or expands it again.
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

};
