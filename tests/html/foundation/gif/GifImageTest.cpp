#include "html/foundation/gif/GifImage.h"

#include <gtest/gtest.h>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/controls/CustomControl.h"
#include "tests/html/foundation/gif/GiflibFiles.h"

namespace {

const std::vector<uint32_t> kTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};  // 0xRRGGBB

TTestGif TwoFrames(int loopCount, int delay, int transparent = -1) {
  TTestGif file{2, 1, kTable, 0, loopCount, {}};
  file.frames.push_back({0, 0, 2, 1, {1, 1}, 1, -1, delay, true, false, {}});
  file.frames.push_back({0, 0, 2, 1, {2, 3}, 1, transparent, delay, true, false, {}});
  return file;
}

std::unique_ptr<TGIFImage> Decode(const TTestGif& file) {
  TStringStream stream(WriteGifWithGiflib(file));
  return DecodeGifToImage(stream);
}

TEST(GifImage, DelaysAndLoopCountsFromTheFile) {
  struct Case {
    int gifDelay;
    bool withControl;
    int delayMs;
  };
  for (Case c : {Case{0, true, 30}, Case{2, true, 30}, Case{3, true, 30}, Case{5, true, 50}, Case{0, false, 30}}) {
    SCOPED_TRACE(c.gifDelay);
    TTestGif file = TwoFrames(-1, c.gifDelay);
    for (TTestFrame& f : file.frames) f.withControl = c.withControl;
    EXPECT_EQ(Decode(file)->Frames().FrameAt(1).Delay, c.delayMs);
  }
  struct Loop {
    int inFile, loopCount;
  };
  for (Loop l : {Loop{-1, 1}, Loop{0, 0}, Loop{2, 3}}) {
    SCOPED_TRACE(l.inFile);
    auto image = Decode(TwoFrames(l.inFile, 5));
    EXPECT_EQ(image->LoopCount, l.loopCount);
    EXPECT_TRUE(image->MultiFrame);
    EXPECT_EQ(image->FrameCount, 2);
    EXPECT_EQ(image->CurrentDisposal(), 2);
  }
}

TEST(GifImage, AnimationPlaysAsOftenAsTheLoopCountSays) {
  struct Case {
    int inFile;
    int changes;  // frame changes before the animation stops (-1: it never stops)
  };
  TCustomControl control(nullptr);
  for (Case c : {Case{-1, 1}, Case{2, 5}, Case{0, -1}}) {
    SCOPED_TRACE(c.inFile);
    TManualClock clock;
    ScopedClock use(clock);
    auto image = Decode(TwoFrames(c.inFile, 5));
    image->SetAnimating(true);
    int changes = 0;
    for (int tick = 0; tick < 100 && image->Animating(); ++tick) {
      clock.Advance(25);
      int before = image->FrameIndex;
      image->CheckAdvance(control);
      if (image->FrameIndex != before) ++changes;
    }
    if (c.changes < 0) {
      EXPECT_TRUE(image->Animating());
      EXPECT_EQ(changes, 50);
    } else {
      EXPECT_FALSE(image->Animating());
      EXPECT_EQ(changes, c.changes);
      EXPECT_EQ(image->FrameIndex, 2);  // stops at the last frame
    }
  }
}

TEST(GifImage, SingleFrameTakesNoDelay) {
  TTestGif file = TwoFrames(-1, 5);
  file.frames.pop_back();
  auto image = Decode(file);
  EXPECT_FALSE(image->MultiFrame);
  image->SetAnimating(true);
  EXPECT_EQ(image->CurrentDelay(), 0);
}

TEST(GifImage, FrameIndexWrapsAround) {
  auto image = Decode(TwoFrames(0, 5));
  image->SetFrameIndex(0);
  EXPECT_EQ(image->FrameIndex, 2);
  image->SetFrameIndex(3);
  EXPECT_EQ(image->FrameIndex, 1);
}

