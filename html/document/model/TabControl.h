// The invisible window that gives a link a place in the keyboard's tab order, and what the
// document's tab-order list holds: objects that take a tab-order number when the document
// is laid out.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/ui/WinControl.h"

// The sort key of a tab stop in the document's tab-order list: by tab index (1 and up;
// larger values count as the largest 32-bit one), then by the order of appearance (the
// list's count when it was added). Fixed-width decimal, so the text order is the numeric one.
String TabOrderKey(double tabIndex, int count);

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
