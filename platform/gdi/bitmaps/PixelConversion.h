// Changing the pixel format of an image.
#pragma once

#include "platform/gdi/bitmaps/DibImage.h"

// A copy of `source` in `format`, the same size.
// - To a deeper indexed format the colour table and the indexes are kept.
// - To an indexed format from anything else: when the image uses no more colours than the
//   table holds, the table is made of exactly those colours (in order of first use from the
//   top-left, the rest black), so nothing changes; otherwise every pixel takes the nearest
//   entry of the format's default table.
// - To 15/16/24/32 bits every pixel keeps its colour (15 and 16 bits round it down);
//   32 bits keep the alpha of a 32-bit source and are 0 otherwise.
TDibImage ConvertPixelFormat(const TDibImage& source, TPixelFormat format);
