#include "html/foundation/layout/IndentManager.h"

#include <gtest/gtest.h>

namespace {
// A manager laid out at origin 10 in an area 500 wide, with a block as the current owner.
struct IndentFixture : ::testing::Test {
  TIndentManager m;
  int block = 0;
  void SetUp() override {
    m.BeginLayout(10, 500);
    m.CurrentOwner = &block;
  }
};

TEST_F(IndentFixture, EmptyManager) {
  for (int y : {0, 100, 100000}) {
    EXPECT_EQ(m.LeftAt(y), 0);
    EXPECT_EQ(m.RightAt(y), 500);
    EXPECT_EQ(m.LeftEdgeAt(y), 10);
    EXPECT_EQ(m.RightEdgeAt(y), 510);
  }
  EXPECT_EQ(m.LowestFloatBottom(), 0);
  EXPECT_EQ(m.NextFloatBottom(7), 7);
}

TEST_F(IndentFixture, FloatsNarrowTheirBand) {
  m.ReserveLeft(0, 100, 120);
  m.ReserveRight(50, 80, 100);
  struct {
    int Y, Left, Right;
  } cases[] = {{0, 120, 500}, {50, 120, 400}, {79, 120, 400}, {80, 120, 500}, {100, 0, 500}};
  for (const auto& c : cases) {
    EXPECT_EQ(m.LeftAt(c.Y), c.Left) << c.Y;
    EXPECT_EQ(m.RightAt(c.Y), c.Right) << c.Y;
  }
  m.CurrentOwner = nullptr;  // then the last float stands for the edge
  EXPECT_EQ(m.LeftAt(100), 120);
  EXPECT_EQ(m.RightAt(100), 620);
}

TEST_F(IndentFixture, FloatStacksOnTheEdgeAtItsTop) {
  m.ReserveLeft(0, 100, 120);
  EXPECT_EQ(m.ReserveLeft(20, 60, 30)->EdgeX, 150);
  EXPECT_EQ(m.LeftAt(30), 150);
  EXPECT_EQ(m.LeftAt(70), 120);
}

TEST_F(IndentFixture, BlocksCountOnlyForTheirOwner) {
  const int index = m.PushLeftBlock(40, 0);
  EXPECT_EQ(m.LeftAt(500), 40);
  int other = 0;
  m.CurrentOwner = &other;
  EXPECT_EQ(m.LeftAt(500), 0);
  m.CurrentOwner = &block;
  m.DropLeft(index);
  EXPECT_EQ(m.LeftAt(500), 0);
  EXPECT_EQ(m.PushRightBlock(450, 10), 0);
  EXPECT_EQ(m.RightAt(20), 450);
  EXPECT_EQ(m.LowestFloatBottom(), 0);  // blocks are no floats
}

TEST_F(IndentFixture, FloatLevels) {
  m.ReserveLeft(0, 100, 50);
  m.ReserveLeft(0, 200, 50);
  int left = -1, right = -1;
  m.ClearanceLevels(left, right);
  EXPECT_EQ(left, 201);
  EXPECT_EQ(right, 0);
  EXPECT_EQ(m.NextFloatBottom(150), 200);
  EXPECT_EQ(m.NextFloatBottom(50), 100);
  EXPECT_EQ(m.NextFloatBottom(250), 250);
  EXPECT_EQ(m.LowestFloatBottom(), 200);
}

TEST_F(IndentFixture, PlaceLeft) {
  m.ReserveLeft(0, 100, 300);
  struct {
    int Y, Width, Used, LineOffset;
    int ExpectedY, ExpectedX;
  } cases[] = {
      {0, 150, 0, 0, 0, 310},    // fits beside the float
      {0, 250, 0, 0, 100, 10},   // goes below it
      {0, 250, 0, 20, 100, 10},  // one line lower does not help
      {0, 150, 100, 20, 20, 310},  // fits once the line with 100 used is passed
  };
  for (const auto& c : cases) {
    int y = c.Y;
    EXPECT_EQ(m.PlaceLeft(y, c.Width, c.Used, c.LineOffset), c.ExpectedX) << c.Width << "/" << c.LineOffset;
    EXPECT_EQ(y, c.ExpectedY) << c.Width << "/" << c.LineOffset;
  }
}

TEST_F(IndentFixture, PlaceRight) {
  m.ReserveRight(0, 100, 300);
  m.ReserveLeft(0, 50, 100);
  struct {
    int Width;
    int ExpectedY, ExpectedX;
  } cases[] = {{100, 0, 110}, {150, 50, 60}, {250, 100, 260}};
  for (const auto& c : cases) {
    int y = 0;
    EXPECT_EQ(m.PlaceRight(y, c.Width, 0, 0), c.ExpectedX) << c.Width;
    EXPECT_EQ(y, c.ExpectedY) << c.Width;
  }
}

TEST_F(IndentFixture, PlacementStartsBelowTheLastFloatTop) {
  m.ReserveLeft(40, 60, 10);
  int y = 0;
  m.PlaceLeft(y, 10, 0, 0);
  EXPECT_EQ(y, 40);
}
}  // namespace
