// Drawing helpers shared by the chart and its series.
#pragma once

#include "platform/gdi/canvas/Canvas.h"
#include "platform/rtl/Types.h"

// Selects the chart's text font (Arial) at a size and style into the canvas.
void UseChartFont(TCanvas& canvas, int points, bool bold = false);
// Writes text with a transparent background at (x, y) as its top left corner.
void ChartText(TCanvas& canvas, int x, int y, const String& text);
// The box of a mark centred on (cx, cy): the text with a margin, in the canvas's font.
TRect MarkBox(TCanvas& canvas, int cx, int cy, const String& text);
// Draws a mark: the text in a framed pale box.
void DrawMark(TCanvas& canvas, const TRect& box, const String& text);
