// Complex-script output: the text is split into bidirectional runs (ICU) and script items;
// items of scripts that need shaping are shaped with HarfBuzz and written as glyphs, the
// others as plain runs, all in visual order.
#pragma once

#include <string_view>

class TPdfCanvas;
class TPdfFontTrueType;
class TPdfWrite;

// True when it wrote the text; false for text that needs neither shaping nor reordering
// (the caller writes it plainly). font: the WinAnsi half of the current font.
bool AddUnicodeTextShaped(TPdfWrite& w, std::u16string_view text, TPdfFontTrueType& font, TPdfCanvas& canvas,
                          bool nextLine);
