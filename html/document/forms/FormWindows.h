// The windows of HTML check boxes and radio buttons. They ask for the arrow keys (which
// move through a radio group); a radio button keeps its own checked state, since every
// radio button of a document sits on the same paint panel and groups come from the form.
#pragma once

#include "platform/ui/controls/CheckBoxes.h"

class TFormRadioButton : public TRadioButton {
 public:
  using TRadioButton::TRadioButton;
  // The form's group name (the control's NAME).
  String GroupName;

 protected:
  bool UnchecksSiblings() const override { return false; }
};

class TFormCheckBox : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;
};
