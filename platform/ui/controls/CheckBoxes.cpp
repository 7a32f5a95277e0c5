#include "platform/ui/controls/CheckBoxes.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  Changed(TChange::Checked);
}

void TCheckBox::Click() {
  SetChecked(!checked_);
  TWinControl::Click();
}

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 113, 17);
  SetTabStop(true);
}

void TRadioButton::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  if (value && UnchecksSiblings())
    if (TWinControl* p = Parent())
      for (int i = 0; i < p->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(p->Controls(i)); other && other != this)
          other->SetChecked(false);
  Changed(TChange::Checked);
}

void TRadioButton::Click() {
  SetChecked(true);
  TWinControl::Click();
}
