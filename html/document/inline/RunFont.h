// Selecting a font run's font into a canvas for measuring or drawing text.
#pragma once

class TCanvas;
class TDeviceContext;
class TMyFont;

// The font, its colour and its letter spacing go into the canvas and its device context;
// answers the device context to measure with.
TDeviceContext& SelectRunFont(TCanvas& canvas, const TMyFont& font);
