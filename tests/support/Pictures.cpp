#include "tests/support/Pictures.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TTestPicture::TTestPicture(int width, int height, uint32_t rgb)
    : Width(width), Height(height), Pixels(size_t(width) * size_t(height), 0xFF000000u | (rgb & 0xFFFFFFu)) {}

namespace {

// The next blank-separated token of a PNM header, skipping comments.
std::string Token(std::string_view s, size_t& pos) {
  for (;;) {
    while (pos < s.size() && std::isspace(static_cast<unsigned char>(s[pos]))) ++pos;
    if (pos < s.size() && s[pos] == '#') {
      while (pos < s.size() && s[pos] != '\n') ++pos;
      continue;
    }
    break;
  }
  size_t start = pos;
  while (pos < s.size() && !std::isspace(static_cast<unsigned char>(s[pos]))) ++pos;
  return std::string(s.substr(start, pos - start));
}

int Number(std::string_view s, size_t& pos) {
  std::string token = Token(s, pos);
  if (token.empty() || token.size() > 9 || !std::all_of(token.begin(), token.end(), ::isdigit))
    throw std::runtime_error("PNM header: not a number: \"" + token + "\"");
  return std::stoi(token);
}

uint32_t FromSamples(const uint8_t* p, int depth) {
  switch (depth) {
    case 1: return 0xFF000000u | uint32_t(p[0]) * 0x010101u;
    case 2: return uint32_t(p[1]) << 24 | uint32_t(p[0]) * 0x010101u;
    case 3: return 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    default: return uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TTestPicture ReadPnm(std::string_view s) {
  size_t pos = 0;
  std::string magic = Token(s, pos);
  int width = 0, height = 0, depth = 0, maxValue = 255;
  if (magic == "P4" || magic == "P5" || magic == "P6") {
    width = Number(s, pos);
    height = Number(s, pos);
    if (magic != "P4") maxValue = Number(s, pos);
    depth = magic == "P6" ? 3 : 1;
  } else if (magic == "P7") {
    for (std::string t = Token(s, pos); t != "ENDHDR"; t = Token(s, pos)) {
      if (t == "WIDTH") width = Number(s, pos);
      else if (t == "HEIGHT") height = Number(s, pos);
      else if (t == "DEPTH") depth = Number(s, pos);
      else if (t == "MAXVAL") maxValue = Number(s, pos);
      else if (t == "TUPLTYPE") Token(s, pos);
      else if (t.empty()) throw std::runtime_error("PAM header ends early");
    }
    if (depth < 1 || depth > 4) throw std::runtime_error("PAM depth " + std::to_string(depth));
  } else {
    throw std::runtime_error("not a PNM file: \"" + magic.substr(0, 8) + "\"");
  }
  if (maxValue != 255) throw std::runtime_error("only 8-bit PNM samples are read");
  ++pos;  // the single blank after the header
  TTestPicture picture(width, height);
  auto bytes = reinterpret_cast<const uint8_t*>(s.data());
  if (magic == "P4") {
    // Bits, 1 = black, rows padded to whole bytes.
    size_t rowBytes = (size_t(width) + 7) / 8;
    if (s.size() < pos + rowBytes * size_t(height)) throw std::runtime_error("PBM bits end early");
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        picture.Set(x, y, (bytes[pos + size_t(y) * rowBytes + size_t(x) / 8] >> (7 - x % 8) & 1) ? 0 : 0xFFFFFF);
    return picture;
  }
  size_t count = size_t(width) * size_t(height);
  if (s.size() < pos + count * size_t(depth)) throw std::runtime_error("PNM samples end early");
  for (size_t i = 0; i < count; ++i) picture.Pixels[i] = FromSamples(bytes + pos + i * size_t(depth), depth);
  return picture;
}

TTestPicture ReadPng(std::string_view bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
    throw std::runtime_error(std::string("not a PNG file: ") + image.message);
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> samples(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, samples.data(), 0, nullptr)) {
    std::string message = image.message;
    png_image_free(&image);
    throw std::runtime_error("PNG file: " + message);
  }
  TTestPicture picture(int(image.width), int(image.height));
  for (size_t i = 0; i < picture.Pixels.size(); ++i) picture.Pixels[i] = FromSamples(&samples[4 * i], 4);
  return picture;
}

TTestPicture TopLeftOf(const TTestPicture& picture, int width, int height) {
  TTestPicture part(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) part.Set(x, y, picture.Rgb(x, y));
  return part;
}

TTestPicture ReadPictureFile(const std::string& path) {
  std::string bytes = ReadFileBytes(path);
  try {
    return bytes.compare(0, 4, "\x89PNG") == 0 ? ReadPng(bytes) : ReadPnm(bytes);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(path + ": " + e.what());
  }
}

std::string PpmOf(const TTestPicture& picture) {
  std::string ppm = "P6\n" + std::to_string(picture.Width) + " " + std::to_string(picture.Height) + "\n255\n";
  ppm.reserve(ppm.size() + picture.Pixels.size() * 3);
  for (uint32_t p : picture.Pixels) {
    ppm += char(p >> 16);
    ppm += char(p >> 8);
    ppm += char(p);
  }
  return ppm;
}

std::string PngOf(const TTestPicture& picture) {
  bool opaque = std::all_of(picture.Pixels.begin(), picture.Pixels.end(), [](uint32_t p) { return p >> 24 == 0xFF; });
  int channels = opaque ? 3 : 4;
  std::vector<uint8_t> samples;
  samples.reserve(picture.Pixels.size() * size_t(channels));
  for (uint32_t p : picture.Pixels) {
    samples.insert(samples.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    if (!opaque) samples.push_back(uint8_t(p >> 24));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(picture.Width);
  image.height = png_uint_32(picture.Height);
  image.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, samples.data(), 0, nullptr))
    throw std::runtime_error(std::string("PNG encoding: ") + image.message);
  std::string png(size, '\0');
  if (!png_image_write_to_memory(&image, png.data(), &size, 0, samples.data(), 0, nullptr))
    throw std::runtime_error(std::string("PNG encoding: ") + image.message);
  png.resize(size);
  return png;
}

void WritePictureFile(const TTestPicture& picture, const std::string& path) {
  std::filesystem::path file(path);
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::string bytes = file.extension() == ".ppm" ? PpmOf(picture) : PngOf(picture);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

namespace {

int LargestChannelDifference(uint32_t a, uint32_t b) {
  int largest = 0;
  for (int shift : {0, 8, 16}) largest = std::max(largest, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
  return largest;
}

}  // namespace

int64_t CountDifferent(const TTestPicture& expected, const TTestPicture& actual, int channelTolerance) {
  if (expected.Width != actual.Width || expected.Height != actual.Height)
    return int64_t(expected.Width) * expected.Height + 1;
  int64_t count = 0;
  for (size_t i = 0; i < expected.Pixels.size(); ++i)
    count += LargestChannelDifference(expected.Pixels[i], actual.Pixels[i]) > channelTolerance;
  return count;
}

TTestPicture DifferencePicture(const TTestPicture& expected, const TTestPicture& actual, int channelTolerance) {
  TTestPicture diff(std::max(expected.Width, actual.Width), std::max(expected.Height, actual.Height));
  for (int y = 0; y < diff.Height; ++y)
    for (int x = 0; x < diff.Width; ++x) {
      bool inExpected = x < expected.Width && y < expected.Height;
      bool inActual = x < actual.Width && y < actual.Height;
      if (!inExpected || !inActual) {
        diff.Set(x, y, 0xFF00FF);
        continue;
      }
      uint32_t e = expected.Rgb(x, y);
      int d = LargestChannelDifference(e, actual.Rgb(x, y));
      if (d > channelTolerance) {
        diff.Set(x, y, 0xFF0000);
      } else if (d > 0) {
        diff.Set(x, y, 0xFFA000);
      } else {
        uint32_t luminance = ((e >> 16 & 0xFF) * 3 + (e >> 8 & 0xFF) * 6 + (e & 0xFF)) / 10;
        uint32_t grey = 160 + luminance * 80 / 255;
        diff.Set(x, y, grey * 0x010101u);
      }
    }
  return diff;
}
