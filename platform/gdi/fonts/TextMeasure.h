// Text measurement: the advance of every character of a text with the device context's
// character extra and justification applied. Measuring and drawing both go through
// TextAdvances, so a text is drawn exactly as wide as it measures.
#pragma once

#include <string_view>
#include <vector>

#include "platform/gdi/fonts/RealizedFont.h"
#include "platform/gdi/geometry/Geometry.h"

struct TTextSpacing {
  int CharExtra = 0;   // SetTextCharacterExtra: added to every character
  int BreakExtra = 0;  // SetTextJustification: pixels spread over the break characters
  int BreakCount = 0;  //   ... of this many break characters
};

// Advance of each UTF-16 unit of text in pixels. A surrogate pair's advance goes on its first
// unit (the second gets 0). Justification: each break character (the font's tmBreakChar) gets
// BreakExtra / BreakCount pixels, and the first BreakExtra mod BreakCount break characters of
// the text one more (one less for a negative extra); no break character gets anything when
// BreakCount is 0.
std::vector<int> TextAdvances(const TRealizedFont& font, std::u16string_view text, const TTextSpacing& spacing);

// Width of the text (the sum of its advances) and the font's cell height.
TSize TextExtent(const TRealizedFont& font, std::u16string_view text, const TTextSpacing& spacing);

// GetTextExtentExPoint: the number of characters whose running extent stays within maxExtent
// (all of them for a negative maxExtent), the running extents of all characters, and the extent
// of the whole text.
struct TTextFit {
  int Fit = 0;
  std::vector<int> PartialExtents;
  TSize Extent;
};
TTextFit FitText(const TRealizedFont& font, std::u16string_view text, int maxExtent, const TTextSpacing& spacing);
