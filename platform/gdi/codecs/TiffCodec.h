// TIFF through libtiff.
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/bitmaps/DibImage.h"

struct TDecodedTiff {
  TDibImage image;  // pf32bit with straight alpha, or pf24bit
  bool hasAlpha = false;
};

// Decodes the first image of a TIFF file through libtiff's RGBA interface (any photometric
// interpretation, bit depth and compression libtiff can turn into RGBA). Images with an
// extra alpha sample become pf32bit with alpha (unassociated), all others pf24bit.
// Raises EInvalidGraphic for a broken or truncated file and before allocating an image
// over the pixel budget.
TDecodedTiff DecodeTiff(std::string_view file);

// Encodes an image as a single-page RGB TIFF, 8 bits per sample, deflate-compressed.
std::string EncodeTiff(const TDibImage& image);
