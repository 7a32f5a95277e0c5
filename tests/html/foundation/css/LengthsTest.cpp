#include "html/foundation/css/Lengths.h"

#include <gtest/gtest.h>

#include "platform/rtl/Unicode.h"

#include "html/foundation/css/PropertyIndex.h"
#include "tests/support/CaseNames.h"

namespace {
struct LengthCase {
  const char16_t* Text;
  bool Relative;
  int Base;
  int Expected;
};

class LengthToPixelsTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LengthToPixelsTest, Converts) {
  const LengthCase& c = GetParam();
  // default -7, ex 8, em 16
  EXPECT_EQ(LengthToPixels(c.Text, c.Relative, c.Base, -7, 8, 16), c.Expected) << StringToUtf8(c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Units, LengthToPixelsTest,
    ::testing::Values(LengthCase{u"10px", false, 0, 10}, LengthCase{u"1.5em", false, 0, 24},
                      LengthCase{u"2ex", false, 0, 16}, LengthCase{u"50%", false, 300, 150},
                      LengthCase{u"2", false, 300, 2}, LengthCase{u"2", true, 300, 600},
                      LengthCase{u"1in", false, 0, 96}, LengthCase{u"2.54cm", false, 0, 96},
                      LengthCase{u"25.4mm", false, 0, 96}, LengthCase{u"12pt", false, 0, 16},
                      LengthCase{u"1pc", false, 0, 16}, LengthCase{u"abc", false, 0, -7},
                      LengthCase{u"", false, 0, -7}, LengthCase{u"12qq", false, 0, -7},
                      LengthCase{u"2.5px", false, 0, 2}, LengthCase{u"3.5px", false, 0, 4},
                      LengthCase{u"-2.5px", false, 0, -2}, LengthCase{u".5em", false, 0, 8},
                      LengthCase{u"1e1px", false, 0, 10}, LengthCase{u"10 px", false, 0, 10},
                      LengthCase{u"1e400px", false, 0, 65535}, LengthCase{u"-1e9px", false, 0, -65535},
                      LengthCase{u"1e9%", false, 300, 65535}, LengthCase{u"1e30em", false, 0, 65535},
                      LengthCase{u"65535px", false, 0, 65535}, LengthCase{u"65536px", false, 0, 65535},
                      LengthCase{u"-", false, 0, -7},
                      LengthCase{u".", false, 0, -7}),
    [](const auto& info) {
      return CaseName(StringToUtf8(info.param.Text) + (info.param.Relative ? "_relative" : ""), info.index);
    });

TEST(SplitNumberUnit, ExponentOnlyWithDigits) {
  long double n;
  String unit;
  ASSERT_TRUE(SplitNumberUnit(u"3ex", n, unit));
  EXPECT_EQ(n, 3);
  EXPECT_EQ(unit, u"ex");
  ASSERT_TRUE(SplitNumberUnit(u"2e-1em", n, unit));
  EXPECT_NEAR(static_cast<double>(n), 0.2, 1e-12);
  EXPECT_EQ(unit, u"em");
  EXPECT_FALSE(SplitNumberUnit(u"em", n, unit));
}

TEST(ValueToPixels, ByKind) {
  EXPECT_EQ(ValueToPixels(TPropValue(String(u"5px")), false, 0, 9, 0, 0), 5);
  EXPECT_EQ(ValueToPixels(TPropValue(int32_t{12}), false, 0, 9, 0, 0), 12);
  EXPECT_EQ(ValueToPixels(TPropValue(UnsetSentinel), false, 0, 9, 0, 0), 9);
  EXPECT_EQ(ValueToPixels(TPropValue(), false, 0, 9, 0, 0), 9);
  EXPECT_TRUE(EqualsUnsetSentinel(TPropValue(UnsetSentinel)));
  EXPECT_FALSE(EqualsUnsetSentinel(TPropValue(String(u"-12345678"))));
}

TEST(UrlFromCssValue, Forms) {
  struct {
    const char16_t* Text;
    const char16_t* Url;
  } cases[] = {
      {u"url(a.png)", u"a.png"},
      {u"url(  \"my file.png\" ) x", u"my file.png"},
      {u"url('it''s')", u"it"},
      {u"url(a(1).png)", u"a(1).png"},
      {u"url(a b)", u"a"},
      {u"none", u""},
      {u"url(\"unclosed", u"unclosed"},
  };
  for (const auto& c : cases) EXPECT_EQ(UrlFromCssText(c.Text), c.Url) << StringToUtf8(c.Text);
  EXPECT_EQ(UrlFromCssValue(TPropValue(int32_t{1})), u"");
}
}  // namespace
