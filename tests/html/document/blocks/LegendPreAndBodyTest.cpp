#include <vector>

#include "html/document/blocks/BodyBlock.h"
#include "html/document/blocks/FieldsetBlock.h"
#include "html/document/blocks/HorzLine.h"
#include "html/document/blocks/PreFormated.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/TextTokens.h"
#include "platform/rtl/IntConvert.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/blocks/BlockFixture.h"

namespace {

using LegendPreAndBody = BlockFixture;

TEST_F(LegendPreAndBody, TallLegendSharesItsExcessBetweenPaddingAndMargin) {
  TFieldsetBlock& fieldset = AddBlock<TFieldsetBlock>(document, u"fieldset", u"margin: 10px");
  auto legend = std::make_unique<TFixedSection>(&document, 30);
  legend->MaxWidth = 60;
  fieldset.LegendCell->AddSection(std::move(legend), 0);
  AddFixed(*fieldset.ContentCell, 20);
  LayOut();
  // 30 - (10 + 1 + 10) = 9: 4 more padding, 5 more margin.
  EXPECT_EQ(fieldset.BoxAt(PaddingTop), 14);
  EXPECT_EQ(fieldset.BoxAt(MarginTop), 15);
  EXPECT_EQ(fieldset.ContentTop, 30);
  EXPECT_EQ(fieldset.BoxAt(BorderLeftStyle), bssSolid);
  EXPECT_EQ(fieldset.BoxAt(BorderLeftColor), 11709605);
  EXPECT_EQ(fieldset.ContentLeft, 21);

  TBitmap target(500, 120, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(TRect{0, 0, 500, 120});
  document.Draw(target.Canvas(), TRect{0, 0, 500, 120}, 500, 0, 0, 0, 0);
  // The top border (at Y 15) stops short of the legend and goes on after it.
  EXPECT_EQ(target.Canvas().Pixel(12, 15), TColor{11709605});
  EXPECT_EQ(target.Canvas().Pixel(40, 15), clWhite);
  EXPECT_EQ(target.Canvas().Pixel(100, 15), TColor{11709605});
}

TEST_F(LegendPreAndBody, SmallLegendChangesNothing) {
  TFieldsetBlock& fieldset = AddBlock<TFieldsetBlock>(document, u"fieldset", u"");
  fieldset.LegendCell->AddSection(std::make_unique<TFixedSection>(&document, 12), 0);
  LayOut();
  EXPECT_EQ(fieldset.BoxAt(MarginTop), 10);
  EXPECT_EQ(fieldset.BoxAt(PaddingTop), 10);
}

TEST_F(LegendPreAndBody, PreformattedTextNeverWraps) {
  TBlock& block = AddBlock(document, u"pre", u"width: 60px");
  TProperties& props = Push(u"pre");
  auto pre = std::make_unique<TPreFormated>(&document, nullptr, props, nullptr);
  Pop();
  TokenObj token;
  const String text = u"one  two   three four five six";
  for (size_t i = 0; i < text.size(); ++i) token.AppendChar(text[i], static_cast<int>(i));
  pre->AddTokenObj(token);
  TPreFormated& section = *pre;
  block.ContentCell->AddSection(std::move(pre), static_cast<int>(text.size()));
  EXPECT_EQ(section.Text, text + u" ");  // white space kept, one space appended
  int minWidth = 0, maxWidth = 0;
  section.MinMaxWidth(canvas, minWidth, maxWidth);
  EXPECT_GT(maxWidth, 60);
  EXPECT_EQ(minWidth, maxWidth);
  LayOut();
  EXPECT_EQ(section.Lines.size(), 1u);
}

// Every source line of a PRE is a section of its own; a blank line holds nothing but the
// final space and must still take a line's height, or the lines around it close up.
TEST_F(LegendPreAndBody, BlankPreformattedLineIsOneLineHigh) {
  TBlock& block = AddBlock(document, u"pre", u"");
  std::vector<TPreFormated*> lines;
  int source = 0;
  for (const String& text : {String(u"a"), String(), String(u"b")}) {
    TProperties& props = Push(u"pre");
    auto pre = std::make_unique<TPreFormated>(&document, nullptr, props, nullptr);
    Pop();
    TokenObj token;
    for (Char c : text) token.AppendChar(c, source++);
    if (token.Count > 0) pre->AddTokenObj(token);
    lines.push_back(pre.get());
    block.ContentCell->AddSection(std::move(pre), ++source);
  }
  LayOut();
  const int height = lines[0]->SectionHeight;
  ASSERT_GT(height, 0);
  EXPECT_EQ(lines[1]->SectionHeight, height);
  EXPECT_EQ(lines[2]->SectionTop, lines[0]->SectionTop + 2 * height);
  int minWidth = -1, maxWidth = -1;
  lines[1]->MinMaxWidth(canvas, minWidth, maxWidth);
  EXPECT_EQ(maxWidth, 0);
}

TEST_F(LegendPreAndBody, BodyTakesTheWidthLessItsMarginsAndLeavesTheBackgroundToTheDocument) {
  TBodyBlock& body = AddBlock<TBodyBlock>(document, u"body", u"margin: 8px; background-color: red; position: absolute");
  TBlock& child = AddBlock(*body.ContentCell, u"div", u"height: 20px; background-color: lime");
  LayOut(300);
  EXPECT_EQ(document.BackgroundColor, clRed);
  EXPECT_FALSE(body.IsAbsolute());
  EXPECT_EQ(body.ContentWidth, 284);
  EXPECT_EQ(body.ContentTop, 8);
  EXPECT_EQ(body.SectionHeight, 36);
  TBitmap target(300, 60, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(TRect{0, 0, 300, 60});
  document.Draw(target.Canvas(), TRect{0, 0, 300, 60}, 300, 0, 0, 0, 0);
  EXPECT_EQ(target.Canvas().Pixel(2, 2), clWhite);  // no body background
  EXPECT_EQ(child.BorderRect, (TRect{8, 8, 292, 28}));
  EXPECT_EQ(target.Canvas().Pixel(8, 8), clLime);
}

TEST_F(LegendPreAndBody, BodyBackgroundImageBecomesTheDocuments) {
  TBodyBlock& body = AddBlock<TBodyBlock>(
      document, u"body", u"background-image: url(paper.gif); background-position: 10px 20px; background-repeat: no-repeat");
  EXPECT_FALSE(body.BackgroundImage);
  EXPECT_EQ(document.BackgroundName, u"paper.gif");
  EXPECT_FALSE(document.BackgroundProcessed);
  EXPECT_EQ(document.BackgroundPosition[0].Value, 10);
  EXPECT_EQ(document.BackgroundPosition[1].Value, 20);
  EXPECT_FALSE(document.BackgroundPosition[0].Repeat);
  ThtDocument plain{nullptr, nullptr};
  TBodyBlock bare(&plain, nullptr, &plain, Push(u"body"));
  Pop();
  EXPECT_TRUE(plain.BackgroundName.empty());  // no image: the document keeps none
}

struct RuleCase {
  const char* Name;
  const char16_t* Size;
  const char16_t* Width;
  const char16_t* Align;
  int Height, RuleWidth, MarginLeft;
};

struct HorzLineTest : BlockFixture, ::testing::WithParamInterface<RuleCase> {};

TEST_P(HorzLineTest, SizeWidthAndAlignment) {
  const RuleCase& c = GetParam();
  TAttributeList attributes;
  auto add = [&](uint8_t symbol, const char16_t* name, const char16_t* value) {
    if (value) attributes.Add(new TAttribute(symbol, StrToIntDef(value, 0), name, value, 1252));
  };
  add(68, u"SIZE", c.Size);
  add(WidthAttrSy, u"WIDTH", c.Width);
  add(AlignAttrSy, u"ALIGN", c.Align);
  TProperties& props = Push(u"hr", u"margin-left: 0px; margin-right: 0px");
  auto rule = std::make_unique<THRBlock>(&document, &attributes, &document, props);
  Pop();
  THRBlock& hr = *rule;
  document.AddSection(std::move(rule), 0);
  LayOut(400);
  EXPECT_EQ(hr.Rule->RuleHeight, c.Height);
  EXPECT_EQ(hr.Rule->RuleWidth, c.RuleWidth);
  EXPECT_EQ(hr.BoxAt(MarginLeft), c.MarginLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HorzLineTest,
    ::testing::Values(RuleCase{"Defaults", nullptr, nullptr, nullptr, 2, 400, 0},
                      RuleCase{"SizeKept", u"7", nullptr, nullptr, 7, 400, 0},
                      RuleCase{"SizeTooLargeIgnored", u"25", nullptr, nullptr, 2, 400, 0},
                      RuleCase{"PixelWidthCentred", nullptr, u"100", nullptr, 2, 100, 150},
                      RuleCase{"PixelWidthRight", nullptr, u"100", u"right", 2, 100, 300},
                      RuleCase{"PixelWidthLeft", nullptr, u"100", u"LEFT", 2, 100, 0},
                      RuleCase{"PercentWidth", nullptr, u"50%", nullptr, 2, 200, 100},
                      RuleCase{"PercentOverHundredKeepsFullWidth", nullptr, u"150%", nullptr, 2, 400, 0},
                      RuleCase{"HugeWidthClampedToTheLine", nullptr, u"99999999999", nullptr, 2, 400, 0}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.Name); });

}  // namespace
