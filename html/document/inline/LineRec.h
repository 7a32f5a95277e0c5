// One laid-out line of a text section.
#pragma once

#include <cstdint>
#include <vector>

#include "html/document/inline/BorderRec.h"

class LineRec {
 public:
  int32_t Start = 0;        // index of the line's first character in the section's Text
  int32_t SpaceBefore = 0;  // above the text (line-height surplus, tall inline objects)
  int32_t SpaceAfter = 0;
  int32_t LineHeight = 0;   // the tallest font of the line
  int32_t DrawHeight = 0;   // max of the line's images and its total height
  int32_t CharCount = 0;
  int32_t Descent = 0;      // the largest font descent of the line
  int32_t LineIndent = 0;   // X of the line relative to the section's X
  int32_t DrawX = 0;        // where the last draw started the line
  int32_t AvailableWidth = 0;
  int32_t DrawY = 0;        // top of the line's text at the last draw
  int32_t SpaceCount = 0;   // justification: spaces to widen (trailing spaces not counted)
  int32_t ExtraWidth = 0;   //   and the pixels spread over them; 0 when not justified
  int32_t BorderOriginX = 0;
  int32_t Top = 0;          // document Y of the line's top, kept when a printing copy is paged
  bool BordersPending = false;
  bool Hyphenated = false;  // the line ends at a soft hyphen: a "-" is shown
  std::vector<BorderRec> Borders;  // the inline element boxes on this line, made at the first paint

  int32_t TotalHeight() const { return SpaceBefore + LineHeight + SpaceAfter; }
};
