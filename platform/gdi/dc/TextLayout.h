// Line layout of DrawText, shared by every backend: prefix characters, line ends, tab
// expansion, word breaks, and the placement of the lines in the rectangle.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/dc/DeviceContext.h"

struct TTextLayoutLine {
  String Text;
  int X = 0;       // left edge of the line (logical units)
  int Y = 0;       // top of the line
  int Width = 0;
  int Prefix = -1;  // index in Text of the character that a single '&' marks for underlining
};

struct TTextLayout {
  std::vector<TTextLayoutLine> Lines;
  TRect Bounds;    // the rectangle DT_CALCRECT reports
  int Height = 0;  // the value DrawText returns
};

// Lays out text in rect by the DT_ format flags, measuring with the device context's font.
// Lines are as high as the font's tmHeight; word breaks happen at blanks, and a word wider
// than the rectangle stays whole on its own line.
TTextLayout LayoutDrawText(const TDeviceContext& dc, std::u16string_view text, const TRect& rect, uint32_t format);
