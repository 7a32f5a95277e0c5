// The display size of an image from its own size, the specified size (pixels or a
// percentage of the room), and the room it is given. Products are taken in 64 bits,
// rounded to the nearest (halves away from zero) and clamped; nothing divides by zero.
#pragma once

#include <cstdint>

struct TImageSizeRequest {
  int32_t ImageWidth = 0, ImageHeight = 0;  // the picture's own size
  int32_t SpecWidth = -1, SpecHeight = -1;  // -1: not given
  bool WidthIsPercent = false, HeightIsPercent = false;
  int32_t AvailableWidth = 0, AvailableHeight = 0;  // already less twice the border
};

struct TImageSize {
  int32_t Width = 0, Height = 0;
  // The size depends only on the specified size and the picture (no percentage): it need
  // not be worked out again while the picture stays.
  bool Fixed = false;
};

TImageSize ComputeImageSize(const TImageSizeRequest& request);

// a × b / c rounded to the nearest, halves away from zero, in 64 bits and clamped to
// 0 .. 2^31 - 1; 0 when c is 0.
int32_t ScaleClamped(int64_t a, int64_t b, int64_t c);
