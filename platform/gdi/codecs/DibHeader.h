// The header of a device-independent bitmap as it stands in a BMP file and in a packed
// BITMAPINFO: the core header (12 bytes), the OS/2 2.x headers (16 and 64 bytes), the info
// header (40) and its extensions with colour masks (52, 56), V4 (108) and V5 (124); the
// colour masks behind a 40-byte header; and the colour table.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gdi/bitmaps/PixelFormat.h"

enum TDibCompression : uint32_t {
  BI_RGB = 0,
  BI_RLE8 = 1,
  BI_RLE4 = 2,
  BI_BITFIELDS = 3,
  BI_JPEG = 4,
  BI_PNG = 5,
  BI_ALPHABITFIELDS = 6,
};

struct TDibHeader {
  uint32_t headerSize = 0;
  int32_t width = 0;
  int32_t height = 0;  // always positive here; see topDown
  bool topDown = false;
  uint16_t bitCount = 0;
  uint32_t compression = BI_RGB;
  uint32_t sizeImage = 0;
  // Red, green, blue and alpha masks of 16- and 32-bit pixels (BI_BITFIELDS and
  // BI_ALPHABITFIELDS, or the defaults of BI_RGB).
  uint32_t masks[4] = {0, 0, 0, 0};
  std::vector<TRGBQuad> palette;
  // Bytes of header, masks and colour table together: where packed bits begin.
  size_t infoSize = 0;
};

// Reads header, masks and colour table from the start of `info`. `tableLimit`, when not
// zero, caps the bytes that masks and table may take (a BMP file's bit offset says where
// the bits start; some files carry a shorter table than their header implies).
// Raises EInvalidGraphic for an unknown header size, a bad size or bit count, an
// unsupported compression, or data that ends too early.
TDibHeader ParseDibHeader(std::string_view info, size_t tableLimit = 0);
