// GIF files written and read by giflib, the independent decoder the tests compare with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TTestFrame {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> pixels;  // rows from the top
  int disposal = 0;
  int transparent = -1;
  int delay = 0;
  bool withControl = true;  // a graphic control extension before the image
  bool interlaced = false;
  std::vector<uint32_t> localTable;  // 0x00RRGGBB; empty: the global table
};

struct TTestGif {
  int width = 0, height = 0;
  std::vector<uint32_t> globalTable;  // 0x00RRGGBB, 2..256 entries (power of two)
  int background = 0;
  int loopCount = -1;  // -1: no looping extension
  std::vector<TTestFrame> frames;
};

// Writes the file with giflib's encoder. Interlaced frames give their rows in file order
// (the caller arranges them as the passes want).
std::string WriteGifWithGiflib(const TTestGif& gif);

// What giflib reads from a file: images with de-interlaced pixels, their graphic control
// values and colour tables (0x00RRGGBB), and the NETSCAPE loop count (-1 when absent).
struct TGiflibImage {
  int left, top, width, height;
  std::vector<uint8_t> pixels;
  int delay = 0, disposal = 0, transparent = -1;
  bool hasControl = false;
  std::vector<uint32_t> colors;
};
struct TGiflibFile {
  int width = 0, height = 0;
  int loopCount = -1;
  std::vector<TGiflibImage> images;
};
TGiflibFile ReadGifWithGiflib(const std::string& bytes);

std::string ReadFixture(const std::string& name);
