// Colour texts of style sheets and attributes: names, system colours, hexadecimal digits,
// rgb()/rgba() and hsl()/hsla().
#pragma once

#include <utility>
#include <vector>

#include "platform/gdi/Colors.h"
#include "platform/rtl/Types.h"

// True and the colour when the text is a colour; the colour is left alone otherwise. With
// hashRequired, hexadecimal digits count only after a "#".
bool ParseColorText(const String& text, bool hashRequired, TColor& colour);

// The CSS Color 3 conversion; hue 0..359, saturation and lightness 0..100.
TColor RgbFromHsl(int hue, int saturation, int lightness);

// The 176 colour names (lower-cased, sorted) with their values.
const std::vector<std::pair<String, TColor>>& ColourNameList();
