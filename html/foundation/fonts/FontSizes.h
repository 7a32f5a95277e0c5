// Font sizes in points: the HTML sizes 1 to 7, the CSS keywords and relative sizes. The tables
// in use and the default size are the engine's settings (EngineSettings.h).
#pragma once

#include <array>

#include "platform/rtl/Types.h"

// Index 0 is unused; entries 1 to 7 are the HTML sizes.
extern const std::array<double, 8> HtmlFontSizeBase;
extern const std::array<double, 8> PreHtmlFontSizeBase;

// Scales the engine's size tables (EngineSettings.h) to a document's default size
// (entry x size / 12).
void SetFontSizeTables(double pointSize);
// The size of an element in points from its font-size text.
double FontSizeToPoints(const String& text, bool quirks, double parentSize);
// The next smaller (-1) or larger (+1) size for "smaller" and "larger".
double FontSizeStep(int step, double size);
