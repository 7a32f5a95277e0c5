// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes.
#pragma once

#include <string>

class TTempDirectory {
 public:
  explicit TTempDirectory(const std::string& prefix = "wendrel-test");
  ~TTempDirectory();
  TTempDirectory(const TTempDirectory&) = delete;
  TTempDirectory& operator=(const TTempDirectory&) = delete;

  // Absolute path without a trailing slash.
  const std::string& Path() const { return path_; }
  // Path() + "/" + relative.
  std::string PathOf(const std::string& relative) const { return path_ + "/" + relative; }

  // Writes bytes to the file (parent folders are created); raises std::runtime_error on failure.
  void WriteFile(const std::string& relative, const std::string& bytes) const;
  // The file's bytes; raises std::runtime_error when it cannot be read.
  std::string ReadFile(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

 private:
  std::string path_;
};
