// The machine a PDF document is made on: clock, random source, screen resolution, ANSI
// code page, installed TrueType families and the family that has a character a font
// lacks. Tests replace any of them to get byte-exact files.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gdi/fonts/LogFont.h"
#include "platform/rtl/Types.h"

struct TPdfEnvironment {
  // The local date and time.
  std::function<TDateTime()> Now;
  // A random number of 31 bits (the file ID of PDF/A-1 documents).
  std::function<uint32_t()> Random31;
  // The screen's pixels per inch.
  int PixelsPerInch = 96;
  // The code page of a document created with code page 0.
  int AnsiCodePage = 1252;
  // The installed TrueType families (without vertical "@" variants).
  std::function<std::vector<String>()> TrueTypeFamilies;
  // The family to draw a character with that the logical font's family lacks; empty (or
  // no function): none.
  std::function<String(const TLogFont&, char32_t)> FallbackFamily;
};

// The machine as it is: rtl's clock, a freshly seeded random source, 96 pixels per inch,
// code page 1252 and the font layer's TrueType families and fallback choice (fontconfig's).
TPdfEnvironment DefaultPdfEnvironment();
