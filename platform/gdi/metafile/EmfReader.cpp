#include "platform/gdi/metafile/EmfReader.h"

#include <cstring>

#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/rtl/Unicode.h"

void ThrowInvalidMetafile(const char* what, size_t offset) {
  throw EInvalidMetafile(Utf8ToString(std::string("Ungültige Metadatei: ") + what + " (Byte " +
                                      std::to_string(offset) + ")"));
}

void TEmfRecord::Fail() const { ThrowInvalidMetafile("Datensatz zu kurz", offset_); }

std::string_view TEmfRecord::Span(size_t at, size_t count) const {
  if (at > bytes_.size() || count > bytes_.size() - at) Fail();
  return bytes_.substr(at, count);
}

std::string_view TEmfRecord::Array(size_t at, size_t count, size_t elementSize) const {
  if (elementSize != 0 && count > bytes_.size() / elementSize) Fail();
  return Span(at, count * elementSize);
}

std::vector<TRect> TEmfRecord::RegionRects(size_t sizeAt, size_t dataAt) const {
  TEmfRecord region(Span(dataAt, U32(sizeAt)), offset_ + dataAt);
  uint32_t headerSize = region.U32(0), count = region.U32(8);
  region.Array(headerSize, count, 16);
  std::vector<TRect> rects;
  rects.reserve(count);
  for (uint32_t i = 0; i < count; ++i) rects.push_back(region.RectL(headerSize + size_t{i} * 16));
  return rects;
}

uint32_t TEmfRecord::U32(size_t at) const {
  auto p = reinterpret_cast<const uint8_t*>(Span(at, 4).data());
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t TEmfRecord::U16(size_t at) const {
  auto p = reinterpret_cast<const uint8_t*>(Span(at, 2).data());
  return uint16_t(p[0] | p[1] << 8);
}

float TEmfRecord::F32(size_t at) const {
  uint32_t bits = U32(at);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

TRect TEmfHeader::FramePixels() const {
  // Micrometres are exact where they exist; millimetres are what every header has.
  const bool micro = Micrometers.cx > 0 && Micrometers.cy > 0;
  const int64_t mx = micro ? Micrometers.cx : int64_t{Millimeters.cx} * 1000;
  const int64_t my = micro ? Micrometers.cy : int64_t{Millimeters.cy} * 1000;
  if (mx <= 0 || my <= 0 || Device.cx <= 0 || Device.cy <= 0) return {};
  auto conv = [](int64_t hundredths, int64_t pixels, int64_t micrometres) {
    // Hundredths of a millimetre are 10 micrometres. The product of a 32-bit frame and a 32-bit
    // device size needs more than 64 bits: it is formed in 128.
    const __int128 num = static_cast<__int128>(hundredths) * 10 * pixels;
    const __int128 magnitude = ((num < 0 ? -num : num) + micrometres / 2) / micrometres;
    const __int128 q = num < 0 ? -magnitude : magnitude;
    return static_cast<int>(q < INT32_MIN ? INT32_MIN : q > INT32_MAX ? INT32_MAX : q);
  };
  return {conv(Frame.Left, Device.cx, mx), conv(Frame.Top, Device.cy, my), conv(Frame.Right, Device.cx, mx),
          conv(Frame.Bottom, Device.cy, my)};
}

TEmfReader::TEmfReader(std::string_view data) {
  if (data.size() < EMF_HEADER_SIZE) ThrowInvalidMetafile("zu kurz für einen Kopf", 0);
  TEmfRecord first(data.substr(0, EMF_HEADER_SIZE), 0);
  uint32_t headerSize = first.U32(4);
  if (first.Type() != EMR_HEADER || first.U32(40) != ENHMETA_SIGNATURE)
    ThrowInvalidMetafile("keine Signatur einer erweiterten Metadatei", 0);
  if (headerSize < EMF_HEADER_SIZE || headerSize % 4 != 0 || headerSize > data.size())
    ThrowInvalidMetafile("Kopf mit ungültiger Größe", 0);
  TEmfRecord head(data.substr(0, headerSize), 0);
  header_.Bounds = head.RectL(8);
  header_.Frame = head.RectL(24);
  header_.Version = head.U32(44);
  header_.Bytes = head.U32(48);
  header_.Records = head.U32(52);
  header_.Handles = head.U16(56);
  uint32_t descriptionChars = head.U32(60), descriptionOffset = head.U32(64);
  header_.Device = head.SizeL(72);
  header_.Millimeters = head.SizeL(80);
  if (headerSize >= EMF_HEADER_EXT2_SIZE) header_.Micrometers = head.SizeL(100);
  if (descriptionChars != 0 && descriptionOffset != 0) {
    std::string_view text = head.Array(descriptionOffset, descriptionChars, 2);
    for (size_t i = 0; i < text.size(); i += 2)
      header_.Description.push_back(Char(uint8_t(text[i]) | uint8_t(text[i + 1]) << 8));
  }
  if (header_.Bytes > data.size()) ThrowInvalidMetafile("Daten kürzer als im Kopf angegeben", 0);
  if (header_.Bytes >= headerSize) data = data.substr(0, header_.Bytes);

  size_t at = 0;
  while (true) {
    if (data.size() - at < 8) ThrowInvalidMetafile("Ende-Datensatz fehlt", at);
    TEmfRecord peek(data.substr(at, 8), at);
    uint32_t size = peek.U32(4);
    if (size < 8 || size % 4 != 0 || size > data.size() - at) ThrowInvalidMetafile("Datensatz mit ungültiger Größe", at);
    records_.emplace_back(data.substr(at, size), at);
    at += size;
    if (peek.Type() == EMR_EOF) break;
  }
}
