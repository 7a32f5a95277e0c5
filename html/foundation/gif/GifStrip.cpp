// Composing all frames of a GIF side by side: each frame starts from the previous composed
// frame after the previous frame's disposal (2: its rectangle back to the background,
// which is transparent when the strip has a mask; 3: its rectangle as it was before it).
#include <algorithm>
#include <vector>

#include "html/foundation/gif/GifDecoder.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/bitmaps/ImageLimits.h"

namespace {

constexpr int64_t kMaxStripBytes = 200'000'000;
constexpr int64_t kMaxStripBytesWithMask = 100'000'000;

// One screen of composed colours (0x00BBGGRR) and transparency (true = transparent).
struct TScreenState {
  std::vector<uint32_t> color;
  std::vector<uint8_t> clear;
};

struct TClip {
  int left, top, right, bottom;  // inside the screen, right and bottom exclusive
};

TClip ClipToScreen(int left, int top, int width, int height, int screenWidth, int screenHeight) {
  return {std::min(left, screenWidth), std::min(top, screenHeight),
          std::min(left + width, screenWidth), std::min(top + height, screenHeight)};
}

}  // namespace

std::unique_ptr<TBitmap> TGif::BuildStripBitmap(std::unique_ptr<TBitmap>& mask) const {
  mask.reset();
  const bool withMask = HasTransparency();
  const int count = ImageCount();
  const int screenWidth = Screen.Width;
  const int screenHeight = Screen.Height;
  const int64_t stripWidth = int64_t{screenWidth} * count;
  const int64_t rowBytes = (stripWidth * 3 + 3) / 4 * 4;
  const int64_t total = rowBytes * screenHeight + 54;
  if (total > kMaxStripBytes || (withMask && total > kMaxStripBytesWithMask) ||
      stripWidth * screenHeight > ImagePixelBudget())
    RaiseGifError(gifTooLarge);

  auto strip = std::make_unique<TBitmap>();
  if (stripWidth == 0 || screenHeight == 0) return strip;

  TDibImage colors(static_cast<int>(stripWidth), screenHeight, pf24bit);
  TDibImage clearBits;
  if (withMask) clearBits = TDibImage(static_cast<int>(stripWidth), screenHeight, pf1bit);

  const size_t screenPixels = static_cast<size_t>(screenWidth) * static_cast<size_t>(screenHeight);
  TScreenState state{std::vector<uint32_t>(screenPixels, 0), std::vector<uint8_t>(screenPixels, 1)};
  TScreenState before;
  uint32_t background = 0;
  if (Screen.GlobalTable >= 0)
    background = ColorTables[static_cast<size_t>(Screen.GlobalTable)].Colors[static_cast<size_t>(Screen.BackgroundIndex & 255)];

  for (int i = 0; i < count; ++i) {
    const TGifImage& image = Images[static_cast<size_t>(i)];
    const TGifColorTable& table = ColorTables[static_cast<size_t>(image.ColorTable)];
    const int transparent = FrameTransparentIndex(i);
    const int disposal = FrameDisposal(i);
    const TClip clip = ClipToScreen(image.Left, image.Top, image.Width, image.Height, screenWidth, screenHeight);
    if (disposal == 3) before = state;

    for (int y = clip.top; y < clip.bottom; ++y) {
      const uint8_t* src = image.Pixels.data() + static_cast<size_t>(y - image.Top) * static_cast<size_t>(image.Width);
      for (int x = clip.left; x < clip.right; ++x) {
        uint8_t index = src[x - image.Left];
        if (index == transparent) continue;
        size_t at = static_cast<size_t>(y) * static_cast<size_t>(screenWidth) + static_cast<size_t>(x);
        state.color[at] = table.Colors[index];
        state.clear[at] = 0;
      }
    }

    // The composed frame into slot i.
    const size_t slotLeft = static_cast<size_t>(i) * static_cast<size_t>(screenWidth);
    for (int y = 0; y < screenHeight; ++y) {
      uint8_t* row = colors.ScanLine(y) + slotLeft * 3;
      uint8_t* maskRow = withMask ? clearBits.ScanLine(y) : nullptr;
      for (int x = 0; x < screenWidth; ++x) {
        size_t at = static_cast<size_t>(y) * static_cast<size_t>(screenWidth) + static_cast<size_t>(x);
        uint32_t c = state.color[at];
        bool isClear = withMask && state.clear[at];
        if (isClear) c = 0;  // black under the mask, so an OR through it adds nothing
        row[x * 3] = static_cast<uint8_t>(c >> 16);
        row[x * 3 + 1] = static_cast<uint8_t>(c >> 8);
        row[x * 3 + 2] = static_cast<uint8_t>(c);
        if (isClear) {
          size_t bit = slotLeft + static_cast<size_t>(x);
          maskRow[bit >> 3] = static_cast<uint8_t>(maskRow[bit >> 3] | (0x80 >> (bit & 7)));
        }
      }
    }

    // The disposal of this frame prepares the start of the next one.
    if (disposal == 2 || disposal == 3) {
      for (int y = clip.top; y < clip.bottom; ++y)
        for (int x = clip.left; x < clip.right; ++x) {
          size_t at = static_cast<size_t>(y) * static_cast<size_t>(screenWidth) + static_cast<size_t>(x);
          if (disposal == 2) {
            state.color[at] = withMask ? 0 : background;
            state.clear[at] = 1;
          } else {
            state.color[at] = before.color[at];
            state.clear[at] = before.clear[at];
          }
        }
    }
  }

  strip->SetImage(std::move(colors));
  if (withMask) {
    mask = std::make_unique<TBitmap>();
    mask->SetImage(std::move(clearBits));
  }
  return strip;
}
