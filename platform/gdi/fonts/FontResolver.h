// Finds the font file for a logical font through fontconfig. Windows face names resolve to
// their metric-compatible families (Arial to Liberation Sans, Times New Roman to Liberation
// Serif, Courier New to Liberation Mono); generic and unknown names fall back by the
// requested pitch and family.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/fonts/LogFont.h"
#include "platform/rtl/Exceptions.h"

WENDREL_DECLARE_EXCEPTION(EFontError, Exception);

struct TFontLocation {
  std::string FilePath;
  int FaceIndex = 0;     // member of a font collection; 0 for a single font file
  String FaceName;       // the name GetTextFace reports: the requested name when it is installed
                         // or an alias of an installed family, else the family used
  String FileFamily;     // the family name inside the font file
};

// The file and face for a logical font; raises EFontError when no font at all is installed.
TFontLocation ResolveFont(const TLogFont& font);

// The family a face name stands for on this machine ("Arial" gives "Liberation Sans"); empty
// when the name is neither an alias nor installed.
String ResolveFamilyName(const String& faceName);

// The installed family fontconfig prefers for a character that the logical font's own
// family lacks (its order for the family, weight and slant asked for): the first family
// other than that one whose outline TrueType face for the weight and slant asked for has
// the character. Empty when there is none.
String FallbackFamilyForChar(const TLogFont& font, char32_t codePoint);

// Installed families, sorted without regard to case, the aliases of installed families included.
const std::vector<String>& InstalledFontFamilies();

// The families among them whose fonts have TrueType (glyf) outlines.
const std::vector<String>& TrueTypeFontFamilies();

// True when a face name is installed (an alias of an installed family counts), ignoring case.
bool IsFontInstalled(const String& faceName);
