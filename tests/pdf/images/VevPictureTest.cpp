#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ImageTestTools.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/codecs/ImageFormat.h"
#include "platform/gdi/codecs/JpegImage.h"
#include "platform/rtl/Streams.h"
#include "pdf/images/VevPicture.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/support/TempDirectory.h"

namespace {

const char* const kSourcePng = "/usr/share/doc/libpng-dev/examples/pngtest.png";

void Load(TVevPicture& picture, const std::string& bytes) {
  TStringStream stream(bytes);
  picture.LoadFromStream(stream);
}

std::string Saved(TGraphic& picture) {
  TStringStream stream;
  picture.SaveToStream(stream);
  return stream.DataString();
}

// A PPM of the Debian PNG, 8 bits per sample, for the tools to turn into other formats.
std::string SourcePpm(const TTempDirectory& dir) {
  std::string ppm = dir.PathOf("source.ppm");
  RunTool("pngtopam " + std::string(kSourcePng) + " 2>/dev/null | pamdepth 255 > " + ppm);
  return ppm;
}

// -------- files of every format: decoded like the format's own tool, saved unchanged

struct TFileCase {
  const char* name;
  const char* make;    // writes the file on stdout; SRC is the source PPM
  const char* oracle;  // writes the pixels of FILE as PNM
  TVevImageFormat format;
  int tolerance;
};

void PrintTo(const TFileCase& c, std::ostream* os) { *os << c.name; }

class PictureFiles : public testing::TestWithParam<TFileCase> {};

TEST_P(PictureFiles, DecodedLikeTheToolAndSavedUnchanged) {
  const TFileCase& c = GetParam();
  TTempDirectory dir;
  std::string make = c.make;
  if (auto at = make.find("SRC"); at != std::string::npos) make.replace(at, 3, SourcePpm(dir));
  RunTool(make + " > " + dir.PathOf("file"));
  std::string file = dir.ReadFile("file");

  TVevPicture picture;
  Load(picture, file);
  EXPECT_FALSE(picture.Empty());
  EXPECT_FALSE(picture.FromBitmap());
  EXPECT_EQ(picture.RawFormat(), c.format);
  std::string oracleCommand = c.oracle;
  oracleCommand.replace(oracleCommand.find("FILE"), 4, dir.PathOf("file") + " 2>/dev/null");
  TTestPicture oracle = ReadPnm(RunTool(oracleCommand));
  EXPECT_EQ(CountDifferent(oracle, PictureOf(picture.Bitmap().Image()), c.tolerance), 0);
  EXPECT_TRUE(Saved(picture) == file);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureFiles,
    testing::Values(
        TFileCase{"debianPng", "cat /usr/share/doc/libpng-dev/examples/pngtest.png", "pngtopam FILE | pamdepth 255",
                  vifPng, 4},
        TFileCase{"debianJpeg", "cat /usr/share/qt6/doc/global/template/images/Qt-header-bg.jpg", "djpeg -pnm FILE", vifJpeg,
                  0},
        TFileCase{"debianGif", "cat /usr/share/tcltk/tk8.6/images/pwrdLogo75.gif", "giftopnm FILE", vifGif, 0},
        TFileCase{"progressiveJpeg", "cjpeg -progressive SRC", "djpeg -pnm FILE", vifJpeg, 0},
        TFileCase{"interlacedGif", "pnmquant 100 SRC 2>/dev/null | pamtogif -interlace", "giftopnm FILE", vifGif, 0},
        TFileCase{"lzwTiff", "pamtotiff -lzw SRC", "tifftopnm FILE", vifTiff, 0},
        TFileCase{"bmp", "ppmtobmp SRC 2>/dev/null", "bmptopnm FILE", vifBmp, 0}),
    [](const testing::TestParamInfo<TFileCase>& info) { return std::string(info.param.name); });

TEST(VevPicture, BrokenDataRaisesAndLeavesThePictureEmpty) {
  std::string jpeg = DebianFileBytes("/usr/share/qt6/doc/global/template/images/Qt-header-bg.jpg");
  ASSERT_FALSE(jpeg.empty());
  std::string gif = DebianFileBytes("/usr/share/tcltk/tk8.6/images/logo64.gif");
  for (const std::string& bad : {jpeg.substr(0, jpeg.size() / 3), gif.substr(0, 40), std::string("GIF89a"),
                                 std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16), std::string("just some text")}) {
    TGifImage picture;
    Load(picture, jpeg);
    ASSERT_FALSE(picture.Empty());
    EXPECT_THROW(Load(picture, bad), EInvalidGraphic) << bad.size();
    EXPECT_TRUE(picture.Empty());
    EXPECT_TRUE(picture.Data().empty());
  }
}

TEST(VevPicture, ZeroLengthStreamGivesAnEmptyPicture) {
  TPngImage picture;
  Load(picture, "");
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.RawFormat(), vifBmp);
  TStringStream out;
  EXPECT_EQ(picture.SaveAs(out, vifPng, 0, 0), vssInvalidParameter);
  EXPECT_THROW(picture.SaveToStream(out), EInvalidGraphicOperation);
  EXPECT_EQ(out.Size(), 0);
}

