// The text of a numbered list item's marker.
#pragma once

#include <cstdint>

#include "platform/rtl/Types.h"

// The marker without its "." for a list-style-type (2 decimal, 4 lower-alpha, 5 lower-roman,
// 8 upper-alpha, 9 upper-roman). Letters count on past "z" as "aa", "ab", ...; Roman
// numerals cover 1 to 3999. Numbers outside a style's range are written in decimal.
String ListMarkerText(int style, int32_t number);
