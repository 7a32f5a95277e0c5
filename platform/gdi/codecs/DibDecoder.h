// Decoding the pixels of a device-independent bitmap, uncompressed, with colour masks or
// run-length encoded, into an image with rows from the top.
#pragma once

#include <string_view>

#include "platform/gdi/bitmaps/DibImage.h"
#include "platform/gdi/codecs/DibHeader.h"

// Pixel formats of the result: 1, 4 and 8 bits (also RLE) stay indexed with the header's
// colour table; 16 bits become pf15bit (5-5-5) or pf16bit (5-6-5) when the masks are
// exactly those, else 24 bits (32 with an alpha mask); 24 bits stay; 32 bits become
// pf32bit, with the alpha of an alpha mask or the fourth byte of BI_RGB pixels.
// Raises EInvalidGraphic when the image is too large (CheckImageSize, before anything is
// allocated), or the bits are too short for the rows or end inside a run-length command.
TDibImage DecodeDibBits(const TDibHeader& header, std::string_view bits);

// The run-length decoders; `image` is an indexed image of the header's size, rows from
// the top; the encoded rows run from the bottom.
void DecodeRle8(std::string_view data, TDibImage& image);
void DecodeRle4(std::string_view data, TDibImage& image);

// A packed DIB: BITMAPINFO header, masks, colour table and bits in one block.
TDibImage DecodePackedDib(std::string_view packed);
// A BITMAPINFO and its bits held apart (as in metafile records).
TDibImage DecodeDib(std::string_view info, std::string_view bits);
