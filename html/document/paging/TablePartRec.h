// The state that a table with header or footer rows and the page loop share while the table
// is cut into pages. The table owns its record; while it is being paged the viewer's
// TablePartRec refers to it, and the page loop draws the next band of the page by its kind.
#pragma once

#include <cstdint>

enum TTablePartKind : uint8_t {
  tpNormal = 0,    // draw as usual
  tpHeader = 1,    // the next page starts with the header rows
  tpBody = 2,      // continue the body below the header just drawn
  tpBodyDraw = 3,  // second pass of the body
  tpBodyNext = 4,  // the next page continues the body; there are no header rows
  tpFooter = 5,    // draw the footer rows below the body on this page
};

struct TTablePartRec {
  uint8_t PartKind = tpNormal;
  int32_t PartStart = 0;   // document Y where the band to draw starts
  int32_t PartHeight = 0;  // height of the band in pixels
};
