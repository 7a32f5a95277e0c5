// Globals of the whole HTML engine: the screen's colour class, the shared colour-cube
// palette of 256-colour screens, platform flags and colour helpers. They are set at
// program start from the screen device context (the machine's 24-bit screen).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/Colors.h"
#include "platform/gdi/bitmaps/PixelFormat.h"

class TDeviceContext;

// 4, 8 or 24: the colour class of the screen.
extern uint8_t ScreenColorDepth;
// The 256 entries of the cube palette on 8-bit screens; empty otherwise.
extern std::vector<TRGBQuad> CubePalette;
// 0x02000000 on screens of 8 bits or less: OR-ed into colours so that the nearest colour of
// the selected palette is taken.
extern int PaletteRGBFlag;
// The program never runs on Windows 9x.
constexpr bool OnWindows95 = false;
constexpr bool OnWindows9x = false;

// Bits per pixel x planes: up to 4 gives 4, 5..8 gives 8, more gives 24.
uint8_t ColorDepthClass(int bitsPerPixel, int planes);
// Sets ScreenColorDepth, CubePalette and PaletteRGBFlag from a screen device context (run
// at start-up; tests use it to stand for other screens).
void InitEngineGlobals(TDeviceContext& screen);
// The cube palette: the system palette (256 entries) with entries 10..224 replaced by a
// 6x6x6 colour cube without white, 225..245 by greys, and 245 by (255, 255, 254).
std::vector<TRGBQuad> BuildCubePalette(const std::vector<TRGBQuad>& systemPalette);

// A system colour (negative) becomes the system's colour; any other keeps its low 24 bits.
int ResolveColor(TColor color);
// The shades of three-dimensional borders: round(channel x 160 / 255) and 128 + channel / 2.
TColor DarkShade(TColor color);
TColor LightShade(TColor color);
