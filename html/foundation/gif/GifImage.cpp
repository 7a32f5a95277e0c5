#include "html/foundation/gif/GifImage.h"

#include <algorithm>

#include "html/foundation/gif/GifDecoder.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/rtl/Clock.h"
#include "platform/ui/controls/CustomControl.h"

std::unique_ptr<TgfFrame> TgfFrame::CreateFrom(const TgfFrame& source) {
  auto frame = std::make_unique<TgfFrame>(source);
  frame->Copied = true;
  return frame;
}

TGIFImage::TGIFImage() : strip_(std::make_shared<ThtBitmap>()) {}

TGIFImage::~TGIFImage() = default;

std::unique_ptr<TGIFImage> TGIFImage::CreateFrom(const TGIFImage& source) {
  auto image = std::make_unique<TGIFImage>();
  image->MultiFrame = source.MultiFrame;
  image->FrameIndex = source.FrameIndex;
  image->FrameWidth = source.FrameWidth;
  image->FrameHeight = source.FrameHeight;
  image->FrameCount = source.FrameCount;
  image->LoopCount = source.LoopCount;
  image->HasMask = source.HasMask;
  image->Showing = source.Showing;
  image->strip_ = source.strip_;  // shared: the strip lives while any image uses it
  image->sharesStrip_ = true;
  for (int n = 1; n <= source.frames_.Count(); ++n) image->frames_.Add(TgfFrame::CreateFrom(source.frames_.FrameAt(n)));
  image->FrameIndex = 1;
  image->loopsDone_ = 1;
  if (image->MultiFrame) image->currentDisposal_ = 2;
  return image;
}

std::unique_ptr<TGIFImage> DecodeGifToImage(TStream& stream) {
  TGif gif;
  gif.LoadFromStream(stream);
  auto image = std::make_unique<TGIFImage>();
  image->FrameCount = gif.ImageCount();
  image->MultiFrame = image->FrameCount > 1;
  image->FrameWidth = gif.ScreenWidth();
  image->FrameHeight = gif.ScreenHeight();
  int loops = gif.LoopCount();
  image->LoopCount = loops < 0 ? 1 : loops == 0 ? 0 : loops + 1;
  image->HasMask = gif.HasTransparency();

  std::unique_ptr<TBitmap> mask;
  std::unique_ptr<TBitmap> strip = gif.BuildStripBitmap(mask);
  image->strip_->Assign(*strip);
  image->strip_->MaskBitmap = std::move(mask);
  image->strip_->HasMask = image->strip_->MaskBitmap != nullptr;

  for (int i = 0; i < gif.ImageCount(); ++i) {
    auto frame = std::make_unique<TgfFrame>();
    frame->Left = gif.ImageLeft(i);
    frame->Top = gif.ImageTop(i);
    frame->Width = gif.ImageWidth(i);
    frame->Height = gif.ImageHeight(i);
    frame->Disposal = static_cast<uint8_t>(gif.FrameDisposal(i));
    int delay = 10 * gif.FrameDelay(i);
    frame->Delay = delay <= 28 ? 30 : delay;
    image->frames_.Add(std::move(frame));
  }
  if (image->MultiFrame) image->currentDisposal_ = 2;
  return image;
}

void TGIFImage::DrawFrame(TCanvas& canvas, int x, int y, int width, int height) {
  if (!Showing || frames_.Count() == 0) return;
  targetRect_ = TRect{x, y, x + width, y + height};
  TRect source{(FrameIndex - 1) * FrameWidth, 0, FrameIndex * FrameWidth, FrameHeight};
  canvas.SetCopyMode(SRCCOPY);
  canvas.Handle().SetStretchBltMode(COLORONCOLOR);
  strip_->StretchDrawPart(canvas, targetRect_, source);
}

void TGIFImage::CheckAdvance(TCustomControl& control) {
  if (!animating_) return;
  uint32_t now = GetTickCount();
  if (now - lastChange_ < static_cast<uint32_t>(currentDelay_)) return;
  lastChange_ = now;
  if (FrameIndex == FrameCount) {
    if (LoopCount > 0 && loopsDone_ >= LoopCount) {
      SetAnimating(false);
      return;
    }
    ++loopsDone_;
  }
  currentDisposal_ = frames_.FrameAt(FrameIndex).Disposal;
  FrameIndex = FrameIndex >= FrameCount ? 1 : FrameIndex + 1;
  control.Invalidate();
  currentDelay_ = std::max(1, frames_.FrameAt(FrameIndex).Delay);
}

void TGIFImage::SetAnimating(bool on) {
  if (on == animating_) return;
  animating_ = on;
  if (on && FrameCount > 1) {
    currentDelay_ = std::max(1, frames_.FrameAt(FrameIndex).Delay);
    lastChange_ = GetTickCount();
  }
}

void TGIFImage::SetFrameIndex(int n) {
  if (n == FrameIndex || frames_.Count() == 0) return;
  currentDisposal_ = frames_.FrameAt(FrameIndex).Disposal;
  FrameIndex = n > FrameCount ? 1 : n <= 0 ? FrameCount : n;
  if (MultiFrame) currentDisposal_ = 2;
}

void TGIFImage::NoteDisposal(int n) { currentDisposal_ = frames_.FrameAt(n).Disposal; }

TBitmap* TGIFImage::BuildStillBitmap() {
  if (!stillBitmap_) {
    auto cut = [this](const TBitmap& source) {
      auto still = std::make_unique<TBitmap>(source);
      still->SetWidth(std::min(FrameWidth, source.Width()));
      return still;
    };
    stillBitmap_ = cut(*strip_);
    if (strip_->MaskBitmap) stillMask_ = cut(*strip_->MaskBitmap);
    stillBitmap_->SetTransparent(false);
  }
  return stillBitmap_.get();
}

TBitmap* TGIFImage::GetStillMask() {
  if (!HasMask) return nullptr;
  if (!stillMask_) BuildStillBitmap();
  return stillMask_.get();
}
