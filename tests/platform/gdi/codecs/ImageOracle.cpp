#include "ImageOracle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TScratchFolder::TScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "wendrel-images-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TScratchFolder::Write(const std::string& name, std::string_view bytes) const {
  std::string path = PathOf(name);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string RunTool(const std::string& command) {
  FILE* pipe = popen(("(" + command + ") 2>/dev/null").c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::string out;
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  int status = pclose(pipe);
  if (status != 0) throw std::runtime_error("tool failed: " + command);
  return out;
}

namespace {

// Reads the next whitespace-separated token of a PNM header, skipping comments.
std::string Token(std::string_view s, size_t& pos) {
  for (;;) {
    while (pos < s.size() && isspace(static_cast<unsigned char>(s[pos]))) ++pos;
    if (pos < s.size() && s[pos] == '#') {
      while (pos < s.size() && s[pos] != '\n') ++pos;
      continue;
    }
    break;
  }
  size_t start = pos;
  while (pos < s.size() && !isspace(static_cast<unsigned char>(s[pos]))) ++pos;
  return std::string(s.substr(start, pos - start));
}

}  // namespace

TPnmImage ParsePnm(std::string_view s) {
  TPnmImage img;
  size_t pos = 0;
  std::string magic = Token(s, pos);
  int maxval = 255;
  if (magic == "P4") {
    // Bits, 1 = black, rows padded to whole bytes; read as grey samples.
    img.depth = 1;
    img.width = std::stoi(Token(s, pos));
    img.height = std::stoi(Token(s, pos));
    ++pos;
    size_t rowBytes = (size_t(img.width) + 7) / 8;
    if (s.size() < pos + rowBytes * size_t(img.height)) throw std::runtime_error("PBM bits end early");
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x) {
        uint8_t byte = uint8_t(s[pos + size_t(y) * rowBytes + size_t(x) / 8]);
        img.samples.push_back((byte >> (7 - x % 8) & 1) ? 0 : 255);
      }
    return img;
  }
  if (magic == "P5" || magic == "P6") {
    img.depth = magic == "P5" ? 1 : 3;
    img.width = std::stoi(Token(s, pos));
    img.height = std::stoi(Token(s, pos));
    maxval = std::stoi(Token(s, pos));
  } else if (magic == "P7") {
    for (std::string t = Token(s, pos); t != "ENDHDR"; t = Token(s, pos)) {
      if (t == "WIDTH") img.width = std::stoi(Token(s, pos));
      else if (t == "HEIGHT") img.height = std::stoi(Token(s, pos));
      else if (t == "DEPTH") img.depth = std::stoi(Token(s, pos));
      else if (t == "MAXVAL") maxval = std::stoi(Token(s, pos));
      else if (t == "TUPLTYPE") Token(s, pos);
      else if (t.empty()) throw std::runtime_error("PAM header ends early");
    }
  } else {
    throw std::runtime_error("not a PNM: " + magic);
  }
  if (maxval != 255) throw std::runtime_error("only 8-bit PNM samples are read");
  ++pos;  // the single whitespace after the header
  size_t count = size_t(img.width) * size_t(img.height) * size_t(img.depth);
  if (s.size() < pos + count) throw std::runtime_error("PNM pixels end early");
  img.samples.assign(s.begin() + std::ptrdiff_t(pos), s.begin() + std::ptrdiff_t(pos + count));
  return img;
}

uint32_t TPnmImage::Rgb(int x, int y) const {
  const uint8_t* p = samples.data() + (size_t(y) * size_t(width) + size_t(x)) * size_t(depth);
  if (depth <= 2) return uint32_t(p[0]) * 0x010101u;
  return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

uint8_t TPnmImage::Alpha(int x, int y) const {
  const uint8_t* p = samples.data() + (size_t(y) * size_t(width) + size_t(x)) * size_t(depth);
  if (depth == 2) return p[1];
  if (depth == 4) return p[3];
  return 255;
}

int64_t CountDifferences(const TDibImage& image, const TPnmImage& oracle, int tolerance) {
  if (image.Width() != oracle.width || image.Height() != oracle.height)
    return int64_t(oracle.width) * oracle.height + 1;
  int64_t count = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      uint32_t a = image.GetRgb(x, y), b = oracle.Rgb(x, y);
      for (int shift = 0; shift < 24; shift += 8) {
        int d = int(a >> shift & 0xFF) - int(b >> shift & 0xFF);
        if (d > tolerance || d < -tolerance) {
          ++count;
          break;
        }
      }
    }
  return count;
}

std::string ToPpm(const TDibImage& image) {
  std::string out = "P6\n" + std::to_string(image.Width()) + " " + std::to_string(image.Height()) + "\n255\n";
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      uint32_t rgb = image.GetRgb(x, y);
      out.push_back(char(rgb >> 16));
      out.push_back(char(rgb >> 8));
      out.push_back(char(rgb));
    }
  return out;
}

std::string DebianFile(const std::string& path) {
  if (!std::filesystem::exists(path)) throw std::runtime_error(path + " is missing: run tools/setup");
  return path;
}
