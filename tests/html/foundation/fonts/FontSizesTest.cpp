#include "html/foundation/fonts/FontSizes.h"

#include <gtest/gtest.h>

#include "html/foundation/globals/EngineSettings.h"
#include "platform/rtl/Unicode.h"

namespace {
struct FontSizesFixture : ::testing::Test {
  ScopedEngineSettings settings;  // the tables of a 12-point default, whatever the tests change
};

TEST_F(FontSizesFixture, TablesScaleWithDefaultSize) {
  const double html[] = {8, 10, 12, 14, 18, 24, 36}, pre[] = {7, 8, 10, 12, 15, 20, 30};
  for (size_t i = 1; i <= 7; ++i) {
    EXPECT_DOUBLE_EQ(EngineSettings().HtmlFontSizes[i], html[i - 1]);
    EXPECT_DOUBLE_EQ(EngineSettings().PreHtmlFontSizes[i], pre[i - 1]);
  }
  SetFontSizeTables(10);
  const double ten[] = {20.0 / 3, 25.0 / 3, 10, 35.0 / 3, 15, 20, 30};
  for (size_t i = 1; i <= 7; ++i) EXPECT_NEAR(EngineSettings().HtmlFontSizes[i], ten[i - 1], 1e-9);
}

TEST_F(FontSizesFixture, ToPoints) {
  struct {
    const char16_t* Text;
    bool Quirks;
    double Parent, Expected;
  } cases[] = {
      {u"medium", false, 10, 12},  {u"medium", true, 10, 14},    {u"x-small", false, 10, 8},
      {u"xx-small", false, 10, 8}, {u"xx-large", true, 10, 36},  {u"xx-large", false, 10, 36},
      {u"small", true, 10, 12},    {u"12px", false, 10, 9},      {u"16", false, 10, 12},
      {u"150%", false, 10, 15},    {u"2em", false, 10, 20},      {u"2ex", false, 10, 10},
      {u"1in", false, 10, 72},     {u"1pc", false, 10, 12},      {u"7pt", false, 10, 7},
      {u"3qq", false, 10, 12},     {u"inherit", false, 10, 12},  {u"", false, 10, 12},
      {u"larger", false, 12, 14},  {u"smaller", false, 12, 10},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(FontSizeToPoints(c.Text, c.Quirks, c.Parent), c.Expected, 1e-9) << StringToUtf8(c.Text);
}

TEST_F(FontSizesFixture, Steps) {
  struct {
    int Step;
    double Size, Expected;
  } cases[] = {
      {+1, 12, 14},        {-1, 12, 10},           {-1, 8, 6.4},      {+1, 36, 54},
      {+1, 20, 24.0 * 20 / 18}, {+1, 16, 16 * 18.0 / 14}, {-1, 5, 5 * 8.0 / 10}, {+1, 100, 150},
  };
  for (const auto& c : cases) EXPECT_NEAR(FontSizeStep(c.Step, c.Size), c.Expected, 1e-9) << c.Size;
}
}  // namespace
