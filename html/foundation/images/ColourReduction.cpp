#include "html/foundation/images/ColourReduction.h"

#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/images/ColourQuantizer.h"
#include "html/foundation/images/DitherEngines.h"
#include "platform/gdi/bitmaps/Bitmap.h"

std::unique_ptr<TBitmap> ReduceBitmapColors(const TBitmap& bitmap, int paletteKind, int ditherKind) {
  if (paletteKind == pkNone) {
    auto copy = std::make_unique<TBitmap>(bitmap);
    copy->SetPixelFormat(pf24bit);
    return copy;
  }
  const int width = bitmap.Width(), height = bitmap.Height();
  TDibImage result(width, height, pf8bit);
  std::vector<TRGBQuad> palette;
  switch (paletteKind) {
    case pkSystem: palette = SystemDefaultPalette(); break;
    case pkNetscape: palette = CreateNetscapePalette(); break;
    case pkEngineCube: palette = CubePalette; break;
    case pkOptimized: palette = CreateOptimizedPaletteFromBitmap(bitmap, 256, 8, true); break;
    default: break;
  }
  std::unique_ptr<TColorLookup> lookup;
  if (paletteKind == pkNetscape)
    lookup = std::make_unique<TNetscapeColorLookup>();
  else
    lookup = std::make_unique<TFastColorLookup>(palette);

  if (lookup->ColorCount > 0 && (ditherKind == dkNearest || ditherKind == dkFloydSteinberg) && width > 0) {
    TBitmap source(bitmap);
    source.SetPixelFormat(pf24bit);
    std::unique_ptr<TDitherEngine> engine =
        ditherKind == dkNearest ? std::make_unique<TDitherEngine>(width, *lookup)
                                : std::make_unique<TFloydSteinbergEngine>(width, *lookup);
    for (int y = 0; y < height; ++y) {
      const uint8_t* from = source.ScanLine(y);
      uint8_t* to = result.ScanLine(y);
      int r, g, b;
      while (engine->Column >= 0 && engine->Column < width) {
        int x = engine->Column;
        to[x] = static_cast<uint8_t>(engine->MapPixel(from[x * 3 + 2], from[x * 3 + 1], from[x * 3], r, g, b));
      }
      engine->EndOfRow();
    }
  }
  result.SetPalette(std::move(palette));
  auto reduced = std::make_unique<TBitmap>();
  reduced->SetImage(std::move(result));
  return reduced;
}

std::unique_ptr<TBitmap> ReduceBitmapForScreen(const TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty()) return nullptr;
  if (bitmap->HandleType() == bmDDB) return std::make_unique<TBitmap>(*bitmap);
  return ReduceBitmapColors(*bitmap, ScreenColorDepth < 8 ? pkSystem : pkEngineCube, dkFloydSteinberg);
}
