// The sunken or raised frame around image placeholders and printed form controls.
#pragma once

#include <array>

#include "platform/gdi/Colors.h"

class TCanvas;
class ThtDocument;

// Left, top, right, bottom colours of a frame.
std::array<TColor, 4> FrameColours(const ThtDocument& document, TCanvas& canvas, bool raised);
// The frame between the outer rectangle and the one inset by frameWidth.
void Draw3DFrame(const ThtDocument& document, TCanvas& canvas, int left, int frameWidth, bool raised, int bottom,
                 int right, int top);
