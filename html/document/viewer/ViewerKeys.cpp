// The scrolling keys and the wheel.
#include <algorithm>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/ui/app/Mouse.h"

namespace {
constexpr int WheelNotch = 120;
}  // namespace

void TMarkupViewer::KeyDown(uint16_t& Key, TShiftState Shift) {
  TMarkupViewerBase::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (HasState(vsMiddleScroll)) {
    // Any key ends middle-button scrolling.
    SetState(vsMiddleScroll, false);
    StopAutoScroll();
    SetPanelCursor(Cursor());
    return;
  }
  const TShiftState modifiers = Shift & (ssShift | ssCtrl | ssAlt);
  const int position = GetScrollPos();
  const int large = VScrollBar_->LargeChange(), small = VScrollBar_->SmallChange();
  int target = position;
  switch (Key) {
    case VK_SPACE:
      if (modifiers == 0) target = position + large;
      else if (modifiers == ssShift) target = position - large;
      break;
    case VK_PRIOR:
      if (modifiers == 0) target = position - large;
      break;
    case VK_NEXT:
      if (modifiers == 0) target = position + large;
      break;
    case VK_END:
      if (modifiers == ssCtrl) target = MaxVertical;
      break;
    case VK_HOME:
      if (modifiers == ssCtrl) target = 0;
      break;
    case VK_UP:
      if (modifiers == 0) target = position - small;
      break;
    case VK_DOWN:
      if (modifiers == 0) target = position + small;
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      if (modifiers != 0) break;
      const int step = HScrollBar_->SmallChange() * (Key == VK_LEFT ? -1 : 1);
      const int x = std::clamp(HScrollBar_->Position() + step, 0,
                               std::max(0, HScrollBar_->Max() - PaintPanel_->Width()));
      if (x != HScrollBar_->Position()) {
        HScrollBar_->SetPosition(x);
        DocRoot->HorizontallyScrolled = true;
        PaintPanel_->Invalidate();
      }
      return;
    }
    case u'C':
    case VK_INSERT:
      if (modifiers == ssCtrl) CopyToClipboard();
      return;
    default: return;
  }
  if (target != position) SetScrollPos(target);
}

bool TMarkupViewer::MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) {
  if (TMarkupViewerBase::MouseWheel(Shift, WheelDelta, X, Y)) return true;
  if (htOptions_ & htNoWheelMouse) return false;
  const int lines = Mouse.WheelScrollLines;
  if (lines <= 0) {
    SetScrollPos(GetScrollPos() - WheelDelta / 2);
    return true;
  }
  // A notch of the wheel scrolls the lines; the fine steps of a touchpad add up to notches.
  wheelRest_ += WheelDelta;
  const int notches = wheelRest_ / WheelNotch;
  wheelRest_ -= notches * WheelNotch;
  if (notches != 0) SetScrollPos(GetScrollPos() - notches * 16 * lines);
  return true;
}
