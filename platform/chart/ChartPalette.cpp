#include "platform/chart/ChartPalette.h"

#include <array>
#include <cstddef>

namespace {

// Strong, well separated colours first; the later ones tell neighbours apart again.
constexpr std::array<TColor, 12> palette = {
    static_cast<TColor>(RGB(0x1F, 0x77, 0xB4)), static_cast<TColor>(RGB(0xFF, 0x7F, 0x0E)),
    static_cast<TColor>(RGB(0x2C, 0xA0, 0x2C)), static_cast<TColor>(RGB(0xD6, 0x27, 0x28)),
    static_cast<TColor>(RGB(0x94, 0x67, 0xBD)), static_cast<TColor>(RGB(0x8C, 0x56, 0x4B)),
    static_cast<TColor>(RGB(0xE3, 0x77, 0xC2)), static_cast<TColor>(RGB(0x7F, 0x7F, 0x7F)),
    static_cast<TColor>(RGB(0xBC, 0xBD, 0x22)), static_cast<TColor>(RGB(0x17, 0xBE, 0xCF)),
    static_cast<TColor>(RGB(0x39, 0x3B, 0x79)), static_cast<TColor>(RGB(0xAD, 0x49, 0x4A)),
};

}  // namespace

TColor ChartPaletteColor(int index) {
  int n = static_cast<int>(palette.size());
  return palette[static_cast<std::size_t>(((index % n) + n) % n)];
}

TColor DarkerColor(TColor color) {
  auto c = static_cast<COLORREF>(color);
  return static_cast<TColor>(RGB(GetRValue(c) * 2 / 3, GetGValue(c) * 2 / 3, GetBValue(c) * 2 / 3));
}
