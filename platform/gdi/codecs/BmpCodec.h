// BMP files: a 14-byte file header ("BM", size, bit offset) before a packed DIB; and the
// packed BITMAPINFO form that metafile records carry.
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/bitmaps/DibImage.h"

// Decodes a BMP file (see DecodeDibBits for the resulting formats). The bits start at the
// file header's offset; an offset of 0 or one that points into the header and colour table
// means "right after the colour table". Raises EInvalidGraphic for anything malformed.
TDibImage DecodeBmp(std::string_view file);

// A BITMAPINFO (40-byte header, masks for 5-6-5 pixels, full colour table for the indexed
// formats) and its bits, rows from the bottom, each padded to 32 bits. pfDevice is written
// as 24 bits; pf15bit as 16-bit BI_RGB; pf16bit as 16-bit BI_BITFIELDS; pf32bit as 32-bit
// BI_RGB with its fourth byte.
struct TPackedDib {
  std::string info;
  std::string bits;
};
TPackedDib EncodeDib(const TDibImage& image);

// A BMP file of EncodeDib's header, table and bits.
std::string EncodeBmp(const TDibImage& image);
