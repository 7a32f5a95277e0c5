// The clipboard: text that the program puts there and reads back, held by the window
// system of the application's backend (without an application, by the program itself).
#pragma once

#include "platform/rtl/Types.h"

class TClipboard {
 public:
  String AsText() const;
  void SetAsText(const String& text);
  bool HasText() const { return !AsText().empty(); }

 private:
  String own_;  // used while no application runs
};

// The program's clipboard.
TClipboard& Clipboard();
