// Writing TIFF files with a choice of compression.
#pragma once

#include <string>

#include "platform/gdi/bitmaps/DibImage.h"

// A single-page TIFF of the image: RGB with 8 bits per sample compressed with LZW (2),
// PackBits (5) or not at all (6); with CCITT group 3 (3) or group 4 (4) the image as
// black and white (a pixel is white when its luminance is at least half), 1 bit per pixel.
// Any other value means LZW. `dpi` other than 0 is written as the resolution. Raises
// EInvalidGraphicOperation for an empty image or when libtiff fails.
std::string EncodeTiffCompressed(const TDibImage& image, int compression, int dpi);
