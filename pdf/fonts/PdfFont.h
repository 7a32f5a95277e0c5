// Base of the document's fonts: the /BaseFont name, the resource name pages use, the
// metrics the canvas reads, the record of the byte codes written, and the per-character
// measurement the canvas asks for.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

#include "pdf/objects/PdfDictionaryWrapper.h"

class TPdfFont : public TPdfDictionaryWrapper {
 public:
  // Width of the byte at the 1-based position, in 1/1000 em; 0 for a font without widths.
  virtual int WidthOfAnsiChar(std::string_view text, int position) const;
  // Completes the font's dictionaries when the document is saved; a font that is whole
  // from its creation has nothing to add.
  virtual void FinishFontObjects() {}
  // Records that a byte code was written in a text string of this font.
  void MarkAnsiCharUsed(unsigned char code) { UsedAnsiChars.set(code); }

  std::string Name;          // /BaseFont
  std::string ResourceName;  // "F0", "F1", ... (TPdfDocument::RegisterFont)
  // For a WinAnsi TrueType font the lowest and highest code used, for a Unicode font the
  // glyphs that bound the ToUnicode map; set at save.
  int32_t FirstChar = 0;
  int32_t LastChar = 0;
  uint16_t DefaultWidth = 0;
  int32_t Ascent = 0;
  int32_t Descent = 0;
  // 1-based position of the family in the document's TrueType family list; 0 otherwise.
  int FontIndex = 0;
  bool IsUnicode = false;
  std::bitset<256> UsedAnsiChars;
};

// Marks the code used in the font; nothing without a font.
inline void MarkAnsiCharUsed(TPdfFont* font, unsigned char code) {
  if (font != nullptr) font->MarkAnsiCharUsed(code);
}
