#include "html/foundation/images/ColourQuantizer.h"

#include <algorithm>

#include "html/foundation/images/ColourLookup.h"
#include "platform/gdi/bitmaps/Bitmap.h"

TColorQuantizer::TColorQuantizer(int maxColors, int colorBits)
    : MaxColors(std::max(1, maxColors)), ColorBits(std::clamp(colorBits, 1, 8)) {}

void TColorQuantizer::QuantizeImage(const TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) AddPixel(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
  }
}

void TColorQuantizer::AddPixel(int red, int green, int blue) {
  AddPixel(Root, red, green, blue, 0);
  while (LeafCount > MaxColors) MergeDeepestNode();
}

void TColorQuantizer::AddPixel(std::unique_ptr<TOctreeNode>& node, int red, int green, int blue, int level) {
  if (!node) {
    node = std::make_unique<TOctreeNode>();
    if (level == ColorBits) {
      node->IsLeaf = true;
      ++LeafCount;
    } else {
      node->NextReducible = ReducibleNodes[static_cast<size_t>(level)];
      ReducibleNodes[static_cast<size_t>(level)] = node.get();
    }
  }
  if (node->IsLeaf) {
    ++node->PixelCount;
    node->RedSum += red;
    node->GreenSum += green;
    node->BlueSum += blue;
    return;
  }
  int shift = 7 - level;
  int child = ((red >> shift) & 1) << 2 | ((green >> shift) & 1) << 1 | ((blue >> shift) & 1);
  AddPixel(node->Children[static_cast<size_t>(child)], red, green, blue, level + 1);
}

void TColorQuantizer::MergeDeepestNode() {
  int level = ColorBits - 1;
  while (level > 0 && !ReducibleNodes[static_cast<size_t>(level)]) --level;
  TOctreeNode* node = ReducibleNodes[static_cast<size_t>(level)];
  if (!node) return;
  ReducibleNodes[static_cast<size_t>(level)] = node->NextReducible;
  int children = 0;
  for (auto& child : node->Children) {
    if (!child) continue;
    node->PixelCount += child->PixelCount;
    node->RedSum += child->RedSum;
    node->GreenSum += child->GreenSum;
    node->BlueSum += child->BlueSum;
    child.reset();
    ++children;
  }
  node->IsLeaf = true;
  LeafCount += 1 - children;
}

std::vector<TRGBQuad> TColorQuantizer::FillColorTable() const {
  std::vector<TRGBQuad> colors;
  auto walk = [&](auto& self, const TOctreeNode* node) -> void {
    if (!node) return;
    if (node->IsLeaf) {
      int64_t n = node->PixelCount;
      colors.push_back(n == 0 ? TRGBQuad{}
                              : TRGBQuad{static_cast<uint8_t>(node->BlueSum / n), static_cast<uint8_t>(node->GreenSum / n),
                                         static_cast<uint8_t>(node->RedSum / n), 0});
      return;
    }
    for (const auto& child : node->Children) self(self, child.get());
  };
  walk(walk, Root.get());
  return colors;
}

std::vector<TRGBQuad> CreateOptimizedPaletteFromBitmap(const TBitmap& bitmap, int colorCount, int colorBits,
                                                       bool windowsColors) {
  TBitmap copy(bitmap);
  copy.SetPixelFormat(pf24bit);
  TColorQuantizer quantizer(windowsColors ? 236 : colorCount, colorBits);
  quantizer.QuantizeImage(copy);
  std::vector<TRGBQuad> colors = quantizer.FillColorTable();
  if (!windowsColors) return colors;
  std::vector<TRGBQuad> system = SystemDefaultPalette();
  std::vector<TRGBQuad> palette(256);
  std::copy(system.begin(), system.begin() + 10, palette.begin());
  std::copy(system.begin() + 10, system.end(), palette.begin() + 246);
  std::copy(colors.begin(), colors.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(colors.size(), 236)),
            palette.begin() + 10);
  return palette;
}
