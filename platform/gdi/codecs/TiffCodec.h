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

// Compression of a written TIFF. With CCITT group 3 or 4 the image is written in black
// and white (a pixel is white when its luminance is at least half), 1 bit per pixel; with
// the others as RGB, 8 bits per sample.
enum class TTiffCompression { Deflate, Lzw, PackBits, None, CcittGroup3, CcittGroup4 };

// Encodes an image as a single-page TIFF; a `dpi` other than 0 is written as the
// resolution. Raises EInvalidGraphicOperation for an empty image or when libtiff fails.
std::string EncodeTiff(const TDibImage& image, TTiffCompression compression = TTiffCompression::Deflate,
                       int dpi = 0);
