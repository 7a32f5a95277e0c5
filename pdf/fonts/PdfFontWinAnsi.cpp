#include "pdf/fonts/PdfFontWinAnsi.h"

#include "pdf/objects/PdfXref.h"

TPdfFontWinAnsi::TPdfFontWinAnsi(TPdfXref& xref, std::string name) {
  Name = std::move(name);
  AttachDictionary(xref.Add<TPdfDictionary>(&xref));
}

int TPdfFontWinAnsi::WidthOfAnsiChar(std::string_view text, int position) const {
  if (position < 1 || static_cast<size_t>(position) > text.size()) return DefaultWidth;
  return WidthOfCode(static_cast<unsigned char>(text[static_cast<size_t>(position - 1)]));
}

int TPdfFontWinAnsi::WidthOfCode(unsigned char code) const {
  if (AnsiWidths && code >= 32) return (*AnsiWidths)[code - 32];
  return DefaultWidth;
}
