// A stretch of work during which the program does not look at its input: while the scope
// lives the busy cursor shows over all windows; when it ends, the clicks and keys the user
// made meanwhile are dropped (the window did not show what they were aimed at) and the
// cursor shown before comes back. Nothing is handled while the scope lives.
#pragma once

#include "platform/ui/Control.h"

class TBusyScope {
 public:
  TBusyScope();
  ~TBusyScope();
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TCursor previous_;
};
