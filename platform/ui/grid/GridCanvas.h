// The canvas a string grid measures its texts with.
#pragma once

#include "platform/rtl/Types.h"
#include "platform/ui/ControlFont.h"

class TGridCanvas {
 public:
  TControlFont Font;
  // Width of the text in pixels in Font.
  int TextWidth(const String& text) const;
};
