#include "html/foundation/gif/GifDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/foundation/gif/GiflibFiles.h"

namespace {

void Load(TGif& gif, const std::string& bytes) {
  TStringStream stream(bytes);
  stream.SetPosition(static_cast<int64_t>(bytes.size()));  // loading starts at 0 anyway
  gif.LoadFromStream(stream);
}

std::string LoadError(const std::string& bytes) {
  TGif gif;
  try {
    Load(gif, bytes);
  } catch (const EInvalidGraphicOperation& e) {
    return StringToUtf8(e.Message());
  }
  return "(loaded)";
}

// 0x00BBGGRR of the decoder from giflib's 0x00RRGGBB.
uint32_t Swap(uint32_t rgb) { return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16; }

// Bytes of a literal, zero bytes included.
template <size_t N>
std::string B(const char (&s)[N]) {
  return std::string(s, N - 1);
}

// A hand-built file: header with a 2-colour global table, then `body`, then the trailer.
std::string Header(int width = 2, int height = 2, bool globalTable = true) {
  std::string s = "GIF89a";
  s += {static_cast<char>(width), 0, static_cast<char>(height), 0};
  s += globalTable ? '\x80' : '\x00';
  s += {0, 0};
  if (globalTable) s += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);
  return s;
}
std::string Descriptor(int width, int height, int left = 0, int top = 0, char packed = 0) {
  std::string s = "\x2C";
  s += {static_cast<char>(left), 0, static_cast<char>(top), 0, static_cast<char>(width), 0,
        static_cast<char>(height), 0, packed};
  return s;
}
// Code size 2: clear (4), index 1, end (5), packed LSB first in 3-bit codes.
const std::string kTinyData = std::string("\x02\x02\x4C\x01\x00", 5);
std::string Image(int width = 1, int height = 1) { return Descriptor(width, height) + kTinyData; }

// ---------------------------------------------------------------------------------------
// Real files from Debian packages and files written by giflib, decoded by giflib too.

class GifAgainstGiflib : public testing::TestWithParam<std::string> {};

void ExpectSameAsGiflib(const std::string& bytes) {
  TGiflibFile expected = ReadGifWithGiflib(bytes);
  TGif gif;
  Load(gif, bytes);
  EXPECT_EQ(gif.ScreenWidth(), expected.width);
  EXPECT_EQ(gif.ScreenHeight(), expected.height);
  EXPECT_EQ(gif.LoopCount(), expected.loopCount);
  ASSERT_EQ(gif.ImageCount(), static_cast<int>(expected.images.size()));
  for (int i = 0; i < gif.ImageCount(); ++i) {
    SCOPED_TRACE("image " + std::to_string(i));
    const TGiflibImage& e = expected.images[static_cast<size_t>(i)];
    EXPECT_EQ(gif.ImageLeft(i), e.left);
    EXPECT_EQ(gif.ImageTop(i), e.top);
    EXPECT_EQ(gif.ImageWidth(i), e.width);
    int rows = std::min(e.height, gif.ScreenHeight());  // cut to the screen
    ASSERT_EQ(gif.ImageHeight(i), rows);
    std::vector<uint8_t> want(e.pixels.begin(), e.pixels.begin() + static_cast<ptrdiff_t>(rows) * e.width);
    EXPECT_TRUE(gif.ImagePixels(i) == want) << "pixels differ";
    EXPECT_EQ(gif.FrameDelay(i), e.hasControl && e.delay > 0 ? e.delay : 1);
    EXPECT_EQ(gif.FrameDisposal(i), e.hasControl ? e.disposal & 3 : 0);
    EXPECT_EQ(gif.FrameTransparentIndex(i), e.hasControl ? e.transparent : -1);
    for (size_t c = 0; c < e.colors.size(); ++c) EXPECT_EQ(gif.ImageColor(i, static_cast<int>(c)), Swap(e.colors[c]));
    for (size_t c = e.colors.size(); c < 256; ++c) EXPECT_EQ(gif.ImageColor(i, static_cast<int>(c)), 0u);
  }
}

TEST_P(GifAgainstGiflib, SameImagesFramesAndColours) { ExpectSameAsGiflib(ReadFixture(GetParam())); }

