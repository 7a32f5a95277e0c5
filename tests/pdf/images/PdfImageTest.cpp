#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstring>
#include <functional>
#include <memory>

#include "ImageTestTools.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/rtl/Streams.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/images/PdfImage.h"
#include "pdf/images/VevPicture.h"
#include "pdf/objects/PdfExceptions.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/support/TempDirectory.h"

namespace {

const char* const kSourcePng = "/usr/share/doc/libpng-dev/examples/pngtest.png";

std::unique_ptr<TPdfDocument> NewDocument() {
  return std::make_unique<TPdfDocument>(false, 1252, false, FixedPdfEnvironment());
}

// A page as large in points as the picture in pixels, the picture drawn over all of it.
std::string DrawOnOwnPage(TPdfDocument& doc, TGraphic& picture) {
  doc.SetPageWidth(picture.Width());
  doc.SetPageHeight(picture.Height());
  doc.AddPage();
  auto* image = doc.Xref().Add<TPdfImage>(doc, picture);
  std::string name = "Pic" + std::to_string(doc.XObjectList().ItemCount());
  doc.AddXObject(name, image);
  doc.Canvas().DrawXObject(0, 0, picture.Width(), picture.Height(), name);
  return name;
}

// Page `page` at 72 pixels per inch: one pixel per point. Poppler's Cairo output samples
// an image drawn at its own size pixel for pixel (its Splash output smooths it).
TTestPicture RenderPage(const std::string& pdfPath, int page) {
  std::string p = std::to_string(page);
  std::string png = pdfPath + "-page";
  RunTool("pdftocairo -r 72 -png -singlefile -f " + p + " -l " + p + " " + ShellQuote(pdfPath) + " " + ShellQuote(png));
  return ReadPnm(RunTool("pngtopam " + ShellQuote(png + ".png") + " 2>/dev/null"));
}

std::unique_ptr<TVevPicture> LoadPicture(std::unique_ptr<TVevPicture> picture, const std::string& bytes) {
  TStringStream stream(bytes);
  picture->LoadFromStream(stream);
  return picture;
}

// A 16 x 8 CMYK JPEG with an Adobe marker (inverted samples, as Adobe's programs write
// them): the left half without ink, the right half full black.
std::string AdobeCmykJpeg() {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = 16;
  c.image_height = 8;
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, JCS_CMYK);  // writes the Adobe marker
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  unsigned char row[16 * 4];
  for (int x = 0; x < 16; ++x) {
    bool ink = x >= 8;
    unsigned char k = ink ? 0 : 255;  // inverted: 255 is no ink
    std::memcpy(row + 4 * x, std::array<unsigned char, 4>{255, 255, 255, k}.data(), 4);
  }
  while (c.next_scanline < c.image_height) {
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::string bytes(reinterpret_cast<char*>(out), size);
  jpeg_destroy_compress(&c);
  free(out);
  return bytes;
}

// -------- each kind of picture: its listing and its pixels as poppler draws them

struct TKindCase {
  const char* name;
  // The picture and the pixels expected on the page.
  std::function<std::unique_ptr<TGraphic>(const TTempDirectory&, TTestPicture&)> make;
  const char* color;  // pdfimages' colour
  const char* enc;
  int tolerance;
};

std::unique_ptr<TGraphic> BitmapIn(TPixelFormat format, TTestPicture& expected, std::vector<TRGBQuad> palette = {}) {
  auto bitmap = std::make_unique<TBitmap>();
  TDibImage image = ConvertPixelFormat(PatternBitmap(24, 16).Image(), format);
  if (!palette.empty()) image.SetPalette(palette);
  bitmap->SetImage(image);
  expected = PictureOf(image);
  return bitmap;
}

std::unique_ptr<TGraphic> FileIn(std::unique_ptr<TVevPicture> picture, const TTempDirectory& dir, const std::string& make,
                                 const std::string& oracle, TTestPicture& expected) {
  std::string ppm = dir.PathOf("source.ppm");
  RunTool("pngtopam " + std::string(kSourcePng) + " | pamcut -width 48 -height 40 > " + ppm);
  RunTool(make + " " + ppm + " > " + dir.PathOf("picture"));
  expected = ReadPnm(RunTool(oracle + " " + dir.PathOf("picture") + " 2>/dev/null"));
  return LoadPicture(std::move(picture), dir.ReadFile("picture"));
}

void PrintTo(const TKindCase& c, std::ostream* os) { *os << c.name; }

class PdfImageKinds : public testing::TestWithParam<TKindCase> {};

TEST_P(PdfImageKinds, ListedAndDrawnLikeTheSource) {
  const TKindCase& c = GetParam();
  TTempDirectory dir;
  TTestPicture expected;
  std::unique_ptr<TGraphic> picture = c.make(dir, expected);
  auto doc = NewDocument();
  DrawOnOwnPage(*doc, *picture);
  dir.WriteFile("doc.pdf", WriteToString(*doc));

  std::vector<TListedImage> images = ListImages(dir.PathOf("doc.pdf"));
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, picture->Width());
  EXPECT_EQ(images[0].height, picture->Height());
  EXPECT_EQ(images[0].color, c.color);
  EXPECT_EQ(images[0].enc, c.enc);
  EXPECT_EQ(images[0].bpc, 8);
  EXPECT_EQ(CountDifferent(expected, RenderPage(dir.PathOf("doc.pdf"), 1), c.tolerance), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PdfImageKinds,
    testing::Values(
        TKindCase{"bitmap24", [](const TTempDirectory&, TTestPicture& e) { return BitmapIn(pf24bit, e); }, "rgb", "image", 0},
        TKindCase{"bitmap32", [](const TTempDirectory&, TTestPicture& e) { return BitmapIn(pf32bit, e); }, "rgb", "image", 0},
        TKindCase{"bitmapDevice", [](const TTempDirectory&, TTestPicture& e) { return BitmapIn(pfDevice, e); }, "rgb", "image", 0},
        TKindCase{"bitmap16", [](const TTempDirectory&, TTestPicture& e) { return BitmapIn(pf16bit, e); }, "rgb", "image", 0},
        TKindCase{"bitmap15", [](const TTempDirectory&, TTestPicture& e) { return BitmapIn(pf15bit, e); }, "rgb", "image", 0},
        TKindCase{"bitmap8", [](const TTempDirectory&, TTestPicture& e) { return BitmapIn(pf8bit, e); }, "index", "image", 0},
        TKindCase{"bitmap4", [](const TTempDirectory&, TTestPicture& e) { return BitmapIn(pf4bit, e); }, "index", "image", 0},
        // Two colours that are neither black nor white must survive the widening to 8 bits.
        TKindCase{"bitmap1",
                  [](const TTempDirectory&, TTestPicture& e) {
                    return BitmapIn(pf1bit, e, {QuadOfRgb(0xC02010), QuadOfRgb(0x1080F0)});
                  },
                  "index", "image", 0},
        TKindCase{"jpeg",
                  [](const TTempDirectory& d, TTestPicture& e) {
                    return FileIn(std::make_unique<TJpegImage>(), d, "cjpeg -quality 90", "djpeg -pnm", e);
                  },
                  "rgb", "jpeg", 8},
        TKindCase{"jpegGrey",
                  [](const TTempDirectory& d, TTestPicture& e) {
                    return FileIn(std::make_unique<TJpegImage>(), d, "cjpeg -grayscale", "djpeg -pnm", e);
                  },
                  "gray", "jpeg", 8},
        TKindCase{"gif",
                  [](const TTempDirectory& d, TTestPicture& e) {
                    return FileIn(std::make_unique<TGifImage>(), d, "pnmquant 64 2>/dev/null | pamtogif", "giftopnm", e);
                  },
                  "rgb", "image", 0},
        TKindCase{"png",
                  [](const TTempDirectory& d, TTestPicture& e) {
                    return FileIn(std::make_unique<TPngImage>(), d, "pnmtopng", "pngtopam", e);
                  },
                  "rgb", "image", 0},
        TKindCase{"tiff",
                  [](const TTempDirectory& d, TTestPicture& e) {
                    return FileIn(std::make_unique<TTiffImage>(), d, "pamtotiff -lzw", "tifftopnm", e);
                  },
                  "rgb", "image", 0}),
    [](const testing::TestParamInfo<TKindCase>& info) { return std::string(info.param.name); });

TEST(PdfImage, AdobeCmykJpegKeepsItsColourSpaceAndInversion) {
  auto picture = LoadPicture(std::make_unique<TJpegImage>(), AdobeCmykJpeg());
  auto doc = NewDocument();
  DrawOnOwnPage(*doc, *picture);
  TTempDirectory dir;
  dir.WriteFile("doc.pdf", WriteToString(*doc));
  std::vector<TListedImage> images = ListImages(dir.PathOf("doc.pdf"));
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].color, "cmyk");
  EXPECT_EQ(images[0].enc, "jpeg");
  TTestPicture page = RenderPage(dir.PathOf("doc.pdf"), 1);
  ASSERT_EQ(page.Width, 16);
  EXPECT_GT(page.Rgb(2, 4) & 0xFF, 0xF0u) << std::hex << page.Rgb(2, 4);  // no ink: white
  EXPECT_LT(page.Rgb(13, 4) & 0xFF, 0x40u) << std::hex << page.Rgb(13, 4);  // black
}

