#include <gtest/gtest.h>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/gdi/codecs/ImageOracle.h"

namespace {

// --- Pixel formats ---

struct TConversionCase {
  const char* name;
  TPixelFormat from, to;
  uint32_t in, out;  // one pixel's colour before and after
};

class PixelFormatChange : public testing::TestWithParam<TConversionCase> {};

TEST_P(PixelFormatChange, ColourOfAPixel) {
  const TConversionCase& c = GetParam();
  TDibImage image(3, 2, c.from);
  image.SetRgb(2, 1, c.in);
  if (!IsIndexedFormat(c.from)) image.SetRgb(0, 0, 0x010203);  // more colours than one bit holds
  TDibImage converted = ConvertPixelFormat(image, c.to);
  EXPECT_EQ(converted.Format(), c.to);
  EXPECT_EQ(converted.GetRgb(2, 1), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PixelFormatChange,
    testing::Values(
        // Few colours: an exact table is made, nothing changes.
        TConversionCase{"to8Exact", pf24bit, pf8bit, 0x123456, 0x123456},
        TConversionCase{"to4Exact", pf32bit, pf4bit, 0x123456, 0x123456},
        TConversionCase{"to1Exact", pf16bit, pf1bit, 0x21C710, 0x21C710},  // a colour 5-6-5 holds exactly
        // 15/16 bits drop the low bits and widen again.
        TConversionCase{"to15", pf24bit, pf15bit, 0x123456, 0x103152},
        TConversionCase{"to16", pf24bit, pf16bit, 0x123456, 0x103452},
        TConversionCase{"to24FromIndexed", pf4bit, pf24bit, 0xFF0000, 0xFF0000},
        TConversionCase{"to32FromIndexed", pf1bit, pf32bit, 0xFFFFFF, 0xFFFFFF}),
    [](const testing::TestParamInfo<TConversionCase>& info) { return std::string(info.param.name); });

TEST(PixelFormatChange, ManyColoursTakeTheNearestDefaultEntry) {
  TDibImage image(300, 1, pf24bit);
  for (int x = 0; x < 300; ++x) image.SetRgb(x, 0, uint32_t(x) * 0x010203);
  image.SetRgb(0, 0, 0xF01010);
  image.SetRgb(299, 0, 0xF0E0F0);
  TDibImage eight = ConvertPixelFormat(image, pf8bit);
  EXPECT_EQ(eight.Palette(), DefaultPalette(pf8bit));
  EXPECT_EQ(eight.GetRgb(0, 0), 0xFF0000u);  // cube entry 5 x 36
  EXPECT_EQ(eight.GetIndex(0, 0), 180);
  TDibImage one = ConvertPixelFormat(image, pf1bit);
  EXPECT_EQ(one.GetRgb(0, 0), 0x000000u);  // nearer to black than to white
  EXPECT_EQ(one.GetRgb(299, 0), 0xFFFFFFu);
}

TEST(PixelFormatChange, DeeperIndexedFormatsKeepTableAndIndexes) {
  TDibImage one(10, 1, pf1bit);
  one.SetPalette({QuadOfRgb(0x0000FF), QuadOfRgb(0x00FF00)});
  one.SetIndex(3, 0, 1);
  TDibImage eight = ConvertPixelFormat(one, pf8bit);
  EXPECT_EQ(eight.Palette().size(), 256u);
  EXPECT_EQ(eight.GetIndex(3, 0), 1);
  EXPECT_EQ(eight.GetIndex(4, 0), 0);
  EXPECT_EQ(eight.GetRgb(3, 0), 0x00FF00u);
}

TEST(PixelFormatChange, AlphaSurvivesOnlyBetween32BitFormats) {
  TDibImage image(1, 1, pf32bit);
  image.ScanLine(0)[3] = 0x7F;
  EXPECT_EQ(ConvertPixelFormat(image, pfDevice).GetAlpha(0, 0), 0x7F);
  EXPECT_EQ(ConvertPixelFormat(ConvertPixelFormat(image, pf24bit), pf32bit).GetAlpha(0, 0), 0);
}

// --- TBitmap ---

TEST(Bitmap, ScanLinesRunFromTheTopInTheFormatsLayout) {
  TBitmap bitmap(3, 2, pf24bit);
  bitmap.SetPixel(1, 0, clRed);
  const uint8_t* top = bitmap.ScanLine(0);
  EXPECT_EQ(top[3], 0x00);  // blue
  EXPECT_EQ(top[5], 0xFF);  // red
  bitmap.ScanLine(1)[0] = 0xFF;
  EXPECT_EQ(bitmap.GetPixel(0, 1), clBlue);
  EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
  EXPECT_EQ(bitmap.GetPixel(3, 0), -1);
  EXPECT_EQ(bitmap.HandleType(), bmDIB);
  EXPECT_EQ(TBitmap(1, 1).HandleType(), bmDDB);
}

TEST(Bitmap, SetPixelResolvesSystemColoursAndPalettes) {
  TBitmap bitmap(2, 1, pf4bit);
  bitmap.SetPixel(0, 0, clWindowText);
  EXPECT_EQ(bitmap.GetPixel(0, 0), TColor(ColorToRGB(clWindowText)));
  bitmap.SetPixel(1, 0, 0x0000F0);  // nearly red: the 16-colour table's red
  EXPECT_EQ(bitmap.GetPixel(1, 0), clRed);
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndShowsNoPaddingBits) {
  // A 3-pixel 1-bit BMP whose rows are padded with set bits.
  TDibImage source(3, 2, pf1bit);
  source.SetIndex(0, 0, 1);
  std::string file = EncodeBmp(source);
  file[file.size() - 4] = char(0x9F);  // top row (written last): pixels 1 0 0, padding all ones
  TBitmap bitmap;
  TStringStream in(file);
  bitmap.LoadFromStream(in);
  bitmap.SetWidth(12);
  bitmap.SetHeight(3);
  EXPECT_EQ(bitmap.GetPixel(0, 0), clWhite);
  for (int x = 1; x < 12; ++x) EXPECT_EQ(bitmap.GetPixel(x, 0), clBlack) << x;
  EXPECT_EQ(bitmap.GetPixel(0, 2), clBlack);
  bitmap.SetSize(0, 5);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, TransparentColourAndMask) {
  TBitmap bitmap(4, 3, pf24bit);
  bitmap.Canvas().Brush().SetColor(clLime);
  bitmap.Canvas().FillRect(Rect(0, 0, 4, 3));
  bitmap.SetPixel(0, 2, clFuchsia);
  bitmap.SetPixel(3, 0, clFuchsia);
  EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
  EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);  // the lower-left pixel
  std::unique_ptr<TBitmap> mask = bitmap.TransparentMask();
  EXPECT_TRUE(mask->Monochrome());
  EXPECT_EQ(mask->GetPixel(0, 2), clWhite);
  EXPECT_EQ(mask->GetPixel(3, 0), clWhite);
  EXPECT_EQ(mask->GetPixel(1, 1), clBlack);

  bitmap.SetTransparentColor(clLime);
  EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
  EXPECT_EQ(bitmap.TransparentMask()->GetPixel(1, 1), clWhite);
  EXPECT_EQ(TBitmap().TransparentColor(), clDefault);
  EXPECT_TRUE(TBitmap().TransparentMask()->Empty());
}

// --- Drawing on bitmaps of every format ---

class BitmapCanvas : public testing::TestWithParam<TPixelFormat> {};

TEST_P(BitmapCanvas, DrawingReachesThePixelsAndBack) {
  TBitmap bitmap(10, 6, GetParam());
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(Rect(2, 1, 5, 4));
  EXPECT_EQ(bitmap.GetPixel(2, 1), clWhite);
  EXPECT_EQ(bitmap.GetPixel(5, 1), clBlack);  // right edge excluded
  // The drawing is in the bitmap's own pixels (the table's white for indexed formats).
  TDibImage image = bitmap.Image();
  EXPECT_EQ(image.GetRgb(4, 3), 0xFFFFFFu);
  if (IsIndexedFormat(GetParam())) {
    EXPECT_EQ(image.Palette()[size_t(image.GetIndex(4, 3))], QuadOfRgb(0xFFFFFF));
  }

  // Pixels changed behind the canvas' back are what it sees next.
  bitmap.SetPixel(0, 0, clWhite);
  EXPECT_EQ(canvas.Pixel(0, 0), clWhite);
  // After a size change the canvas draws on the new pixels.
  bitmap.SetSize(20, 20);
  canvas.FillRect(Rect(15, 15, 20, 20));
  EXPECT_EQ(bitmap.GetPixel(19, 19), clWhite);
  bitmap.SetPixelFormat(GetParam() == pf24bit ? pf8bit : pf24bit);
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect(Rect(15, 15, 20, 20));
  EXPECT_EQ(bitmap.GetPixel(19, 19), clBlack);
}

INSTANTIATE_TEST_SUITE_P(Formats, BitmapCanvas,
                         testing::Values(pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice));

TEST(BitmapCanvas, OneBitBitmapsDrawInBlackAndWhite) {
  TBitmap bitmap(8, 8, pf1bit);
  TCanvas& canvas = bitmap.Canvas();
  EXPECT_TRUE(canvas.Handle().Pixels()->Monochrome);
  canvas.Brush().SetColor(clRed);
  canvas.FillRect(Rect(0, 0, 8, 8));
  TColor c = bitmap.GetPixel(3, 3);
  EXPECT_TRUE(c == clBlack || c == clWhite);
}

TEST(BitmapCanvas, TransparentBitmapKeepsTheDestinationUnderItsTransparentColour) {
  TBitmap sprite(4, 4, pf8bit);
  sprite.Canvas().Brush().SetColor(clFuchsia);
  sprite.Canvas().FillRect(Rect(0, 0, 4, 4));
  sprite.SetPixel(1, 1, clBlue);
  sprite.SetTransparent(true);

  TBitmap target(6, 6, pf24bit);
  target.Canvas().Brush().SetColor(clYellow);
  target.Canvas().FillRect(Rect(0, 0, 6, 6));
  target.Canvas().Draw(1, 1, sprite);
  EXPECT_EQ(target.GetPixel(2, 2), clBlue);
  EXPECT_EQ(target.GetPixel(1, 1), clYellow);
  EXPECT_EQ(target.GetPixel(4, 4), clYellow);
}

TEST(BitmapCanvas, DrawUsesTheCanvasCopyModeAndStretches) {
  TBitmap source(2, 1, pf4bit);
  source.SetPixel(0, 0, clWhite);  // (1, 0) stays black
  TBitmap target(4, 2, pf24bit);
  TCanvas& canvas = target.Canvas();
  canvas.SetCopyMode(NOTSRCCOPY);
  source.Draw(canvas, Rect(0, 0, 4, 2));
  EXPECT_EQ(target.GetPixel(1, 1), clBlack);
  EXPECT_EQ(target.GetPixel(2, 0), clWhite);
  canvas.SetCopyMode(SRCCOPY);
  source.Draw(canvas, Rect(0, 0, 4, 2));
  EXPECT_EQ(target.GetPixel(1, 1), clWhite);
  EXPECT_EQ(target.GetPixel(3, 0), clBlack);
}

TEST(BitmapCanvas, DrawingABitmapSomewhereElseLeavesItsIndexesAlone) {
  // Entries 0 and 5 are both black: only reading the pixels keeps index 5 as it is.
  TBitmap sprite(2, 1, pf8bit);
  sprite.ScanLine(0)[1] = 5;
  std::vector<TRGBQuad> palette = DefaultPalette(pf8bit);
  palette[5] = QuadOfRgb(0x000000);
  sprite.SetPalette(palette);
  TBitmap target(2, 1, pf24bit);
  sprite.Draw(target.Canvas(), Rect(0, 0, 2, 1));
  target.Canvas().Draw(0, 0, sprite);
  EXPECT_EQ(sprite.ScanLine(0)[1], 5);
  EXPECT_EQ(target.GetPixel(1, 0), clBlack);
}

TEST(BitmapCanvas, AlphaBitmapsBlendOverTheDestination) {
  // A PNG-like picture: left pixel red at half alpha, right pixel green, fully transparent.
  TDibImage pixels(2, 1, pf32bit);
  pixels.SetRgb(0, 0, 0xFF0000);
  pixels.ScanLine(0)[3] = 128;
  pixels.SetRgb(1, 0, 0x00FF00);
  TBitmap picture;
  picture.SetImage(pixels, afDefined);

  TBitmap target(4, 2, pf24bit);
  target.Canvas().Brush().SetColor(clBlue);
  target.Canvas().FillRect(Rect(0, 0, 4, 2));
  picture.Draw(target.Canvas(), Rect(0, 0, 4, 2));
  EXPECT_EQ(target.GetPixel(1, 1), TColor(RGB(128, 0, 127)));
  EXPECT_EQ(target.GetPixel(2, 0), clBlue);
  // Without a defined alpha the pixels are copied.
  picture.SetAlphaFormat(afIgnored);
  picture.Draw(target.Canvas(), Rect(0, 0, 4, 2));
  EXPECT_EQ(target.GetPixel(2, 0), clLime);
}

// --- Streams, files and DIBs ---

TEST(Bitmap, StreamsFilesAndPackedDibsRoundTrip) {
  TBitmap bitmap(5, 3, pf4bit);
  bitmap.SetPixel(4, 2, clRed);
  TStringStream out;
  bitmap.SaveToStream(out);
  EXPECT_EQ(out.DataString().substr(0, 2), "BM");

  TBitmap loaded;
  out.SetPosition(0);
  loaded.LoadFromStream(out);
  EXPECT_EQ(loaded.Image(), bitmap.Image());

  TScratchFolder dir;
  String path = Utf8ToString(dir.PathOf("bitmap.bmp"));
  bitmap.SaveToFile(path);
  TBitmap fromFile;
  fromFile.LoadFromFile(path);
  EXPECT_EQ(fromFile.GetPixel(4, 2), clRed);

  TBitmap fromDib;
  fromDib.LoadFromPackedDib(bitmap.SaveToPackedDib());
  EXPECT_EQ(fromDib.Image(), bitmap.Image());

  // A broken stream raises and leaves the bitmap as it was.
  TStringStream broken("BM not a bitmap");
  EXPECT_THROW(fromDib.LoadFromStream(broken), EInvalidGraphic);
  EXPECT_EQ(fromDib.Image(), bitmap.Image());
  TStringStream sink;
  EXPECT_THROW(TBitmap().SaveToStream(sink), EInvalidGraphicOperation);
}

TEST(Bitmap, LoadingReadsFromTheStreamPositionToTheEndOfTheFile) {
  TBitmap first(2, 2, pf24bit), second(3, 1, pf1bit);
  first.SetPixel(1, 1, clAqua);
  second.SetPixel(2, 0, clWhite);
  TStringStream stream("prefix");
  stream.Seek(0, soFromEnd);
  first.SaveToStream(stream);
  second.SaveToStream(stream);
  stream.SetPosition(6);
  TBitmap a, b;
  a.LoadFromStream(stream);
  b.LoadFromStream(stream);
  EXPECT_EQ(a.GetPixel(1, 1), clAqua);
  EXPECT_EQ(b.Image(), second.Image());
  EXPECT_EQ(stream.Position(), stream.Size());
}

}  // namespace
