// Logical font descriptions and the metric records of a realised font, with the field names
// and flag values of the graphics device interface the callers were written for.
#pragma once

#include <cstdint>

#include "platform/gdi/geometry/Geometry.h"
#include "platform/rtl/Types.h"

enum : int {
  FW_DONTCARE = 0, FW_THIN = 100, FW_EXTRALIGHT = 200, FW_LIGHT = 300, FW_NORMAL = 400,
  FW_MEDIUM = 500, FW_SEMIBOLD = 600, FW_BOLD = 700, FW_EXTRABOLD = 800, FW_HEAVY = 900
};

enum : uint8_t {
  ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255
};

// lfPitchAndFamily: pitch in the low two bits, family in the high nibble.
enum : uint8_t {
  DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2,
  FF_DONTCARE = 0x00, FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30, FF_SCRIPT = 0x40,
  FF_DECORATIVE = 0x50
};

// tmPitchAndFamily bits. TMPF_FIXED_PITCH is set for variable-pitch fonts and clear for
// fixed-pitch ones: the name is the opposite of its meaning, and callers rely on that.
enum : uint8_t { TMPF_FIXED_PITCH = 0x01, TMPF_VECTOR = 0x02, TMPF_TRUETYPE = 0x04, TMPF_DEVICE = 0x08 };

struct TLogFont {
  int lfHeight = 0;  // negative: em height in pixels; positive: cell height; 0: default size
  int lfWidth = 0;   // average character width; 0 keeps the face's proportions
  int lfEscapement = 0;   // tenths of a degree, counter-clockwise
  int lfOrientation = 0;  // tenths of a degree
  int lfWeight = FW_NORMAL;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = DEFAULT_CHARSET;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;
  uint8_t lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  String lfFaceName;  // at most 31 characters are significant

  friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

struct TTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = 0;
  int tmOverhang = 0;
  int tmDigitizedAspectX = 96;
  int tmDigitizedAspectY = 96;
  Char tmFirstChar = 0;
  Char tmLastChar = 0;
  Char tmDefaultChar = 0;
  Char tmBreakChar = 32;
  uint8_t tmItalic = 0;
  uint8_t tmUnderlined = 0;
  uint8_t tmStruckOut = 0;
  uint8_t tmPitchAndFamily = 0;
  uint8_t tmCharSet = ANSI_CHARSET;
};

// The outline metrics of a scalable font, in pixels of the realised size (a font made with
// an em height of 1000 gives them in thousandths of the em).
struct TOutlineTextMetric {
  TTextMetric otmTextMetrics;
  unsigned otmEMSquare = 0;  // design units per em of the font file
  int otmAscent = 0;         // typographic ascender
  int otmDescent = 0;        // typographic descender (negative below the baseline)
  unsigned otmLineGap = 0;
  int otmItalicAngle = 0;    // degrees, negative for a slant to the right
  unsigned otmsCapEmHeight = 0;
  unsigned otmsXHeight = 0;
  TRect otmrcFontBox;        // Left = xMin, Top = yMax, Right = xMax, Bottom = yMin (y upwards)
  int otmMacAscent = 0;
  int otmMacDescent = 0;
  int otmsUnderscoreSize = 0;
  int otmsUnderscorePosition = 0;
  unsigned otmsStrikeoutSize = 0;
  int otmsStrikeoutPosition = 0;
  uint16_t otmfsType = 0;    // embedding licence bits of the OS/2 table
};

struct TABC {
  int abcA = 0;
  unsigned abcB = 0;
  int abcC = 0;
};

// A table tag as GetFontData takes it: the four characters in file order packed so that the
// first character is the low byte ("glyf" is 'g' | 'l' << 8 | 'y' << 16 | 'f' << 24).
constexpr uint32_t FontTableTag(const char (&t)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(t[0])) | static_cast<uint32_t>(static_cast<uint8_t>(t[1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(t[2])) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(t[3])) << 24;
}
