#include "tests/support/TempDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

TTempDirectory::TTempDirectory(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot create a temporary folder from " + pattern);
  path_ = buffer.data();
}

TTempDirectory::~TTempDirectory() {
  std::error_code ignored;  // a folder that cannot be removed is left behind, not a test failure
  std::filesystem::remove_all(path_, ignored);
}

void TTempDirectory::WriteFile(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path file = PathOf(relative);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string TTempDirectory::ReadFile(const std::string& relative) const {
  std::ifstream in(PathOf(relative), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + PathOf(relative));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool TTempDirectory::Exists(const std::string& relative) const { return std::filesystem::exists(PathOf(relative)); }
