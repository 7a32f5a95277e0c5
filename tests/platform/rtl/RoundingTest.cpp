#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/Rounding.h"

namespace {

TEST(Round, TiesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    int64_t expected;
  };
  const Case cases[] = {
      {0.5, 0},   {1.5, 2},    {2.5, 2},     {3.5, 4},    {-0.5, 0},     {-1.5, -2}, {-2.5, -2},
      {2.4999999, 2}, {2.5000001, 3}, {-2.5000001, -3}, {0.49999999999999994, 0},
      {12.5, 12}, {13.5, 14},  {1e15 + 0.5, 1000000000000000}, {4503599627370497.0, 4503599627370497},
      // 0.125 * 100 and 0.375 * 100 are exact ties: two decimals of 0.125 is 0.12, of 0.375 is 0.38.
      {0.125 * 100, 12}, {0.375 * 100, 38},
  };
  for (const auto& c : cases) EXPECT_EQ(Round(c.value), c.expected) << "Round(" << c.value << ")";
}

TEST(Trunc, CutsTowardsZero) {
  EXPECT_EQ(Trunc(2.9), 2);
  EXPECT_EQ(Trunc(-2.9), -2);
  EXPECT_EQ(Trunc(-0.1), 0);
  EXPECT_EQ(Trunc(-9223372036854775808.0), std::numeric_limits<int64_t>::min());
}

TEST(Frac, KeepsTheSign) {
  EXPECT_DOUBLE_EQ(Frac(1.25), 0.25);
  EXPECT_DOUBLE_EQ(Frac(-1.25), -0.25);
  EXPECT_EQ(Frac(3.0), 0.0);
}

TEST(RoundAndTrunc, ValuesWithoutAnIntegerRaiseInvalidOp) {
  for (double v : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   9223372036854775808.0, -1e19, 1e300}) {
    EXPECT_THROW(Round(v), EInvalidOp) << v;
    EXPECT_THROW(Trunc(v), EInvalidOp) << v;
  }
  try {
    Round(std::nan(""));
  } catch (const EInvalidOp& e) {
    EXPECT_EQ(e.Message(), u"Ungültige Gleitkommaoperation");
  }
}

}  // namespace
