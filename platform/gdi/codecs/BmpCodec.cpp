#include "platform/gdi/codecs/BmpCodec.h"

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/gdi/codecs/ByteReader.h"
#include "platform/gdi/codecs/DibDecoder.h"
#include "platform/rtl/Unicode.h"

namespace {
constexpr size_t kFileHeaderSize = 14;
}

TDibImage DecodeBmp(std::string_view file) {
  if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M')
    throw EInvalidGraphic(S("Keine Bitmap-Datei"));
  uint32_t offBits = ReadU32(file, 10);
  std::string_view info = file.substr(kFileHeaderSize);
  size_t tableLimit = offBits > kFileHeaderSize ? offBits - kFileHeaderSize : 0;
  TDibHeader h = ParseDibHeader(info, tableLimit);
  size_t bitsAt = kFileHeaderSize + h.infoSize;
  if (offBits >= bitsAt) bitsAt = offBits;
  if (bitsAt > file.size()) throw EInvalidGraphic(S("Bitmap-Daten fehlen"));
  return DecodeDibBits(h, file.substr(bitsAt));
}

TPackedDib EncodeDib(const TDibImage& source) {
  if (source.Empty()) throw EInvalidGraphicOperation(S("Leere Bitmap kann nicht gespeichert werden"));
  const TDibImage* image = &source;
  TDibImage converted;
  if (source.Format() == pfDevice) {
    converted = ConvertPixelFormat(source, pf24bit);
    image = &converted;
  }
  TPackedDib dib;
  std::string& h = dib.info;
  AppendU32(h, 40);
  AppendU32(h, uint32_t(image->Width()));
  AppendU32(h, uint32_t(image->Height()));  // positive: rows from the bottom
  AppendU16(h, 1);
  AppendU16(h, uint16_t(image->BitsPerPixel()));
  AppendU32(h, image->Format() == pf16bit ? BI_BITFIELDS : BI_RGB);
  AppendU32(h, uint32_t(image->BitsSize()));
  AppendU32(h, 3780);  // 96 dpi in pixels per metre
  AppendU32(h, 3780);
  AppendU32(h, uint32_t(image->Palette().size()));
  AppendU32(h, 0);
  if (image->Format() == pf16bit) {
    AppendU32(h, 0xF800);
    AppendU32(h, 0x07E0);
    AppendU32(h, 0x001F);
  }
  for (const TRGBQuad& q : image->Palette()) {
    h.push_back(char(q.rgbBlue));
    h.push_back(char(q.rgbGreen));
    h.push_back(char(q.rgbRed));
    h.push_back(0);
  }
  dib.bits.reserve(image->BitsSize());
  for (int y = image->Height() - 1; y >= 0; --y)
    dib.bits.append(reinterpret_cast<const char*>(image->ScanLine(y)), image->Stride());
  return dib;
}

std::string EncodeBmp(const TDibImage& image) {
  TPackedDib dib = EncodeDib(image);
  std::string out = "BM";
  AppendU32(out, uint32_t(kFileHeaderSize + dib.info.size() + dib.bits.size()));
  AppendU32(out, 0);
  AppendU32(out, uint32_t(kFileHeaderSize + dib.info.size()));
  out += dib.info;
  out += dib.bits;
  return out;
}