TEST(GifImage, CopiesAnimateAloneAndOutliveTheSource) {
  TManualClock clock;
  ScopedClock use(clock);
  TCustomControl control(nullptr);
  auto source = Decode(TwoFrames(0, 5, 3));
  auto copy = TGIFImage::CreateFrom(*source);
  EXPECT_TRUE(copy->SharesStrip());
  copy->SetAnimating(true);
  clock.Advance(50);
  copy->CheckAdvance(control);
  source->CheckAdvance(control);
  EXPECT_EQ(copy->FrameIndex, 2);
  EXPECT_EQ(source->FrameIndex, 1);
  source.reset();
  TBitmap target(2, 1, pf32bit);
  copy->DrawFrame(target.Canvas(), 0, 0, 2, 1);
  EXPECT_EQ(target.GetPixel(0, 0), TColor(0x00FF00));
}

TEST(GifImage, DrawFrameGoesThroughTheMask) {
  // Frame 1: transparent, then red; frame 2 paints green over the transparent pixel.
  TTestGif file{2, 1, kTable, 0, 0, {}};
  file.frames.push_back({0, 0, 2, 1, {3, 1}, 1, 3, 5, true, false, {}});
  file.frames.push_back({0, 0, 1, 1, {2}, 1, -1, 5, true, false, {}});
  auto image = Decode(file);
  ASSERT_TRUE(image->HasMask);
  struct Case {
    int frame;
    TColor expected[4];  // drawn twice as wide onto white
  };
  for (const Case& c : {Case{1, {clWhite, clWhite, 0x0000FF, 0x0000FF}}, Case{2, {0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF}}}) {
    SCOPED_TRACE(c.frame);
    image->SetFrameIndex(c.frame);
    TBitmap target(4, 1, pf32bit);
    for (int x = 0; x < 4; ++x) target.SetPixel(x, 0, clWhite);
    image->DrawFrame(target.Canvas(), 0, 0, 4, 1);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(target.GetPixel(x, 0), c.expected[x]) << x;
    EXPECT_EQ(image->TargetRect(), (TRect{0, 0, 4, 1}));
  }
}

TEST(GifImage, StillBitmapIsTheFirstFrame) {
  auto image = Decode(TwoFrames(0, 5, 3));
  TBitmap* still = image->GetStillBitmap();
  ASSERT_NE(still, nullptr);
  EXPECT_EQ(still->Width(), 2);
  EXPECT_EQ(still->GetPixel(1, 0), TColor(0x0000FF));  // red
  TBitmap* mask = image->GetStillMask();
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->Width(), 2);
  EXPECT_EQ(mask->GetPixel(0, 0), clBlack);
}

TEST(GifImage, DecodingErrorsPassOn) {
  TStringStream stream("GIF89a");
  try {
    DecodeGifToImage(stream);
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(StringToUtf8(e.Message()), "TGif: No Image Description");
  }
}

}  // namespace

namespace {

TEST(HtBitmap, StretchModeByDeviceDepth) {
  struct Case {
    int deviceBits;
    TPixelFormat format;
    int mode;
  };
  for (Case c : {Case{8, pf24bit, HALFTONE}, Case{8, pf16bit, HALFTONE}, Case{8, pf8bit, COLORONCOLOR},
                 Case{24, pf24bit, COLORONCOLOR}, Case{8, pf1bit, BLACKONWHITE}}) {
    SCOPED_TRACE(c.deviceBits * 100 + c.format);
    TMeasureDC device(TSize{100, 100}, c.deviceBits);
    TCanvas canvas(&device);
    ThtBitmap bitmap;
    bitmap.SetImage(TDibImage(2, 2, c.format));
    bitmap.StretchDrawPart(canvas, TRect{0, 0, 4, 4}, TRect{0, 0, 2, 2});
    EXPECT_EQ(device.GetStretchBltMode(), c.mode);
  }
}

}  // namespace
