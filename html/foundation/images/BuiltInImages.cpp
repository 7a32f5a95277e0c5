#include "html/foundation/images/BuiltInImages.h"

#include <array>

namespace {

// Letters of the pictures: the colours of the 16-colour table they use.
TColor ColorOf(char c) {
  switch (c) {
    case '#': return 0x808080;  // grey frame
    case 'w': return clWhite;
    case 'n': return clNavy;
    case 's': return clSilver;
    case 'r': return clRed;
    case 'g': return clGreen;
    case 'b': return clBlue;
    case 'y': return clYellow;
    default: return clSilver;  // '.' outside the picture
  }
}

using TPixelArt = std::array<const char*, 16>;

// An hourglass in a frame.
constexpr TPixelArt kPending = {
    "################", "#wwwwwwwwwwwwww#", "#wwnnnnnnnnnnww#", "#wwwnwwwwwwnwww#",
    "#wwwnyyyyyynwww#", "#wwwwnyyyynwwww#", "#wwwwwnyynwwwww#", "#wwwwwwnnwwwwww#",
    "#wwwwwwnnwwwwww#", "#wwwwwnwwnwwwww#", "#wwwwnwyywnwwww#", "#wwwnwyyyywnwww#",
    "#wwwnyyyyyynwww#", "#wwnnnnnnnnnnww#", "#wwwwwwwwwwwwww#", "################"};

// A page with a folded corner, its picture torn through.
constexpr TPixelArt kBroken = {
    "..#########.....", "..#wwwwwww##....", "..#wwwwwww#w#...", "..#wbbwwww####..",
    "..#wbbwwwwwww#..", "..#wwwwwwwrrw#..", "..#wwwwwwrrrw#..", "..#wggwwwwrww#..",
    "..#wgggw#####...", "..#######......", "....#ww#####....", "....#wwwwwy#....",
    "....#wwwwyy#....", "....#wwwggg#....", "....#wwwwww#....", "....########...."};

std::unique_ptr<TBitmap> Draw(const TPixelArt& art, TPixelFormat format, bool mask) {
  auto bitmap = std::make_unique<TBitmap>(16, 16, format);
  for (int y = 0; y < 16; ++y) {
    const char* row = art[static_cast<size_t>(y)];
    bool inRow = true;
    for (int x = 0; x < 16; ++x) {
      char c = inRow && row[x] ? row[x] : '.';
      if (!row[x]) inRow = false;
      bitmap->SetPixel(x, y, mask ? (c == '.' ? clWhite : clBlack) : ColorOf(c));
    }
  }
  return bitmap;
}

}  // namespace

const TBitmap& PendingImageBitmap() {
  static const std::unique_ptr<TBitmap> bitmap = Draw(kPending, pf4bit, false);
  return *bitmap;
}

const TBitmap& BrokenImageBitmap() {
  static const std::unique_ptr<TBitmap> bitmap = Draw(kBroken, pf4bit, false);
  return *bitmap;
}

const TBitmap& BrokenImageMask() {
  static const std::unique_ptr<TBitmap> mask = Draw(kBroken, pf1bit, true);
  return *mask;
}

TMemoryStream& DeferredImageStream() {
  static TMemoryStream stream;
  return stream;
}

TMemoryStream& NoImageStream() {
  static TMemoryStream stream;
  return stream;
}
