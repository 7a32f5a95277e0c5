#include <gtest/gtest.h>

#include "ImageOracle.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/codecs/PngCodec.h"

namespace {

// PNGs of installed Debian packages, and one that pnmtopng writes interlaced.
struct TPngCase {
  const char* name;
  const char* command;  // writes a PNG on stdout
  bool hasAlpha;
};

class PngFile : public testing::TestWithParam<TPngCase> {};

TEST_P(PngFile, DecodesLikePngtopam) {
  TScratchFolder dir;
  std::string path = dir.PathOf("test.png");
  RunTool(std::string(GetParam().command) + " > " + path);
  TDecodedPng png = DecodePng(ReadFileBytes(path));
  TTestPicture oracle = ReadPnm(RunTool("pngtopam -alphapam " + path));
  ASSERT_EQ(png.image.Width(), oracle.Width);
  ASSERT_EQ(png.image.Height(), oracle.Height);
  EXPECT_EQ(png.hasAlpha, GetParam().hasAlpha);
  int64_t colourDiffs = 0, alphaDiffs = 0;
  for (int y = 0; y < oracle.Height; ++y)
    for (int x = 0; x < oracle.Width; ++x) {
      if (png.image.GetAlpha(x, y) != oracle.Alpha(x, y)) ++alphaDiffs;
      // A fully transparent pixel has no colour worth comparing.
      if (oracle.Alpha(x, y) != 0 && png.image.GetRgb(x, y) != oracle.Rgb(x, y)) ++colourDiffs;
    }
  EXPECT_EQ(colourDiffs, 0);
  EXPECT_EQ(alphaDiffs, 0);
}

#define QT_IMAGES "/usr/share/qt6/doc/global/template/images/"
#define CMAKE_IMAGES "/usr/share/cmake-3.25/Templates/Windows/"
INSTANTIATE_TEST_SUITE_P(
    Files, PngFile,
    testing::Values(TPngCase{"rgba", "cat " CMAKE_IMAGES "ApplicationIcon.png", true},
                    TPngCase{"paletteWithTrns", "cat " CMAKE_IMAGES "Logo.png", true},
                    TPngCase{"twoBitPalette", "cat " CMAKE_IMAGES "SplashScreen.png", true},
                    TPngCase{"greyAlpha", "cat " CMAKE_IMAGES "SmallLogo.png", true},
                    TPngCase{"rgb", "cat " QT_IMAGES "arrow_down.png", false},
                    TPngCase{"interlaced", "pngtopam " QT_IMAGES "Qt-logo.png | pnmtopng -interlace", false}),
    [](const testing::TestParamInfo<TPngCase>& info) { return std::string(info.param.name); });

TDibImage Gradient(TPixelFormat format) {
  TDibImage image(13, 5, format);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x) {
      image.SetRgb(x, y, uint32_t(x * 19) << 16 | uint32_t(y * 50) << 8 | uint32_t(255 - x * 7));
      if (format == pf32bit) image.ScanLine(y)[4 * x + 3] = uint8_t(x * 20);
    }
  return image;
}

TEST(PngCodec, RoundTripsWithAndWithoutAlpha) {
  for (bool alpha : {false, true}) {
    TDibImage image = Gradient(alpha ? pf32bit : pf24bit);
    std::string file = EncodePng(image, alpha);
    TDecodedPng back = DecodePng(file);
    EXPECT_EQ(back.hasAlpha, alpha);
    EXPECT_EQ(back.image, image);

    TScratchFolder dir;
    TTestPicture oracle = ReadPnm(RunTool("pngtopam -alphapam " + dir.Write("out.png", file)));
    EXPECT_EQ(CountDifferent(oracle, PictureOf(image)), 0);
    for (int x = 0; x < 13; ++x) EXPECT_EQ(oracle.Alpha(x, 2), alpha ? x * 20 : 255);
  }
}

TEST(PngCodec, IndexedImagesAreWrittenInColour) {
  TDibImage image(3, 1, pf4bit);
  image.SetIndex(0, 0, 9);
  image.SetIndex(2, 0, 14);
  TDecodedPng back = DecodePng(EncodePng(image, false));
  EXPECT_EQ(back.image.GetRgb(0, 0), 0xFF0000u);
  EXPECT_EQ(back.image.GetRgb(1, 0), 0x000000u);
  EXPECT_EQ(back.image.GetRgb(2, 0), 0x00FFFFu);
}

TEST(PngCodec, BrokenFilesRaise) {
  std::string file = EncodePng(Gradient(pf24bit), false);
  // Every cut into the signature, the header or the image data raises; only the closing
  // IEND chunk (12 bytes) may be missing, as the pixels are all there.
  for (size_t n = 0; n + 12 < file.size(); n += 3)
    EXPECT_THROW(DecodePng(file.substr(0, n)), EInvalidGraphic) << "length " << n;
  std::string corrupt = file;
  corrupt[file.size() / 2] ^= 0x55;  // breaks the deflate stream or its checksum
  EXPECT_THROW(DecodePng(corrupt), EInvalidGraphic);
  EXPECT_THROW(DecodePng("not a png"), EInvalidGraphic);
  // A chunk that claims more bytes than the file holds is refused before libpng would
  // allocate them.
  std::string huge = file;
  huge.replace(33, 4, "\x7F\xFF\xFF\xF0");  // length of the chunk after IHDR
  EXPECT_THROW(DecodePng(huge), EInvalidGraphic);
  EXPECT_THROW(EncodePng(TDibImage(), false), EInvalidGraphicOperation);
}

TEST(PngCodec, SizeIsCheckedBeforeThePixelsAreAllocated) {
  std::string file = EncodePng(Gradient(pf24bit), false);  // 13 x 5 = 65 pixels
  int64_t previous = SetImagePixelBudget(64);
  EXPECT_THROW(DecodePng(file), EInvalidGraphic);
  SetImagePixelBudget(previous);
  EXPECT_NO_THROW(DecodePng(file));
}

}  // namespace
