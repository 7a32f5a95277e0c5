// Text-showing operands for a content stream: characters of code page 1252 as literal
// strings in a TrueType font's WinAnsi half, other characters (a surrogate pair as one) as
// glyph runs in its Unicode half, switching to a fallback family for characters the font
// lacks.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/rtl/Types.h"

class TPdfCanvas;
class TPdfFontTrueType;
class TPdfWrite;

// The show operator of a run: " '\n" for the first run of a text that starts on the next
// line, else " Tj\n".
void AddShowOperator(TPdfWrite& w, bool& nextLine);
// Shapes when the document asks for it, else writes the runs unshaped. Nothing without a
// font in force.
void AddUnicodeText(TPdfWrite& w, std::u16string_view text, bool nextLine, TPdfCanvas& canvas);
// font: the TrueType font (either half) or null; without one a character outside code page
// 1252 becomes "?".
void AddUnicodeTextPlain(TPdfWrite& w, std::u16string_view text, TPdfFontTrueType* font, TPdfCanvas& canvas,
                         bool nextLine);
// One character into a glyph run, opening or switching the run as needed; a character the
// font lacks is taken from a fallback family (FallbackFontFor), else written with a code of
// its own that draws nothing visible and that the ToUnicode map names. An invisible
// formatting character the font lacks (a zero-width space or joiner) is left out: a fallback
// family would draw it as a gap.
void AddGlyphFromChar(TPdfWrite& w, char32_t ch, TPdfCanvas& canvas, TPdfFontTrueType& font, bool& nextLine);
// The WinAnsi half, in the font's style, of another family that has a glyph for a character
// the font lacks: the document's fallback family, else the family the environment chooses
// for the character (fontconfig's choice on this machine). Null when fallback is off or no
// family has the character. The answer is kept per character in the font.
TPdfFontTrueType* FallbackFontFor(TPdfCanvas& canvas, TPdfFontTrueType& font, char32_t ch);
// Closes an open glyph run.
void AddGlyphEnd(TPdfWrite& w, bool& nextLine);
// Shaped glyphs of the current TrueType font, in its Unicode half.
void AddGlyphs(TPdfWrite& w, const uint16_t* glyphs, size_t count, TPdfCanvas& canvas);
