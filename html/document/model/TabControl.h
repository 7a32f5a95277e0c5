// The invisible window that gives a link a place in the keyboard's tab order.
#pragma once

#include "platform/ui/WinControl.h"

class ThtTabControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
};
