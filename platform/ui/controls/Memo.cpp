#include "platform/ui/controls/Memo.h"

#include <algorithm>

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner), lines_([this] { LinesChanged(); }) {
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetColor(clWindow);
}

void TMemo::LinesChanged() {
  int size = static_cast<int>(lines_.TextLength());
  selStart_ = std::min(selStart_, size);
  selLength_ = std::min(selLength_, size - selStart_);
  Changed(TChange::Text);
  Raise(OnChange, this);
}

void TMemo::SetWordWrap(bool value) {
  wordWrap_ = value;
  Changed(TChange::ScrollBars);
}

void TMemo::SetScrollBars(TScrollStyle value) {
  scrollBars_ = value;
  Changed(TChange::ScrollBars);
}

bool TMemo::Wraps() const {
  return wordWrap_ && scrollBars_ != TScrollStyle::ssHorizontal && scrollBars_ != TScrollStyle::ssBoth;
}

void TMemo::SetReadOnly(bool value) {
  readOnly_ = value;
  Changed(TChange::ReadOnly);
}

void TMemo::SetSelStart(int value) {
  selStart_ = std::clamp(value, 0, static_cast<int>(Text().size()));
  selLength_ = 0;
  Changed(TChange::Selection);
}

void TMemo::SetSelLength(int value) {
  selLength_ = std::clamp(value, 0, static_cast<int>(Text().size()) - selStart_);
  Changed(TChange::Selection);
}

void TMemo::UserSetText(const String& value) { lines_.SetText(value); }

void TMemo::UserSetSelection(int start, int length) {
  int size = static_cast<int>(Text().size());
  selStart_ = std::clamp(start, 0, size);
  selLength_ = std::clamp(length, 0, size - selStart_);
}
