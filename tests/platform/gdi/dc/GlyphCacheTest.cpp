// The cache of rendered glyphs: bounded in bytes as well as in glyphs, so that text in huge
// fonts (a metafile may ask for 2,000-pixel letters) cannot make it grow without limit.
#include <gtest/gtest.h>

#include "platform/gdi/dc/GlyphCache.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/gdi/dc/RasterTestSupport.h"

namespace {

TFontHandle Arial(int height) {
  TLogFont f;
  f.lfFaceName = S("Arial");
  f.lfHeight = height;
  return TFontHandle::Create(f);
}

TEST(GlyphCache, StaysWithinItsBytesWithHugeLettersAndStillDrawsThem) {
  // The text's baseline at (x, 50) of a small picture.
  auto draw = [](int height, std::u16string_view text, int x = 2) {
    TPixelImage img(120, 60, 0xFFFFFF);
    TRasterDC dc(img.Buffer());
    dc.SelectFont(Arial(height));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_BASELINE);
    dc.TextOut(x, 50, text);
    return img;
  };
  const std::string small = Picture(draw(-20, u"Wendrel"));
  EXPECT_GT(GlyphCacheBytes(), 0u);  // small glyphs are kept

  // Letters and digits at 1,500 and 2,000 pixels are about a megabyte of coverage each:
  // together twice the budget.
  const std::u16string letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (int height : {-1500, -2000})
    for (char16_t c : letters) {
      draw(height, std::u16string_view(&c, 1));
      EXPECT_LE(GlyphCacheBytes(), kGlyphCacheBytes) << height << " " << static_cast<char>(c);
    }
  // A huge letter is still drawn: the foot of the I's stem (about 140 pixels wide, starting
  // about 140 pixels right of the pen) covers the picture's bottom.
  const TPixelImage stem = draw(-1500, u"I", -150);
  EXPECT_EQ(stem.At(60, 45), 0u);
  EXPECT_EQ(stem.At(60, 55), 0xFFFFFFu);
  EXPECT_EQ(Picture(draw(-20, u"Wendrel")), small);
}

}  // namespace
