// The chart's fixed palette: a point added with the automatic colour clTeeColor is drawn
// in the palette colour of its index (repeating after the last one).
#pragma once

#include "platform/gdi/Colors.h"

// The automatic colour of a point.
constexpr TColor clTeeColor = 0x20000001;

// The palette colour of point `index` (0 and up).
TColor ChartPaletteColor(int index);
// A darker shade of a colour, for the sides and depth of 3D shapes.
TColor DarkerColor(TColor color);
