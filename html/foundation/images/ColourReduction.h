// Colour reduction for palette screens: a true-colour bitmap mapped to an 8-bit bitmap on a
// palette, with nearest-colour mapping or serpentine Floyd-Steinberg dithering.
#pragma once

#include <memory>

class TBitmap;

// Palette kinds: 0 none (a 24-bit copy), 1 the system's default palette, 3 the 216-colour
// cube, 4 the engine's cube palette, 5 an optimised palette of the image; others give an
// empty 8-bit bitmap of the size.
enum TPaletteKind { pkNone = 0, pkSystem = 1, pkNetscape = 3, pkEngineCube = 4, pkOptimized = 5 };
// Dither kinds: 0 nearest colour, 1 Floyd-Steinberg; others leave the pixels unconverted.
enum TDitherKind { dkNearest = 0, dkFloydSteinberg = 1 };

// A new bitmap; the source is left as it is.
std::unique_ptr<TBitmap> ReduceBitmapColors(const TBitmap& bitmap, int paletteKind, int ditherKind);
// The image loader's entry point: null for a null or empty bitmap; a device-format bitmap
// is copied; others are reduced with Floyd-Steinberg to the system palette (screens below
// 8 bits) or the engine's cube palette.
std::unique_ptr<TBitmap> ReduceBitmapForScreen(const TBitmap* bitmap);
