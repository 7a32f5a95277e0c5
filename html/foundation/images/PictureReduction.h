// Pictures drawn at far less than their own size, as they go into printed pages: reduced to
// a few pixels for each pixel they are drawn at, so that a page holds no more of a picture
// than paper can show of it.
#pragma once

#include <memory>

#include "platform/gdi/bitmaps/Bitmap.h"

// Pixels of the reduced picture for each pixel it is drawn at, in each direction: with
// pages of 96 pixels per inch, 384 per inch on paper.
constexpr int PrintedSamplesPerPixel = 4;

// The size a picture of its own size goes into a page at when drawn at width x height: its
// own, or PrintedSamplesPerPixel times the drawn size in a direction where that is less.
TSize PrintedPictureSize(TSize own, int width, int height);

// The picture reduced to the size, each new pixel the average of the pixels it covers; a
// picture with alpha (onWhite) is laid on white first. A 24-bit bitmap.
std::unique_ptr<TBitmap> ReducePicture(const TBitmap& picture, TSize size, bool onWhite);
