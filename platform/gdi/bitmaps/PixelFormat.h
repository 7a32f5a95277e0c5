// Pixel formats of a bitmap, numbered as the class library numbers them (1 = 1 bit,
// 2 = 4 bits, 3 = 8 bits, 6 = 24 bits), and the palette entry of a device-independent bitmap.
#pragma once

#include <cstdint>

enum TPixelFormat : uint8_t {
  pfDevice = 0,  // the screen's format: 32 bits per pixel, 0x00RRGGBB, like pf32bit
  pf1bit = 1,
  pf4bit = 2,
  pf8bit = 3,
  pf15bit = 4,  // 5-5-5, bit 15 unused
  pf16bit = 5,  // 5-6-5
  pf24bit = 6,  // blue, green, red bytes
  pf32bit = 7,  // blue, green, red, alpha bytes: one uint32 0xAARRGGBB on little-endian
};

// Bits per pixel of a format (pfDevice is 32).
int BitsPerPixelOf(TPixelFormat format);
// True for 1, 4 and 8 bits: pixels are palette indexes.
bool IsIndexedFormat(TPixelFormat format);

// One colour-table entry as it stands in a BITMAPINFO: blue, green, red, reserved.
struct TRGBQuad {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
  bool operator==(const TRGBQuad&) const = default;
};

// 0x00RRGGBB of a palette entry and back.
inline uint32_t RgbOfQuad(TRGBQuad q) { return uint32_t{q.rgbRed} << 16 | uint32_t{q.rgbGreen} << 8 | q.rgbBlue; }
inline TRGBQuad QuadOfRgb(uint32_t rgb) {
  return TRGBQuad{uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16), 0};
}
