#include "platform/gdi/bitmaps/PixelFormat.h"

int BitsPerPixelOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pfDevice:
    case pf32bit: return 32;
  }
  return 32;
}

bool IsIndexedFormat(TPixelFormat format) { return format == pf1bit || format == pf4bit || format == pf8bit; }
