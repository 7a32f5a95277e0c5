#include "platform/gdi/codecs/PngCodec.h"

#include <png.h>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/bitmaps/PixelConversion.h"
#include "platform/rtl/Unicode.h"

namespace {

// Frees libpng's state on every way out.
struct TPngImageGuard {
  png_image image{};
  TPngImageGuard() { image.version = PNG_IMAGE_VERSION; }
  ~TPngImageGuard() { png_image_free(&image); }
};

[[noreturn]] void Fail(const png_image& image) {
  throw EInvalidGraphic(S("PNG-Bild ist fehlerhaft: ") + Utf8ToString(image.message));
}

// libpng allocates a chunk's buffer at the length its header claims before reading it, so a
// few corrupt bytes could make it ask for up to 2 GiB. No chunk can be longer than the rest
// of the file: the chunk headers are walked first and such a file is refused.
void CheckChunkLengths(std::string_view file) {
  auto p = reinterpret_cast<const uint8_t*>(file.data());
  size_t pos = 8;  // behind the signature
  while (file.size() >= 8 && pos <= file.size() - 8) {
    uint64_t length = uint64_t(p[pos]) << 24 | uint64_t(p[pos + 1]) << 16 | uint64_t(p[pos + 2]) << 8 | p[pos + 3];
    if (length > file.size() - pos - 8) throw EInvalidGraphic(S("PNG-Bild ist unvollständig"));
    bool end = file.substr(pos + 4, 4) == "IEND";
    pos += 12 + size_t(length);  // length, type, data, CRC
    if (end) break;
  }
}

}  // namespace

TDecodedPng DecodePng(std::string_view file) {
  CheckChunkLengths(file);
  TPngImageGuard guard;
  png_image& image = guard.image;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) Fail(image);
  CheckImageSize(image.width, image.height);
  TDecodedPng result;
  result.hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = result.hasAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  result.image = TDibImage(int(image.width), int(image.height), result.hasAlpha ? pf32bit : pf24bit);
  // The row stride is counted in samples, which are bytes here: the DIB's padded rows.
  if (!png_image_finish_read(&image, nullptr, result.image.Bits(), png_int_32(result.image.Stride()), nullptr))
    Fail(image);
  return result;
}

std::string EncodePng(const TDibImage& source, bool withAlpha) {
  if (source.Empty()) throw EInvalidGraphicOperation(S("Leeres Bild kann nicht gespeichert werden"));
  TDibImage pixels = ConvertPixelFormat(source, withAlpha ? pf32bit : pf24bit);
  TPngImageGuard guard;
  png_image& image = guard.image;
  image.width = png_uint_32(pixels.Width());
  image.height = png_uint_32(pixels.Height());
  image.format = withAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  png_alloc_size_t size = 0;
  auto stride = png_int_32(pixels.Stride());
  if (!png_image_write_get_memory_size(image, size, 0, pixels.Bits(), stride, nullptr))
    throw EInvalidGraphicOperation(S("PNG-Kodierung fehlgeschlagen: ") + Utf8ToString(image.message));
  std::string out(size, '\0');
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.Bits(), stride, nullptr))
    throw EInvalidGraphicOperation(S("PNG-Kodierung fehlgeschlagen: ") + Utf8ToString(image.message));
  out.resize(size);
  return out;
}
