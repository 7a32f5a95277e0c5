#include "html/foundation/globals/ViewerShared.h"

#include <algorithm>

#include "html/foundation/globals/EngineGlobals.h"

void EnsureBitmap(std::unique_ptr<TBitmap>& bitmap, int width, int height, bool asDIB) {
  if (!bitmap) {
    bitmap = std::make_unique<TBitmap>();
    if (asDIB) {
      bitmap->SetPixelFormat(ScreenColorDepth <= 8 ? pf8bit : pf24bit);
      if (ScreenColorDepth <= 8 && !CubePalette.empty()) bitmap->SetPalette(CubePalette);
    }
  }
  bitmap->SetSize(width >= 3 ? width : 2, height >= 3 ? height : 2);
}

void DrawBulletCircle(TCanvas& canvas, int x, int y, int size) { canvas.Ellipse(x, y - size, x + size, y); }

void CanvasExtTextOut(TCanvas& canvas, const TRect& rect, int x, int y, const String& text) {
  canvas.TextRect(rect, x, y, text);
}

int CountBlanks(const Char* chars, int n) {
  int count = 0;
  for (int i = 0; i < n - 1; ++i)
    if (chars[i] == u' ' || chars[i] == 0xA0) ++count;
  return count;
}
