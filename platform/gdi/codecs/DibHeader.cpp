#include "platform/gdi/codecs/DibHeader.h"

#include <algorithm>
#include <string>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/codecs/ByteReader.h"
#include "platform/rtl/Unicode.h"

namespace {

[[noreturn]] void Invalid(const char* what) { throw EInvalidGraphic(S("Ungültige Bitmap: ") + S(what)); }

void SetDefaultMasks(TDibHeader& h) {
  if (h.bitCount == 16) {
    h.masks[0] = 0x7C00;
    h.masks[1] = 0x03E0;
    h.masks[2] = 0x001F;
  } else if (h.bitCount == 32) {
    h.masks[0] = 0x00FF0000;
    h.masks[1] = 0x0000FF00;
    h.masks[2] = 0x000000FF;
  }
  h.masks[3] = 0;
}

}  // namespace

TDibHeader ParseDibHeader(std::string_view info, size_t tableLimit) {
  TDibHeader h;
  h.headerSize = ReadU32(info, 0);
  bool core = h.headerSize == 12;
  bool os2 = h.headerSize == 16 || h.headerSize == 64;
  switch (h.headerSize) {
    case 12: case 16: case 40: case 52: case 56: case 64: case 108: case 124: break;
    default: Invalid("unbekannte Kopfgröße");
  }
  RequireBytes(info, 0, h.headerSize);
  int64_t height;
  if (core) {
    h.width = ReadU16(info, 4);
    height = ReadU16(info, 6);
    h.bitCount = ReadU16(info, 10);
  } else {
    h.width = ReadI32(info, 4);
    height = ReadI32(info, 8);
    h.bitCount = ReadU16(info, 14);
    if (h.headerSize >= 20) h.compression = ReadU32(info, 16);
    if (h.headerSize >= 24) h.sizeImage = ReadU32(info, 20);
  }
  if (h.width <= 0 || height == 0) Invalid("ungültige Breite oder Höhe");
  h.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (height > INT32_MAX) Invalid("Höhe außerhalb des Bereichs");
  h.height = int32_t(height);

  switch (h.bitCount) {
    case 1: case 4: case 8: case 24: break;
    case 16: case 32: if (!core) break; [[fallthrough]];
    default: Invalid("nicht unterstützte Farbtiefe");
  }
  if (os2 && h.compression >= BI_BITFIELDS) Invalid("nicht unterstützte OS/2-Kompression");
  switch (h.compression) {
    case BI_RGB: break;
    case BI_RLE8: if (h.bitCount != 8) Invalid("RLE8 verlangt 8 Bit pro Pixel"); break;
    case BI_RLE4: if (h.bitCount != 4) Invalid("RLE4 verlangt 4 Bit pro Pixel"); break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
      if (h.bitCount != 16 && h.bitCount != 32) Invalid("Farbmasken verlangen 16 oder 32 Bit pro Pixel");
      break;
    default: Invalid("nicht unterstützte Kompression");
  }
  if ((h.compression == BI_RLE8 || h.compression == BI_RLE4) && h.topDown)
    Invalid("komprimierte Bitmap mit Zeilen von oben");

  size_t pos = h.headerSize;
  SetDefaultMasks(h);
  if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
    int count = h.compression == BI_ALPHABITFIELDS ? 4 : 3;
    if (h.headerSize >= 52) {
      // The masks are part of the header.
      for (int i = 0; i < 3; ++i) h.masks[i] = ReadU32(info, 40 + 4 * size_t(i));
      h.masks[3] = h.headerSize >= 56 ? ReadU32(info, 52) : 0;
    } else {
      for (int i = 0; i < count; ++i) h.masks[i] = ReadU32(info, pos + 4 * size_t(i));
      pos += 4 * size_t(count);
    }
    if (h.masks[0] == 0 && h.masks[1] == 0 && h.masks[2] == 0) Invalid("leere Farbmasken");
  }

  // The colour table.
  uint32_t clrUsed = core || h.headerSize < 36 ? 0 : ReadU32(info, 32);
  size_t entrySize = core ? 3 : 4;
  size_t entries = clrUsed;
  if (entries == 0 && h.bitCount <= 8) entries = size_t(1) << h.bitCount;
  if (h.bitCount <= 8 && entries > 256) Invalid("zu große Farbtabelle");
  if (tableLimit != 0 && tableLimit >= pos) {
    // A table that the bit offset shows to be shorter than the header says.
    entries = std::min(entries, (tableLimit - pos) / entrySize);
  }
  RequireBytes(info, pos, entries * entrySize);
  if (h.bitCount <= 8) {
    size_t used = std::min(entries, size_t(1) << h.bitCount);
    auto p = reinterpret_cast<const uint8_t*>(info.data()) + pos;
    for (size_t i = 0; i < used; ++i, p += entrySize) h.palette.push_back(TRGBQuad{p[0], p[1], p[2], 0});
  }
  pos += entries * entrySize;
  h.infoSize = pos;
  return h;
}
