// The document's font lookups: standard Type1 fonts by name and TrueType fonts by family,
// style and character set or by logical font.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gdi/fonts/LogFont.h"

class TPdfDocument;
class TPdfFontTrueType;
class TPdfFontType1;

// A new standard Type1 font, registered with the document, when SubstituteStandardFonts is
// on and the name is one of the twelve standard names; else null.
TPdfFontType1* CreateStandardType1Font(TPdfDocument& document, std::string_view name);
// The WinAnsi half of a TrueType font of the document with that 1-based family index,
// style and character set; or null.
TPdfFontTrueType* FindTrueTypeFontByIndex(const TPdfDocument& document, int fontIndex, uint8_t style, int charSet);
// The WinAnsi half made from a logical font of the same weight, italic, underline,
// strike-out and character set and the same face name (case ignored); or null.
TPdfFontTrueType* FindTrueTypeFontByLogFont(const TPdfDocument& document, const TLogFont& logFont);
