// A folder that the test process cannot write into while the object lives: its mode drops
// the write bits, and a process running as root (which the mode alone does not stop) also
// gives up overriding file permissions on this thread. Afterwards both are as before.
#pragma once

#include <sys/types.h>

#include <string>

class TReadOnlyFolder {
 public:
  explicit TReadOnlyFolder(const std::string& path);
  ~TReadOnlyFolder();
  TReadOnlyFolder(const TReadOnlyFolder&) = delete;
  TReadOnlyFolder& operator=(const TReadOnlyFolder&) = delete;

 private:
  std::string path_;
  mode_t previousMode_ = 0;
  bool droppedOverride_ = false;
};
