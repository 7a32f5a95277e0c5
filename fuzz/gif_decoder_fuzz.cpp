// Feeds arbitrary bytes to the HTML engine's GIF decoder and composes the frame strip of
// whatever loads. Broken input may only raise EInvalidGraphicOperation; anything else (a
// sanitizer report, another exception, an out-of-memory) is a fault.
#include <cstdint>
#include <memory>
#include <string>

#include "html/foundation/gif/GifDecoder.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/bitmaps/ImageLimits.h"
#include "platform/rtl/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // 1 Mi pixels per image and per strip keep each input fast and the memory small.
  static const bool budgetSet = (SetImagePixelBudget(int64_t{1} << 20), true);
  (void)budgetSet;
  TStringStream stream(std::string(reinterpret_cast<const char*>(data), size));
  TGif gif;
  try {
    gif.LoadFromStream(stream);
  } catch (const EInvalidGraphicOperation&) {
    return 0;
  }
  for (int i = 0; i < gif.ImageCount(); ++i) {
    if (gif.ImagePixels(i).size() != static_cast<size_t>(gif.ImageWidth(i)) * gif.ImageHeight(i)) __builtin_trap();
    (void)gif.FrameDelay(i);
  }
  std::unique_ptr<TBitmap> mask;
  try {
    std::unique_ptr<TBitmap> strip = gif.BuildStripBitmap(mask);
    if (mask && (mask->Width() != strip->Width() || mask->Height() != strip->Height())) __builtin_trap();
  } catch (const EInvalidGraphicOperation&) {
  }
  return 0;
}
