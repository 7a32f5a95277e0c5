#include <gtest/gtest.h>

#include "ImageOracle.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/codecs/TiffCodec.h"

namespace {

const char* const kSourcePng = "/usr/share/qt6/doc/global/template/images/Qt-logo.png";  // RGBA

struct TTiffCase {
  const char* name;
  const char* command;  // writes a TIFF on stdout; SRC is the source PAM/PPM
  bool alpha;
};

class TiffFromTool : public testing::TestWithParam<TTiffCase> {};

TEST_P(TiffFromTool, DecodesLikeTifftopnm) {
  const TTiffCase& c = GetParam();
  TScratchFolder dir;
  std::string source = dir.PathOf("source.pam");
  RunTool("pngtopam -alphapam " + DebianFile(kSourcePng) + " > " + source);
  std::string command = c.command;
  command.replace(command.find("SRC"), 3, source);
  std::string tiffPath = dir.PathOf("test.tif");
  RunTool(command + " > " + tiffPath);

  TDecodedTiff tiff = DecodeTiff(ReadFileBytes(tiffPath));
  EXPECT_EQ(tiff.hasAlpha, c.alpha);
  TTestPicture oracle = ReadPnm(RunTool("tifftopnm " + tiffPath));
  EXPECT_EQ(CountDifferent(oracle, PictureOf(tiff.image)), 0);
  if (c.alpha) {
    // The alpha samples are those of the source PNG.
    TTestPicture png = ReadPnm(ReadFileBytes(source));
    int64_t diffs = 0;
    for (int y = 0; y < png.Height; ++y)
      for (int x = 0; x < png.Width; ++x) diffs += tiff.image.GetAlpha(x, y) != png.Alpha(x, y);
    EXPECT_EQ(diffs, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, TiffFromTool,
    testing::Values(TTiffCase{"plain", "pamtopnm SRC | pnmtotiff -none", false},
                    TTiffCase{"lzw", "pamtopnm SRC | pnmtotiff -lzw -predictor=2", false},
                    TTiffCase{"packbits", "pamtopnm SRC | pnmtotiff -packbits", false},
                    TTiffCase{"grey", "pamtopnm SRC | ppmtopgm | pnmtotiff -flate", false},
                    TTiffCase{"alpha", "pamtotiff -truecolor SRC", true}),
    [](const testing::TestParamInfo<TTiffCase>& info) { return std::string(info.param.name); });

// Tiled files, made from a strip file by tiffcp, decode to the pixels of the strip file.
TEST(TiffCodec, TiledFilesDecodeLikeTheirStripFiles) {
  TScratchFolder dir;
  const std::string source = dir.PathOf("source.pam");
  RunTool("pngtopam -alphapam " + DebianFile(kSourcePng) + " > " + source);
  const std::pair<const char*, const char*> strips[] = {
      {"palette", "pamtopnm SRC | pnmtotiff -none"},
      {"rgb", "pamtopnm SRC | pnmtotiff -truecolor -none"},
      {"grey", "pamtopnm SRC | ppmtopgm | pnmtotiff -none"},
      {"alpha", "pamtotiff -truecolor SRC"},
  };
  for (const auto& [name, command] : strips) {
    std::string make = command;
    make.replace(make.find("SRC"), 3, source);
    const std::string strip = dir.PathOf(std::string(name) + ".tif");
    RunTool(make + " > " + strip);
    const TDecodedTiff expected = DecodeTiff(ReadFileBytes(strip));
    for (const char* compression : {"none", "lzw"}) {
      const std::string tiled = dir.PathOf(std::string(name) + "-tiled-" + compression + ".tif");
      RunTool("tiffcp -t -w 16 -l 16 -c " + std::string(compression) + " " + strip + " " + tiled);
      ASSERT_NE(RunTool("tiffinfo " + tiled).find("Tile Width: 16"), std::string::npos);
      try {
        const TDecodedTiff tiles = DecodeTiff(ReadFileBytes(tiled));
        EXPECT_EQ(tiles.hasAlpha, expected.hasAlpha) << name << " " << compression;
        EXPECT_EQ(tiles.image, expected.image) << name << " " << compression;
      } catch (const EInvalidGraphic& e) {
        ADD_FAILURE() << name << " " << compression << ": " << e.what();
      }
    }
  }
  // Cut before its directory (tiffcp writes it after the tiles), a tiled file raises.
  const std::string tiled = ReadFileBytes(dir.PathOf("rgb-tiled-none.tif"));
  ASSERT_EQ(tiled.substr(0, 2), "II");
  const size_t directory = static_cast<uint8_t>(tiled[4]) | static_cast<uint8_t>(tiled[5]) << 8 |
                           static_cast<uint8_t>(tiled[6]) << 16 | static_cast<size_t>(static_cast<uint8_t>(tiled[7])) << 24;
  ASSERT_LT(directory, tiled.size());
  for (size_t n = 0; n <= directory; n += 101)
    EXPECT_THROW(DecodeTiff(tiled.substr(0, n)), EInvalidGraphic) << "length " << n;
}

TEST(TiffCodec, RoundTripsAndTifftopnmReadsOurFiles) {
  TDibImage image(9, 4, pf24bit);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) image.SetRgb(x, y, uint32_t(x * 28) << 16 | uint32_t(y * 60) << 8 | 0x33);
  std::string file = EncodeTiff(image);
  TDecodedTiff back = DecodeTiff(file);
  EXPECT_FALSE(back.hasAlpha);
  EXPECT_EQ(back.image, image);
  TScratchFolder dir;
  EXPECT_EQ(CountDifferent(ReadPnm(RunTool("tifftopnm " + dir.Write("out.tif", file))), PictureOf(image)), 0);
}

struct TCompressionCase {
  TTiffCompression compression;
  const char* scheme;  // as tiffinfo names it
  bool bilevel;
};

// Each compression is the one tiffinfo reports, with the resolution asked for; the pixels
// come back through libtiff unchanged, or in black and white split at half luminance.
TEST(TiffCodec, WritesEachCompressionAndResolution) {
  TDibImage image(21, 9, pf24bit);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 21; ++x) image.SetRgb(x, y, uint32_t(x * 12) << 16 | uint32_t(y * 28) << 8 | uint32_t(x * y));
  for (const TCompressionCase& c : {TCompressionCase{TTiffCompression::Deflate, "AdobeDeflate", false},
                                    TCompressionCase{TTiffCompression::Lzw, "LZW", false},
                                    TCompressionCase{TTiffCompression::PackBits, "PackBits", false},
                                    TCompressionCase{TTiffCompression::None, "None", false},
                                    TCompressionCase{TTiffCompression::CcittGroup3, "CCITT Group 3", true},
                                    TCompressionCase{TTiffCompression::CcittGroup4, "CCITT Group 4", true}}) {
    std::string file = EncodeTiff(image, c.compression, 120);
    TScratchFolder dir;
    std::string info = RunTool("tiffinfo " + dir.Write("out.tif", file));
    EXPECT_NE(info.find(std::string("Compression Scheme: ") + c.scheme + "\n"), std::string::npos) << c.scheme << info;
    EXPECT_NE(info.find("Resolution: 120, 120 pixels/inch"), std::string::npos) << c.scheme << info;
    TDibImage back = DecodeTiff(file).image;
    if (!c.bilevel) {
      EXPECT_EQ(back, image) << c.scheme;
      continue;
    }
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 21; ++x) {
        uint32_t rgb = image.GetRgb(x, y);
        int luminance = (299 * int(rgb >> 16) + 587 * int(rgb >> 8 & 0xFF) + 114 * int(rgb & 0xFF)) / 1000;
        EXPECT_EQ(back.GetRgb(x, y), luminance >= 128 ? 0xFFFFFFu : 0u) << c.scheme << " at " << x << "," << y;
      }
  }
}

TEST(TiffCodec, BrokenFilesRaise) {
  TDibImage image(9, 40, pf24bit);
  std::string file = EncodeTiff(image);
  for (size_t n = 0; n < file.size(); n += 5)
    EXPECT_THROW(DecodeTiff(file.substr(0, n)), EInvalidGraphic) << "length " << n;
  EXPECT_THROW(DecodeTiff("II*\0garbage"), EInvalidGraphic);
  EXPECT_THROW(EncodeTiff(TDibImage()), EInvalidGraphicOperation);
}

}  // namespace
