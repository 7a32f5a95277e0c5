// A font measured once for line layout, and the cache of measured fonts (the process's own is
// EngineSettings().FontCache).
#pragma once

#include <cstddef>
#include <list>
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

// How many measured fonts the cache keeps at most.
constexpr size_t kMyFontCacheCapacity = 256;

// Measured fonts filed by lower-cased face name; callers get copies, never the cached font.
// It keeps the most recently used fonts up to kMyFontCacheCapacity and lets the least
// recently used one go first, so that documents of ever new font sizes cannot make it grow
// without limit. A font found stays valid until the next AddFont or Clear.
class TMyFontCache {
 public:
  void AddFont(std::unique_ptr<TMyFont> font);
  // The first font under the info's name that FontMatchesInfo, now the most recently used;
  // nil when none.
  TMyFont* FindFont(const ThtFontInfo& info);
  void Clear();
  size_t Count() const { return recent_.size(); }

 private:
  using TEntries = std::list<std::unique_ptr<TMyFont>>;
  TEntries recent_;  // most recently used first
  std::map<String, std::vector<TEntries::iterator>> byName_;  // in the order filed
};

// The font's height is -Round(ppi x size / 72), and style and charset are the info's.
bool FontMatchesInfo(const TFont& font, const ThtFontInfo& info);
// Height in pixels (negative: em height) of a size in points on the screen.
int FontHeightOfPoints(double points);
