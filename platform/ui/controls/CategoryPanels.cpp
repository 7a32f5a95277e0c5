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
