// The whole path of an HTML document over arbitrary bytes: parsed into a document as the
// viewer loads one, laid out, painted at the top and further down, its text copied through
// the selection sinks, laid out again at another width and painted again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/support/html/HtmlTestDocument.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // The width follows from the size, so that seeds need no leading byte of their own.
  const int width = 120 + static_cast<int>(size % 8) * 110;

  THtmlTestDocument document;
  document.Load(bytes, "/nonexistent/fuzz.html");
  const int height = document.LayOut(width);
  Check(height >= 0);
  TBitmap screen(width, 200, pf24bit);
  document.PaintOnto(screen, 0);
  if (height > 200) document.PaintOnto(screen, height / 2);

  for (Char c : document.VisibleText()) Check(c != 0 && c != 2 && c != 4 && c != 8);

  document.LayOut(width / 2 + 40);
  document.PaintOnto(screen, 0);
  return 0;
}
