// The comparison with reference pictures fails on a changed picture and leaves the actual and
// the difference picture for a person to look at; the switch rewrites references.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "tests/support/PictureReference.h"
#include "tests/support/TempDirectory.h"

namespace {

// 40 x 30: a colour ramp with a dark square, like a small drawing.
TTestPicture Drawing() {
  TTestPicture picture(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) picture.Set(x, y, uint32_t(x * 6) << 16 | uint32_t(y * 8) << 8 | 0x80);
  for (int y = 10; y < 20; ++y)
    for (int x = 5; x < 15; ++x) picture.Set(x, y, 0x101010);
  return picture;
}

// The drawing with `count` pixels along its diagonal brightened by `delta` in each channel.
TTestPicture Changed(int count, int delta) {
  TTestPicture picture = Drawing();
  for (int i = 0; i < count; ++i) {
    uint32_t p = picture.Rgb(i, i);
    uint32_t changed = 0;
    for (int shift : {0, 8, 16}) changed |= uint32_t(std::min(255, int(p >> shift & 0xFF) + delta)) << shift;
    picture.Set(i, i, changed);
  }
  return picture;
}

struct ReferenceFixture : ::testing::Test {
  TTempDirectory dir{"wendrel-pictures"};
  TPictureFolders folders{dir.PathOf("references"), dir.PathOf("output"), false};
  void SetUp() override { WritePictureFile(Drawing(), folders.References + "/area/drawing.png"); }
  bool Wrote(const std::string& suffix) const {
    return std::filesystem::exists(folders.Output + "/area/drawing." + suffix + ".png");
  }
};

struct CompareCase {
  const char* Name;
  TTestPicture Actual;
  TPictureTolerance Tolerance;
  bool Matches;
  friend void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.Name; }
};

class Comparisons : public ReferenceFixture, public ::testing::WithParamInterface<CompareCase> {};

TEST_P(Comparisons, FailOnlyBeyondTheToleranceAndThenLeaveThePictures) {
  const CompareCase& c = GetParam();
  ::testing::AssertionResult result = MatchesReference(c.Actual, "area/drawing", c.Tolerance, folders);
  EXPECT_EQ(bool(result), c.Matches) << result.message();
  EXPECT_EQ(Wrote("actual"), !c.Matches);
  EXPECT_EQ(Wrote("diff"), !c.Matches);
  if (!c.Matches) {
    EXPECT_EQ(ReadPictureFile(folders.Output + "/area/drawing.actual.png"), c.Actual);
    EXPECT_NE(std::string(result.message()).find("WENDREL_UPDATE_PICTURES=1"), std::string::npos);
  }
  EXPECT_EQ(ReadPictureFile(folders.References + "/area/drawing.png"), Drawing()) << "the reference stays";
}

TTestPicture Wider() { return TTestPicture(41, 30); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Comparisons,
    ::testing::Values(CompareCase{"Same", Drawing(), {}, true},
                      CompareCase{"OneChannelStepFails", Changed(1, 1), {}, false},
                      CompareCase{"WithinChannelTolerance", Changed(6, 4), {.Channel = 4}, true},
                      CompareCase{"BeyondChannelTolerance", Changed(6, 5), {.Channel = 4}, false},
                      CompareCase{"AsManyPixelsAsAllowed", Changed(6, 60), {.Channel = 4, .Pixels = 6}, true},
                      CompareCase{"OnePixelMoreThanAllowed", Changed(7, 60), {.Channel = 4, .Pixels = 6}, false},
                      CompareCase{"OtherSize", Wider(), {.Channel = 255, .Pixels = 2000}, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ReferenceFixture, DifferencePictureMarksTheChangedPixels) {
  EXPECT_FALSE(MatchesReference(Changed(3, 50), "area/drawing", {.Channel = 4}, folders));
  TTestPicture diff = ReadPictureFile(folders.Output + "/area/drawing.diff.png");
  ASSERT_EQ(diff.Width, 40);
  ASSERT_EQ(diff.Height, 30);
  int red = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) red += diff.Rgb(x, y) == 0xFF0000;
  EXPECT_EQ(red, 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(diff.Rgb(i, i), 0xFF0000u) << i;
  // Elsewhere the reference shows through, faded: the dark square darker than the ramp.
  uint32_t square = diff.Rgb(10, 15) & 0xFF, ramp = diff.Rgb(30, 5) & 0xFF;
  EXPECT_LT(square, ramp);
  EXPECT_GE(square, 160u);

  // Differences within the tolerance show apart from equal pixels; a size change shows as
  // magenta where only one picture has pixels.
  TTestPicture within = DifferencePicture(Drawing(), Changed(2, 3), 4);
  EXPECT_EQ(within.Rgb(1, 1), 0xFFA000u);
  TTestPicture sized = DifferencePicture(Drawing(), Wider());
  EXPECT_EQ(sized.Width, 41);
  EXPECT_EQ(sized.Rgb(40, 0), 0xFF00FFu);
}

TEST_F(ReferenceFixture, AMatchRemovesThePicturesOfAnEarlierFailure) {
  EXPECT_FALSE(MatchesReference(Changed(3, 50), "area/drawing", {}, folders));
  ASSERT_TRUE(Wrote("actual"));
  EXPECT_TRUE(MatchesReference(Drawing(), "area/drawing", {}, folders));
  EXPECT_FALSE(Wrote("actual"));
  EXPECT_FALSE(Wrote("diff"));
}

TEST_F(ReferenceFixture, AMissingReferenceFailsAndIsNotCreated) {
  ::testing::AssertionResult result = MatchesReference(Drawing(), "area/new", {}, folders);
  EXPECT_FALSE(result);
  EXPECT_NE(std::string(result.message()).find("no reference picture"), std::string::npos) << result.message();
  EXPECT_FALSE(std::filesystem::exists(folders.References + "/area/new.png"));
  EXPECT_EQ(ReadPictureFile(folders.Output + "/area/new.actual.png"), Drawing());
}

TEST_F(ReferenceFixture, TheSwitchRewritesTheReference) {
  folders.Rewrite = true;
  EXPECT_TRUE(MatchesReference(Changed(5, 80), "area/drawing", {}, folders));
  EXPECT_TRUE(MatchesReference(Drawing(), "area/new", {}, folders));
  EXPECT_EQ(ReadPictureFile(folders.References + "/area/drawing.png"), Changed(5, 80));
  EXPECT_EQ(ReadPictureFile(folders.References + "/area/new.png"), Drawing());
  folders.Rewrite = false;
  EXPECT_TRUE(MatchesReference(Changed(5, 80), "area/drawing", {}, folders));
  EXPECT_FALSE(MatchesReference(Drawing(), "area/drawing", {}, folders));
}

TEST(PictureDifferences, CountColourChannelsOnly) {
  TTestPicture a(3, 1), b(3, 1);
  b.Set(0, 0, 0xFFFFFF, 0);     // alpha aside
  b.Set(1, 0, 0xFFFFF0);        // blue 15 lower
  b.Set(2, 0, 0xE0FFFF);        // red 31 lower
  EXPECT_EQ(CountDifferent(a, b), 2);
  EXPECT_EQ(CountDifferent(a, b, 15), 1);
  EXPECT_EQ(CountDifferent(a, b, 31), 0);
  EXPECT_EQ(CountDifferent(a, TTestPicture(1, 3)), 4) << "every pixel and one more when the sizes differ";
}

}  // namespace
