#include "html/foundation/globals/EngineGlobals.h"

#include <gtest/gtest.h>

#include "html/foundation/globals/HtEdit.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/globals/ViewerShared.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/ui/Events.h"

namespace {

// Restores the 24-bit screen after a test that stood for another.
struct ScreenScope {
  ~ScreenScope() {
    TMeasureDC screen;
    InitEngineGlobals(screen);
  }
};

TEST(EngineGlobals, TheMachinesScreenIs24Bit) {
  EXPECT_EQ(ScreenColorDepth, 24);
  EXPECT_TRUE(CubePalette.empty());
  EXPECT_EQ(PaletteRGBFlag, 0);
}

TEST(EngineGlobals, ColourClassesOfOtherScreens) {
  ScreenScope restore;
  struct Case {
    int bits;
    uint8_t depth;
    int flag;
    bool palette;
  };
  const Case cases[] = {{1, 4, 0x02000000, false}, {4, 4, 0x02000000, false}, {8, 8, 0x02000000, true},
                        {16, 24, 0, false}, {32, 24, 0, false}};
  for (const Case& c : cases) {
    TMeasureDC screen({800, 600}, c.bits);
    InitEngineGlobals(screen);
    EXPECT_EQ(ScreenColorDepth, c.depth) << c.bits;
    EXPECT_EQ(PaletteRGBFlag, c.flag) << c.bits;
    EXPECT_EQ(CubePalette.size(), c.palette ? 256u : 0u) << c.bits;
  }
  EXPECT_EQ(ColorDepthClass(2, 2), 4);
  EXPECT_EQ(ColorDepthClass(4, 2), 8);
}

TEST(EngineGlobals, CubePaletteEntries) {
  std::vector<TRGBQuad> system(256, TRGBQuad{1, 2, 3, 0});
  std::vector<TRGBQuad> p = BuildCubePalette(system);
  ASSERT_EQ(p.size(), 256u);
  EXPECT_EQ(p[9], (TRGBQuad{1, 2, 3, 0}));
  EXPECT_EQ(p[246], (TRGBQuad{1, 2, 3, 0}));
  EXPECT_EQ(p[10], (TRGBQuad{55, 55, 55, 0}));
  EXPECT_EQ(p[11], (TRGBQuad{55, 55, 115, 0}));    // red varies fastest
  EXPECT_EQ(p[16], (TRGBQuad{55, 115, 55, 0}));
  EXPECT_EQ(p[224], (TRGBQuad{255, 255, 235, 0}));  // the last cube colour: white is left out
  EXPECT_EQ(p[225], (TRGBQuad{135, 135, 135, 0}));
  EXPECT_EQ(p[244], (TRGBQuad{245, 245, 245, 0}));  // the grey 250 at 245 gives way
  EXPECT_EQ(p[245], (TRGBQuad{254, 255, 255, 0}));
}

TEST(EngineGlobals, ResolveColorAndShades) {
  EXPECT_EQ(ResolveColor(clBtnFace), static_cast<int>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ResolveColor(0x12345678), 0x345678);
  EXPECT_EQ(DarkShade(0xFFFFFF), 0xA0A0A0);
  EXPECT_EQ(LightShade(0), 0x808080);
  EXPECT_EQ(DarkShade(0x0080FF), 0x0050A0);
  EXPECT_EQ(LightShade(0x0080FF), 0x80C0FF);
}

TEST(ViewerShared, EnsureBitmapMakesAndSizes) {
  std::unique_ptr<TBitmap> bitmap;
  EnsureBitmap(bitmap, 0, 1, true);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Width(), 2);
  EXPECT_EQ(bitmap->Height(), 2);
  EXPECT_EQ(bitmap->HandleType(), bmDIB);
  TBitmap* same = bitmap.get();
  EnsureBitmap(bitmap, 5, 3, false);
  EXPECT_EQ(bitmap.get(), same);
  EXPECT_EQ(bitmap->Width(), 5);
  EXPECT_EQ(bitmap->Height(), 3);
}

TEST(ViewerShared, CountBlanksLeavesOutTheLastCharacter) {
  const Char text[] = u"a b\u00A0 ";
  EXPECT_EQ(CountBlanks(text, 3), 1);
  EXPECT_EQ(CountBlanks(text, 1), 0);
  EXPECT_EQ(CountBlanks(text, 5), 2);
  EXPECT_EQ(CountBlanks(text, 4), 1);
}

TEST(TextHelpers, Pointers) {
  const Char* abc = u"abc";
  EXPECT_EQ(FindWideSubstring(abc, u""), nullptr);
  EXPECT_EQ(FindWideSubstring(abc, u"bc"), abc + 1);
  EXPECT_EQ(FindWideSubstring(abc, u"abcd"), nullptr);
  EXPECT_EQ(FindWideSubstring(nullptr, u"a"), nullptr);
  const Char* aab = u"aab";
  EXPECT_EQ(FindWideSubstring(aab, u"ab"), aab + 1);
  EXPECT_EQ(FindFirstWideChar(abc, u'c'), abc + 2);
  EXPECT_EQ(FindFirstWideChar(abc, 0), abc + 3);
  EXPECT_EQ(FindFirstWideChar(abc, u'x'), nullptr);
  const Char* abca = u"abca";
  EXPECT_EQ(FindLastWideChar(abca, u'a'), abca + 3);
  EXPECT_EQ(FindLastWideChar(abca, u'x'), nullptr);
  EXPECT_EQ(WideSubstringPos(u"ab", u"xaab"), 3);
  EXPECT_EQ(WideSubstringPos(u"q", u"xaab"), 0);
  EXPECT_EQ(PointerDistance(abc + 2, abc), 4);
}

TEST(TextHelpers, Strings) {
  String s = u"a";
  AppendChar(s, u'b');
  AppendText(s, u"");
  AppendText(s, u"cd");
  EXPECT_EQ(s, u"abcd");
  EXPECT_EQ(LowerCaseText(u"\u00C4BC"), u"\u00E4bc");
  EXPECT_EQ(UpperCaseText(u"\u00E4bc"), u"\u00C4BC");
  EXPECT_EQ(TrimText(u"\t x y \r\n"), u"x y");
  EXPECT_EQ(TrimLowChars(u"\x01 x \x1F"), u"x");
  EXPECT_TRUE(TextStartsWith(u"ab", u"abc"));
  EXPECT_FALSE(TextStartsWith(u"AB", u"abc"));
  EXPECT_FALSE(TextStartsWith(u"abcd", u"abc"));
  EXPECT_TRUE(TextEndsWith(u"bc", u"abc"));
  EXPECT_FALSE(TextEndsWith(u"xabc", u"abc"));
}

TEST(ThtEdit, CtrlASelectsAll) {
  ThtEdit edit(nullptr);
  edit.SetText(u"hello");
  uint16_t key = 'A';
  edit.KeyDown(key, ssCtrl | ssShift);
  EXPECT_EQ(edit.SelLength(), 0);
  edit.KeyDown(key, ssCtrl);
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelLength(), 5);
}

}  // namespace
