// Feeds arbitrary bytes to the PNG, JPEG and TIFF decoders (the first byte chooses one), to
// check our side of the libraries: error callbacks, memory sources, size checks. Broken
// input may only raise EInvalidGraphic.
#include <cstdint>
#include <string_view>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/gdi/codecs/TiffCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool budgetSet = (SetImagePixelBudget(int64_t{1} << 20), true);
  (void)budgetSet;
  if (size == 0) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    switch (data[0] % 3) {
      case 0: DecodePng(bytes); break;
      case 1: DecodeJpeg(bytes); break;
      default: DecodeTiff(bytes); break;
    }
  } catch (const EInvalidGraphic&) {
  }
  return 0;
}
