#include "export/SameFile.h"

#include <sys/stat.h>

#include "platform/rtl/NativeNames.h"

bool SameFile(const String& first, const String& second) {
  struct stat a {}, b {};
  if (::stat(NativeFileName(first).c_str(), &a) != 0 || ::stat(NativeFileName(second).c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
