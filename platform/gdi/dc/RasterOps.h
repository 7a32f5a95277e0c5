// Raster operations on 0x00RRGGBB pixels: the 16 binary operations of SetROP2 and the 256
// ternary operations of the blits, each worked out bit by bit from its truth table.
#pragma once

#include <cstdint>

// R2_* (1..16): bit ((pen << 1) | dest) of (rop2 - 1) is the result for a pen bit and a dest bit.
inline uint32_t ApplyRop2(int rop2, uint32_t pen, uint32_t dest) {
  uint32_t t = static_cast<uint32_t>(rop2 - 1) & 0xF;
  uint32_t r = 0;
  if (t & 1) r |= ~pen & ~dest;
  if (t & 2) r |= ~pen & dest;
  if (t & 4) r |= pen & ~dest;
  if (t & 8) r |= pen & dest;
  return r & 0xFFFFFF;
}

// Ternary raster operation: bit ((pattern << 2) | (source << 1) | dest) of the operation's
// index byte (bits 16..23 of the code) is the result.
inline uint32_t ApplyRop3(uint32_t rop, uint32_t pattern, uint32_t source, uint32_t dest) {
  uint32_t t = (rop >> 16) & 0xFF;
  uint32_t r = 0;
  for (uint32_t i = 0; i < 8; ++i) {
    if (!(t & (1u << i))) continue;
    uint32_t p = (i & 4) ? pattern : ~pattern;
    uint32_t s = (i & 2) ? source : ~source;
    uint32_t d = (i & 1) ? dest : ~dest;
    r |= p & s & d;
  }
  return r & 0xFFFFFF;
}

inline bool RopUsesSource(uint32_t rop) {
  uint32_t t = (rop >> 16) & 0xFF;
  return ((t >> 2) & 0x33) != (t & 0x33);
}
inline bool RopUsesPattern(uint32_t rop) {
  uint32_t t = (rop >> 16) & 0xFF;
  return ((t >> 4) & 0x0F) != (t & 0x0F);
}

// The nearest of black and white for a 1-bit device.
inline uint32_t ToMonochromePixel(uint32_t pixel) {
  uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return (r * 299 + g * 587 + b * 114) >= 128000 ? 0xFFFFFF : 0x000000;
}
