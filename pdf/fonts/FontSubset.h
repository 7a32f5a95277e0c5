// Subsetting a TrueType font file with HarfBuzz's subsetter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

// A font file that keeps the outlines of the listed characters and glyphs (and the glyphs
// they need) at their original glyph numbers, so that codes addressing glyphs by number
// stay valid. Empty when the subsetter fails.
std::string SubsetTrueTypeFont(std::string_view fontFile, const std::vector<char32_t>& keep,
                               const std::vector<uint16_t>& glyphs = {});

// The six capital letters that prefix a subset font's name, derived from the subset's font
// file: subsets that differ (in their font or in what they keep) get different tags, and
// the same subset gets the same tag in every file.
std::string SubsetTag(std::string_view subsetFile);

// The number of glyphs of the font file (0 for data that is not a font).
unsigned GlyphCount(std::string_view fontFile);

// True when the font file has TrueType outlines (a "glyf" table).
bool HasTrueTypeOutlines(std::string_view fontFile);
