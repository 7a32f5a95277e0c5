// Check boxes and radio buttons. A radio button that becomes checked unchecks the radio
// buttons that share its parent; none need be checked. OnClick follows the user's clicks.
#pragma once

#include "platform/ui/WinControl.h"

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  // The user clicked the box: it toggles, then OnClick runs.
  void Click() override;

 private:
  bool checked_ = false;
};

class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  // The user clicked the button: it becomes checked, then OnClick runs.
  void Click() override;

 protected:
  // Whether checking this button unchecks the radio buttons beside it; a button that keeps
  // its own state (grouped by other means) answers false.
  virtual bool UnchecksSiblings() const { return true; }

 private:
  bool checked_ = false;
};
