#include "platform/ui/grid/GridCanvas.h"

// A fixed measure of 6 pixels per UTF-16 unit until the font layer measures real glyphs.
int TGridCanvas::TextWidth(const String& text) const { return static_cast<int>(text.size()) * 6; }
