// The range of the lengths a document may give. Every length read from
// a style or an attribute is held to it where it is read, so that the layout's sums of
// margins, borders, paddings and sizes stay far inside 32 bits and a page of hostile
// markup asks for a bounded number of pages.
#pragma once

#include <algorithm>
#include <cstdint>

// The largest length in pixels, of either sign: 65535, about 17 metres on a 96-pixel-per-
// inch screen or some 65 A4 pages, more than any real page gives (tiled backgrounds of
// blocks 50,000 pixels high among them). WIDTH=1000000000 or a border of a million pixels
// is taken as this.
constexpr int32_t MaxDocumentLength = 65535;

template <class T>
constexpr T ClampDocumentLength(T pixels) {
  return std::clamp<T>(pixels, -MaxDocumentLength, MaxDocumentLength);
}

// The deepest Y of a document's flow: 2^27 pixels, about 128,000 A4 pages (a report of a
// million rows takes some 21,000). Lengths are bounded, their count is not: the flow's
// running sums (of blocks, lines and table rows) are held to this depth, so that what would
// lie further down is laid out at it, one piece over the other, instead of overflowing 32
// bits, and a page of hostile markup still asks for a bounded number of pages.
constexpr int32_t MaxFlowY = 1 << 27;

constexpr int32_t ClampFlowY(int64_t y) {
  return static_cast<int32_t>(std::clamp<int64_t>(y, -MaxFlowY, MaxFlowY));
}

// The rightmost X of a line or a table row, held like the deepest Y: some 33,000 cells or
// pictures of 65,535 pixels side by side would reach past 32 bits, so the running sums
// across a row (its cells) and a line (its words and pictures) stop at 2^27 pixels.
constexpr int32_t MaxFlowX = 1 << 27;

constexpr int32_t ClampFlowX(int64_t x) {
  return static_cast<int32_t>(std::clamp<int64_t>(x, -MaxFlowX, MaxFlowX));
}
