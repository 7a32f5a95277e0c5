#include "html/foundation/css/Colours.h"

#include <QColor>
#include <gtest/gtest.h>

#include "platform/rtl/Unicode.h"

#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/globals/EngineSettings.h"

namespace {
TColor Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

TColor Parse(const String& text, bool hash = false) {
  TColor c = 0x7777777;
  EXPECT_TRUE(ParseColorText(text, hash, c)) << StringToUtf8(text);
  return c;
}
bool Rejects(const String& text, bool hash = false) {
  TColor c = 0x7777777;
  const bool ok = ParseColorText(text, hash, c);
  return !ok && c == 0x7777777;
}

// Every keyword agrees with Qt's SVG colour table, which holds the CSS Color 3 keywords.
TEST(Colours, KeywordsMatchQtTable) {
  int keywords = 0;
  for (const auto& [name, value] : ColourNameList()) {
    if (value < 0 || value == clNone) continue;  // system colours and transparent
    const QColor q = QColor::fromString(QString::fromStdU16String(name));
    ASSERT_TRUE(q.isValid()) << StringToUtf8(name);
    EXPECT_EQ(value, Rgb(q.red(), q.green(), q.blue())) << StringToUtf8(name);
    ++keywords;
  }
  EXPECT_EQ(keywords, 147);
}

TEST(Colours, Texts) {
  const int flag = PaletteRGBFlag;
  struct {
    const char16_t* Text;
    bool Hash;
    TColor Expected;
  } cases[] = {
      {u"Red", false, Rgb(255, 0, 0)},
      {u"  RED  ", false, Rgb(255, 0, 0)},
      {u"#f00", false, Rgb(255, 0, 0) | flag},
      {u"f00", false, Rgb(255, 0, 0) | flag},
      {u"#ff0000", true, Rgb(255, 0, 0) | flag},
      {u"#12", false, Rgb(0, 0x11, 0x22) | flag},
      {u"rgb(255, 0, 0)", false, Rgb(255, 0, 0)},
      {u"rgb(100%,0%,0%)", false, Rgb(255, 0, 0)},
      {u"rgb(50%,0,0)", false, Rgb(128, 0, 0)},  // 127.5 rounds to even
      {u"rgb(300,-5,0)", false, Rgb(255, 0, 0)},
      {u"rgba(0,0,255,0.5)", false, Rgb(0, 0, 255)},
      {u"rgb(1 2 3)", false, 0},
      {u"hsl(120, 100%, 50%)", false, Rgb(0, 255, 0)},
      {u"hsl(480,100%,50%)", false, Rgb(0, 255, 0)},
      {u"hsl(-240,100%,50%)", false, Rgb(0, 255, 0)},
      {u"hsl(0,0%,50%)", false, Rgb(128, 128, 128)},
      {u"hsla(240,100%,25%,0.3)", false, Rgb(0, 0, 128)},
      {u"transparent", false, clNone},
      {u"buttonface", false, static_cast<TColor>(0xFF00000F)},
      {u"AppWorkspace", false, static_cast<TColor>(0xFF00000C)},
      {u"hightlighttext", false, static_cast<TColor>(0xFF00000E)},
      {u"aqua", true, Rgb(0, 255, 255)},
  };
  for (const auto& c : cases) {
    TColor colour = 0;
    EXPECT_TRUE(ParseColorText(c.Text, c.Hash, colour)) << StringToUtf8(c.Text);
    EXPECT_EQ(colour, c.Expected) << StringToUtf8(c.Text);
  }
  EXPECT_EQ(Parse(u"cyan"), Parse(u"aqua"));
  EXPECT_EQ(Parse(u"magenta"), Parse(u"fuchsia"));
}

TEST(Colours, NonColours) {
  EXPECT_TRUE(Rejects(u"f00", true));
  EXPECT_TRUE(Rejects(u"highlighttext"));
  EXPECT_TRUE(Rejects(u"#ggg"));
  EXPECT_TRUE(Rejects(u"#123456789"));
  EXPECT_TRUE(Rejects(u"rgb 1,2,3"));
  Parse(u"hsl(10,10%,10%)");
  EXPECT_TRUE(Rejects(u""));
  EXPECT_TRUE(Rejects(u"   "));
}

// A text cached as digits without "#" is still no colour when a hash is required.
TEST(Colours, CacheHonoursHashRequired) {
  ScopedEngineSettings settings;  // an empty colour cache
  Parse(u"abc");
  EXPECT_TRUE(Rejects(u"abc", true));
  Parse(u"#abc", true);
  EXPECT_EQ(Parse(u"abc"), Rgb(0xaa, 0xbb, 0xcc) | PaletteRGBFlag);
}

TEST(Colours, RgbFromHslPrimaries) {
  EXPECT_EQ(RgbFromHsl(0, 100, 50), Rgb(255, 0, 0));
  EXPECT_EQ(RgbFromHsl(240, 100, 50), Rgb(0, 0, 255));
  EXPECT_EQ(RgbFromHsl(60, 100, 75), Rgb(255, 255, 128));  // 127.5 -> 128 via 0.75 arithmetic
  EXPECT_EQ(RgbFromHsl(0, 0, 100), Rgb(255, 255, 255));
}
}  // namespace
