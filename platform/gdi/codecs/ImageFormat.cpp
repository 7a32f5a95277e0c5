#include "platform/gdi/codecs/ImageFormat.h"

#include <cstdint>

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

uint32_t U32At(std::string_view s, size_t at) {
  auto p = reinterpret_cast<const uint8_t*>(s.data()) + at;
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t U16At(std::string_view s, size_t at) {
  auto p = reinterpret_cast<const uint8_t*>(s.data()) + at;
  return uint16_t(p[0] | p[1] << 8);
}

}  // namespace

TImageFormat DetectImageFormat(std::string_view head) {
  using namespace std::string_view_literals;
  if (StartsWith(head, "\x89PNG\r\n\x1A\n"sv)) return TImageFormat::Png;
  if (StartsWith(head, "GIF8"sv)) return TImageFormat::Gif;
  if (StartsWith(head, "\xFF\xD8"sv)) return TImageFormat::Jpeg;
  if (StartsWith(head, "II\x2A\x00"sv) || StartsWith(head, "MM\x00\x2A"sv)) return TImageFormat::Tiff;
  if (StartsWith(head, "BM"sv)) return TImageFormat::Bmp;
  if (head.size() >= 44 && U32At(head, 0) == 1 && head.substr(40, 4) == " EMF"sv) return TImageFormat::Emf;
  if (StartsWith(head, "\xD7\xCD\xC6\x9A"sv)) return TImageFormat::Wmf;
  // A standard metafile header: type 1 (memory) or 2 (disk), header size 9 words,
  // version 0x0100 or 0x0300.
  if (head.size() >= 6 && (U16At(head, 0) == 1 || U16At(head, 0) == 2) && U16At(head, 2) == 9 &&
      (U16At(head, 4) == 0x0100 || U16At(head, 4) == 0x0300))
    return TImageFormat::Wmf;
  return TImageFormat::Unknown;
}
