#include "html/document/blocks/ListItem.h"
#include "html/document/blocks/ListMarkers.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/document/blocks/BlockFixture.h"

namespace {

struct MarkerCase {
  int Style;
  int32_t Number;
  const char* Text;
};

class ListMarkerTextTest : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(ListMarkerTextTest, CountsInTheStyle) {
  EXPECT_EQ(StringToUtf8(ListMarkerText(GetParam().Style, GetParam().Number)), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Markers, ListMarkerTextTest,
    ::testing::Values(MarkerCase{ListDecimal, 7, "7"}, MarkerCase{ListDecimal, -3, "-3"},
                      MarkerCase{ListLowerAlpha, 1, "a"}, MarkerCase{ListLowerAlpha, 26, "z"},
                      MarkerCase{ListLowerAlpha, 27, "aa"}, MarkerCase{ListLowerAlpha, 28, "ab"},
                      MarkerCase{ListUpperAlpha, 52, "AZ"}, MarkerCase{ListUpperAlpha, 702, "ZZ"},
                      MarkerCase{ListUpperAlpha, 703, "AAA"}, MarkerCase{ListLowerAlpha, 0, "0"},
                      MarkerCase{ListLowerAlpha, -5, "-5"}, MarkerCase{ListUpperRoman, 4, "IV"},
                      MarkerCase{ListUpperRoman, 30, "XXX"}, MarkerCase{ListLowerRoman, 1994, "mcmxciv"},
                      MarkerCase{ListUpperRoman, 3999, "MMMCMXCIX"}, MarkerCase{ListUpperRoman, 4000, "4000"},
                      MarkerCase{ListLowerRoman, 0, "0"}, MarkerCase{ListLowerRoman, -1, "-1"},
                      MarkerCase{ListLowerAlpha, 2147483647, "fxshrxw"}));

struct ItemCase {
  const char* Name;
  const char16_t* ListTag;
  int Level;
  Char Type;
  bool Plain;
  const char16_t* Style;
  uint8_t Kind;
  uint8_t ListStyle;
  int LeftMargin;
};

struct ListItemTest : BlockFixture, ::testing::WithParamInterface<ItemCase> {};

TEST_P(ListItemTest, KindStyleAndLeftMargin) {
  const ItemCase& c = GetParam();
  TProperties& props = Push(u"li", c.Style);
  auto item = std::make_unique<TBlockLI>(&document, nullptr, c.Level, 1, c.Type, c.Plain, c.ListTag, &document, props);
  Pop();
  TBlockLI& li = *item;
  document.AddSection(std::move(item), 0);
  LayOut();
  EXPECT_EQ(li.ListKind, c.Kind);
  EXPECT_EQ(li.ListStyle, c.ListStyle);
  EXPECT_EQ(li.ContentLeft, c.LeftMargin);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ListItemTest,
    ::testing::Values(ItemCase{"OrderedDecimal", u"ol", 1, 0, false, u"", 1, ListDecimal, 40},
                      ItemCase{"OrderedUpperRoman", u"ol", 1, u'I', false, u"", 1, ListUpperRoman, 40},
                      ItemCase{"OrderedLowerRoman", u"ol", 1, u'i', false, u"", 1, ListLowerRoman, 40},
                      ItemCase{"OrderedUpperAlpha", u"ol", 1, u'A', false, u"", 1, ListUpperAlpha, 40},
                      ItemCase{"OrderedLowerAlpha", u"ol", 1, u'a', false, u"", 1, ListLowerAlpha, 40},
                      ItemCase{"FirstLevelDisc", u"ul", 1, 0, false, u"", 2, ListDisc, 40},
                      ItemCase{"SecondLevelCircle", u"ul", 2, 0, false, u"", 2, ListCircle, 40},
                      ItemCase{"ThirdLevelSquare", u"ul", 3, 0, false, u"", 2, ListSquare, 40},
                      ItemCase{"PlainListNoBullets", u"ul", 1, 0, true, u"", 2, ListNone, 0},
                      ItemCase{"MenuIsUnordered", u"menu", 4, 0, false, u"", 2, ListDisc, 40},
                      ItemCase{"DefinitionList", u"dl", 1, 0, false, u"", 3, 0, 0},
                      ItemCase{"OutsideAList", u"div", 1, 0, false, u"", 4, ListDisc, 16},
                      ItemCase{"StyleSheetWins", u"ul", 1, 0, false, u"list-style-type: upper-roman", 2, ListUpperRoman, 40},
                      ItemCase{"GivenMarginKept", u"ol", 1, 0, false, u"margin-left: 12px", 1, ListDecimal, 12}),
    [](const ::testing::TestParamInfo<ItemCase>& info) { return std::string(info.param.Name); });

}  // namespace
