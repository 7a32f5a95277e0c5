#include <gtest/gtest.h>

#include "html/foundation/gif/GifDecoder.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/foundation/gif/GiflibFiles.h"

namespace {

// TColor values (red in the low byte) of the global table below.
constexpr TColor kBlack = 0x000000, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
const std::vector<uint32_t> kTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};  // 0xRRGGBB

TTestFrame Frame(int left, int width, std::vector<uint8_t> pixels, int disposal, int transparent) {
  return {left, 0, width, 1, std::move(pixels), disposal, transparent, 5, true, false, {}};
}

TEST(GifStrip, FramesComposedWithDisposalAndMask) {
  struct Case {
    const char* name;
    TTestGif file;
    std::vector<TColor> colors;  // the strip, left to right (one row)
    std::string clear;           // per pixel: 'T' transparent in the mask, 'o' opaque; "" no mask
  };
  const Case cases[] = {
      {"disposal 2 with a mask: back to transparent",
       {2, 1, kTable, 0, -1, {Frame(0, 2, {1, 3}, 2, 3), Frame(1, 1, {2}, 0, -1)}},
       {kRed, kBlack, kBlack, kGreen},
       "oTTo"},
      {"disposal 3: back to the frame before",
       {2, 1, kTable, 0, -1, {Frame(0, 2, {1, 1}, 1, 3), Frame(0, 1, {2}, 3, -1), Frame(1, 1, {0}, 0, -1)}},
       {kRed, kRed, kGreen, kRed, kRed, kBlack},
       "oooooo"},
      {"disposal 3 of the first frame: back to empty",
       {2, 1, kTable, 0, -1, {Frame(0, 1, {1}, 3, 3), Frame(1, 1, {2}, 0, -1)}},
       {kRed, kBlack, kBlack, kGreen},
       "oTTo"},
      {"disposal 2 without a mask: the background colour",
       {2, 1, kTable, 3, -1, {Frame(0, 2, {1, 1}, 2, -1), Frame(1, 1, {2}, 0, -1)}},
       {kRed, kRed, kBlue, kGreen},
       ""},
      {"disposal 1 keeps the frame; transparent pixels show the one before",
       {2, 1, kTable, 0, -1, {Frame(0, 2, {1, 2}, 1, -1), Frame(0, 2, {3, 0}, 1, 0)}},
       {kRed, kGreen, kBlue, kGreen},
       "oooo"},
      {"frame past the right edge is cut at its slot",
       {2, 1, kTable, 0, -1, {Frame(1, 2, {1, 2}, 0, -1), Frame(0, 1, {3}, 0, -1)}},
       {kBlack, kRed, kBlue, kRed},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStringStream stream(WriteGifWithGiflib(c.file));
    TGif gif;
    gif.LoadFromStream(stream);
    std::unique_ptr<TBitmap> mask;
    std::unique_ptr<TBitmap> strip = gif.BuildStripBitmap(mask);
    ASSERT_EQ(strip->Width(), static_cast<int>(c.colors.size()));
    ASSERT_EQ(strip->Height(), 1);
    EXPECT_EQ(strip->PixelFormat(), pf24bit);
    for (int x = 0; x < strip->Width(); ++x) EXPECT_EQ(strip->GetPixel(x, 0), c.colors[static_cast<size_t>(x)]) << x;
    if (c.clear.empty()) {
      EXPECT_EQ(mask, nullptr);
      continue;
    }
    ASSERT_NE(mask, nullptr);
    EXPECT_TRUE(mask->Monochrome());
    for (int x = 0; x < mask->Width(); ++x)
      EXPECT_EQ(mask->GetPixel(x, 0), c.clear[static_cast<size_t>(x)] == 'T' ? clWhite : clBlack) << x;
  }
}

TEST(GifStrip, RealAnimationComposesEveryFrame) {
  TStringStream stream(ReadFixture("spinner.gif"));
  TGif gif;
  gif.LoadFromStream(stream);
  std::unique_ptr<TBitmap> mask;
  std::unique_ptr<TBitmap> strip = gif.BuildStripBitmap(mask);
  EXPECT_EQ(strip->Width(), gif.ScreenWidth() * gif.ImageCount());
  EXPECT_EQ(strip->Height(), gif.ScreenHeight());
  EXPECT_EQ(mask != nullptr, gif.HasTransparency());
  // Every pixel a frame draws opaque shows its colour in that frame's slot.
  for (int i = 0; i < gif.ImageCount(); ++i) {
    const std::vector<uint8_t>& pixels = gif.ImagePixels(i);
    for (int y = 0; y < gif.ImageHeight(i); ++y)
      for (int x = 0; x < gif.ImageWidth(i); ++x) {
        uint8_t index = pixels[static_cast<size_t>(y * gif.ImageWidth(i) + x)];
        if (index == gif.FrameTransparentIndex(i)) continue;
        int sx = i * gif.ScreenWidth() + gif.ImageLeft(i) + x, sy = gif.ImageTop(i) + y;
        ASSERT_EQ(static_cast<uint32_t>(strip->GetPixel(sx, sy)), gif.ImageColor(i, index));
        if (mask) {
          ASSERT_EQ(mask->GetPixel(sx, sy), clBlack);
        }
      }
  }
}

TEST(GifStrip, TooLargeAnimationRaises) {
  // 2,000 frames of 200 x 200 pixels: 240,000,054 bytes of strip.
  std::string file = std::string("GIF89a\xC8\x00\xC8\x00\x80\x00\x00", 13) + std::string("\x00\x00\x00\xFF\xFF\xFF", 6);
  std::string frame = std::string("\x2C\x00\x00\x00\x00\xC8\x00\xC8\x00\x00\x02\x02\x4C\x01\x00", 15);
  for (int i = 0; i < 2000; ++i) file += frame;
  file += ";";
  TStringStream stream(file);
  TGif gif;
  gif.LoadFromStream(stream);
  ASSERT_EQ(gif.ImageCount(), 2000);
  std::unique_ptr<TBitmap> mask;
  try {
    gif.BuildStripBitmap(mask);
    FAIL() << "no error";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(StringToUtf8(e.Message()), "TGif: Animated GIF too large");
  }
}

}  // namespace
