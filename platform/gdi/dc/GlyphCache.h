// Rendered glyphs, kept so that text drawn again is not rendered again: grey-scale coverage
// (0..255; 0 or 255 for monochrome rendering) with the offset of the bitmap from the pen
// position, per font, glyph, size, rotation and rendering mode. The cache is process-wide
// and starts afresh when it grows past a fixed number of glyphs or of coverage bytes (the
// glyphs of a huge font are megabytes each); each thread also keeps the last small glyphs it
// asked for (256 at most) in front of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/fonts/RealizedFont.h"

// The coverage bytes the process-wide cache keeps at most.
constexpr size_t kGlyphCacheBytes = 64 * 1024 * 1024;

struct TGlyphImage {
  int Left = 0;  // from the pen position to the first column
  int Top = 0;   // from the baseline up to the first row
  int Width = 0;
  int Rows = 0;
  std::vector<uint8_t> Coverage;  // Width x Rows
};

// The glyph rendered at sizeX x sizeY (26.6 pixels), rotated counter-clockwise by escapement
// tenths of a degree; null when the font cannot render it.
std::shared_ptr<const TGlyphImage> RenderGlyph(const TRealizedFont& font, unsigned glyph, long sizeX, long sizeY,
                                               int escapement, bool mono);

// The coverage bytes the process-wide cache holds now.
size_t GlyphCacheBytes();
