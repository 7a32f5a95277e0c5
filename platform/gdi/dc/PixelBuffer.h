// The pixels a raster device context draws on: 32 bits per pixel in the layout of Cairo's
// CAIRO_FORMAT_RGB24 (one uint32_t 0x00RRGGBB per pixel in native byte order; the top byte is
// ignored on reading and written as 0), rows from the top, Stride bytes apart.
//
// TPixelBuffer is a view: whoever owns the memory (a bitmap, a TPixelImage) keeps it alive
// while a device context draws on it. A monochrome buffer holds only black (0x000000) and
// white (0xFFFFFF): drawing on it maps every colour to one of the two as a 1-bit bitmap does.
#pragma once

#include <cstdint>
#include <vector>

struct TPixelBuffer {
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // bytes from one row to the next, a multiple of 4
  uint32_t* Pixels = nullptr;
  bool Monochrome = false;

  bool IsEmpty() const { return Pixels == nullptr || Width <= 0 || Height <= 0; }
  uint32_t* Row(int y) const {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(Pixels) + static_cast<intptr_t>(y) * Stride);
  }
  // The pixel's 0x00RRGGBB value; the caller keeps (x, y) inside the buffer.
  uint32_t At(int x, int y) const { return Row(y)[x] & 0xFFFFFF; }
};

// Pixel value (0x00RRGGBB) of a colour value (0x00BBGGRR) and back.
constexpr uint32_t ColorRefToPixel(uint32_t c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr uint32_t PixelToColorRef(uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// An owned block of pixels, for memory device contexts and tests.
class TPixelImage {
 public:
  TPixelImage() = default;
  // Width x height pixels, all set to fill (0x00RRGGBB).
  TPixelImage(int width, int height, uint32_t fill = 0xFFFFFF, bool monochrome = false);
  TPixelImage(const TPixelImage& other);
  TPixelImage& operator=(const TPixelImage& other);
  TPixelImage(TPixelImage&&) noexcept = default;
  TPixelImage& operator=(TPixelImage&&) noexcept = default;

  const TPixelBuffer& Buffer() const { return buffer_; }
  int Width() const { return buffer_.Width; }
  int Height() const { return buffer_.Height; }
  uint32_t At(int x, int y) const { return buffer_.At(x, y); }
  void Set(int x, int y, uint32_t pixel) { buffer_.Row(y)[x] = pixel & 0xFFFFFF; }
  void Fill(uint32_t pixel);

 private:
  std::vector<uint32_t> storage_;
  TPixelBuffer buffer_;
};