TEST(PdfImage, PictureWithTransparencyIsDrawnOnWhite) {
  TTempDirectory dir;
  dir.WriteFile("two.ppm", "P3 2 1 255 255 0 0 0 0 255\n");
  RunTool("pamtogif -transparent=rgb:00/00/ff " + dir.PathOf("two.ppm") + " > " + dir.PathOf("two.gif"));
  auto picture = LoadPicture(std::make_unique<TGifImage>(), dir.ReadFile("two.gif"));
  auto doc = NewDocument();
  DrawOnOwnPage(*doc, *picture);
  dir.WriteFile("doc.pdf", WriteToString(*doc));
  TTestPicture page = RenderPage(dir.PathOf("doc.pdf"), 1);
  ASSERT_EQ(page.Width, 2);
  EXPECT_EQ(page.Rgb(0, 0), 0xFF0000u);
  EXPECT_EQ(page.Rgb(1, 0), 0xFFFFFFu);
}

TEST(PdfImage, MetafileIsDrawnAtItsOwnSizeOnWhite) {
  std::unique_ptr<TGraphic> metafile = HalfBlueMetafile();
  auto doc = NewDocument();
  DrawOnOwnPage(*doc, *metafile);
  TTempDirectory dir;
  dir.WriteFile("doc.pdf", WriteToString(*doc));
  std::vector<TListedImage> images = ListImages(dir.PathOf("doc.pdf"));
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, 20);
  EXPECT_EQ(images[0].height, 10);
  EXPECT_EQ(images[0].color, "rgb");
  TTestPicture page = RenderPage(dir.PathOf("doc.pdf"), 1);
  ASSERT_EQ(page.Width, 20);
  EXPECT_EQ(page.Rgb(2, 5), 0x0000FFu);
  EXPECT_EQ(page.Rgb(15, 5), 0xFFFFFFu);
}

