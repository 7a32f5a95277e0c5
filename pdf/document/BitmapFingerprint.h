// The 128-bit fingerprint by which a document recognises a bitmap it already holds as an
// image XObject: palette and scan lines hashed four ways.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class TBitmapFingerprint {
 public:
  // Starts with 16 bytes all equal to the bits per pixel.
  explicit TBitmapFingerprint(int bitsPerPixel);
  // Hashes one block (the palette entries, 4 bytes each, then every scan line top to
  // bottom, each padded to a multiple of 32 bits): word 0 ^= the sum hash, word 1 ^= the
  // rotate-xor hash, word 2 continues CRC-32, word 3 continues Adler-32.
  void Add(const void* block, size_t length);
  const std::array<uint32_t, 4>& Words() const { return words_; }
  bool IsZero() const { return words_ == std::array<uint32_t, 4>{}; }

 private:
  std::array<uint32_t, 4> words_;
};
