#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/codecs/DibDecoder.h"
#include "platform/rtl/Unicode.h"

namespace {

// Walks the run-length commands shared by RLE8 and RLE4; `putRun(x, y, count, value)`
// writes an encoded run, `putAbsolute(x, y, count, bytes)` a literal run.
template <class PutRun, class PutAbsolute>
void WalkRle(std::string_view data, const TDibImage& image, size_t (*absoluteBytes)(unsigned), PutRun putRun,
             PutAbsolute putAbsolute) {
  auto p = reinterpret_cast<const uint8_t*>(data.data());
  size_t n = data.size(), i = 0;
  int64_t x = 0, y = image.Height() - 1;  // rows from the bottom
  auto need = [&](size_t count) {
    if (count > n - i) throw EInvalidGraphic(S("Lauflängenkodierte Bitmap ist unvollständig"));
  };
  while (i < n && y >= 0) {
    need(2);
    unsigned count = p[i], value = p[i + 1];
    i += 2;
    if (count > 0) {
      putRun(x, y, count, value);
      x += count;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        --y;
        break;
      case 1:  // end of bitmap
        return;
      case 2:  // delta
        need(2);
        x += p[i];
        y -= p[i + 1];
        i += 2;
        break;
      default: {  // literal run of `value` pixels, padded to a 16-bit boundary
        size_t bytes = absoluteBytes(value);
        need(bytes + (bytes & 1));
        putAbsolute(x, y, value, p + i);
        x += value;
        i += bytes + (bytes & 1);
        break;
      }
    }
  }
}

bool Inside(const TDibImage& image, int64_t x, int64_t y) {
  return x >= 0 && y >= 0 && x < image.Width() && y < image.Height();
}

}  // namespace

void DecodeRle8(std::string_view data, TDibImage& image) {
  WalkRle(
      data, image, [](unsigned n) { return size_t(n); },
      [&](int64_t x, int64_t y, unsigned count, unsigned value) {
        for (unsigned k = 0; k < count && x + k < image.Width(); ++k)
          if (Inside(image, x + k, y)) image.SetIndex(int(x + k), int(y), int(value));
      },
      [&](int64_t x, int64_t y, unsigned count, const uint8_t* bytes) {
        for (unsigned k = 0; k < count && x + k < image.Width(); ++k)
          if (Inside(image, x + k, y)) image.SetIndex(int(x + k), int(y), bytes[k]);
      });
}

void DecodeRle4(std::string_view data, TDibImage& image) {
  WalkRle(
      data, image, [](unsigned n) { return size_t(n + 1) / 2; },
      [&](int64_t x, int64_t y, unsigned count, unsigned value) {
        // Runs alternate the high and the low nibble.
        for (unsigned k = 0; k < count && x + k < image.Width(); ++k)
          if (Inside(image, x + k, y)) image.SetIndex(int(x + k), int(y), int((k & 1) ? value & 0x0F : value >> 4));
      },
      [&](int64_t x, int64_t y, unsigned count, const uint8_t* bytes) {
        for (unsigned k = 0; k < count && x + k < image.Width(); ++k) {
          unsigned b = bytes[k / 2];
          if (Inside(image, x + k, y)) image.SetIndex(int(x + k), int(y), int((k & 1) ? b & 0x0F : b >> 4));
        }
      });
}
