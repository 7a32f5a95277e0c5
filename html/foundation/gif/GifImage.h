// TGIFImage: an animated GIF for the HTML engine. All frames lie side by side, already
// composed, in one strip bitmap with its mask; the image knows the current frame, how long
// it stays and how often the sequence plays, draws the current frame stretched, advances
// from the document's timer and hands out a still bitmap of the first frame.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "html/foundation/gif/HtBitmap.h"

class TCanvas;
class TCustomControl;
class TStream;

class TgfFrame {
 public:
  TgfFrame() = default;
  static std::unique_ptr<TgfFrame> CreateFrom(const TgfFrame& source);

  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Delay = 0;  // milliseconds
  uint8_t Disposal = 0;
  bool Copied = false;  // made by CreateFrom
};

// The frames of one image, 1-based through FrameAt.
class TgfFrameList {
 public:
  int Count() const { return static_cast<int>(frames_.size()); }
  TgfFrame& FrameAt(int n) { return *frames_.at(static_cast<size_t>(n - 1)); }
  const TgfFrame& FrameAt(int n) const { return *frames_.at(static_cast<size_t>(n - 1)); }
  void Add(std::unique_ptr<TgfFrame> frame) { frames_.push_back(std::move(frame)); }

 private:
  std::vector<std::unique_ptr<TgfFrame>> frames_;
};

class TGIFImage {
 public:
  TGIFImage();
  // A second image object on the same strip, with its own frame position and animation.
  static std::unique_ptr<TGIFImage> CreateFrom(const TGIFImage& source);
  ~TGIFImage();
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;

  bool MultiFrame = false;
  int FrameIndex = 1;
  int FrameWidth = 0, FrameHeight = 0;
  int FrameCount = 0;
  int LoopCount = 0;  // 0: endlessly
  bool HasMask = false;
  bool Showing = true;
  bool Drawn = false;  // set and read by the document

  ThtBitmap& FrameStrip() const { return *strip_; }
  bool SharesStrip() const { return sharesStrip_; }
  bool Animating() const { return animating_; }
  int CurrentDisposal() const { return currentDisposal_; }
  int CurrentDelay() const { return currentDelay_; }
  const TRect& TargetRect() const { return targetRect_; }
  const TgfFrameList& Frames() const { return frames_; }

  void DrawFrame(TCanvas& canvas, int x, int y, int width, int height);
  // About every 40 ms from the document's timer: moves on a frame when its time is up.
  void CheckAdvance(TCustomControl& control);
  void SetAnimating(bool on);
  void SetFrameIndex(int n);
  void NoteDisposal(int n);
  TBitmap* GetStillBitmap() { return BuildStillBitmap(); }
  TBitmap* BuildStillBitmap();
  TBitmap* GetStillMask();

 private:
  friend std::unique_ptr<TGIFImage> DecodeGifToImage(TStream& stream);

  std::shared_ptr<ThtBitmap> strip_;
  bool sharesStrip_ = false;
  std::unique_ptr<TBitmap> stillBitmap_, stillMask_;
  bool animating_ = false;
  TRect targetRect_{};
  int currentDisposal_ = 0;
  TgfFrameList frames_;
  int loopsDone_ = 1;
  uint32_t lastChange_ = 0;
  int currentDelay_ = 0;
};

// Decodes a GIF stream into a new image; decoding errors (EInvalidGraphicOperation,
// "TGif: ...") pass on.
std::unique_ptr<TGIFImage> DecodeGifToImage(TStream& stream);
