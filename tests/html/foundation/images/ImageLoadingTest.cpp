#include "html/foundation/images/ImageLoading.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "html/foundation/images/ImageCache.h"
#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/foundation/gif/GiflibFiles.h"
#include "tests/support/TempDirectory.h"

namespace {

const std::vector<uint32_t> kTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

std::string GifFile(int frames, int transparent) {
  TTestGif file{2, 1, kTable, 0, -1, {}};
  for (int i = 0; i < frames; ++i) file.frames.push_back({0, 0, 2, 1, {1, 3}, 0, transparent, 5, true, false, {}});
  return WriteGifWithGiflib(file);
}

// A 2 x 1 image: red, then blue (0x00RRGGBB pixels; alpha of the second one given).
TDibImage RedBlue(uint8_t alpha = 255) {
  TDibImage image(2, 1, pf32bit);
  auto* row = reinterpret_cast<uint32_t*>(image.ScanLine(0));
  row[0] = 0xFFFF0000u;
  row[1] = uint32_t{alpha} << 24 | 0x0000FFu;
  return image;
}

template <class T>
T* As(TImageObject& image) {
  auto* p = std::get_if<std::unique_ptr<T>>(&image);
  return p ? p->get() : nullptr;
}

TEST(ImageLoading, SniffedFormats) {
  struct Case {
    std::string head;
    int kind;
  };
  for (const Case& c : {Case{"GIF89a", 2}, Case{"\x89PNG\r\n", 3}, Case{"BMxx", 1}, Case{"\xFF\xD8\xFF\xE0", 4},
                        Case{"GIF7", 0}, Case{"abcd", 0}, Case{"", 0}}) {
    SCOPED_TRACE(c.head);
    TStringStream stream(c.head);
    stream.SetPosition(1);
    EXPECT_EQ(SniffImageFormat(stream), c.kind);
    EXPECT_EQ(stream.Position(), 1);
  }
}

TEST(ImageLoading, WhatEachStreamGives) {
  TStringBitmapList cache;  // holds the image layer, so PNG images load
  struct Case {
    const char* name;
    std::string bytes;
    uint8_t wantTransparency;
    const char* kind;  // "none", "bitmap", "gif", "gp", "meta"
    uint8_t transparency;
    bool mask;
  };
  const Case cases[] = {
      {"3 bytes", "GIF", itrNone, "none", itrNone, false},
      {"4 other bytes", "abcd", itrNone, "none", itrNone, false},
      {"still transparent GIF", GifFile(1, 3), itrNone, "bitmap", itrMask, true},
      {"still opaque GIF, lower-left mask asked", GifFile(1, -1), itrLowerLeft, "bitmap", itrLowerLeft, true},
      {"animated GIF", GifFile(3, 3), itrNone, "gif", itrNone, false},
      {"JPEG", EncodeJpeg(RedBlue(), 90), itrNone, "bitmap", itrNone, false},
      {"BMP with lower-left mask", EncodeBmp(RedBlue()), itrLowerLeft, "bitmap", itrLowerLeft, true},
      {"PNG", EncodePng(RedBlue(128), true), itrLowerLeft, "gp", itrNone, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStringStream stream(c.bytes);
    uint8_t transparency = c.wantTransparency;
    std::unique_ptr<TBitmap> mask;
    TImageObject image = ReadImageStream(&stream, transparency, mask);
    std::string kind = IsEmptyImage(image)        ? "none"
                       : As<TBitmap>(image)       ? "bitmap"
                       : As<TGIFImage>(image)     ? "gif"
                       : As<TGpImage>(image)      ? "gp"
                                                  : "meta";
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(transparency, c.transparency);
    EXPECT_EQ(mask != nullptr, c.mask);
    if (kind != "none") {
      EXPECT_EQ(ImageSizeOf(image).cx, 2);
    }
  }
}

TEST(ImageLoading, MasksAndScreenFormats) {
  // The GIF's mask is white where it is transparent; a JPEG on a 24-bit screen stays 24-bit.
  TStringStream gif(GifFile(1, 3));
  uint8_t transparency = itrNone;
  std::unique_ptr<TBitmap> mask;
  TImageObject image = ReadImageStream(&gif, transparency, mask);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->GetPixel(0, 0), clBlack);
  EXPECT_EQ(mask->GetPixel(1, 0), clWhite);
  EXPECT_EQ(As<TBitmap>(image)->GetPixel(0, 0), clRed);

  TStringStream jpeg(EncodeJpeg(RedBlue(), 90));
  transparency = itrLowerLeft;
  image = ReadImageStream(&jpeg, transparency, mask);
  EXPECT_EQ(As<TBitmap>(image)->PixelFormat(), pf24bit);
  EXPECT_EQ(transparency, itrNone);
}

TEST(ImageLoading, BrokenDataRaisesOrGivesNothing) {
  uint8_t transparency = itrNone;
  std::unique_ptr<TBitmap> mask;
  EXPECT_TRUE(IsEmptyImage(ReadImageStream(nullptr, transparency, mask)));
  TStringStream gif(std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14));
  EXPECT_THROW(ReadImageStream(&gif, transparency, mask), EInvalidGraphicOperation);
  TStringStream png(std::string("\x89PNG\r\n\x1A\n") + "broken");
  TStringBitmapList cache;
  try {
    ReadImageStream(&png, transparency, mask);
    FAIL();
  } catch (const EGDIPlus& e) {
    EXPECT_EQ(StringToUtf8(e.Message()), "Can't load image stream. GDI error 2");
  }
  EXPECT_TRUE(IsEmptyImage(ReadImageFile(u"/nonexistent/picture.gif", transparency, mask)));
  EXPECT_THROW(ImageSizeOf(TImageObject{}), EGDIPlus);
}

