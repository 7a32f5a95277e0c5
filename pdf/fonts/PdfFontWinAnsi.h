// Fonts with a WinAnsiEncoding: a width for every code from 32 to 255.
#pragma once

#include <array>
#include <memory>

#include "pdf/fonts/PdfFont.h"

class TPdfXref;

class TPdfFontWinAnsi : public TPdfFont {
 public:
  // Stores the name and registers a new dictionary with the registry.
  TPdfFontWinAnsi(TPdfXref& xref, std::string name);

  // The width of code - 32 when the widths exist and the code is 32 or more, else
  // DefaultWidth.
  int WidthOfAnsiChar(std::string_view text, int position) const override;
  int WidthOfCode(unsigned char code) const;

  using TAnsiWidths = std::array<uint16_t, 224>;
  std::unique_ptr<TAnsiWidths> AnsiWidths;  // codes 32 to 255; absent until filled
};
