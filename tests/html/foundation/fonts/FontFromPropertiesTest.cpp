#include <gtest/gtest.h>

#include "html/foundation/css/Properties.h"
#include "html/foundation/fonts/FirstAvailableFont.h"
#include "html/foundation/fonts/FontInfo.h"
#include "html/foundation/fonts/MyFont.h"
#include "html/foundation/globals/EngineSettings.h"
#include "platform/rtl/Unicode.h"

namespace {
TEST(FirstAvailableFont, Lists) {
  struct {
    const char16_t* List;
    const char16_t* Expected;
  } cases[] = {
      {u"nosuchfontxyz, 'Courier New', serif", u"Courier New"},
      {u"sans-serif", u"Arial"},
      {u"SERIF", u"Times New Roman"},
      {u"Helvetica, x", u"Arial"},
      {u"nosuchfontxyz, otherunknownfont", u""},
      {u"nosuchfontxyz,, Arial", u""},
      {u"", u""},
      {u"\"serif\"", u""},  // quoted: a font named serif
      {u"liberation sans", u"liberation sans"},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstAvailableFont(c.List), c.Expected) << StringToUtf8(c.List);
}

TEST(FontInfo, FilledFromProperties) {
  struct {
    const char16_t* Weight;
    const char16_t* Style;
    const char16_t* Decoration;
    TFontStyles Expected;
  } cases[] = {
      {u"bolder", u"normal", u"none", fsBold},
      {u"700", u"italic", u"underline", fsBold | fsItalic | fsUnderline},
      {u"500", u"oblique", u"line-through", fsItalic | fsStrikeOut},
      {u"lighter", u"", u"underline line-through", 0},
      {u"normal", u"", u"", 0},
  };
  for (const auto& c : cases) {
    TProperties p;
    p.Values[FontWeight] = String(c.Weight);
    p.Values[FontStyle] = String(c.Style);
    p.Values[TextDecoration] = String(c.Decoration);
    p.Values[FontFamily] = String(u"nosuchfontxyz");
    p.FallbackFontName = u"Fallback";
    ThtFontInfo info;
    p.FillFontInfo(info);
    EXPECT_EQ(info.Style, c.Expected) << StringToUtf8(c.Weight);
    EXPECT_EQ(info.Name, u"Fallback");
  }
}

TEST(MakeFont, MeasuresOnceAndSetsEmSize) {
  ScopedEngineSettings settings;  // an empty font cache
  TProperties p;
  p.Values[FontFamily] = String(u"arial");
  p.Values[FontSize] = 12.0;
  p.Values[Color] = int32_t{0xff};
  p.Values[LetterSpacing] = String(u"0.5em");
  auto font = p.MakeFont();
  EXPECT_EQ(font->Height(), -16);  // 12 points at 96 pixels per inch
  EXPECT_EQ(font->Color(), 0xff);
  EXPECT_EQ(p.EmHeight, 16);
  EXPECT_EQ(p.ExHeight, 8);
  EXPECT_EQ(font->SpacingPixels, 8);
  EXPECT_GT(font->TextHeight, 16);
  EXPECT_GT(font->DescentPixels, 0);

  ThtFontInfo info;
  p.FillFontInfo(info);
  TMyFont* cached = EngineSettings().FontCache.FindFont(info);
  ASSERT_NE(cached, nullptr);
  TProperties q;
  q.Values[FontFamily] = String(u"Arial");
  q.Values[FontSize] = 12.0;
  q.MakeFont();
  EXPECT_EQ(EngineSettings().FontCache.FindFont(info), cached);  // the same cached font serves both
  q.Values[FontSize] = 13.0;
  ThtFontInfo other;
  q.FillFontInfo(other);
  EXPECT_EQ(EngineSettings().FontCache.FindFont(other), nullptr);
}

// Font sizes that keep changing (a generated document, or one page after another) fill the
// cache only up to its capacity; a size in use all along stays cached as the same font.
TEST(MakeFont, CacheStaysBoundedAndKeepsFontsInUse) {
  ScopedEngineSettings settings;
  TMyFontCache& cache = EngineSettings().FontCache;
  const auto make = [](double size) {
    TProperties p;
    p.Values[FontFamily] = String(u"Arial");
    p.Values[FontSize] = size;
    return p.MakeFont();
  };
  const auto infoOf = [](double size) {
    ThtFontInfo info;
    info.Name = u"Arial";
    info.Size = size;
    return info;
  };
  make(12.0);
  const TMyFont* busy = cache.FindFont(infoOf(12.0));
  ASSERT_NE(busy, nullptr);
  for (size_t i = 0; i < 3 * kMyFontCacheCapacity; ++i) {
    const double size = 20.0 + static_cast<double>(i) * 0.75;  // one more pixel height each time
    EXPECT_EQ(make(size)->Height(), FontHeightOfPoints(size));
    ASSERT_EQ(cache.FindFont(infoOf(12.0)), busy) << i;
    ASSERT_LE(cache.Count(), kMyFontCacheCapacity) << i;
  }
  EXPECT_EQ(cache.Count(), kMyFontCacheCapacity);
  // The first sizes of the flood have gone; the last ones are there, measured as before.
  EXPECT_EQ(cache.FindFont(infoOf(20.0)), nullptr);
  const double lastSize = 20.0 + static_cast<double>(3 * kMyFontCacheCapacity - 1) * 0.75;
  const TMyFont* last = cache.FindFont(infoOf(lastSize));
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->TextHeight, make(lastSize)->TextHeight);
  // A size that left is measured again alike when it comes back.
  const int32_t height = make(20.0)->TextHeight;
  EXPECT_NE(cache.FindFont(infoOf(20.0)), nullptr);
  EXPECT_EQ(height, make(20.0)->TextHeight);
}
}  // namespace
