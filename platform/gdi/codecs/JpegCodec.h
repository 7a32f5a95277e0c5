// JPEG through libjpeg-turbo.
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/bitmaps/DibImage.h"

enum class TJpegColorSpace { Gray, RGB, CMYK, YCCK };

struct TJpegInfo {
  int width = 0;
  int height = 0;
  int components = 0;                    // 1, 3 or 4
  TJpegColorSpace colorSpace = TJpegColorSpace::RGB;
  bool adobeInverted = false;            // CMYK/YCCK written with an Adobe marker
  bool progressive = false;
};

// Reads only the headers of a JPEG file. Raises EInvalidGraphic when they are broken.
TJpegInfo ReadJpegInfo(std::string_view file);

// Decodes a JPEG file: grey images become pf8bit with a grey ramp as colour table, colour
// images pf24bit. CMYK and YCCK are turned into RGB (R = C x K / 255 on the stored values
// of Adobe's inverted files, on 255 minus them otherwise). Raises EInvalidGraphic for a
// broken or truncated file and before allocating an image over the pixel budget.
TDibImage DecodeJpeg(std::string_view file, TJpegInfo* info = nullptr);

// Encodes an image as a baseline JPEG of quality 1..100 (clamped): grey when `grayscale`,
// else YCbCr colour.
std::string EncodeJpeg(const TDibImage& image, int quality, bool grayscale = false);
