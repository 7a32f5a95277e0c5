// A TrueType font, written as a pair: the WinAnsi half (a simple /TrueType font with
// /WinAnsiEncoding for every character of code page 1252) and, made on first need, the
// Unicode half (a /Type0 font with /Identity-H whose codes are glyph numbers). Both halves
// share one record of the characters used, kept on the WinAnsi half.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/fonts/LogFont.h"
#include "pdf/fonts/PdfFontWinAnsi.h"

class TPdfDocument;
class TFontShaper;
class TPdfStream;
class TRealizedFont;

class TPdfFontTrueType : public TPdfFontWinAnsi {
 public:
  // Makes the WinAnsi half (no partner) or the Unicode half of a partner, registers it with
  // the document under its resource name and returns it. fontIndex is the 0-based position
  // of the family in the document's TrueType family list.
  static TPdfFontTrueType& Create(TPdfDocument& document, TPdfFontTrueType* partner, const TLogFont& logFont,
                                  uint8_t style, int fontIndex);

  // The Unicode half, made when missing.
  TPdfFontTrueType& MakeUnicodeFont();
  // The character's index in the used list of the WinAnsi half, added when new.
  int UseWideChar(char32_t ch);
  // Marks a glyph as used and returns it, or 0 when the font maps no character to it.
  uint16_t UseGlyph(uint16_t glyph);
  // Width of one character in 1/1000 em; measuring a character outside code page 1252
  // marks it as used.
  int WidthOfWideChar(char32_t ch);
  // The glyph of a character (0 when the font has none), marking it as used.
  uint16_t GlyphOfWideChar(char32_t ch) { return static_cast<uint16_t>(UsedEntry(UseWideChar(ch)) >> 16); }
  // True when the font has a glyph for the character; marks nothing.
  bool HasGlyph(char32_t ch) const;
  uint32_t UsedEntry(int index) const { return AnsiHalf->UsedWideEntries.at(static_cast<size_t>(index)); }
  // Marks a glyph that shaping produced for a cluster of text (a ligature or a contextual
  // form may have no character of its own) and returns it; glyph 0 is not recorded.
  uint16_t UseShapedGlyph(uint16_t glyph, std::u16string_view clusterText);
  // The code of the Unicode half for a character that no font can draw: a number past the
  // font's glyphs (drawn as nothing, or as the missing glyph), one for each such character,
  // which the ToUnicode map names, so that the character stays in the text. 0 when the
  // codes run out.
  uint16_t UseUndrawableChar(char32_t ch);
  // The shaper of the font file, made on first use.
  const TFontShaper& Shaper();
  ~TPdfFontTrueType() override;

  void FinishFontObjects() override;

  uint8_t Style = 0;
  TPdfDocument& Document;
  // WinAnsi half: the characters used outside code page 1252. Unicode half: the font's
  // whole character map. Entries: glyph in the high 16 bits, width in the low 16 bits.
  std::vector<char32_t> UsedWide;
  std::vector<uint32_t> UsedWideEntries;
  std::shared_ptr<const TRealizedFont> FontHandle;
  bool FixedPitch = false;
  TPdfDictionary* Descriptor = nullptr;
  TPdfStream* FontFile = nullptr;
  TPdfFontTrueType* UnicodeHalf = nullptr;
  TPdfFontTrueType* AnsiHalf = nullptr;
  TLogFont LogicalFont;
  TTextMetric TextMetric;
  TOutlineTextMetric OutlineMetric;
  // WinAnsi half: glyphs that shaping wrote and no used character maps to, with the text of
  // their cluster (empty for the further glyphs of a cluster).
  std::map<uint16_t, std::u16string> ShapedGlyphs;
  // WinAnsi half: the fallback font found for a character it lacks (null: none), with the
  // document's fallback family index at the time.
  std::map<char32_t, std::pair<int, TPdfFontTrueType*>> FallbackFonts;
  // WinAnsi half: the characters given codes by UseUndrawableChar, in the order of their
  // codes, and the first of those codes (0: not known yet).
  std::vector<char32_t> UndrawableChars;
  unsigned FirstUndrawableCode = 0;

 private:
  TPdfFontTrueType(TPdfDocument& document, TPdfFontTrueType* partner, const TLogFont& logFont, uint8_t style,
                   int fontIndex);
  void FinishUnicodeFont();
  void FinishWinAnsiFont();
  void WriteWinAnsiToUnicode();
  bool WantsEmbedding() const;
  void Embed();

  std::string baseName_;                 // Name without a subset tag
  TPdfDictionary* cidFont_ = nullptr;    // Unicode half: the descendant, once made
  TPdfStream* toUnicode_ = nullptr;      // The half's ToUnicode map, once made
  std::unique_ptr<TFontShaper> shaper_;
};
