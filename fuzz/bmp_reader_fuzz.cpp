// Feeds arbitrary bytes to the BMP file reader and the packed-DIB reader. Broken input may
// only raise EInvalidGraphic; anything else (another exception, a sanitizer report, an
// out-of-memory) is a fault. A file that decodes must survive a write and a second read
// unchanged, and every pixel of it must be readable.
#include <cstdint>
#include <string_view>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/DibDecoder.h"

namespace {

void Check(const TDibImage& image) {
  uint32_t sum = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) sum += image.GetRgb(x, y);
  if (DecodeBmp(EncodeBmp(image)) != image && image.Format() != pfDevice) __builtin_trap();
  (void)sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // 1 Mi pixels keep each input fast and the memory small.
  static const bool budgetSet = (SetImagePixelBudget(int64_t{1} << 20), true);
  (void)budgetSet;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    Check(DecodeBmp(bytes));
  } catch (const EInvalidGraphic&) {
  }
  try {
    Check(DecodePackedDib(bytes));
  } catch (const EInvalidGraphic&) {
  }
  return 0;
}
