// The style bits of a font as the canvas and the PDF engine take them.
#pragma once

#include <cstdint>

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;
