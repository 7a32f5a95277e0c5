// Borders of boxes in the nine border styles, and the quadrilateral fill they are made of.
#pragma once

#include <array>
#include <cstdint>

#include "platform/gdi/Colors.h"
#include "platform/gdi/geometry/Geometry.h"

class TCanvas;

// Border styles, numbered as the style sheets number them.
enum : uint8_t {
  bssNone = 0, bssSolid = 1, bssInset = 2, bssOutset = 3, bssGroove = 4, bssRidge = 5, bssDashed = 6,
  bssDotted = 7, bssDouble = 8
};

// The quadrilateral as a polygon region (alternate fill) filled with a solid brush.
void FillQuad(TCanvas& canvas, const std::array<TPoint, 4>& points, TColor color);

// The ring between Outer and Inner; the entries of colors and styles are left, top, right,
// bottom. backColor (unless clNone) fills the ring first under dashed, dotted and double sides.
void PaintBoxBorder(TCanvas& canvas, TRect outer, TRect inner, const std::array<TColor, 4>& colors,
                    const std::array<uint8_t, 4>& styles, TColor backColor, bool printing);
