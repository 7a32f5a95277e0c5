// Scrolling while the left button drags beyond the top or bottom of the paint panel, and in
// middle-button mode. A timer of the message loop drives it: every AutoScrollInterval ms
// it checks whether the condition still holds, and at most every AutoScrollStepTime ms it
// moves the view. It stops as soon as the condition fails (the button was released, the
// pointer came back, the panel is no longer shown).
#include <algorithm>
#include <cstdlib>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/rtl/Clock.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Message.h"
#include "platform/ui/app/Timer.h"

void TMarkupViewer::StartAutoScroll() {
  SetState(vsAutoScroll, true);
  if (Application) Application->PostMessage(this, WmAutoScroll, 0, 0);
}

void TMarkupViewer::StopAutoScroll() {
  AutoScrollTimer->SetEnabled(false);
  if (!HasState(vsAutoScroll)) return;
  SetState(vsAutoScroll, false);
  if (HasState(vsMiddleScroll)) SetPanelCursor(TCursor::crScrollUpDown);
}

bool TMarkupViewer::AutoScrollWanted() const {
  if (!HasState(vsAutoScroll) || !PaintPanel_->Showing()) return false;
  if (HasState(vsMiddleScroll)) return std::abs(mouseY_ - DragStartY) > 20;
  return HasState(vsLeftButtonDown) && (mouseY_ <= 0 || mouseY_ > PaintPanel_->Height());
}

void TMarkupViewer::AutoScrollTick() {
  if (!AutoScrollWanted()) {
    StopAutoScroll();
    return;
  }
  const uint64_t now = GetTickCount64();
  if (now - lastAutoScrollStep_ < static_cast<uint64_t>(AutoScrollStepTime)) return;
  lastAutoScrollStep_ = now;
  int position = GetScrollPos();
  if (HasState(vsMiddleScroll)) {
    const int distance = mouseY_ - DragStartY;
    SetPanelCursor(distance > 0 ? TCursor::crScrollDownOnly : TCursor::crScrollUpOnly);
    position += distance > 0 ? (distance - 16) / 4 : (distance + 16) / 4;
  } else {
    const int step = VScrollBar_->SmallChange(), height = PaintPanel_->Height();
    if (mouseY_ < -15) position -= 8 * step;
    else if (mouseY_ <= 0) position -= step;
    else if (mouseY_ > height + 15) position += 8 * step;
    else position += step;
  }
  SetScrollPos(position);
  ExtendSelectionTo(mouseX_, mouseY_);
}

void TMarkupViewer::HandleMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WmAutoScroll:
      if (!AutoScrollWanted()) {
        StopAutoScroll();
        break;
      }
      // The first step comes at once, the next ones from the timer.
      lastAutoScrollStep_ = GetTickCount64() - AutoScrollStepTime;
      AutoScrollTimer->SetEnabled(true);
      AutoScrollTick();
      break;
    case WmFormSubmit: DeliverFormSubmission(); break;
    case WmFollowLink: HandleLinkClick(); break;
    default: TMarkupViewerBase::HandleMessage(Message); break;
  }
}
