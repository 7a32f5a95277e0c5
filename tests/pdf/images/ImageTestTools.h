// Helpers of the image tests: pictures of known pixels, PNM output of the image tools
// (netpbm, libjpeg-turbo's and poppler's) read back, and pdfimages' list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/bitmaps/Bitmap.h"

// Pixels of a PNM file (P5 grey or P6 colour, 8-bit samples).
struct TPnm {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, rows from the top
  uint32_t At(int x, int y) const { return rgb[size_t(y) * size_t(width) + size_t(x)]; }
};
TPnm ReadPnm(const std::string& bytes);
TPnm PnmOf(const TDibImage& image);

// Pixels that differ by more than `tolerance` in a channel; every pixel when the sizes
// differ.
int64_t CountDifferent(const TPnm& expected, const TPnm& actual, int tolerance);

// A binary PPM (P6) of the image, for feeding the tools.
std::string PpmOf(const TDibImage& image);

// The bytes of a file that an installed Debian package ships; fails the test (naming
// tools/setup) when it is missing.
std::string DebianFileBytes(const std::string& path);

// A 24-bit test pattern: red grows to the right, green downwards, blue in a checkerboard.
TBitmap PatternBitmap(int width, int height);

// A 20 x 10 metafile whose left half is filled blue.
std::unique_ptr<TGraphic> HalfBlueMetafile();

// Runs the command line (a shell pipeline) and returns its standard output; fails the test
// on a non-zero exit.
std::string Tool(const std::string& commandLine);

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
