#include "html/foundation/fonts/MyFont.h"

#include <algorithm>

#include "html/foundation/css/Lengths.h"
#include "html/foundation/globals/TextHelpers.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/fonts/FontCache.h"

void TMyFont::Assign(const TMyFont& source) {
  BackColor = source.BackColor;
  TextHeight = source.TextHeight;
  DescentPixels = source.DescentPixels;
  ExternalLeading = source.ExternalLeading;
  AverageWidth = source.AverageWidth;
  MaximumWidth = source.MaximumWidth;
  RealisedCharset = source.RealisedCharset;
  SpacingPixels = source.SpacingPixels;
  EmPixels = source.EmPixels;
  ExPixels = source.ExPixels;
  TFont::Assign(source);
  SetColor(source.Color());
}

void TMyFont::SelectInto(TCanvas& canvas) const {
  canvas.Font().Assign(*this);
  canvas.Font().SetColor(Color());
  canvas.Handle().SetTextCharacterExtra(SpacingPixels);
}

void TMyFont::Measure() {
  const uint8_t asked = Charset();
  SetCharset(1);
  TTextMetric tm = RealizeFont(LogFont())->TextMetric();
  SetCharset(tm.tmCharSet == 2 ? 2 : asked);
  if (Charset() != 1) tm = RealizeFont(LogFont())->TextMetric();
  TextHeight = tm.tmHeight;
  DescentPixels = tm.tmDescent;
  ExternalLeading = tm.tmExternalLeading;
  AverageWidth = tm.tmAveCharWidth;
  MaximumWidth = tm.tmMaxCharWidth;
  RealisedCharset = tm.tmCharSet;
  EmPixels = tm.tmHeight - tm.tmInternalLeading;
  ExPixels = EmPixels / 2;
}

int FontHeightOfPoints(double points) {
  // Sizes that multiply over deep nesting (nested headings, "2em" in "2em") stay drawable.
  constexpr long double MaxPixels = 100000;
  const long double pixels = static_cast<long double>(ScreenPixelsPerInch()) * points / 72;
  return -RoundToInt32(std::clamp(pixels, -MaxPixels, MaxPixels), 0);
}

bool FontMatchesInfo(const TFont& font, const ThtFontInfo& info) {
  return font.Height() == FontHeightOfPoints(info.Size) && font.Style() == info.Style &&
         font.Charset() == info.Charset;
}

void TMyFontCache::AddFont(std::unique_ptr<TMyFont> font) {
  fonts_[LowerCaseText(font->Name())].push_back(std::move(font));
}

TMyFont* TMyFontCache::FindFont(const ThtFontInfo& info) const {
  auto it = fonts_.find(LowerCaseText(info.Name));
  if (it == fonts_.end()) return nullptr;
  for (const auto& font : it->second)
    if (FontMatchesInfo(*font, info)) return font.get();
  return nullptr;
}
