#include "html/foundation/css/BoxValues.h"

#include <gtest/gtest.h>

#include "html/foundation/css/Properties.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/foundation/css/PropValuePrint.h"

namespace {
int32_t& At(TIntBoxArray& box, int p) { return box[BoxEntry(p)]; }

struct BoxFixture : ::testing::Test {
  TProperties props;
  TVMarginArray values;
  TIntBoxArray box{};
  int autos = -1;
  void Convert(int baseWidth = 500, int baseHeight = 300) {
    ReadBoxValues(props, values);
    ConvertBoxValues(values, baseWidth, baseHeight, box, autos, 3, 8, 16);
  }
};

TEST_F(BoxFixture, Defaults) {
  props.Values[Color] = int32_t{0x123456};
  Convert();
  EXPECT_EQ(At(box, BackgroundColor), clNone);
  EXPECT_EQ(At(box, BorderTopColor), 0x123456);  // unset border colours take the text colour
  EXPECT_EQ(At(box, MarginLeft), 0);
  EXPECT_EQ(At(box, Width), AutoSentinel);
  EXPECT_EQ(At(box, Top), AutoSentinel);
  EXPECT_EQ(At(box, BorderTopWidth), 0);  // style none
  EXPECT_EQ(At(box, MinWidth), 0);
  EXPECT_EQ(autos, 1);
}

TEST_F(BoxFixture, Conversions) {
  struct {
    TStylePropIndex Index;
    const char16_t* Text;
    int32_t Expected;
  } cases[] = {
      {MarginLeft, u"auto", AutoSentinel},  {MarginRight, u"10%", 50},   {Width, u"100%", 500},
      {Width, u"auto", AutoSentinel},       {Height, u"50%", 150},       {PaddingTop, u"10%", 30},
      {PaddingLeft, u"1em", 16},            {MaxWidth, u"none", AutoSentinel},
      {Top, u"10%", 30},                    {Bottom, u"10%", 50},        {BoxSizing, u"border-box", 1},
      {BoxSizing, u"padding-box", 0},       {Left, u"junk", AutoSentinel},
  };
  for (const auto& c : cases) {
    TProperties p;
    p.Values[c.Index] = String(c.Text);
    props.CopyValues(p);
    Convert();
    EXPECT_EQ(At(box, c.Index), c.Expected) << StringToUtf8(PropertyNames[c.Index]) << ": " << StringToUtf8(c.Text);
  }
  TProperties p;
  p.Values[MarginLeft] = String(u"auto");
  p.Values[Width] = String(u"auto");
  props.CopyValues(p);
  Convert();
  EXPECT_EQ(autos, 2);
}

TEST_F(BoxFixture, BorderWidthsFollowStyles) {
  struct {
    const char16_t* Style;
    const char16_t* Width;
    int32_t Expected;
  } cases[] = {{u"none", u"10px", 0}, {u"solid", u"medium", 4}, {u"solid", u"thin", 2},
               {u"solid", u"thick", 6}, {u"dashed", u"7px", 7}, {u"solid", u"wide", 3}};
  for (const auto& c : cases) {
    props.Values[BorderTopStyle] = String(c.Style);
    props.Values[BorderTopWidth] = String(c.Width);
    Convert();
    EXPECT_EQ(At(box, BorderTopWidth), c.Expected) << StringToUtf8(c.Style) << " " << StringToUtf8(c.Width);
  }
  props.Values[BorderTopWidth] = UnsetSentinel;
  Convert();
  EXPECT_EQ(At(box, BorderTopWidth), 3);  // the default border width
}

TEST_F(BoxFixture, PercentHeightLosesPaddingAndBorders) {
  props.Values[Height] = String(u"100%");
  props.Values[PaddingTop] = String(u"5px");
  props.Values[PaddingBottom] = String(u"5px");
  props.Values[BorderTopStyle] = String(u"solid");
  props.Values[BorderTopWidth] = String(u"2px");
  Convert();
  EXPECT_EQ(At(box, Height), 300 - 12);
}

TEST_F(BoxFixture, VerticalMarginsAndCellPaddings) {
  props.Values[MarginTop] = ParaGapSentinel;
  props.Values[MarginBottom] = String(u"2em");
  props.Values[PaddingLeft] = String(u"10%");
  props.Values[PaddingTop] = String(u"4px");
  ReadBoxValues(props, values);
  bool topGap = false, bottomGap = true;
  ConvertVerticalMargins(values, 500, 16, 8, box, topGap, bottomGap);
  EXPECT_EQ(At(box, MarginTop), 14);
  EXPECT_TRUE(topGap);
  EXPECT_EQ(At(box, MarginBottom), 32);
  EXPECT_FALSE(bottomGap);
  bool gap = true;
  EXPECT_EQ(ConvertVerticalMargin(TPropValue(UnsetSentinel), 500, 16, 8, gap), 0);
  EXPECT_FALSE(gap);
  ConvertPaddings(values, 16, 8, box);
  EXPECT_EQ(At(box, PaddingLeft), -10);
  EXPECT_EQ(At(box, PaddingTop), 4);
  EXPECT_EQ(At(box, PaddingRight), -1);
}

TEST_F(BoxFixture, CellBoxValues) {
  props.Values[MarginLeft] = String(u"10%");
  props.Values[Width] = String(u"junk");
  ReadBoxValues(props, values);
  box.fill(99);
  ConvertCellBoxValues(values, 200, box, 8, 16);
  EXPECT_EQ(At(box, MarginLeft), 20);
  EXPECT_EQ(At(box, MarginTop), UnsetSentinel);
  EXPECT_EQ(At(box, Width), AutoSentinel);
  EXPECT_EQ(At(box, Height), UnsetSentinel);
  EXPECT_EQ(At(box, BorderTopWidth), 0);
  EXPECT_EQ(At(box, PaddingTop), 99);  // not written
}

TEST(BoxLimits, ClampAndBorderBox) {
  TIntBoxArray box{};
  At(box, Width) = 300;
  At(box, MaxWidth) = 200;
  At(box, MinWidth) = 250;
  int32_t minR = 0, maxR = 0;
  ClampWidth(box, minR, maxR, false);
  EXPECT_EQ(At(box, Width), 250);
  EXPECT_EQ(maxR, 200);
  EXPECT_EQ(minR, 250);
  TIntBoxArray b{};
  At(b, Width) = 100;
  At(b, Height) = AutoSentinel;
  At(b, PaddingLeft) = 5;
  At(b, BorderRightWidth) = 2;
  At(b, BoxSizing) = 1;
  ClampBoxSize(b, false);
  EXPECT_EQ(At(b, Width), 93);
  EXPECT_EQ(At(b, Height), AutoSentinel);
}

struct Placement {
  const char16_t* Position;
  const char16_t* Repeat;
  int X, Y;  // image origin in a 100 x 80 area for a 20 x 10 image
};

TEST(BackgroundPlacement, Positions) {
  const Placement cases[] = {
      {nullptr, u"no-repeat", 0, 0},          {u"bottom", u"no-repeat", 40, 70},
      {u"right", u"no-repeat", 80, 35},       {u"top left", u"no-repeat", 0, 0},
      {u"left top", u"no-repeat", 0, 0},      {u"center", u"no-repeat", 40, 35},
      {u"50% 100%", u"no-repeat", 40, 70},    {u"10px 5px", u"no-repeat", 10, 5},
      {u"right bottom", u"no-repeat", 80, 70},
  };
  for (const Placement& c : cases) {
    TProperties p;
    if (c.Position) p.Values[BackgroundPosition] = String(c.Position);
    p.Values[BackgroundRepeat] = String(c.Repeat);
    TBackgroundPos pos;
    ReadBackgroundPlacement(p, 16, 8, pos);
    EXPECT_FALSE(pos[0].Repeat);
    int32_t vLimit, hLimit, vStart, hStart;
    PlaceBackgroundImage(pos, TRect{0, 0, 100, 80}, 0, vLimit, hLimit, vStart, hStart, 10, 20, 80, 100, 0);
    const std::string label = c.Position ? StringToUtf8(c.Position) : "(none)";
    EXPECT_EQ(hStart, c.X) << label;
    EXPECT_EQ(vStart, c.Y) << label;
    EXPECT_EQ(hLimit, c.X + 1) << label;  // one tile
  }
}

TEST(BackgroundPlacement, Tiles) {
  struct {
    bool Repeat;
    int ClipStart, ClipEnd, Start, Tile;
    int ExpectedStart, ExpectedLimit;
  } cases[] = {
      {true, 45, 100, 0, 20, 40, 100},   // back to the last tile origin before the clip
      {true, 10, 100, 25, 20, 5, 100},   // an origin after the clip start moves left
      {true, 10, 100, 10, 20, 10, 100},
      {false, 0, 100, 30, 20, 30, 31},   // a single tile inside the clip
      {false, 60, 100, 30, 20, 30, 30},  // a tile outside the clip is not drawn
  };
  for (const auto& c : cases) {
    int32_t start = c.Start, limit = 0;
    TileRange(c.Repeat, c.ClipStart, c.ClipEnd, limit, start, c.Tile);
    EXPECT_EQ(start, c.ExpectedStart);
    EXPECT_EQ(limit, c.ExpectedLimit);
  }
  TProperties p;
  p.Values[BackgroundRepeat] = String(u"repeat-x");
  p.Values[BackgroundAttachment] = String(u" fixed ");
  TBackgroundPos pos;
  ReadBackgroundPlacement(p, 16, 8, pos);
  EXPECT_TRUE(pos[0].Repeat);
  EXPECT_FALSE(pos[1].Repeat);
  EXPECT_TRUE(pos[0].Fixed && pos[1].Fixed);
}
}  // namespace
