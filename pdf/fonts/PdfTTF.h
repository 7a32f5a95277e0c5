// TPdfTTF: reads a TrueType font's character map with the glyph widths from its raw
// "cmap", "head", "hhea" and "hmtx" tables. Every offset of the tables is checked against
// their length; a malformed or missing table leaves the map empty.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TPdfTTF {
 public:
  // The map of the full Unicode format 12 subtable (characters beyond the Basic Multilingual
  // Plane included), else of the Windows Unicode (else symbol) format 4 subtable. Widths are the
  // advance x 1000 / unitsPerEm, rounded; a glyph past the last long metric takes the
  // last advance; a fixed-pitch font gives every character the width of glyph 0.
  TPdfTTF(std::string_view cmap, std::string_view head, std::string_view hhea, std::string_view hmtx,
          bool fixedPitch);

  // Ascending characters and, parallel to them, the glyph in the high 16 bits and the
  // width in the low 16 bits (0 for a character without a glyph).
  std::vector<char32_t> Chars;
  std::vector<uint32_t> Entries;
  uint16_t DefaultWidth = 0;  // the width of glyph 0
};
