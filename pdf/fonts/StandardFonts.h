// The twelve standard Type1 font names the document knows, with their built-in metrics.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct TStandardFontMetrics {
  int Ascent;
  int Descent;
  uint16_t Widths[224];  // codes 32 to 255 of WinAnsiEncoding
};

struct TStandardFont {
  const char* Name;      // the name asked for ("Times-Oblique")
  const char* BaseFont;  // the standard-14 name written to the file ("Times-Italic")
  const TStandardFontMetrics* Metrics;  // null for the Courier fonts (every width 600)
};

// The standard font of that name (either form, ASCII case ignored), or null.
const TStandardFont* FindStandardFont(std::string_view name);
