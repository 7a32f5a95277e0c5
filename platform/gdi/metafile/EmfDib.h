// Device-independent bitmaps inside metafile records: pixels of a buffer written as a
// BITMAPINFO and its bits, and read back into an image of pixels.
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/geometry/Geometry.h"

struct TEmfDib {
  std::string Info;  // BITMAPINFOHEADER and colour table
  std::string Bits;  // rows from the bottom, each padded to 32 bits
};

// The pixels of `area` (inside the buffer): a 1-bit DIB with a black and white colour table
// for a monochrome buffer, a 32-bit one otherwise.
TEmfDib EncodeEmfDib(const TPixelBuffer& buffer, const TRect& area);

// The pixels of a DIB of any depth and compression the bitmap reader knows. The image is
// monochrome when the DIB has 1 bit per pixel. Raises EInvalidGraphic for broken data.
TPixelImage DecodeEmfDib(std::string_view info, std::string_view bits);