INSTANTIATE_TEST_SUITE_P(RealFiles, GifAgainstGiflib,
                         testing::Values("spinner.gif",      // 12 frames, loops, transparency
                                         "tai-ku.gif",       // interlaced
                                         "bomb.gif", "processing.gif", "Libxslt-Logo-90x34.gif"),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(GifDecoder, GiflibWrittenFilesDecodeAlike) {
  // Larger images grow the code width to 12 bits and fill the table (deferred clears);
  // odd interlaced heights exercise every pass; frames with and without control blocks.
  struct Case {
    const char* name;
    int width, height;
    bool interlaced;
    int colors;
  };
  const Case cases[] = {{"noise 300x200, 256 colours", 300, 200, false, 256},
                        {"interlaced 7x5, 4 colours", 7, 5, true, 4},
                        {"interlaced 3x1", 3, 1, true, 2},
                        {"interlaced 9x10", 9, 10, true, 16},
                        {"1x1", 1, 1, false, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTestGif file{c.width, c.height, {}, 0, 3, {}};
    for (int i = 0; i < c.colors; ++i) file.globalTable.push_back(static_cast<uint32_t>(i * 0x010203));
    TTestFrame frame{0, 0, c.width, c.height, {}, 1, -1, 7, true, c.interlaced, {}};
    uint32_t seed = 12345;
    for (int i = 0; i < c.width * c.height; ++i) {
      seed = seed * 1103515245 + 12345;
      frame.pixels.push_back(static_cast<uint8_t>((seed >> 16) % static_cast<uint32_t>(c.colors)));
    }
    file.frames.push_back(frame);
    frame.withControl = false;
    file.frames.push_back(frame);
    ExpectSameAsGiflib(WriteGifWithGiflib(file));
  }
}

TEST(GifDecoder, InterlacedRowsFollowThePasses) {
  // Rows are written in file order 0, 4, 2, 1, 3; each holds its own row number.
  TTestGif file{1, 5, {0, 1, 2, 3, 4, 5, 6, 7}, 0, -1, {}};
  TTestFrame frame{0, 0, 1, 5, {0, 4, 2, 1, 3}, 0, -1, 0, false, true, {}};
  file.frames.push_back(frame);
  TGif gif;
  Load(gif, WriteGifWithGiflib(file));
  EXPECT_EQ(gif.ImagePixels(0), (std::vector<uint8_t>{0, 1, 2, 3, 4}));
}

TEST(GifDecoder, LoopCountAndFrameDefaults) {
  TTestGif file{1, 1, {0, 0xFFFFFF}, 0, 0, {}};
  file.frames.push_back({0, 0, 1, 1, {1}, 0, -1, 0, false, false, {}});
  TGif gif;
  Load(gif, WriteGifWithGiflib(file));
  EXPECT_EQ(gif.LoopCount(), 0);
  EXPECT_EQ(gif.FrameDelay(0), 1);
  EXPECT_EQ(gif.FrameDisposal(0), 0);
  EXPECT_EQ(gif.FrameTransparentIndex(0), -1);
  EXPECT_FALSE(gif.HasTransparency());

  file.loopCount = -1;
  Load(gif, WriteGifWithGiflib(file));
  EXPECT_EQ(gif.LoopCount(), -1);
}

// ---------------------------------------------------------------------------------------
// Hand-built files: what loads, and the numbered errors.

TEST(GifDecoder, FilesThatLoad) {
  struct Case {
    const char* name;
    std::string bytes;
    int images;
  };
  std::string lower = Header() + Image() + ";";
  lower.replace(0, 6, "gif89a");
  std::string badSecond = Header() + Image() + Descriptor(1, 1) + std::string("\x02\x02\x45\x01\x00", 5) + ";";
  const Case cases[] = {
      {"lower-case signature", lower, 1},
      {"no trailer", Header() + Image(), 1},
      {"87a", "GIF87a" + Header().substr(6) + Image() + ";", 1},
      {"unknown extension after an image ends loading", Header() + Image() + B("\x21\xF8\x00") + Image() + ";", 1},
      {"unknown introducer after an image", Header() + Image() + "\x99" + Image() + ";", 1},
      {"second image not starting with a clear code is kept", badSecond, 2},
      {"only image with corrupt data is kept", Header() + Descriptor(1, 1) + std::string("\x02\x02\x45\x01\x00", 5), 1},
      {"sub-block cut short in a second image drops it", Header() + Image() + Descriptor(1, 1) + "\x02\x05\x4C", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGif gif;
    ASSERT_NO_THROW(Load(gif, c.bytes));
    EXPECT_EQ(gif.ImageCount(), c.images);
  }
}

TEST(GifDecoder, NumberedErrors) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* message;
  };
  std::string gce = B("\x21\xF9\x04\x01\x00\x00\x00");
  const Case cases[] = {
      {"signature", "GIF90a" + Header().substr(6) + Image(), "TGif: Invalid GIF Signature Code"},
      {"empty", "", "TGif: Invalid GIF Signature Code"},
      {"no colour table", Header(2, 2, false) + Image(), "TGif: No Local or Global Color Table for Image"},
      {"unknown introducer", Header() + "\x99" + Image(), "TGif: Unknown Graphics Operation Code"},
      {"control block size", Header() + B("\x21\xF9\x05\x00\x00\x00\x00\x00\x00") + Image(),
       "TGif: Invalid Extension Block Size"},
      {"plain text block size", Header() + "\x21\x01\x0B" + std::string(11, '\0') + std::string(1, '\0') + Image(),
       "TGif: Invalid Extension Block Size"},
      {"unknown extension", Header() + B("\x21\xF8\x00") + Image(), "TGif: unknown extension: 00F8"},
      {"terminator", Header() + gce.substr(0, 6) + "\x01" + Image(), "TGif: Invalid Extension Block Terminator"},
      {"code size 12", Header() + Descriptor(1, 1) + std::string("\x0C\x01\x00\x00", 4), "TGif: Invalid LZW Code Size"},
      {"code size 255", Header() + Descriptor(1, 1) + std::string("\xFF\x01\x00\x00", 4), "TGif: Invalid LZW Code Size"},
      {"sub-block cut short", Header() + Descriptor(1, 1) + "\x02\x05\x4C", "TGif: Unexpected end of file"},
      {"comment cut short", Header() + "\x21\xFE\x09" "abc", "TGif: Unexpected end of file"},
      {"zero width", Header() + Image(0, 1), "TGif: Zero width or height"},
      {"no image", Header() + ";", "TGif: No Image Description"},
      {"only extensions", Header() + gce + B("\x00;"), "TGif: No Image Description"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LoadError(c.bytes), c.message);
  }
}

TEST(GifDecoder, ImageIndexOutOfRange) {
  TGif gif;
  Load(gif, Header() + Image() + ";");
  for (int index : {-1, 1}) {
    SCOPED_TRACE(index);
    EXPECT_THROW(gif.ImageWidth(index), EInvalidGraphicOperation);
    EXPECT_THROW(gif.FrameDelay(index), EInvalidGraphicOperation);
  }
}

TEST(GifDecoder, CorruptSecondImageKeepsPixelsDecodedBeforeTheError) {
  // 4x1 image, code size 2: clear, 1, 2, 2 (the table reaches 8 entries: 4-bit codes
  // follow), then 15, far beyond the next free code 8.
  // 4 | 1 << 3 | 2 << 6 | 2 << 9 | 15 << 12 = 0xF48C.
  std::string data = std::string("\x02\x02\x8C\xF4\x00", 5);
  TGif gif;
  Load(gif, Header(4, 1) + Image() + Descriptor(4, 1) + data + ";");
  ASSERT_EQ(gif.ImageCount(), 2);
  EXPECT_EQ(gif.ImagePixels(1), (std::vector<uint8_t>{1, 2, 2, 0}));
}

TEST(GifDecoder, ImageTallerThanTheScreenIsCut) {
  TTestGif file{3, 2, {0, 1, 2, 3}, 0, -1, {}};
  file.frames.push_back({0, 0, 3, 4, {1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0}, 0, -1, 0, false, false, {}});
  TGif gif;
  Load(gif, WriteGifWithGiflib(file));
  EXPECT_EQ(gif.ImageHeight(0), 2);
  EXPECT_EQ(gif.ImagePixels(0), (std::vector<uint8_t>{1, 1, 1, 2, 2, 2}));
}

TEST(GifDecoder, ImageOverThePixelBudgetIsRefusedBeforeAllocation) {
  int64_t old = SetImagePixelBudget(100);
  std::string big = Header(20, 20) + Descriptor(11, 10) + kTinyData + ";";
  EXPECT_EQ(LoadError(big), "TGif: Animated GIF too large");
  SetImagePixelBudget(old);
}

TEST(GifDecoder, EveryTruncationLoadsOrRaises) {
  for (const char* name : {"spinner.gif", "tai-ku.gif"}) {
    std::string bytes = ReadFixture(name);
    for (size_t n = 0; n < bytes.size(); n += (n < 64 ? 1 : 37)) {
      TGif gif;
      try {
        Load(gif, bytes.substr(0, n));
        std::unique_ptr<TBitmap> mask;
        gif.BuildStripBitmap(mask);
      } catch (const EInvalidGraphicOperation&) {
      }
    }
  }
}

}  // namespace
