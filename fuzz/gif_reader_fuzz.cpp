// Feeds arbitrary bytes to the GIF reader. Broken input may only raise EInvalidGraphic;
// anything else (another exception, a sanitizer report, an out-of-memory) is a fault. An
// image that decodes (and fits GIF's 16-bit sides) must come back unchanged through the GIF
// writer and the reader.
#include <cstdint>
#include <string_view>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/gdi/codecs/GifCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // 1 Mi pixels keep each input fast and the memory small.
  static const bool budgetSet = (SetImagePixelBudget(int64_t{1} << 20), true);
  (void)budgetSet;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TDecodedGif gif;
  try {
    gif = DecodeGif(bytes);
  } catch (const EInvalidGraphic&) {
    return 0;
  }
  // A screen grown to hold an image beyond it can exceed the 16-bit sides GIF can write.
  if (gif.image.Width() > 0xFFFF || gif.image.Height() > 0xFFFF) return 0;
  if (DecodeGif(EncodeGif(gif.image)).image != gif.image) __builtin_trap();
  return 0;
}
