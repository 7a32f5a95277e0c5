#include "html/foundation/globals/EngineGlobals.h"

#include <cmath>

#include "platform/gdi/bitmaps/DibImage.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/dc/MeasureDC.h"

uint8_t ScreenColorDepth = 24;
std::vector<TRGBQuad> CubePalette;
int PaletteRGBFlag = 0;

namespace {
// Start-up: the screen of the machine the program thinks it runs on.
struct StartUp {
  StartUp() {
    TMeasureDC screen;
    InitEngineGlobals(screen);
  }
} startUp;
}  // namespace

uint8_t ColorDepthClass(int bitsPerPixel, int planes) {
  int bits = bitsPerPixel * planes;
  if (bits <= 4) return 4;
  if (bits <= 8) return 8;
  return 24;
}

void InitEngineGlobals(TDeviceContext& screen) {
  ScreenColorDepth = ColorDepthClass(screen.GetDeviceCaps(BITSPIXEL), screen.GetDeviceCaps(PLANES));
  // The system palette of an 8-bit screen is the platform's default 8-bit palette.
  CubePalette = ScreenColorDepth == 8 ? BuildCubePalette(DefaultPalette(pf8bit)) : std::vector<TRGBQuad>();
  PaletteRGBFlag = ScreenColorDepth <= 8 ? 0x02000000 : 0;
}

std::vector<TRGBQuad> BuildCubePalette(const std::vector<TRGBQuad>& systemPalette) {
  std::vector<TRGBQuad> palette(systemPalette);
  palette.resize(256);
  static constexpr uint8_t kLevels[] = {55, 115, 165, 205, 235, 255};
  int i = 10;
  for (uint8_t blue : kLevels)
    for (uint8_t green : kLevels)
      for (uint8_t red : kLevels) {
        if (red == 255 && green == 255 && blue == 255) continue;
        palette[i++] = TRGBQuad{blue, green, red, 0};
      }
  for (int grey = 135; grey <= 250; grey += 5) {
    if (grey == 165 || grey == 205 || grey == 235) continue;
    uint8_t g = static_cast<uint8_t>(grey);
    palette[i++] = TRGBQuad{g, g, g, 0};
  }
  palette[245] = TRGBQuad{254, 255, 255, 0};
  return palette;
}

int ResolveColor(TColor color) {
  if (color < 0) return static_cast<int>(GetSysColor(color & 0xFFFFFF));
  return color & 0xFFFFFF;
}

namespace {
TColor Shade(TColor color, int (*channel)(int)) {
  int c = ResolveColor(color);
  return channel(c & 0xFF) | channel((c >> 8) & 0xFF) << 8 | channel((c >> 16) & 0xFF) << 16;
}
}  // namespace

TColor DarkShade(TColor color) {
  return Shade(color, [](int v) { return static_cast<int>(std::lround(v * 160 / 255.0)); });
}

TColor LightShade(TColor color) {
  return Shade(color, [](int v) { return 128 + v / 2; });
}
