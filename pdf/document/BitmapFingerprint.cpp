#include "pdf/document/BitmapFingerprint.h"

#include "pdf/helpers/Deflate.h"
#include "pdf/helpers/TextHelpers.h"

TBitmapFingerprint::TBitmapFingerprint(int bitsPerPixel) {
  uint32_t b = static_cast<uint8_t>(bitsPerPixel);
  words_.fill(b | b << 8 | b << 16 | b << 24);
}

void TBitmapFingerprint::Add(const void* block, size_t length) {
  auto p = static_cast<const unsigned char*>(block);
  uint32_t rotated = 0;
  for (size_t i = 0; i < length; ++i) rotated = p[i] ^ (rotated << 2 | rotated >> 30);
  words_[0] ^= SumHash32(block, length);
  words_[1] ^= rotated;
  words_[2] = Crc32(words_[2], block, length);
  words_[3] = Adler32(words_[3], block, length);
}
