// Test helpers around the independent image tools (netpbm, libjpeg-turbo's and libtiff's
// programs): running them on files in a scratch folder and reading their PNM/PAM output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/bitmaps/DibImage.h"

// A folder under /tmp, removed with its files when the object goes.
class TScratchFolder {
 public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }
  // Writes the bytes into the named file and returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const;

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);

// Runs a shell command and returns what it wrote on standard output; raises
// std::runtime_error when it exits with a non-zero status.
std::string RunTool(const std::string& command);

// Pixels of a PNM (P4, P5, P6) or PAM (P7, depth 1 to 4) file with 8-bit samples.
struct TPnmImage {
  int width = 0;
  int height = 0;
  int depth = 0;  // samples per pixel: 1 grey, 2 grey+alpha, 3 RGB, 4 RGBA
  std::vector<uint8_t> samples;

  uint32_t Rgb(int x, int y) const;   // 0x00RRGGBB
  uint8_t Alpha(int x, int y) const;  // 255 without an alpha sample
};
TPnmImage ParsePnm(std::string_view bytes);

// Number of pixels whose colour differs from the oracle's by more than `tolerance` in
// any channel (and the sizes must agree, else every pixel counts).
int64_t CountDifferences(const TDibImage& image, const TPnmImage& oracle, int tolerance = 0);

// A PPM (P6) of an image, for feeding the tools.
std::string ToPpm(const TDibImage& image);

// Files of installed Debian packages that the codec tests decode.
std::string DebianFile(const std::string& path);
