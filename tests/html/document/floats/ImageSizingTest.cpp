#include <gtest/gtest.h>

#include <climits>

#include "html/document/floats/ImageSizing.h"

namespace {
TEST(ImageSizing, EveryCombinationOfSpecifiedSizes) {
  struct Case {
    const char* what;
    TImageSizeRequest request;
    int width, height;
    bool fixed;
  } cases[] = {
      // image w, h; given w, h; w%, h%; room w, h
      {"own size", {200, 50, -1, -1, false, false, 400, 300}, 200, 50, true},
      {"both given", {200, 50, 30, 70, false, false, 400, 300}, 30, 70, true},
      {"height only keeps aspect", {200, 50, -1, 100, false, false, 400, 300}, 400, 100, true},
      {"width only keeps aspect", {200, 50, 100, -1, false, false, 400, 300}, 100, 25, true},
      {"aspect rounds halves away", {3, 1, -1, 1, false, false, 0, 0}, 3, 1, true},
      {"aspect rounds to nearest", {200, 3, 100, -1, false, false, 0, 0}, 100, 2, true},
      {"width percent, height in aspect", {200, 50, 50, -1, true, false, 400, 300}, 200, 50, false},
      {"width percent, height percent", {200, 50, 50, 10, true, true, 400, 300}, 200, 30, false},
      {"width percent, height pixels", {200, 50, 25, 80, true, false, 400, 300}, 100, 80, false},
      {"height percent, width in aspect", {200, 50, -1, 50, false, true, 400, 300}, 600, 150, false},
      {"height percent, width pixels", {200, 50, 33, 50, false, true, 400, 300}, 33, 150, false},
      {"percent of odd room rounds", {10, 10, 50, -1, true, false, 401, 0}, 201, 201, false},
      // Nothing divides by zero.
      {"image of width 0, height given", {0, 50, -1, 100, false, false, 400, 300}, 0, 100, true},
      {"image of height 0, width given", {200, 0, 100, -1, false, false, 400, 300}, 100, 0, true},
      {"empty image, width percent", {0, 0, 50, -1, true, false, 400, 300}, 200, 0, false},
      {"empty image, height percent", {0, 0, -1, 50, false, true, 400, 300}, 0, 150, false},
      {"zero room", {200, 50, 50, -1, true, false, 0, 0}, 0, 0, false},
      {"negative room", {200, 50, 50, 50, true, true, -20, -8}, 0, 0, false},
      // Products beyond 32 bits are clamped.
      {"huge aspect", {1, INT_MAX, 100000, -1, false, false, 0, 0}, 100000, INT_MAX, true},
      {"huge room", {2, 1, 100, -1, true, false, INT_MAX, 0}, INT_MAX, INT_MAX / 2 + 1, false},
  };
  for (const Case& c : cases) {
    const TImageSize size = ComputeImageSize(c.request);
    EXPECT_EQ(size.Width, c.width) << c.what;
    EXPECT_EQ(size.Height, c.height) << c.what;
    EXPECT_EQ(size.Fixed, c.fixed) << c.what;
  }
}

TEST(ImageSizing, ScaleClamped) {
  EXPECT_EQ(ScaleClamped(5, 3, 0), 0);
  EXPECT_EQ(ScaleClamped(5, 1, 2), 3);   // 2.5 away from zero
  EXPECT_EQ(ScaleClamped(7, 1, 2), 4);   // 3.5
  EXPECT_EQ(ScaleClamped(INT64_MAX, INT64_MAX, 1), INT_MAX);
  EXPECT_EQ(ScaleClamped(-5, 3, 1), 0);
}
}  // namespace
