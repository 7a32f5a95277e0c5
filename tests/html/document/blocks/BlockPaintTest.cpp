#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

#include "html/document/blocks/HorzLine.h"
#include "html/document/blocks/ListItem.h"
#include "html/document/inline/Section.h"
#include "html/foundation/shared/TextTokens.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/document/ScenePainting.h"
#include "tests/html/document/blocks/BlockFixture.h"

namespace {
namespace fs = std::filesystem;

constexpr int SceneWidth = 300, SceneHeight = 200;

struct BlockPaintTest : BlockFixture {
  std::unique_ptr<TBitmap> Paint(const std::string& name) {
    LayOut(SceneWidth);
    return PaintSceneBothWays(document, SceneWidth, SceneHeight, "block-scenes", name);
  }

  // A list item with one line of text; its marker sits on that line's baseline.
  TBlockLI& AddItem(TCellBasic& cell, const String& listTag, int level, int number, Char type, const String& style = u"") {
    TProperties& props = Push(u"li", style);
    auto item = std::make_unique<TBlockLI>(&document, nullptr, level, number, type, false, listTag, &cell, props);
    auto section = std::make_unique<TSection>(&document, true, nullptr, props, nullptr);
    TokenObj token;
    for (Char c : String(u"Item")) token.AppendChar(c, 0);
    section->AddTokenObj(token);
    section->FinishText(4);
    item->ContentCell->AddSection(std::move(section), 4);
    TBlockLI& result = *item;
    cell.AddSection(std::move(item), 0);
    Pop();
    return result;
  }
};

TEST_F(BlockPaintTest, BackgroundBorderAndNestedBox) {
  TBlock& outer = AddBlock(document, u"div",
                           u"margin: 10px; padding: 6px; border: 4px solid blue; background-color: red; height: 40px");
  TBlock& inner = AddBlock(*outer.ContentCell, u"div", u"margin-left: 20px; width: 50px; height: 10px; "
                                                       u"background-color: lime");
  AddBlock(document, u"div", u"margin-left: 10px; width: 30px; height: 8px; border-top: 3px dashed black; "
                             u"visibility: hidden; background-color: blue");
  auto picture = Paint("background-border");
  TCanvas& c = picture->Canvas();
  EXPECT_EQ(c.Pixel(5, 5), clWhite);      // margin
  EXPECT_EQ(c.Pixel(11, 30), clBlue);     // left border band
  EXPECT_EQ(c.Pixel(100, 11), clBlue);    // top border band
  EXPECT_EQ(c.Pixel(100, 69), clBlue);    // bottom border band: 10 + 4 + 6 + 40 + 6 = 66 .. 70
  EXPECT_EQ(c.Pixel(100, 70), clWhite);
  EXPECT_EQ(c.Pixel(15, 30), clRed);      // padding
  EXPECT_EQ(c.Pixel(285, 30), clRed);
  EXPECT_EQ(c.Pixel(286, 30), clBlue);    // right border: 300 - 10 - 4 = 286
  EXPECT_EQ(inner.BorderRect, (TRect{40, 20, 90, 30}));
  EXPECT_EQ(c.Pixel(40, 20), clLime);
  EXPECT_EQ(c.Pixel(89, 29), clLime);
  EXPECT_EQ(c.Pixel(90, 29), clRed);
  EXPECT_EQ(c.Pixel(20, 85), clWhite);    // the hidden block paints nothing
}

// A 10 x 10 picture: five rows red over five rows blue.
String WriteStripes(const std::string& name) {
  TBitmap bitmap(10, 10, pf24bit);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(TRect{0, 0, 10, 5});
  bitmap.Canvas().Brush().SetColor(clBlue);
  bitmap.Canvas().FillRect(TRect{0, 5, 10, 10});
  const fs::path path = fs::temp_directory_path() / (name + std::to_string(getpid()) + ".bmp");
  bitmap.SaveToFile(Utf8ToString(path.string()));
  return Utf8ToString(path.string());
}

TEST_F(BlockPaintTest, BackgroundTilesOfATallBlockFollowTheScrollPosition) {
  const String path = WriteStripes("stripes");
  AddBlock(document, u"div", u"height: 50000px; background-image: url(" + path + u")");
  document.YOffset = 40003;  // window row 0 is row 3 of a tile
  auto picture = Paint("background-tiles-scrolled");
  TCanvas& c = picture->Canvas();
  for (int x : {0, 7, 155, 299}) {
    EXPECT_EQ(c.Pixel(x, 0), clRed);
    EXPECT_EQ(c.Pixel(x, 1), clRed);
    EXPECT_EQ(c.Pixel(x, 2), clBlue);
    EXPECT_EQ(c.Pixel(x, 6), clBlue);
    EXPECT_EQ(c.Pixel(x, 7), clRed);
    EXPECT_EQ(c.Pixel(x, 197), clRed);
  }
  document.YOffset = 0;
  fs::remove(StringToUtf8(path));
}

TEST_F(BlockPaintTest, UnrepeatedBackgroundSitsAtItsPosition) {
  const String path = WriteStripes("single");
  AddBlock(document, u"div", u"height: 100px; padding: 5px; background-color: lime; background-image: url(" + path +
                                 u"); background-repeat: no-repeat; background-position: 20px 30px");
  auto picture = Paint("background-single");
  TCanvas& c = picture->Canvas();
  // The position counts from the padding box's corner (0, 0).
  EXPECT_EQ(c.Pixel(25, 32), clRed);
  EXPECT_EQ(c.Pixel(29, 39), clBlue);
  EXPECT_EQ(c.Pixel(30, 39), clLime);
  EXPECT_EQ(c.Pixel(25, 40), clLime);
  EXPECT_EQ(c.Pixel(19, 32), clLime);
  fs::remove(StringToUtf8(path));
}

TEST_F(BlockPaintTest, OverflowHiddenClipsTheContent) {
  TBlock& box = AddBlock(document, u"div", u"overflow: hidden; width: 100px; height: 20px; background-color: yellow");
  AddBlock(*box.ContentCell, u"div", u"width: 200px; height: 50px; background-color: green");
  auto picture = Paint("overflow-hidden");
  TCanvas& c = picture->Canvas();
  EXPECT_EQ(c.Pixel(50, 10), clGreen);
  EXPECT_EQ(c.Pixel(150, 10), clWhite);
  EXPECT_EQ(c.Pixel(50, 30), clWhite);
}

TEST_F(BlockPaintTest, ListMarkersSitLeftOfTheContentOnTheBaseline) {
  TBlock& list = AddBlock(document, u"ul", u"margin: 0px");
  TBlockLI& disc = AddItem(*list.ContentCell, u"ul", 1, 1, 0);
  TBlockLI& circle = AddItem(*list.ContentCell, u"ul", 2, 1, 0);
  TBlockLI& square = AddItem(*list.ContentCell, u"ul", 3, 1, 0);
  TBlockLI& roman = AddItem(*list.ContentCell, u"ol", 1, 4, u'I');
  auto picture = Paint("list-markers");
  TCanvas& c = picture->Canvas();
  for (TBlockLI* item : {&disc, &circle, &square, &roman}) ASSERT_GT(item->FirstBaseline, 0);
  const int x = list.ContentLeft + disc.ContentLeft;  // every item's content edge
  EXPECT_EQ(c.Pixel(x - 13, disc.FirstBaseline - 3), clBlack);
  EXPECT_EQ(c.Pixel(x - 17, disc.FirstBaseline - 3), clWhite);
  EXPECT_EQ(c.Pixel(x - 16, circle.FirstBaseline - 5), clBlack);  // the ring
  EXPECT_EQ(c.Pixel(x - 13, circle.FirstBaseline - 5), clWhite);  // its open middle
  EXPECT_EQ(c.Pixel(x - 15, square.FirstBaseline - 6), clBlack);
  EXPECT_EQ(c.Pixel(x - 11, square.FirstBaseline - 2), clBlack);
  EXPECT_EQ(c.Pixel(x - 10, square.FirstBaseline - 2), clWhite);
  // "IV." ends 10 pixels left of the content edge.
  int inkLeft = SceneWidth, inkRight = -1;
  for (int y = roman.FirstBaseline - 12; y <= roman.FirstBaseline; ++y)
    for (int px = 0; px < x; ++px)
      if (c.Pixel(px, y) != clWhite) inkLeft = std::min(inkLeft, px), inkRight = std::max(inkRight, px);
  EXPECT_LT(inkRight, x - 10);
  EXPECT_GT(inkRight, x - 14);
  EXPECT_GT(inkLeft, 5);
}

TEST_F(BlockPaintTest, MarkerImageStandsOnTheBaseline) {
  const String path = WriteStripes("marker");
  TBlock& list = AddBlock(document, u"ul", u"margin: 0px");
  TBlockLI& item = AddItem(*list.ContentCell, u"ul", 1, 1, 0, u"list-style-image: url(" + path + u")");
  auto picture = Paint("list-marker-image");
  TCanvas& c = picture->Canvas();
  const int x = list.ContentLeft + item.ContentLeft;
  ASSERT_GT(item.FirstBaseline, 10);
  EXPECT_EQ(c.Pixel(x - 16, item.FirstBaseline - 10), clRed);
  EXPECT_EQ(c.Pixel(x - 7, item.FirstBaseline - 1), clBlue);
  EXPECT_EQ(c.Pixel(x - 6, item.FirstBaseline - 1), clWhite);
  EXPECT_EQ(c.Pixel(x - 16, item.FirstBaseline), clWhite);
  fs::remove(StringToUtf8(path));
}

TEST_F(BlockPaintTest, RuleIsShadedOrFilled) {
  TProperties& props = Push(u"hr", u"margin: 0px");
  TAttributeList attributes;
  attributes.Add(new TAttribute(49, 0, u"NOSHADE", u"", 1252));
  attributes.Add(new TAttribute(68, 6, u"SIZE", u"6", 1252));
  attributes.Add(new TAttribute(WidthAttrSy, 100, u"WIDTH", u"100", 1252));
  auto rule = std::make_unique<THRBlock>(&document, &attributes, &document, props);
  THRBlock& hr = *rule;
  document.AddSection(std::move(rule), 0);
  Pop();
  auto picture = Paint("rule");
  TCanvas& c = picture->Canvas();
  EXPECT_EQ(hr.Rule->RuleWidth, 100);
  EXPECT_EQ(hr.BoxAt(MarginLeft), 100);  // centred in 300
  EXPECT_EQ(c.Pixel(100, 0), clBlack);
  EXPECT_EQ(c.Pixel(199, 5), clBlack);
  EXPECT_EQ(c.Pixel(150, 3), clWhite);
  EXPECT_EQ(c.Pixel(200, 3), clWhite);
}

}  // namespace
