// The 32 box properties (background-color to left) as integers for layout, and the
// placement of background images.
#pragma once

#include <array>
#include <cstdint>

#include "html/foundation/css/PropValue.h"
#include "platform/gdi/Colors.h"
#include "platform/gdi/geometry/Geometry.h"

class TProperties;

// Entry k holds property k + 8.
using TVMarginArray = std::array<TPropValue, 32>;
using TIntBoxArray = std::array<int32_t, 32>;

// Entry of a property in the arrays.
constexpr size_t BoxEntry(int property) { return static_cast<size_t>(property - 8); }

// CopyBoxValues with the properties' color as the default border colour.
void ReadBoxValues(const TProperties& props, TVMarginArray& values);
void CopyBoxValues(const TProperties& props, TVMarginArray& values, TColor defaultBorderColour);
void ConvertBoxValues(const TVMarginArray& values, int32_t baseWidth, int32_t baseHeight, TIntBoxArray& result,
                      int& autoCount, int32_t defaultBorderWidth, int32_t exSize, int32_t emSize);
int32_t ConvertVerticalMargin(const TPropValue& value, int32_t baseWidth, int32_t emSize, int32_t exSize,
                              bool& isGap);
void ConvertVerticalMargins(const TVMarginArray& values, int32_t baseWidth, int32_t emSize, int32_t exSize,
                            TIntBoxArray& result, bool& topIsGap, bool& bottomIsGap);
void ConvertPaddings(const TVMarginArray& values, int32_t emSize, int32_t exSize, TIntBoxArray& result);
void ConvertCellBoxValues(const TVMarginArray& values, int32_t baseWidth, TIntBoxArray& result, int32_t exSize,
                          int32_t emSize);
void ClampWidth(TIntBoxArray& box, int32_t& minResult, int32_t& maxResult, bool skip);
void ClampBoxSize(TIntBoxArray& box, bool subtractOnly);
void SubtractPaddingBorder(TIntBoxArray& box);

struct TBackgroundPosPart {
  uint8_t Kind = 6;  // 0 top, 1 center, 2 bottom, 3 left, 4 right, 5 percent, 6 pixels
  int32_t Value = 0;
  bool Repeat = true;
  bool Fixed = false;
};
using TBackgroundPos = std::array<TBackgroundPosPart, 2>;  // horizontal, vertical

void ReadBackgroundPlacement(const TProperties& props, int32_t emSize, int32_t exSize, TBackgroundPos& pos);
int32_t BackgroundOffset(uint8_t kind, int32_t value, int32_t room);
void TileRange(bool repeat, int32_t clipStart, int32_t clipEnd, int32_t& limit, int32_t& start, int32_t tileSize);
void PlaceBackgroundImage(const TBackgroundPos& pos, const TRect& clip, int32_t horizontalShift,
                          int32_t& verticalLimit, int32_t& horizontalLimit, int32_t& verticalStart,
                          int32_t& horizontalStart, int32_t imageHeight, int32_t imageWidth, int32_t areaHeight,
                          int32_t areaWidth, int32_t verticalShift);
