// PNG through libpng's simplified interface.
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/bitmaps/DibImage.h"

struct TDecodedPng {
  TDibImage image;  // pf32bit with straight (not premultiplied) alpha, or pf24bit
  bool hasAlpha = false;
};

// Decodes a PNG file: images with an alpha channel or a transparent colour become pf32bit
// with alpha, all others pf24bit; 16-bit samples are reduced to 8, greys expanded to RGB.
// Raises EInvalidGraphic for a broken or truncated file and before allocating an image
// over the pixel budget.
TDecodedPng DecodePng(std::string_view file);

// Encodes an image as PNG: RGBA when `withAlpha` (the image is then taken as 32-bit with
// straight alpha), RGB otherwise.
std::string EncodePng(const TDibImage& image, bool withAlpha);
