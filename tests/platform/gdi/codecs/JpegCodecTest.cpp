#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "ImageOracle.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/JpegImage.h"
#include "platform/gdi/canvas/Canvas.h"

namespace {

const char* const kHeaderJpeg = "/usr/share/qt6/doc/global/template/images/Qt-header-bg.jpg";
const char* const kSourcePng = "/usr/share/doc/libpng-dev/examples/pngtest.png";

// JPEGs made by cjpeg from a Debian PNG, and one shipped as is, against djpeg.
struct TJpegCase {
  const char* name;
  const char* command;  // writes a JPEG on stdout; SRC is the source PPM
  TJpegColorSpace colorSpace;
  TPixelFormat format;
};

class JpegFromTool : public testing::TestWithParam<TJpegCase> {};

TEST_P(JpegFromTool, DecodesLikeDjpeg) {
  const TJpegCase& c = GetParam();
  TScratchFolder dir;
  std::string ppm = dir.PathOf("source.ppm");
  RunTool("pngtopam " + DebianFile(kSourcePng) + " > " + ppm);
  std::string command = c.command;
  if (auto at = command.find("SRC"); at != std::string::npos) command.replace(at, 3, ppm);
  std::string jpegPath = dir.PathOf("test.jpg");
  RunTool(command + " > " + jpegPath);

  TJpegInfo info;
  TDibImage image = DecodeJpeg(ReadFileBytes(jpegPath), &info);
  EXPECT_EQ(info.colorSpace, c.colorSpace);
  EXPECT_EQ(image.Format(), c.format);
  TTestPicture oracle = ReadPnm(RunTool("djpeg -pnm " + jpegPath));
  EXPECT_EQ(CountDifferent(oracle, PictureOf(image)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, JpegFromTool,
    testing::Values(TJpegCase{"debianFile", "cat /usr/share/qt6/doc/global/template/images/Qt-header-bg.jpg",
                              TJpegColorSpace::RGB, pf24bit},
                    TJpegCase{"baseline", "cjpeg -quality 85 SRC", TJpegColorSpace::RGB, pf24bit},
                    TJpegCase{"progressive", "cjpeg -progressive SRC", TJpegColorSpace::RGB, pf24bit},
                    TJpegCase{"grey", "cjpeg -grayscale SRC", TJpegColorSpace::Gray, pf8bit},
                    TJpegCase{"restartMarkers", "cjpeg -restart 1 -sample 1x1 SRC", TJpegColorSpace::RGB, pf24bit}),
    [](const testing::TestParamInfo<TJpegCase>& info) { return std::string(info.param.name); });

// A 16 x 8 CMYK (or YCCK) JPEG of two flat 8 x 8 blocks, written with libjpeg directly
// (no tool writes one). `stored` are the four samples as they go into the file.
std::string CmykJpeg(const uint8_t left[4], const uint8_t right[4], J_COLOR_SPACE fileSpace, bool adobeMarker) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = 16;
  c.image_height = 8;
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, fileSpace);
  c.write_Adobe_marker = adobeMarker;
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  uint8_t row[16 * 4];
  for (int x = 0; x < 16; ++x)
    for (int k = 0; k < 4; ++k) row[4 * x + k] = x < 8 ? left[k] : right[k];
  while (c.next_scanline < c.image_height) {
    JSAMPROW r = row;
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::string out(reinterpret_cast<char*>(buffer), size);
  free(buffer);
  return out;
}

void ExpectNear(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 24; shift += 8)
    EXPECT_NEAR(int(actual >> shift & 0xFF), int(expected >> shift & 0xFF), 3) << std::hex << actual;
}

TEST(JpegCmyk, AdobeFilesAreInvertedBeforeConversion) {
  // Adobe stores 255 - ink: red (no cyan, full magenta and yellow, no black) and a 50 % grey.
  const uint8_t red[4] = {255, 0, 0, 255}, grey[4] = {255, 255, 255, 128};
  for (J_COLOR_SPACE space : {JCS_CMYK, JCS_YCCK}) {
    TJpegInfo info;
    TDibImage image = DecodeJpeg(CmykJpeg(red, grey, space, true), &info);
    EXPECT_EQ(info.colorSpace, space == JCS_CMYK ? TJpegColorSpace::CMYK : TJpegColorSpace::YCCK);
    EXPECT_TRUE(info.adobeInverted);
    EXPECT_EQ(info.components, 4);
    EXPECT_EQ(image.Format(), pf24bit);
    ExpectNear(image.GetRgb(3, 3), 0xFF0000);
    ExpectNear(image.GetRgb(12, 3), 0x808080);
  }
}

TEST(JpegCmyk, FilesWithoutAdobeMarkerAreTakenAsPlainInk) {
  const uint8_t cyan[4] = {255, 0, 0, 0}, black[4] = {0, 0, 0, 255};
  TJpegInfo info;
  TDibImage image = DecodeJpeg(CmykJpeg(cyan, black, JCS_CMYK, false), &info);
  EXPECT_FALSE(info.adobeInverted);
  ExpectNear(image.GetRgb(3, 3), 0x00FFFF);
  ExpectNear(image.GetRgb(12, 3), 0x000000);
}

// The first luminance quantisation value, read from the first DQT segment.
int FirstQuantValue(const std::string& jpeg) {
  size_t at = jpeg.find("\xFF\xDB");
  return at == std::string::npos ? -1 : uint8_t(jpeg[at + 5]);
}

TEST(JpegEncode, QualityScalesTheStandardTables) {
  TDibImage image(20, 10, pf24bit);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) image.SetRgb(x, y, uint32_t(x * 12) << 16 | uint32_t(y * 25));
  // The standard table starts with 16; quality q scales it by 5000/q % below 50 and by
  // 200 - 2q % from 50 on, clamped to 1..255.
  struct {
    int quality, expected;
  } cases[] = {{100, 1}, {75, 8}, {50, 16}, {10, 80}, {0, 255}, {150, 1}};
  for (auto c : cases) EXPECT_EQ(FirstQuantValue(EncodeJpeg(image, c.quality)), c.expected) << c.quality;

