#include "ImageTestTools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileCanvas.h"
#include "tests/pdf/PdfTestTools.h"

std::string DebianFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << path << " is missing: run tools/setup";
    return {};
  }
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TBitmap PatternBitmap(int width, int height) {
  TBitmap bitmap(width, height, pf24bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t r = uint32_t(x * 255 / std::max(1, width - 1));
      uint32_t g = uint32_t(y * 255 / std::max(1, height - 1));
      uint32_t b = ((x / 4 + y / 4) % 2) != 0 ? 200 : 30;
      bitmap.SetPixel(x, y, TColor(r | g << 8 | b << 16));  // TColor: red in the low byte
    }
  return bitmap;
}

std::unique_ptr<TGraphic> HalfBlueMetafile() {
  auto metafile = std::make_unique<TMetafile>();
  metafile->SetWidth(20);
  metafile->SetHeight(10);
  TMetafileCanvas canvas(*metafile);
  canvas.Brush().SetColor(clBlue);
  canvas.FillRect(TRect{0, 0, 10, 10});
  canvas.Close();
  return metafile;
}

std::vector<TListedImage> ListImages(const std::string& pdfPath) {
  // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
  std::istringstream lines(RunTool("pdfimages -list " + ShellQuote(pdfPath) + " 2>/dev/null"));
  std::vector<TListedImage> images;
  std::string line;
  int lineNumber = 0;
  while (std::getline(lines, line)) {
    if (++lineNumber <= 2) continue;  // the heading and its rule
    std::istringstream f(line);
    TListedImage image;
    std::string num, type, comp, interp, id;
    f >> image.page >> num >> type >> image.width >> image.height >> image.color >> comp >> image.bpc >> image.enc >>
        interp >> image.object;
    if (f) images.push_back(image);
  }
  return images;
}
