// Placing chart labels and marks so that they do not run into each other.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "platform/chart/LabelLayout.h"

namespace {

struct PlacementCase {
  const char* name;
  std::vector<int> widths;
  double slot;
  TLabelPlacement expected;
  friend void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }
};

class LabelPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(LabelPlacement, StraightWhenTheyFitThenStaggeredThenTurned) {
  EXPECT_EQ(ChooseLabelPlacement(GetParam().widths, GetParam().slot, 6), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelPlacement,
    ::testing::Values(PlacementCase{"None", {}, 0, TLabelPlacement::Straight},
                      PlacementCase{"One", {300}, 40, TLabelPlacement::Straight},
                      PlacementCase{"NarrowInWideSlots", {30, 40, 30}, 50, TLabelPlacement::Straight},
                      // 35 + 6 = 41 > 40: neighbours would come too near; every other one fits.
                      PlacementCase{"JustTooNear", {30, 40, 30}, 40, TLabelPlacement::Staggered},
                      PlacementCase{"OneWideBetweenNarrow", {20, 70, 20, 20}, 50, TLabelPlacement::Staggered},
                      // Two wide labels two slots apart need more than two slots.
                      PlacementCase{"WideEveryOther", {100, 10, 100}, 50, TLabelPlacement::Rotated},
                      PlacementCase{"EightNetworksNarrow", {95, 45, 55, 25, 40, 30, 45, 40}, 30,
                                    TLabelPlacement::Rotated}),
    [](const auto& info) { return std::string(info.param.name); });

struct SpreadCase {
  const char* name;
  std::vector<TRect> boxes;
  int top, bottom;
  std::vector<TRect> expected;
  friend void PrintTo(const SpreadCase& c, std::ostream* os) { *os << c.name; }
};

class Spread : public ::testing::TestWithParam<SpreadCase> {};

TEST_P(Spread, MovesOverlappingBoxesApartKeepingTheirOrder) {
  std::vector<TRect> boxes = GetParam().boxes;
  SpreadVertically(boxes, 2, GetParam().top, GetParam().bottom);
  EXPECT_EQ(boxes, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Spread,
    ::testing::Values(
        SpreadCase{"ApartStayPut", {{0, 0, 10, 10}, {0, 20, 10, 30}}, 0, 100, {{0, 0, 10, 10}, {0, 20, 10, 30}}},
        // The lower of two overlapping boxes goes down; the order of the vector stays.
        SpreadCase{"LowerMovesDown", {{5, 15, 15, 25}, {0, 10, 10, 20}}, 0, 100, {{5, 22, 15, 32}, {0, 10, 10, 20}}},
        SpreadCase{"AboveTopComesDown", {{0, -5, 10, 5}}, 0, 100, {{0, 0, 10, 10}}},
        // A pile at the bottom edge goes up as far as needed.
        SpreadCase{"PileAtTheBottomGoesUp",
                   {{0, 90, 10, 100}, {0, 92, 10, 102}, {0, 94, 10, 104}},
                   0,
                   100,
                   {{0, 66, 10, 76}, {0, 78, 10, 88}, {0, 90, 10, 100}}},
        // More than fits: they stay apart from the top down and hang below.
        SpreadCase{"TooManyHangBelow",
                   {{0, 0, 10, 10}, {0, 1, 10, 11}, {0, 2, 10, 12}},
                   0,
                   20,
                   {{0, 0, 10, 10}, {0, 12, 10, 22}, {0, 24, 10, 34}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
