// The invisible window that gives a link a place in the keyboard's tab order, and what the
// document's tab-order list holds: objects that take a tab-order number when the document
// is laid out.
#pragma once

#include "platform/ui/WinControl.h"

class TTabOrderTarget {
 public:
  virtual ~TTabOrderTarget() = default;
  // The next number of the document's tab order.
  virtual void TakeTabOrder(int number) = 0;
};

class ThtTabControl : public TWinControl, public TTabOrderTarget {
 public:
  using TWinControl::TWinControl;
  // The window's place among its siblings.
  void TakeTabOrder(int number) override { SetTabOrder(number); }
};