// Names that are no regular file give nothing and are never opened: opening a FIFO nobody
// writes to blocks for ever, and a device may never end.
TEST(ImageLoading, OnlyRegularFilesAreRead) {
  TTempDirectory folder;
  folder.WriteFile("picture.gif", GifFile(1, -1));
  ASSERT_EQ(mkfifo(folder.PathOf("fifo.gif").c_str(), 0600), 0);
  const std::string names[] = {folder.PathOf("fifo.gif"), folder.Path(), "/dev/zero", "/dev/null"};
  uint8_t transparency = itrNone;
  std::unique_ptr<TBitmap> mask;
  for (const std::string& name : names)
    EXPECT_TRUE(IsEmptyImage(ReadImageFile(Utf8ToString(name), transparency, mask))) << name;
  EXPECT_FALSE(IsEmptyImage(ReadImageFile(Utf8ToString(folder.PathOf("picture.gif")), transparency, mask)));
}

// A stream of a given size that holds a picture's signature and zeros after it, like a
// sparse file; it counts the bytes read from it.
class TSignatureOnlyStream : public TStream {
 public:
  TSignatureOnlyStream(std::string head, int64_t size) : head_(std::move(head)), size_(size) {}
  int64_t Read(void* buffer, int64_t count) override {
    const int64_t n = std::clamp<int64_t>(size_ - position_, 0, count);
    auto* out = static_cast<char*>(buffer);
    std::memset(out, 0, static_cast<size_t>(n));
    for (int64_t i = position_; i < std::min<int64_t>(position_ + n, head_.size()); ++i) out[i - position_] = head_[i];
    position_ += n;
    BytesRead += n;
    return n;
  }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t offset, int origin) override {
    const int64_t to = (origin == 0 ? 0 : origin == 1 ? position_ : size_) + offset;
    if (to < 0) return -1;
    return position_ = to;
  }
  int64_t Size() override { return size_; }
  void SetSize(int64_t) override {}
  int64_t BytesRead = 0;

 private:
  std::string head_;
  int64_t size_;
  int64_t position_ = 0;
};

// The decoders take their input whole: a picture larger than the cap is not read at all
// (only its signature is looked at), whatever its kind, and gives nothing.
TEST(ImageLoading, PicturesOverTheCapAreNotRead) {
  TStringBitmapList cache;  // PNG pictures are decoded only while a cache exists
  for (const char* head : {"GIF89a", "\x89PNG\r\n\x1A\n", "BM", "\xFF\xD8\xFF\xE0", "\x01\x00\x00\x00"}) {
    SCOPED_TRACE(head);
    TSignatureOnlyStream stream(head, MaxImageBytes + 1);
    uint8_t transparency = itrLowerLeft;
    std::unique_ptr<TBitmap> mask;
    EXPECT_TRUE(IsEmptyImage(ReadImageStream(&stream, transparency, mask)));
    EXPECT_LE(stream.BytesRead, 4);
  }
  // So is a sparse file named by a document.
  TTempDirectory folder;
  folder.WriteFile("huge.gif", "GIF89a");
  ASSERT_EQ(truncate(folder.PathOf("huge.gif").c_str(), MaxImageBytes + 1), 0);
  uint8_t transparency = itrNone;
  std::unique_ptr<TBitmap> mask;
  EXPECT_TRUE(IsEmptyImage(ReadImageFile(Utf8ToString(folder.PathOf("huge.gif")), transparency, mask)));
}

