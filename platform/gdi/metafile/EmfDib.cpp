#include "platform/gdi/metafile/EmfDib.h"

#include "platform/gdi/codecs/DibDecoder.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"

namespace {

std::string InfoHeader(int width, int height, int bits, uint32_t imageSize, int colours) {
  TEmfRecordWriter w(0);  // only used as a little-endian byte builder; the 8 record bytes are cut off
  w.U32(40).I32(width).I32(height).U16(1).U16(static_cast<uint16_t>(bits)).U32(0).U32(imageSize);
  w.I32(3780).I32(3780).U32(static_cast<uint32_t>(colours)).U32(0);  // 96 pixels per inch
  if (bits == 1) w.U32(0x000000).U32(0xFFFFFF);
  return w.Finish().substr(8);
}

}  // namespace

TEmfDib EncodeEmfDib(const TPixelBuffer& buffer, const TRect& area) {
  TEmfDib dib;
  const int w = area.Width(), h = area.Height();
  if (buffer.Monochrome) {
    const size_t stride = (static_cast<size_t>(w) + 31) / 32 * 4;
    dib.Bits.assign(stride * static_cast<size_t>(h), '\0');
    for (int y = 0; y < h; ++y) {
      char* row = dib.Bits.data() + stride * static_cast<size_t>(h - 1 - y);
      for (int x = 0; x < w; ++x)
        if (buffer.At(area.Left + x, area.Top + y) != 0) row[x / 8] = char(uint8_t(row[x / 8]) | (0x80 >> (x % 8)));
    }
    dib.Info = InfoHeader(w, h, 1, static_cast<uint32_t>(dib.Bits.size()), 2);
    return dib;
  }
  dib.Bits.reserve(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = buffer.At(area.Left + x, area.Top + y);
      dib.Bits.push_back(char(p & 0xFF));
      dib.Bits.push_back(char(p >> 8 & 0xFF));
      dib.Bits.push_back(char(p >> 16 & 0xFF));
      dib.Bits.push_back('\0');
    }
  dib.Info = InfoHeader(w, h, 32, static_cast<uint32_t>(dib.Bits.size()), 0);
  return dib;
}

TPixelImage DecodeEmfDib(std::string_view info, std::string_view bits) {
  TDibImage image = DecodeDib(info, bits);
  TPixelImage pixels(image.Width(), image.Height(), 0, image.BitsPerPixel() == 1);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) pixels.Set(x, y, image.GetRgb(x, y));
  return pixels;
}