// -------- pictures taken from a bitmap: each class saves in its own format

struct TClassCase {
  const char* name;
  std::function<std::unique_ptr<TVevPicture>()> make;
  TImageFormat format;
  const char* oracle;
  int tolerance;
};

void PrintTo(const TClassCase& c, std::ostream* os) { *os << c.name; }

class PictureFromBitmap : public testing::TestWithParam<TClassCase> {};

TEST_P(PictureFromBitmap, SavedInTheFormatOfItsClass) {
  const TClassCase& c = GetParam();
  // 256 pixels of different colours: what a GIF's colour table can hold.
  TBitmap bitmap = PatternBitmap(16, 16);
  std::unique_ptr<TVevPicture> picture = c.make();
  picture->Assign(bitmap);
  EXPECT_TRUE(picture->FromBitmap());
  EXPECT_EQ(picture->RawFormat(), vifBmp);
  std::string file = Saved(*picture);
  EXPECT_EQ(DetectImageFormat(file), c.format);
  TTempDirectory dir;
  dir.WriteFile("file", file);
  TTestPicture oracle = ReadPnm(RunTool(std::string(c.oracle) + " " + dir.PathOf("file") + " 2>/dev/null"));
  EXPECT_EQ(CountDifferent(PictureOf(bitmap.Image()), oracle, c.tolerance), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, PictureFromBitmap,
    testing::Values(TClassCase{"plainAsBmp", [] { return std::make_unique<TVevPicture>(); }, TImageFormat::Bmp, "bmptopnm", 0},
                    TClassCase{"png", [] { return std::make_unique<TPngImage>(); }, TImageFormat::Png, "pngtopam", 0},
                    TClassCase{"gif", [] { return std::make_unique<TGifImage>(); }, TImageFormat::Gif, "giftopnm", 0},
                    TClassCase{"tiff", [] { return std::make_unique<TTiffImage>(); }, TImageFormat::Tiff, "tifftopnm", 0},
                    TClassCase{"jpeg", [] { return std::make_unique<TJpegImage>(); }, TImageFormat::Jpeg, "djpeg -pnm", 255}),  // its quality: below
    [](const testing::TestParamInfo<TClassCase>& info) { return std::string(info.param.name); });

// The quantisation tables of a JPEG file (its DQT segments, in order).
std::string QuantTables(const std::string& jpeg) {
  std::string tables;
  size_t pos = 2;
  while (pos + 4 <= jpeg.size() && static_cast<uint8_t>(jpeg[pos]) == 0xFF) {
    auto marker = static_cast<uint8_t>(jpeg[pos + 1]);
    size_t length = size_t(static_cast<uint8_t>(jpeg[pos + 2])) << 8 | static_cast<uint8_t>(jpeg[pos + 3]);
    if (marker == 0xDB) tables += jpeg.substr(pos, length + 2);
    if (marker == 0xDA) break;
    pos += length + 2;
  }
  return tables;
}

TEST(VevPicture, JpegQualityGivesTheTablesCjpegUsesAtThatQuality) {
  TBitmap bitmap = PatternBitmap(16, 16);
  TTempDirectory dir;
  dir.WriteFile("source.ppm", PpmOf(PictureOf(bitmap.Image())));
  for (int quality : {80, 60, 95}) {
    TJpegImage picture;
    picture.Assign(bitmap);
    if (quality != 80) picture.JpegQuality = quality;  // 80 is the default
    std::string ours = Saved(picture);
    std::string theirs = RunTool("cjpeg -quality " + std::to_string(quality) + " " + dir.PathOf("source.ppm"));
    EXPECT_FALSE(QuantTables(ours).empty());
    EXPECT_EQ(QuantTables(ours), QuantTables(theirs)) << quality;
  }
}

TEST(VevPicture, LoadedJpegIsEncodedAgainOnlyByItsOwnClass) {
  std::string file = DebianFileBytes("/usr/share/qt6/doc/global/template/images/Qt-header-bg.jpg");
  ASSERT_FALSE(file.empty());
  TJpegImage picture;
  Load(picture, file);
  picture.JpegQuality = 30;
  TStringStream base;
  picture.TVevPicture::SaveToStream(base);
  EXPECT_TRUE(base.DataString() == file);
  std::string again = Saved(picture);
  EXPECT_EQ(DetectImageFormat(again), TImageFormat::Jpeg);
  EXPECT_FALSE(again == file);
}

// -------- SaveAs: TIFF compression, resolution, bad requests

struct TTiffCase {
  int value;
  const char* scheme;  // as tiffinfo names it
  bool bilevel;
};

TEST(VevPicture, TiffCompressionValues) {
  TBitmap bitmap = PatternBitmap(21, 9);
  TVevPicture picture;
  picture.Assign(bitmap);
  for (const TTiffCase& c : {TTiffCase{2, "LZW", false}, TTiffCase{5, "PackBits", false}, TTiffCase{6, "None", false},
                             TTiffCase{3, "CCITT Group 3", true}, TTiffCase{4, "CCITT Group 4", true},
                             TTiffCase{9, "LZW", false}, TTiffCase{-1, "LZW", false}}) {
    TStringStream out;
    ASSERT_EQ(picture.SaveAs(out, vifTiff, 0, c.value), vssOk);
    TTempDirectory dir;
    dir.WriteFile("file.tif", out.DataString());
    std::string info = RunTool("tiffinfo " + dir.PathOf("file.tif"));
    EXPECT_NE(info.find(std::string("Compression Scheme: ") + c.scheme + "\n"), std::string::npos) << c.value << info;
    TTestPicture pixels = ReadPnm(RunTool("tifftopnm " + dir.PathOf("file.tif") + " 2>/dev/null | ppmtoppm"));
    if (!c.bilevel) {
      EXPECT_EQ(CountDifferent(PictureOf(bitmap.Image()), pixels, 0), 0) << c.value;
      continue;
    }
    ASSERT_EQ(pixels.Width, 21);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 21; ++x) {
        uint32_t rgb = bitmap.Image().GetRgb(x, y);
        int luminance = (299 * int(rgb >> 16) + 587 * int(rgb >> 8 & 0xFF) + 114 * int(rgb & 0xFF)) / 1000;
        EXPECT_EQ(pixels.Rgb(x, y), luminance >= 128 ? 0xFFFFFFu : 0u) << c.value << " at " << x << "," << y;
      }
  }
}

