#include "platform/ui/controls/ScrollBar.h"

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 17);
}

void TScrollBar::SetKind(TScrollBarKind value) {
  if (value == kind_) return;
  kind_ = value;
  SetBounds(Left(), Top(), Height(), Width());
  Changed(TChange::Range);
}

int TScrollBar::MaxPosition() const { return pageSize_ > 0 ? std::max(min_, max_ - pageSize_ + 1) : max_; }

void TScrollBar::SetParams(int position, int min, int max, int pageSize) {
  if (max < min) max = min;
  pageSize = std::clamp(pageSize, 0, max - min + 1);
  bool rangeChanged = min != min_ || max != max_ || pageSize != pageSize_;
  min_ = min;
  max_ = max;
  pageSize_ = pageSize;
  int newPosition = std::clamp(position, min_, MaxPosition());
  bool moved = newPosition != position_;
  position_ = newPosition;
  if (rangeChanged || moved) Changed(TChange::Range);
  if (moved) Raise(OnChange, this);
}

void TScrollBar::UserScroll(TScrollCode code, int dragPosition) {
  int pos = position_;
  switch (code) {
    case TScrollCode::scLineUp: pos -= smallChange_; break;
    case TScrollCode::scLineDown: pos += smallChange_; break;
    case TScrollCode::scPageUp: pos -= largeChange_; break;
    case TScrollCode::scPageDown: pos += largeChange_; break;
    case TScrollCode::scPosition:
    case TScrollCode::scTrack: pos = dragPosition; break;
    case TScrollCode::scTop: pos = min_; break;
    case TScrollCode::scBottom: pos = MaxPosition(); break;
    case TScrollCode::scEndScroll: break;
  }
  pos = std::clamp(pos, min_, MaxPosition());
  Raise(OnScroll, this, code, pos);
  SetPosition(pos);
}
