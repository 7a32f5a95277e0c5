// A logical font realised on a FreeType face: its metrics at the requested size, integer
// pixel advances (unhinted outlines scaled to the size and rounded, so that every canvas
// measures alike), glyph indices and the raw font data.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/fonts/FontResolver.h"
#include "platform/gdi/fonts/LogFont.h"

typedef struct FT_FaceRec_* FT_Face;

class TRealizedFont {
 public:
  // Opens the resolved font; raises EFontError when the file cannot be read.
  explicit TRealizedFont(const TLogFont& font);
  ~TRealizedFont();
  TRealizedFont(const TRealizedFont&) = delete;
  TRealizedFont& operator=(const TRealizedFont&) = delete;

  const TLogFont& LogFont() const { return logFont_; }
  // A number no other realised font of this process has had: caches of data per font key on it,
  // since the address of a font freed may be reused by the next one.
  uint64_t Serial() const { return serial_; }
  const TFontLocation& Location() const { return location_; }
  const TTextMetric& TextMetric() const { return textMetric_; }
  const TOutlineTextMetric& OutlineMetric() const { return outlineMetric_; }

  // Pixels per em vertically and horizontally (they differ when lfWidth is given).
  double EmPixels() const { return ppemY_; }
  double EmPixelsX() const { return ppemX_; }
  // True when the requested weight or slant is missing from the face and is simulated.
  bool SimulatedBold() const { return simulatedBold_; }
  bool SimulatedItalic() const { return simulatedItalic_; }

  // Glyph of a code point; 0 when the font has none.
  unsigned GlyphIndex(char32_t codePoint) const;
  // Advance of a code point in whole pixels: for a character this font lacks, its fallback
  // font's (FallbackFont), or the missing glyph's when no installed font has it.
  int Advance(char32_t codePoint) const;
  // Advance of every UTF-16 unit of a text in whole pixels (a surrogate pair's on its first
  // unit, 0 on its second), as Advance gives them.
  std::vector<int> Advances(std::u16string_view text) const;
  // The font that draws a character this one lacks: the realised font of the family
  // fontconfig prefers for it (FallbackFamilyForChar) at this font's em size, weight, slant
  // and rotation. Nil when this font has the character, for controls, blanks and halves of
  // surrogate pairs, and when no installed family has it. It lives as long as this font.
  const TRealizedFont* FallbackFont(char32_t codePoint) const;
  // Advance of a glyph in whole pixels.
  int GlyphAdvance(unsigned glyph) const;
  TABC AbcWidths(char32_t codePoint) const;

  // A table of the font file by tag (FontTableTag); empty when the font has no such table.
  std::string TableData(uint32_t tag) const;
  // The whole font file; a member of a collection comes as a standalone font file.
  std::string FileData() const;

  // The FreeType face, for drawing. Callers lock FaceMutex() while they use it.
  FT_Face Face() const { return face_; }
  std::mutex& FaceMutex() const { return mutex_; }

 private:
  int ScaleX(long units) const;
  int ScaleY(long units) const;
  int DesignAdvance(unsigned glyph) const;
  // The cached advance, or computed and cached; -1 for a character this font lacks that a
  // fallback font may have (the caller holds mutex_, and asks FallbackAdvance without it).
  int CachedAdvance(char32_t codePoint) const;
  int FallbackAdvance(char32_t codePoint) const;  // computes and caches; the caller does not hold mutex_

  uint64_t serial_;
  TLogFont logFont_;
  TFontLocation location_;
  FT_Face face_ = nullptr;
  int unitsPerEm_ = 2048;
  double ppemY_ = 16;
  double ppemX_ = 16;
  bool simulatedBold_ = false;
  bool simulatedItalic_ = false;
  TTextMetric textMetric_;
  TOutlineTextMetric outlineMetric_;
  mutable std::mutex mutex_;
  mutable std::vector<int> asciiAdvances_;  // code points below 0x300, -1 until measured
  mutable std::map<char32_t, int> otherAdvances_;
  mutable std::map<char32_t, const TRealizedFont*> fallbackFor_;  // nil: none has it
  mutable std::vector<std::shared_ptr<const TRealizedFont>> fallbackFonts_;  // kept alive
};
