#include "pdf/images/ImageResolution.h"

#include <zlib.h>

#include <cmath>
#include <cstdint>

namespace {

void PutBigEndian(std::string& s, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + size_t(i)] = char(value >> (8 * (bytes - 1 - i)));
}

void PutLittleEndian32(std::string& s, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) s[at + size_t(i)] = char(value >> (8 * i));
}

uint32_t PixelsPerMetre(int dpi) { return uint32_t(std::lround(dpi / 0.0254)); }

}  // namespace

std::string WithResolution(std::string file, TVevImageFormat format, int dpi) {
  if (dpi <= 0) return file;
  switch (format) {
    case vifJpeg:
      // FF D8, then the APP0 segment: FF E0, length, "JFIF\0", version, units, densities.
      if (file.size() >= 18 && file.compare(2, 2, "\xFF\xE0") == 0 && file.compare(6, 5, std::string("JFIF\0", 5)) == 0) {
        uint32_t density = uint32_t(dpi > 0xFFFF ? 0xFFFF : dpi);
        file[13] = 1;  // dots per inch
        PutBigEndian(file, 14, density, 2);
        PutBigEndian(file, 16, density, 2);
      }
      return file;
    case vifPng:
      // The pHYs chunk goes right behind the IHDR chunk (8-byte signature, 25-byte chunk).
      if (file.size() >= 33 && file.compare(12, 4, "IHDR") == 0) {
        std::string chunk(21, '\0');
        PutBigEndian(chunk, 0, 9, 4);
        chunk.replace(4, 4, "pHYs");
        PutBigEndian(chunk, 8, PixelsPerMetre(dpi), 4);
        PutBigEndian(chunk, 12, PixelsPerMetre(dpi), 4);
        chunk[16] = 1;  // unit: metre
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4), 13);
        PutBigEndian(chunk, 17, uint32_t(crc), 4);
        file.insert(33, chunk);
      }
      return file;
    case vifBmp:
      // File header (14 bytes), then the info header with its densities at 24 and 28.
      if (file.size() >= 54 && file.compare(0, 2, "BM") == 0) {
        PutLittleEndian32(file, 38, PixelsPerMetre(dpi));
        PutLittleEndian32(file, 42, PixelsPerMetre(dpi));
      }
      return file;
    default:
      return file;
  }
}
