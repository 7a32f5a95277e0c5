// The box of one inline element (a SPAN with a border or background, say) on one line.
#pragma once

#include <cstdint>

#include "html/foundation/css/BoxValues.h"
#include "platform/gdi/geometry/Geometry.h"

class BorderRec {
 public:
  int32_t StartIndex = 0;  // the characters [StartIndex, EndIndex) of the section lie in the box
  int32_t EndIndex = 0;
  bool OpenStart = false;  // the element began on an earlier line: no left side here
  bool OpenEnd = false;    // it goes on on a later line: no right side here
  TRect Rect{};            // the box around the characters (X as measured at BorderOriginX, document Y)
  TIntBoxArray Box{};      // the element's box pixel values (background, paddings, borders)
};
