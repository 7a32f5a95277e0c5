// Test helpers around the independent image tools (netpbm, libjpeg-turbo's and libtiff's
// programs): a scratch folder for their files; running them and reading their PNM/PAM
// output is the test tools' (tests/support).
#pragma once

#include <string>
#include <string_view>

#include "tests/support/GdiPictures.h"
#include "tests/support/Process.h"

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

// Files of installed Debian packages that the codec tests decode.
std::string DebianFile(const std::string& path);
