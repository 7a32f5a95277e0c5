#include "ImageTestTools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileCanvas.h"
#include "tests/pdf/PdfTestTools.h"

namespace {

// The next header number of a PNM file, skipping blanks and comments.
int HeaderNumber(const std::string& s, size_t& pos) {
  for (;;) {
    while (pos < s.size() && std::isspace(static_cast<unsigned char>(s[pos]))) ++pos;
    if (pos < s.size() && s[pos] == '#') {
      while (pos < s.size() && s[pos] != '\n') ++pos;
      continue;
    }
    break;
  }
  int value = 0;
  while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) value = value * 10 + (s[pos++] - '0');
  return value;
}

}  // namespace

TPnm ReadPnm(const std::string& bytes) {
  TPnm pnm;
  if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) {
    ADD_FAILURE() << "not a P5/P6 file";
    return pnm;
  }
  bool grey = bytes[1] == '5';
  size_t pos = 2;
  pnm.width = HeaderNumber(bytes, pos);
  pnm.height = HeaderNumber(bytes, pos);
  int maxValue = HeaderNumber(bytes, pos);
  ++pos;  // the single blank before the samples
  size_t count = size_t(pnm.width) * size_t(pnm.height);
  size_t need = count * (grey ? 1 : 3);
  if (maxValue != 255 || bytes.size() < pos + need) {
    ADD_FAILURE() << "unexpected PNM samples";
    pnm.width = pnm.height = 0;
    return pnm;
  }
  auto p = reinterpret_cast<const uint8_t*>(bytes.data() + pos);
  pnm.rgb.resize(count);
  for (size_t i = 0; i < count; ++i)
    pnm.rgb[i] = grey ? uint32_t(p[i]) * 0x010101u : uint32_t(p[3 * i]) << 16 | uint32_t(p[3 * i + 1]) << 8 | p[3 * i + 2];
  return pnm;
}

TPnm PnmOf(const TDibImage& image) {
  TPnm pnm;
  pnm.width = image.Width();
  pnm.height = image.Height();
  for (int y = 0; y < pnm.height; ++y)
    for (int x = 0; x < pnm.width; ++x) pnm.rgb.push_back(image.GetRgb(x, y));
  return pnm;
}

int64_t CountDifferent(const TPnm& expected, const TPnm& actual, int tolerance) {
  if (expected.width != actual.width || expected.height != actual.height)
    return int64_t(expected.width) * expected.height + 1;
  int64_t n = 0;
  for (size_t i = 0; i < expected.rgb.size(); ++i)
    for (int shift : {0, 8, 16})
      if (std::abs(int(expected.rgb[i] >> shift & 0xFF) - int(actual.rgb[i] >> shift & 0xFF)) > tolerance) {
        ++n;
        break;
      }
  return n;
}

std::string PpmOf(const TDibImage& image) {
  std::string ppm = "P6\n" + std::to_string(image.Width()) + " " + std::to_string(image.Height()) + "\n255\n";
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      uint32_t rgb = image.GetRgb(x, y);
      ppm += char(rgb >> 16);
      ppm += char(rgb >> 8);
      ppm += char(rgb);
    }
  return ppm;
}

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

std::string Tool(const std::string& commandLine) {
  TCommandResult r = RunCommand(commandLine);
  EXPECT_EQ(r.ExitCode, 0) << commandLine << ": " << r.Output.substr(0, 400);
  return r.Output;
}

std::vector<TListedImage> ListImages(const std::string& pdfPath) {
  // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
  std::istringstream lines(Tool("pdfimages -list " + ShellQuote(pdfPath) + " 2>/dev/null"));
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
