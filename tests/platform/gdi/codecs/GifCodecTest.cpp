#include <gtest/gtest.h>

#include "ImageOracle.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/codecs/GifCodec.h"

namespace {

const char* const kSourcePng = "/usr/share/doc/libpng-dev/examples/pngtest.png";

// GIFs shipped by a Debian package and made by netpbm, against netpbm's own decoder.
struct TGifCase {
  const char* name;
  const char* command;  // writes a GIF on stdout; SRC is a source PPM of at most 256 colours
};

class GifFromTool : public testing::TestWithParam<TGifCase> {};

TEST_P(GifFromTool, DecodesLikeGiftopnm) {
  TScratchFolder dir;
  std::string ppm = dir.PathOf("source.ppm");
  RunTool("pngtopam " + DebianFile(kSourcePng) + " | pnmquant 200 > " + ppm);
  std::string command = GetParam().command;
  if (auto at = command.find("SRC"); at != std::string::npos) command.replace(at, 3, ppm);
  std::string gifPath = dir.PathOf("test.gif");
  RunTool(command + " > " + gifPath);

  TDecodedGif gif = DecodeGif(ReadFileBytes(gifPath));
  EXPECT_EQ(gif.image.Format(), pf8bit);
  TTestPicture oracle = ReadPnm(RunTool("giftopnm " + gifPath));
  EXPECT_EQ(CountDifferent(oracle, PictureOf(gif.image)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, GifFromTool,
    testing::Values(TGifCase{"tkLogo", "cat /usr/share/tcltk/tk8.6/images/logo64.gif"},
                    TGifCase{"tkPhoto", "cat /usr/share/tcltk/tk8.6/images/tai-ku.gif"},
                    TGifCase{"plain", "pamtogif SRC"},
                    TGifCase{"interlaced", "pamtogif -interlace SRC"},
                    TGifCase{"smallTable", "pnmquant 4 SRC | pamtogif"}),
    [](const testing::TestParamInfo<TGifCase>& info) { return std::string(info.param.name); });

TEST(GifCodec, TransparentIndexIsReported) {
  TScratchFolder dir;
  std::string ppm = dir.Write("two.ppm", "P3 2 1 255 255 0 0 0 0 255\n");
  RunTool("pamtogif -transparent=rgb:00/00/ff " + ppm + " > " + dir.PathOf("out.gif"));
  TDecodedGif decoded = DecodeGif(ReadFileBytes(dir.PathOf("out.gif")));
  ASSERT_GE(decoded.transparentIndex, 0);
  EXPECT_EQ(decoded.image.GetIndex(1, 0), decoded.transparentIndex);
  EXPECT_NE(decoded.image.GetIndex(0, 0), decoded.transparentIndex);
}

// A 4 x 2 image placed at (1, 1) on a 6 x 4 screen whose background is entry 2 (netpbm
// shows the image alone, so the expectations are our own).
TEST(GifCodec, ImageSitsOnItsScreen) {
  std::string file("GIF89a", 6);
  file += std::string("\x06\x00\x04\x00\x81\x02\x00", 7);  // screen, global table of 4, background 2
  file += std::string("\x00\x00\x00\xff\xff\xff\x00\xff\x00\xff\x00\x00", 12);
  file += std::string("\x2c\x01\x00\x01\x00\x04\x00\x02\x00\x00", 10);  // image at 1,1 of 4 x 2
  // LZW, code size 2, 3-bit codes: (clear, 1, 1) four times for eight pixels of index 1, end.
  file += std::string("\x02\x05\x4c\x98\x30\x61\x52\x00\x3b", 9);
  TDecodedGif decoded = DecodeGif(file);
  ASSERT_EQ(decoded.image.Width(), 6);
  ASSERT_EQ(decoded.image.Height(), 4);
  EXPECT_EQ(decoded.image.GetRgb(0, 0), 0x00FF00u);
  EXPECT_EQ(decoded.image.GetRgb(1, 1), 0xFFFFFFu);
  EXPECT_EQ(decoded.image.GetRgb(4, 2), 0xFFFFFFu);
  EXPECT_EQ(decoded.image.GetRgb(5, 2), 0x00FF00u);
}

TEST(GifCodec, EncodedFileReadsBackInNetpbm) {
  TDibImage image(5, 3, pf24bit);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) image.SetRgb(x, y, uint32_t(x * 50) << 16 | uint32_t(y * 100) << 8 | 7);
  TScratchFolder dir;
  std::string path = dir.Write("out.gif", EncodeGif(image));
  EXPECT_EQ(CountDifferent(ReadPnm(RunTool("giftopnm " + path)), PictureOf(image)), 0);
  EXPECT_THROW(EncodeGif(TDibImage()), EInvalidGraphicOperation);
}

TEST(GifCodec, MalformedFilesRaise) {
  std::string good = ReadFileBytes(DebianFile("/usr/share/tcltk/tk8.6/images/logo64.gif"));
  std::string noTable("GIF89a\x02\x00\x02\x00\x00\x00\x00\x2c\x00\x00\x00\x00\x02\x00\x02\x00\x00\x02\x02\x44\x01\x00\x3b", 28);
  std::string noImage("GIF89a\x01\x00\x01\x00\x00\x00\x00\x3b", 14);
  for (const std::string& bad : {std::string(), std::string("GIF89a"), good.substr(0, good.size() / 2),
                                 good.substr(0, 20), noTable, noImage, std::string("PNG not a gif")})
    EXPECT_THROW(DecodeGif(bad), EInvalidGraphic) << bad.size();
}

}  // namespace
