// GIF through giflib: the first image of a file, and writing one 8-bit image.
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/bitmaps/DibImage.h"

struct TDecodedGif {
  // The logical screen as pf8bit with the image's colour table (local, else global):
  // the first image at its place, the rest of the screen the background colour (the
  // transparent index when the image has one).
  TDibImage image;
  int transparentIndex = -1;  // -1: every pixel is opaque
};

// Decodes the first image of a GIF file (interlaced or not). Raises EInvalidGraphic for a
// broken or truncated file, a file without a colour table, and before allocating an image
// over the pixel budget.
TDecodedGif DecodeGif(std::string_view file);

// Writes an image as a GIF89a file of one image with a 256-entry colour table: an 8-bit
// image keeps its table and indexes; other images go through ConvertPixelFormat to 8 bits.
std::string EncodeGif(const TDibImage& image);
