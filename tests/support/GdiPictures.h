// Test pictures of the gdi layer's pixel images, for the tests of gdi and the layers above.
#pragma once

#include "platform/gdi/bitmaps/DibImage.h"
#include "platform/gdi/dc/PixelBuffer.h"
#include "tests/support/Pictures.h"

inline TTestPicture PictureOf(const TPixelImage& image) {
  TTestPicture picture(image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) picture.Set(x, y, image.At(x, y));
  return picture;
}

// The colours of the image; alpha is left opaque (the codec tests compare it on its own).
inline TTestPicture PictureOf(const TDibImage& image) {
  TTestPicture picture(image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) picture.Set(x, y, image.GetRgb(x, y));
  return picture;
}
