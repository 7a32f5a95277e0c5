// The pixel storage of every bitmap: a device-independent image with rows stored from the
// top, each row padded to 32 bits as in a DIB, and a colour table for the indexed formats.
// Indexed images always carry a full table (2, 16 or 256 entries), so every index that a
// pixel can hold has a colour. 32-bit pixels are one uint32 0xAARRGGBB each, which is the
// layout an RGB24 drawing surface uses (the alpha byte is kept only where an image has one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/bitmaps/PixelFormat.h"

class TDibImage {
 public:
  TDibImage() = default;
  // A black image (index 0 for the indexed formats, with the default colour table of its
  // depth). The size passes CheckImageSize; 0 x 0 makes an empty image.
  TDibImage(int width, int height, TPixelFormat format);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat Format() const { return format_; }
  int BitsPerPixel() const { return BitsPerPixelOf(format_); }
  // Bytes per row: (bits * width + 31) / 32 * 4.
  size_t Stride() const { return stride_; }
  static size_t StrideFor(int width, TPixelFormat format);

  // Row `row` from the top; raises EInvalidGraphicOperation outside 0..Height-1.
  uint8_t* ScanLine(int row);
  const uint8_t* ScanLine(int row) const;
  uint8_t* Bits() { return bits_.data(); }
  const uint8_t* Bits() const { return bits_.data(); }
  size_t BitsSize() const { return bits_.size(); }

  std::vector<TRGBQuad>& Palette() { return palette_; }
  const std::vector<TRGBQuad>& Palette() const { return palette_; }
  // Replaces the colour table: an indexed image keeps exactly 2^bits entries (extra ones
  // are dropped, missing ones are black); other formats ignore it.
  void SetPalette(std::vector<TRGBQuad> palette);

  // The colour of a pixel as 0x00RRGGBB (palette colour for the indexed formats).
  // Coordinates must lie inside the image (checked with an exception).
  uint32_t GetRgb(int x, int y) const;
  // Stores a colour; the indexed formats store the nearest palette entry.
  void SetRgb(int x, int y, uint32_t rgb);
  // Palette index of a pixel of an indexed image.
  int GetIndex(int x, int y) const;
  void SetIndex(int x, int y, int index);
  // Alpha byte of a 32-bit pixel (255 for the other formats).
  uint8_t GetAlpha(int x, int y) const;

  // Index of the palette entry nearest to a colour (squared distance, first of equals).
  int NearestIndex(uint32_t rgb) const;

  bool operator==(const TDibImage&) const = default;

 private:
  void CheckPoint(int x, int y) const;

  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pfDevice;
  size_t stride_ = 0;
  std::vector<uint8_t> bits_;
  std::vector<TRGBQuad> palette_;
};

// The colour table a new image of an indexed format starts with: black and white for
// 1 bit, the 16 standard colours for 4 bits, a 6x6x6 colour cube followed by 40 greys
// for 8 bits. Empty for the other formats.
std::vector<TRGBQuad> DefaultPalette(TPixelFormat format);
// 2^bits for the indexed formats, 0 otherwise.
int PaletteSizeOf(TPixelFormat format);
