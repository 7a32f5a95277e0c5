// Drawing helpers of the print images of form controls (printing and page metafiles, where
// controls have no windows): frames and text in a control's font.
#pragma once

#include "platform/gdi/Colors.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/rtl/Types.h"

class TCanvas;
class TFont;
class ThtDocument;

// A sunken frame (the 3D look of an edit box with a border) or a flat one-pixel frame,
// filled with color.
void DrawFieldFrame(TCanvas& canvas, const TRect& rect, bool sunken, TColor color, const ThtDocument& document);
// The text in the font with its top-left at (x, y), clipped to clip, on a clear background.
void DrawClippedText(TCanvas& canvas, const TFont& font, const TRect& clip, int x, int y, const String& text);
// The text height of "A" in the font.
int FontTextHeight(TCanvas& canvas, const TFont& font);
