#include "platform/ui/controls/Edits.h"

#include <algorithm>

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TEdit::SetText(const String& value) {
  if (value == Text()) return;
  TWinControl::SetText(value);
  selStart_ = std::min<int>(selStart_, static_cast<int>(value.size()));
  selLength_ = 0;
  Raise(OnChange, this);
}

void TEdit::UserSetText(const String& value) {
  if (maxLength_ > 0 && static_cast<int>(value.size()) > maxLength_) {
    SetText(value.substr(0, static_cast<size_t>(maxLength_)));
    Changed(TChange::Text);  // the widget shows the cut text
    return;
  }
  SetText(value);
}

void TEdit::SetMaxLength(int value) {
  maxLength_ = std::max(value, 0);
  Changed(TChange::ReadOnly);
}

void TEdit::SetReadOnly(bool value) {
  readOnly_ = value;
  Changed(TChange::ReadOnly);
}

void TEdit::SetSelStart(int value) {
  selStart_ = std::clamp(value, 0, static_cast<int>(Text().size()));
  selLength_ = 0;
  Changed(TChange::Selection);
}

void TEdit::SetSelLength(int value) {
  selLength_ = std::clamp(value, 0, static_cast<int>(Text().size()) - selStart_);
  Changed(TChange::Selection);
}

void TEdit::UserSetSelection(int start, int length) {
  int size = static_cast<int>(Text().size());
  selStart_ = std::clamp(start, 0, size);
  selLength_ = std::clamp(length, 0, size - selStart_);
}

TMaskEdit::TMaskEdit(TComponent* AOwner) : TEdit(AOwner) {}

void TMaskEdit::SetPasswordChar(Char value) {
  passwordChar_ = value;
  Changed(TChange::Text);
}
