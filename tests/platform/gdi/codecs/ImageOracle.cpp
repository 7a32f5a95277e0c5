#include "ImageOracle.h"

#include <gtest/gtest.h>

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

std::string DebianFile(const std::string& path) {
  if (!std::filesystem::exists(path)) throw std::runtime_error(path + " is missing: run tools/setup");
  return path;
}
