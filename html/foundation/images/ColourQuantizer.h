// The octree colour quantizer: an optimised palette of at most MaxColors colours for an image.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/bitmaps/PixelFormat.h"

class TBitmap;

struct TOctreeNode {
  bool IsLeaf = false;
  int64_t PixelCount = 0;
  int64_t RedSum = 0, GreenSum = 0, BlueSum = 0;
  TOctreeNode* NextReducible = nullptr;
  std::array<std::unique_ptr<TOctreeNode>, 8> Children;
};

class TColorQuantizer {
 public:
  TColorQuantizer(int maxColors, int colorBits);
  // Every pixel of a 24-bit image (rows of blue, green, red).
  void QuantizeImage(const TBitmap& bitmap24);
  void AddPixel(int red, int green, int blue);
  // Leaves in depth-first order (children 0..7): sum / count per channel.
  std::vector<TRGBQuad> FillColorTable() const;
  int LeafCount = 0;

 private:
  void AddPixel(std::unique_ptr<TOctreeNode>& node, int red, int green, int blue, int level);
  void MergeDeepestNode();
  std::unique_ptr<TOctreeNode> Root;
  std::array<TOctreeNode*, 8> ReducibleNodes{};
  int MaxColors;
  int ColorBits;
};

// With Windows colours: 256 entries, 0..9 and 246..255 from the system's default palette,
// 10..245 the image's 236 colours; without: the image's `colorCount` colours.
std::vector<TRGBQuad> CreateOptimizedPaletteFromBitmap(const TBitmap& bitmap, int colorCount, int colorBits,
                                                       bool windowsColors);