struct TResolutionCase {
  TVevImageFormat format;
  const char* command;  // prints what the file says about its resolution; FILE is the file
  const char* expected;
};

TEST(VevPicture, ResolutionIsRecordedForPicturesFromBitmaps) {
  TVevPicture picture;
  picture.Assign(PatternBitmap(8, 8));
  for (const TResolutionCase& c :
       {TResolutionCase{vifJpeg, "djpeg -verbose FILE 2>&1 >/dev/null", "density 150x150  1"},
        TResolutionCase{vifTiff, "tiffinfo FILE", "Resolution: 150, 150 pixels/inch"},
        TResolutionCase{vifPng, "pngtopam -verbose FILE 2>&1 >/dev/null", "pHYs chunk: present"}}) {
    TStringStream out;
    ASSERT_EQ(picture.SaveAs(out, c.format, 150, 90), vssOk);
    TTempDirectory dir;
    dir.WriteFile("file", out.DataString());
    std::string command = c.command;
    command.replace(command.find("FILE"), 4, dir.PathOf("file"));
    EXPECT_NE(RunTool(command).find(c.expected), std::string::npos) << c.format;
  }
  EXPECT_EQ(picture.Resolution(), 150);

  // A picture loaded from a file keeps the file's own data: no resolution is taken.
  TVevPicture loaded;
  Load(loaded, Saved(picture));
  loaded.SetResolution(300);
  EXPECT_EQ(loaded.Resolution(), 0);
}

TEST(VevPicture, SaveAsRefusesUnknownFormats) {
  TVevPicture picture;
  picture.Assign(PatternBitmap(4, 4));
  TStringStream out;
  EXPECT_EQ(picture.SaveAs(out, 5, 0, 0), vssInvalidParameter);
  EXPECT_EQ(picture.SaveAs(out, -1, 0, 0), vssInvalidParameter);
  EXPECT_EQ(out.Size(), 0);
  EXPECT_EQ(picture.SaveAs(out, vifJpeg, 0, -1), vssOk);  // the encoder's own quality
  EXPECT_EQ(DetectImageFormat(out.DataString()), TImageFormat::Jpeg);
}

// -------- Assign from other graphics

TEST(VevPicture, AssignTakesAnotherGraphicsFileOrPixels) {
  std::string file = DebianFileBytes("/usr/share/qt6/doc/global/template/images/Qt-header-bg.jpg");
  TJPEGImage platformJpeg;
  platformJpeg.LoadFromBytes(file);
  TPngImage picture;
  picture.Assign(platformJpeg);
  EXPECT_FALSE(picture.FromBitmap());
  EXPECT_EQ(picture.RawFormat(), vifJpeg);
  EXPECT_TRUE(picture.Data() == file);
  picture.Assign(picture);
  EXPECT_TRUE(picture.Data() == file);

  // A metafile, which no codec reads, comes in as its pixels.
  picture.Assign(*HalfBlueMetafile());
  EXPECT_TRUE(picture.FromBitmap());
  EXPECT_EQ(picture.Width(), 20);
  EXPECT_EQ(picture.Bitmap().Image().GetRgb(2, 5), 0x0000FFu);
  EXPECT_EQ(picture.Bitmap().Image().GetRgb(15, 5), 0xFFFFFFu);

  picture.Assign(TPngImage());
  EXPECT_TRUE(picture.Empty());
}

}  // namespace
