#include "platform/ui/controls/CategoryPanels.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

TCategoryPanel::TCategoryPanel(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 200, expandedHeight_);
  SetAlign(TAlign::alTop);
}

void TCategoryPanel::SetCollapsed(bool value) {
  if (value == collapsed_) return;
  collapsed_ = value;
  SetHeight(value ? HeaderHeight : expandedHeight_);
  Changed(TChange::Collapsed);
  Raise(value ? OnCollapse : OnExpand, this);
}

void TCategoryPanel::SetExpandedHeight(int value) {
  expandedHeight_ = value;
  if (!collapsed_) SetHeight(value);
}

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 200, 400);
}

int TCategoryPanelGroup::PanelCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TCategoryPanel*>(Controls(i))) ++n;
  return n;
}

TCategoryPanel* TCategoryPanelGroup::Panels(int index) const {
  for (int i = 0, n = 0; i < ControlCount(); ++i)
    if (auto* panel = dynamic_cast<TCategoryPanel*>(Controls(i)); panel && n++ == index) return panel;
  throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) + u")");
}

TRect TCategoryPanel::ClientRect() const { return TRect{0, 0, Width(), std::max(0, expandedHeight_ - HeaderHeight)}; }

int TCategoryPanelGroup::PanelsHeight() const {
  int height = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (TControl* c = Controls(i); c->Visible() && c->Align() == TAlign::alTop) height += c->Height();
  return height;
}

int TCategoryPanelGroup::VertScrollRange() const { return std::max(0, PanelsHeight() - Height()); }

TRect TCategoryPanelGroup::ClientRect() const {
  int width = std::max(0, Width() - (ScrollBarVisible() ? ScrollBarWidth : 0));
  return TRect{0, -scrollPos_, width, -scrollPos_ + std::max(Height(), PanelsHeight())};
}

void TCategoryPanelGroup::SetVertScrollPos(int value) {
  value = std::clamp(value, 0, VertScrollRange());
  if (value == scrollPos_) return;
  scrollPos_ = value;
  AlignControls();
}

void TCategoryPanelGroup::AlignControls() {
  // A panel that collapsed or a group that grew may leave less to scroll.
  scrollPos_ = std::clamp(scrollPos_, 0, VertScrollRange());
  TWinControl::AlignControls();
  Changed(TChange::Range);
}

bool TCategoryPanelGroup::MouseWheel(TShiftState shift, int wheelDelta, int x, int y) {
  if (TWinControl::MouseWheel(shift, wheelDelta, x, y)) return true;
  if (!ScrollBarVisible()) return false;
  SetVertScrollPos(scrollPos_ - wheelDelta * WheelStep / 120);
  return true;
}
