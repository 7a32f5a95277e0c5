// Which part of a table the next page draws, kept between the page loop and the table's
// drawing while a table with header or footer rows is cut into pages.
#pragma once

#include <cstdint>

enum TTablePartKind : uint8_t {
  tpNormal = 0,    // draw as usual
  tpHeader = 1,    // the next page starts with the header rows
  tpBody = 2,      // continue the body below the header just drawn
  tpBodyDraw = 3,  // second pass of the body
  tpBodyNext = 4,  // the next page continues the body; there are no header rows
  tpFooter = 5     // the footer rows below the body on this page
};

struct TTablePartRec {
  uint8_t PartKind = tpNormal;
  int32_t PartStart = 0;   // a document Y
  int32_t PartHeight = 0;  // pixels
};
