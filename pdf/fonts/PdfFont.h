// Base of the document's fonts: the /BaseFont name, the resource name pages use, and the
// per-character measurement the canvas asks for.
#pragma once

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

  std::string Name;          // /BaseFont
  std::string ResourceName;  // "F0", "F1", ... (TPdfDocument::RegisterFont)
  // 1-based position of the family in the document's TrueType family list; 0 otherwise.
  int FontIndex = 0;
  bool IsUnicode = false;
};
