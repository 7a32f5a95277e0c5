#include "platform/gdi/bitmaps/ImageLimits.h"

#include <atomic>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/rtl/Unicode.h"

namespace {
std::atomic<int64_t> g_budget{kDefaultImagePixelBudget};
}

int64_t ImagePixelBudget() { return g_budget.load(); }

int64_t SetImagePixelBudget(int64_t pixels) { return g_budget.exchange(pixels); }

void CheckImageSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0)
    throw EInvalidGraphic(S("Ungültige Bildgröße ") + Utf8ToString(std::to_string(width)) + S(" x ") +
                          Utf8ToString(std::to_string(height)));
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > ImagePixelBudget())
    throw EInvalidGraphic(S("Bild zu groß: ") + Utf8ToString(std::to_string(width)) + S(" x ") +
                          Utf8ToString(std::to_string(height)) + S(" Pixel"));
}
