// The screen as the program sees it: the cursor shown over all its windows while it is
// busy (crDefault lets each control show its own).
#pragma once

#include "platform/ui/Control.h"

class TScreen {
 public:
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);

 private:
  TCursor cursor_ = TCursor::crDefault;
};

extern TScreen Screen;
