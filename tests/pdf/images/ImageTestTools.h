// Helpers of the image tests: pictures of known pixels and pdfimages' list. The image tools'
// (netpbm, libjpeg-turbo's and poppler's) output is read with the test tools' pictures.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/Process.h"

// The bytes of a file that an installed Debian package ships; fails the test (naming
// tools/setup) when it is missing.
std::string DebianFileBytes(const std::string& path);

// A 24-bit test pattern: red grows to the right, green downwards, blue in a checkerboard.
TBitmap PatternBitmap(int width, int height);

// A 20 x 10 metafile whose left half is filled blue.
std::unique_ptr<TGraphic> HalfBlueMetafile();

// One line of `pdfimages -list`.
struct TListedImage {
  int page = 0;
  int width = 0;
  int height = 0;
  std::string color;  // rgb, gray, cmyk, index
  int bpc = 0;
  std::string enc;  // image, jpeg, ...
  int object = 0;
};
std::vector<TListedImage> ListImages(const std::string& pdfPath);
