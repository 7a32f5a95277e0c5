#include "platform/gdi/Colors.h"

#include <array>
#include <cstddef>

namespace {

// The standard colour scheme of the desktop the program was written for.
constexpr std::array<COLORREF, COLOR_COUNT> kDefaultSysColors = {
    RGB(200, 200, 200),  // scroll bar
    RGB(0, 0, 0),        // desktop background
    RGB(153, 180, 209),  // active caption
    RGB(191, 205, 219),  // inactive caption
    RGB(240, 240, 240),  // menu
    RGB(255, 255, 255),  // window
    RGB(100, 100, 100),  // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(0, 0, 0),        // caption text
    RGB(180, 180, 180),  // active border
    RGB(244, 247, 252),  // inactive border
    RGB(171, 171, 171),  // application work space
    RGB(51, 153, 255),   // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(240, 240, 240),  // button face
    RGB(160, 160, 160),  // button shadow
    RGB(109, 109, 109),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(67, 78, 84),     // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(105, 105, 105),  // 3D dark shadow
    RGB(227, 227, 227),  // 3D light
    RGB(0, 0, 0),        // tool tip text
    RGB(255, 255, 225),  // tool tip background
    RGB(0, 0, 0),        // (unused index 25)
    RGB(0, 102, 204),    // hot-tracked item
    RGB(185, 209, 234),  // active caption gradient
    RGB(215, 228, 242),  // inactive caption gradient
    RGB(51, 153, 255),   // menu highlight
    RGB(240, 240, 240),  // menu bar
};

std::array<COLORREF, COLOR_COUNT>& Table() {
  static std::array<COLORREF, COLOR_COUNT> table = kDefaultSysColors;
  return table;
}

}  // namespace

COLORREF GetSysColor(int index) {
  if (index < 0 || index >= COLOR_COUNT) return 0;
  return Table()[static_cast<size_t>(index)];
}

void SetSysColor(int index, COLORREF color) {
  if (index >= 0 && index < COLOR_COUNT) Table()[static_cast<size_t>(index)] = color & 0xFFFFFF;
}

void ResetSysColors() { Table() = kDefaultSysColors; }

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}
