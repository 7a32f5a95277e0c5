// The images the engine shows in place of others, and the marker streams of image requests.
#pragma once

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/rtl/Streams.h"

// 16 x 16, 16 colours: in place of an image that is still being fetched.
const TBitmap& PendingImageBitmap();
// 16 x 16, 16 colours: in place of an image that failed to load; with its 1-bit mask
// (white = transparent).
const TBitmap& BrokenImageBitmap();
const TBitmap& BrokenImageMask();

// Markers: an image request answered with this very stream means the image comes later,
// or that there is no image. Both are empty.
TMemoryStream& DeferredImageStream();
TMemoryStream& NoImageStream();
