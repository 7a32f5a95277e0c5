#include "html/foundation/fonts/MyFont.h"

#include <algorithm>
#include <iterator>

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
  const String name = LowerCaseText(font->Name());
  recent_.push_front(std::move(font));
  byName_[name].push_back(recent_.begin());
  if (recent_.size() <= kMyFontCacheCapacity) return;
  const auto last = std::prev(recent_.end());
  auto entries = byName_.find(LowerCaseText((*last)->Name()));
  std::erase(entries->second, last);
  if (entries->second.empty()) byName_.erase(entries);
  recent_.erase(last);
}

TMyFont* TMyFontCache::FindFont(const ThtFontInfo& info) {
  auto entries = byName_.find(LowerCaseText(info.Name));
  if (entries == byName_.end()) return nullptr;
  for (const auto& entry : entries->second)
    if (FontMatchesInfo(**entry, info)) {
      recent_.splice(recent_.begin(), recent_, entry);
      return entry->get();
    }
  return nullptr;
}

void TMyFontCache::Clear() {
  byName_.clear();
  recent_.clear();
}