// -------- the stream itself

TEST(PdfImage, JpegFileGoesIntoTheStreamUnchanged) {
  TTempDirectory dir;
  RunTool("pngtopam " + std::string(kSourcePng) + " | cjpeg -quality 70 > " + dir.PathOf("in.jpg"));
  std::string jpeg = dir.ReadFile("in.jpg");
  auto picture = LoadPicture(std::make_unique<TJpegImage>(), jpeg);
  auto doc = NewDocument();
  DrawOnOwnPage(*doc, *picture);
  dir.WriteFile("doc.pdf", WriteToString(*doc));
  std::vector<TListedImage> images = ListImages(dir.PathOf("doc.pdf"));
  ASSERT_EQ(images.size(), 1u);
  std::string raw = RunTool("qpdf --show-object=" + std::to_string(images[0].object) + " --raw-stream-data " +
                         dir.PathOf("doc.pdf"));
  EXPECT_TRUE(raw == jpeg) << raw.size() << " bytes instead of " << jpeg.size();
}

TEST(PdfImage, SmallImageIsStoredWithoutFilterAndLargeOneDeflated) {
  auto doc = NewDocument();
  doc->AddPage();
  TBitmap small = PatternBitmap(10, 1), large = PatternBitmap(10, 10);
  std::string smallName = doc->CreateOrGetImage(small);
  std::string largeName = doc->CreateOrGetImage(large);
  TTempDirectory dir;
  dir.WriteFile("doc.pdf", WriteToString(*doc));
  nlohmann::json objects = QpdfObjects(dir.PathOf("doc.pdf"));
  int seen = 0;
  for (auto& [key, value] : objects.items()) {
    if (!value.contains("stream")) continue;
    const auto& dict = value["stream"]["dict"];
    if (!dict.contains("/Name")) continue;
    ++seen;
    if (dict["/Name"] == "/" + smallName) {
      EXPECT_FALSE(dict.contains("/Filter"));
      EXPECT_EQ(dict["/Length"], 30);
    } else {
      EXPECT_EQ(dict["/Filter"], nlohmann::json::array({"/FlateDecode"}));
    }
  }
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(largeName, "VevImg1");
}

