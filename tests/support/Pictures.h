// Pictures in tests: 8-bit RGB pixels with alpha, read from and written as PNG and PNM files,
// and compared with a tolerance.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TTestPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;  // 0xAARRGGBB, rows from the top

  TTestPicture() = default;
  // Width x height pixels of one opaque colour (0x00RRGGBB).
  TTestPicture(int width, int height, uint32_t rgb = 0xFFFFFF);

  uint32_t Rgb(int x, int y) const { return Pixels[Index(x, y)] & 0xFFFFFFu; }
  uint8_t Alpha(int x, int y) const { return uint8_t(Pixels[Index(x, y)] >> 24); }
  void Set(int x, int y, uint32_t rgb, uint8_t alpha = 255) {
    Pixels[Index(x, y)] = uint32_t(alpha) << 24 | (rgb & 0xFFFFFFu);
  }
  bool operator==(const TTestPicture&) const = default;

 private:
  size_t Index(int x, int y) const { return size_t(y) * size_t(Width) + size_t(x); }
};

// A PNM (P4 bits, P5 grey, P6 colour) or PAM (P7, depth 1 to 4) file with 8-bit samples, as
// netpbm, djpeg and pdftoppm write them. Raises std::runtime_error on anything else.
TTestPicture ReadPnm(std::string_view bytes);
// A PNG file of any colour type and depth (read by libpng). Raises std::runtime_error.
TTestPicture ReadPng(std::string_view bytes);
// A PNG or PNM file, told apart by its first bytes. Raises std::runtime_error.
TTestPicture ReadPictureFile(const std::string& path);
// The top-left width x height pixels of a picture at least that large (a rasterised PDF
// page against the part a screen picture covers).
TTestPicture TopLeftOf(const TTestPicture& picture, int width, int height);

// A binary PPM (P6) of the colours, for feeding the tools.
std::string PpmOf(const TTestPicture& picture);
// A PNG file: RGB, or RGBA when a pixel is not opaque.
std::string PngOf(const TTestPicture& picture);
// Writes a PNG, or a PPM when the path ends in ".ppm"; parent folders are created. Raises
// std::runtime_error.
void WritePictureFile(const TTestPicture& picture, const std::string& path);

// How far a picture may stray from its expectation: a difference of up to `Channel` in each
// colour channel counts as equal (anti-aliased edges), and up to `Pixels` pixels may differ
// by more.
struct TPictureTolerance {
  int Channel = 0;
  int64_t Pixels = 0;
};

// Pixels whose colour (alpha aside) differs by more than `channelTolerance` in a channel;
// one more than every pixel of `expected` when the sizes differ.
int64_t CountDifferent(const TTestPicture& expected, const TTestPicture& actual, int channelTolerance = 0);

// A picture of where two pictures differ, as large as both: red where a pixel differs beyond
// the tolerance, orange where it differs within it, magenta where only one picture has the
// pixel, and the expected picture faded to light grey elsewhere.
TTestPicture DifferencePicture(const TTestPicture& expected, const TTestPicture& actual, int channelTolerance = 0);
