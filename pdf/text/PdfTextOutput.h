// Text-showing operands for a content stream: characters of code page 1252 as literal
// strings in a TrueType font's WinAnsi half, other characters as glyph runs in its Unicode
// half, switching to the document's fallback family for characters the font lacks.
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
// One unit into a glyph run, opening or switching the run as needed.
void AddGlyphFromChar(TPdfWrite& w, Char unit, TPdfCanvas& canvas, TPdfFontTrueType& font, bool& nextLine);
// Closes an open glyph run.
void AddGlyphEnd(TPdfWrite& w, bool& nextLine);
// Shaped glyphs of the current TrueType font, in its Unicode half.
void AddGlyphs(TPdfWrite& w, const uint16_t* glyphs, size_t count, TPdfCanvas& canvas);