TEST(PdfImage, IndexedColourSpaceHoldsTheWholePalette) {
  TBitmap bitmap;
  TDibImage image(2, 1, pf1bit);
  image.SetPalette({QuadOfRgb(0xAB0102), QuadOfRgb(0x03CD04)});
  bitmap.SetImage(image);
  auto doc = NewDocument();
  doc->AddPage();
  doc->CreateOrGetImage(bitmap);
  const std::string pdf = WriteToString(*doc);
  std::string expected = "/ColorSpace [/Indexed /DeviceRGB 255 <AB0102 03CD04 ";
  for (int i = 2; i < 256; ++i) expected += "000000 ";
  expected += "> ]";
  EXPECT_NE(pdf.find(expected), std::string::npos);
}

TEST(PdfImage, EmptyPictureIsRefused) {
  auto doc = NewDocument();
  TPngImage empty;
  EXPECT_THROW(TPdfImage(*doc, static_cast<TGraphic&>(empty)), EPdfInvalidValue);
  doc->AddPage();
  EXPECT_EQ(doc->CreateOrGetImage(TBitmap()), "");
  EXPECT_EQ(doc->XObjectList().ItemCount(), 0);
}

// -------- reuse of identical bitmaps

struct TReuseCase {
  const char* name;
  bool noReuse;
  int32_t asJpeg;
  bool samePixelsOtherPalette;  // the second bitmap differs only in its palette
  bool shared;
  const char* enc;
};

void PrintTo(const TReuseCase& c, std::ostream* os) { *os << c.name; }

class PdfImageReuse : public testing::TestWithParam<TReuseCase> {};

TEST_P(PdfImageReuse, TwoPagesWithABitmapEach) {
  const TReuseCase& c = GetParam();
  auto doc = NewDocument();
  doc->NoBitmapReuse = c.noReuse;
  doc->BitmapsAsJpeg = c.asJpeg;
  TBitmap first = PatternBitmap(20, 12);
  if (c.samePixelsOtherPalette) first.SetPixelFormat(pf8bit);
  TBitmap second = first;
  if (c.samePixelsOtherPalette) {
    std::vector<TRGBQuad> palette = second.Palette();
    palette[255] = QuadOfRgb(0x123456);  // an entry no pixel uses
    second.SetPalette(palette);
  }
  std::vector<std::string> names;
  for (TBitmap* bitmap : {&first, &second}) {
    doc->AddPage();
    TPdfRect placement{10, 100, 30, 88};  // left, top, right, bottom in points
    names.push_back(doc->CreateOrGetImage(*bitmap, &placement));
  }
  EXPECT_EQ(names[0], "VevImg0");
  EXPECT_EQ(names[1], c.shared ? "VevImg0" : "VevImg1");

  TTempDirectory dir;
  dir.WriteFile("doc.pdf", WriteToString(*doc));
  std::vector<TListedImage> images = ListImages(dir.PathOf("doc.pdf"));
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].page, 1);
  EXPECT_EQ(images[1].page, 2);
  EXPECT_EQ(images[0].object == images[1].object, c.shared);
  EXPECT_EQ(images[0].enc, c.enc);
  // Drawn at the placement: 20 x 12 points from (10, 88) up, on an A4 page.
  TTestPicture page = RenderPage(dir.PathOf("doc.pdf"), 2);
  int top = 842 - 100;
  EXPECT_EQ(page.Rgb(5, top + 5), 0xFFFFFFu);
  EXPECT_NE(page.Rgb(15, top + 5), 0xFFFFFFu);
  EXPECT_EQ(page.Rgb(35, top + 5), 0xFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(Documents, PdfImageReuse,
                         testing::Values(TReuseCase{"shared", false, 0, false, true, "image"},
                                         TReuseCase{"noBitmapReuse", true, 0, false, false, "image"},
                                         TReuseCase{"otherPalette", false, 0, true, false, "image"},
                                         TReuseCase{"asJpegShared", false, 60, false, true, "jpeg"},
                                         TReuseCase{"asJpegNoReuse", true, 60, false, false, "jpeg"}),
                         [](const testing::TestParamInfo<TReuseCase>& info) { return std::string(info.param.name); });

}  // namespace
