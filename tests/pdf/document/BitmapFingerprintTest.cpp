#include "pdf/document/BitmapFingerprint.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

#include "pdf/helpers/TextHelpers.h"

namespace {

TEST(BitmapFingerprint, FourHashesContinuedFromTheBitsPerPixel) {
  TBitmapFingerprint f(24);
  EXPECT_EQ(f.Words(), (std::array<uint32_t, 4>{0x18181818, 0x18181818, 0x18181818, 0x18181818}));
  const unsigned char line1[] = {1, 2, 3, 4, 5, 6, 7, 8};
  const unsigned char line2[] = {9, 10, 11, 12, 13, 14, 15, 16};
  f.Add(line1, 8);
  f.Add(line2, 8);
  uint32_t rot1 = 0, rot2 = 0;
  for (unsigned char b : line1) rot1 = b ^ (rot1 << 2 | rot1 >> 30);
  for (unsigned char b : line2) rot2 = b ^ (rot2 << 2 | rot2 >> 30);
  EXPECT_EQ(f.Words()[0], 0x18181818u ^ SumHash32(line1, 8) ^ SumHash32(line2, 8));
  EXPECT_EQ(f.Words()[1], 0x18181818u ^ rot1 ^ rot2);
  // zlib as the oracle of the continued checksums.
  EXPECT_EQ(f.Words()[2], crc32(crc32(0x18181818u, line1, 8), line2, 8));
  EXPECT_EQ(f.Words()[3], adler32(adler32(0x18181818u, line1, 8), line2, 8));
}

TEST(BitmapFingerprint, TellsBitmapsApart) {
  std::vector<unsigned char> pixels(64 * 3 * 16, 0x7F);
  auto print = [&pixels](int bpp) {
    TBitmapFingerprint f(bpp);
    for (size_t row = 0; row < 16; ++row) f.Add(pixels.data() + row * 192, 192);
    return f.Words();
  };
  auto same = print(24);
  EXPECT_EQ(print(24), same);
  EXPECT_NE(print(32), same);
  pixels[500] ^= 1;
  EXPECT_NE(print(24), same);
  EXPECT_FALSE(TBitmapFingerprint(24).IsZero());
}

}  // namespace