TEST(ImageLoading, PngOnlyWhileACacheHoldsTheImageLayer) {
  std::string png = EncodePng(RedBlue(), true);
  uint8_t transparency = itrNone;
  std::unique_ptr<TBitmap> mask;
  {
    TStringBitmapList first, second;
    TStringStream stream(png);
    EXPECT_NE(As<TGpImage>(*std::make_unique<TImageObject>(ReadImageStream(&stream, transparency, mask))), nullptr);
  }
  TStringStream stream(png);
  EXPECT_TRUE(IsEmptyImage(ReadImageStream(&stream, transparency, mask)));
}

TEST(ImageLoading, ImageToBitmapWidensSpacers) {
  struct Case {
    int w, h, askW, askH, outW, outH;
  };
  for (Case c : {Case{1, 50, 300, 50, 100, 50}, Case{1, 1, 20, 30, 20, 30}, Case{5, 7, 300, 300, 5, 7}}) {
    SCOPED_TRACE(c.w * 100 + c.h);
    auto source = std::make_unique<TBitmap>(c.w, c.h, pf24bit);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) source->SetPixel(x, y, clGreen);
    TImageObject image = std::move(source);
    std::unique_ptr<TBitmap> out = ImageToBitmap(image, c.askW, c.askH);
    EXPECT_EQ(out->Width(), c.outW);
    EXPECT_EQ(out->Height(), c.outH);
    EXPECT_EQ(out->GetPixel(out->Width() - 1, out->Height() - 1), clGreen);
  }
  EXPECT_THROW(ImageToBitmap(TImageObject{}, 1, 1), EInvalidCast);
}

TEST(ImageCache, AgeingAndUsers) {
  TStringBitmapList cache;
  auto add = [&](const char* key) {
    AddImageItem(cache, Utf8ToString(key), std::make_unique<TBitmapItem>(std::make_unique<TBitmap>(1, 1), nullptr, 0));
  };
  add("B.GIF");
  add("a.gif");
  EXPECT_EQ(cache.IndexOf(u"A.GIF"), 0);  // sorted, case-insensitive
  cache.ReleaseImage(u"A.GIF");
  cache.ReleaseImage(u"B.GIF");
  cache.ReleaseImage(u"MISSING");
  cache.AcquireImage(cache.IndexOf(u"b.gif"));  // one user again
  for (int pass = 1; pass <= 4; ++pass) cache.AgeItems();
  EXPECT_EQ(cache.Count(), 2);
  cache.AgeItems();  // the fifth pass drops the unused item
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(cache.IndexOf(u"a.gif"), -1);
  for (int pass = 0; pass < 10; ++pass) cache.AgeItems();
  EXPECT_EQ(cache.Count(), 1);  // in use: never dropped

  add("c.gif");
  cache.ReleaseImage(u"c.gif");
  cache.SetMaxAge(0);
  EXPECT_NE(cache.IndexOf(u"c.gif"), -1);  // not aged yet
  cache.AgeItems();
  EXPECT_EQ(cache.IndexOf(u"c.gif"), -1);
  EXPECT_EQ(cache.MaxAge(), 0);
}

TEST(GpImage, DrawnBlendedAndEnlarged) {
  TStringStream stream(EncodePng(RedBlue(0), true));
  std::unique_ptr<TGpImage> image = TGpImage::CreateFromStream(stream);
  EXPECT_EQ(image->GetWidth(), 2);
  std::unique_ptr<TBitmap> onWhite = image->ToBitmap();
  EXPECT_EQ(onWhite->GetPixel(0, 0), clRed);
  EXPECT_EQ(onWhite->GetPixel(1, 0), clWhite);  // fully transparent pixel

  // A 1 x 1 image drawn at 20 x 20 covers all of it, to the last row and column.
  TDibImage one(1, 1, pf32bit);
  *reinterpret_cast<uint32_t*>(one.ScanLine(0)) = 0xFF00FF00u;
  TStringStream tiny(EncodePng(one, true));
  std::unique_ptr<TGpImage> dot = TGpImage::CreateFromStream(tiny);
  TBitmap target(22, 22, pf32bit);
  TGpGraphics(target.Canvas().Handle()).DrawImageRect(*dot, 1, 1, 20, 20);
  target.Canvas();
  EXPECT_EQ(target.GetPixel(1, 1), clLime);
  EXPECT_EQ(target.GetPixel(20, 20), clLime);
  EXPECT_EQ(target.GetPixel(21, 21), clBlack);
}

}  // namespace
