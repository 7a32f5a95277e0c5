// A font measured once for line layout, and the cache of measured fonts (the process's own is
// EngineSettings().FontCache).
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "html/foundation/fonts/FontInfo.h"
#include "platform/gdi/canvas/GraphicsObjects.h"

class TCanvas;

class TMyFont : public TFont {
 public:
  TMyFont() { SetCharset(1); }
  // The measured fields, then the font properties.
  void Assign(const TMyFont& source);
  using TFont::Assign;
  void SelectInto(TCanvas& canvas) const;
  // Reads the text metrics of the realised font on the screen (see MakeFont).
  void Measure();

  TColor BackColor = clNone;
  int32_t TextHeight = 0, DescentPixels = 0, ExternalLeading = 0, AverageWidth = 0, MaximumWidth = 0;
  int32_t RealisedCharset = 0;
  int32_t SpacingPixels = 0;
  int32_t EmPixels = 0, ExPixels = 0;
};

// Measured fonts filed by lower-cased face name; callers get copies, never the cached font.
class TMyFontCache {
 public:
  void AddFont(std::unique_ptr<TMyFont> font);
  TMyFont* FindFont(const ThtFontInfo& info) const;
  void Clear() { fonts_.clear(); }

 private:
  std::map<String, std::vector<std::unique_ptr<TMyFont>>> fonts_;
};

// The font's height is -Round(ppi x size / 72), and style and charset are the info's.
bool FontMatchesInfo(const TFont& font, const ThtFontInfo& info);
// Height in pixels (negative: em height) of a size in points on the screen.
int FontHeightOfPoints(double points);
