// Scrolling and reading positions.
//
// A reading position names the position object (a section of the document, in document
// order) at or above the top of the view and the distance below it, so that it survives a
// layout at another width. Positions are 64-bit: ExactPositionFlag, the object's index + 1
// in bits 32 to 61 (0: none, the distance is a plain Y) and the distance in bits 0 to 31, so
// any index and distance is exact.
// The older 32-bit form, (index + 1) x 65536 + distance with both in 16 bits, and a plain Y
// up to 65535 are still read.
#include <algorithm>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"

namespace {
constexpr int64_t ExactPositionFlag = int64_t(1) << 62;
}  // namespace

int TMarkupViewer::GetScrollPos() const { return VScrollBar_->Position(); }

void TMarkupViewer::SetScrollPos(int Y) {
  Y = std::clamp(Y, 0, std::max(0, MaxVertical - PaintPanel_->Height()));
  if (Y != VScrollBar_->Position()) ScrollTo(Y);
}

void TMarkupViewer::ScrollTo(int Y) {
  Y = std::max(0, std::min(Y, MaxVertical - PaintPanel_->Height()));
  VScrollBar_->SetPosition(Y);
  DocRoot->SetYOffset(Y);
  PaintPanel_->Invalidate();
}

void TMarkupViewer::VScrollHandler(int& ScrollPos) {
  ScrollPos = std::max(0, std::min(ScrollPos, VScrollBar_->Max() - PaintPanel_->Height()));
  DocRoot->SetYOffset(ScrollPos);
  PaintPanel_->Invalidate();
}

void TMarkupViewer::HScrollHandler(int& ScrollPos) {
  ScrollPos = std::max(0, std::min(ScrollPos, HScrollBar_->Max() - PaintPanel_->Width()));
  DocRoot->HorizontallyScrolled = true;
  PaintPanel_->Invalidate();
}

int64_t TMarkupViewer::GetPosition() {
  const int top = VScrollBar_->Position();
  int sectionY = 0, index = -1;
  if (!DocRoot->FindSectionAtY(top, sectionY, index)) return top <= 65535 ? top : ExactPositionFlag | uint32_t(top);
  return ExactPositionFlag | (int64_t(index) + 1) << 32 | uint32_t(top - sectionY);
}

void TMarkupViewer::SetPosition(int64_t Position) {
  int64_t index = -1, offset = 0;
  if (Position & ExactPositionFlag) {
    index = ((Position & ~ExactPositionFlag) >> 32) - 1;
    offset = Position & 0xFFFFFFFF;
    if (index < 0) {
      ScrollTo(static_cast<int>(std::min<int64_t>(offset, INT32_MAX)));
      return;
    }
  } else if (Position > 65535 && Position <= INT32_MAX) {
    index = Position / 65536 - 1;
    offset = Position & 65535;
  } else {
    ScrollTo(static_cast<int>(std::clamp<int64_t>(Position, 0, 65535)));
    return;
  }
  if (index < 0 || index >= DocRoot->PositionList.Count()) return;
  const int64_t target = DocRoot->PositionList.Items(static_cast<int>(index))->AnchorY() + offset;
  ScrollTo(static_cast<int>(std::clamp<int64_t>(target, 0, INT32_MAX)));
}