  TScratchFolder dir;
  std::string file = EncodeJpeg(image, 90);
  TTestPicture oracle = ReadPnm(RunTool("djpeg -pnm " + dir.Write("out.jpg", file)));
  EXPECT_EQ(CountDifferent(oracle, PictureOf(DecodeJpeg(file))), 0);
  int64_t error = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) error += std::abs(int(image.GetRgb(x, y) >> 16) - int(oracle.Rgb(x, y) >> 16));
  EXPECT_LT(error / 200, 4);  // mean error of the red channel at quality 90
}

TEST(JpegEncode, GreyOutputHasOneComponent) {
  TDibImage image(8, 8, pf24bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) image.SetRgb(x, y, 0xFF0000);
  std::string file = EncodeJpeg(image, 95, true);
  EXPECT_EQ(ReadJpegInfo(file).components, 1);
  TDibImage back = DecodeJpeg(file);
  EXPECT_EQ(back.Format(), pf8bit);
  ExpectNear(back.GetRgb(5, 5), 0x4C4C4C);  // red's luminance: 0.299 x 255
}

TEST(JpegDecode, BrokenAndTruncatedFilesRaise) {
  std::string file = ReadFileBytes(DebianFile(kHeaderJpeg));
  for (size_t n = 0; n + 2 < file.size(); n += file.size() / 40 + 1)
    EXPECT_THROW(DecodeJpeg(file.substr(0, n)), EInvalidGraphic) << "length " << n;
  EXPECT_THROW(DecodeJpeg(""), EInvalidGraphic);
  EXPECT_THROW(DecodeJpeg("\xFF\xD8\xFF\xE0 garbage"), EInvalidGraphic);
  EXPECT_THROW(ReadJpegInfo("GIF89a"), EInvalidGraphic);
}

TEST(JPEGImage, KeepsTheLoadedBytesAndEncodesAssignedBitmaps) {
  std::string file = ReadFileBytes(DebianFile(kHeaderJpeg));
  TJPEGImage jpeg;
  TStringStream in(file);
  jpeg.LoadFromStream(in);
  EXPECT_EQ(jpeg.ColorSpace(), TJpegColorSpace::RGB);
  EXPECT_EQ(jpeg.Components(), 3);
  EXPECT_EQ(jpeg.Width(), jpeg.Bitmap().Width());
  TStringStream out;
  jpeg.SaveToStream(out);
  EXPECT_EQ(out.DataString(), file);

  // A broken file leaves the picture as it was.
  TStringStream broken(file.substr(0, 100));
  EXPECT_THROW(jpeg.LoadFromStream(broken), EInvalidGraphic);
  EXPECT_EQ(jpeg.JpegData(), file);

  TBitmap bitmap(10, 10, pf8bit);
  bitmap.SetPixel(2, 2, clRed);
  jpeg.SetCompressionQuality(75);
  jpeg.Assign(bitmap);
  std::string encoded = jpeg.JpegData();
  EXPECT_NE(encoded, file);
  EXPECT_EQ(FirstQuantValue(encoded), 8);
  EXPECT_EQ(ReadJpegInfo(encoded).width, 10);
  EXPECT_EQ(jpeg.Components(), 3);
  jpeg.SetGrayscale(true);
  EXPECT_EQ(jpeg.ColorSpace(), TJpegColorSpace::Gray);
  EXPECT_EQ(ReadJpegInfo(jpeg.JpegData()).components, 1);

  TBitmap copy;
  copy.Assign(jpeg);
  EXPECT_EQ(copy.PixelFormat(), pf24bit);
  EXPECT_EQ(copy.GetPixel(2, 2), clRed);

  // Drawn through its bitmap.
  TBitmap target(20, 20, pf24bit);
  jpeg.Draw(target.Canvas(), Rect(5, 5, 15, 15));
  EXPECT_EQ(target.GetPixel(7, 7), clRed);
  EXPECT_EQ(target.GetPixel(4, 4), clBlack);
}

}  // namespace
