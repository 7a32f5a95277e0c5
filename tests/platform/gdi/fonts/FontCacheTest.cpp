// The realised-font cache: bounded, least recently used out, fonts in use kept alive.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/rtl/Unicode.h"

namespace {

TLogFont Font(const std::string& face, int height) {
  TLogFont f;
  f.lfFaceName = Utf8ToString(face);
  f.lfHeight = height;
  return f;
}

TEST(FontCache, StaysBoundedAndKeepsFontsInUse) {
  // A handle in use: selected into a device context and measured before the flood.
  TFontHandle held = TFontHandle::Create(Font("Times New Roman", -17));
  TMeasureDC dc;
  dc.SelectFont(held);
  const TSize extent = dc.GetTextExtentPoint32(u"Wendrel");
  const TRealizedFont* heldFont = &held.Realized();
  // One font touched all along, one realised once and left.
  const TLogFont busy = Font("Arial", -13);
  std::shared_ptr<const TRealizedFont> busyFont = RealizeFont(busy);
  std::shared_ptr<const TRealizedFont> idleFont = RealizeFont(Font("Courier New", -11));

  // Logical fonts that differ only in face name, as a hostile metafile creates them.
  for (size_t i = 0; i < 3 * kFontCacheCapacity; ++i) {
    RealizeFont(Font("Unknown face " + std::to_string(i), -12));
    EXPECT_EQ(RealizeFont(busy), busyFont) << i;
    ASSERT_LE(FontCacheSize(), kFontCacheCapacity) << i;
  }
  EXPECT_EQ(FontCacheSize(), kFontCacheCapacity);

  // The handle still measures with the font it had realised.
  EXPECT_EQ(&held.Realized(), heldFont);
  EXPECT_EQ(dc.GetTextExtentPoint32(u"Wendrel"), extent);
  EXPECT_EQ(held.Realized().LogFont().lfHeight, -17);
  // The idle font has left the cache (a new one is realised) but lives on where it is held.
  std::shared_ptr<const TRealizedFont> again = RealizeFont(Font("Courier New", -11));
  EXPECT_NE(again, idleFont);
  EXPECT_NE(again->Serial(), idleFont->Serial());
  EXPECT_EQ(again->TextMetric().tmHeight, idleFont->TextMetric().tmHeight);
}

}  // namespace
