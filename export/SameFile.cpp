#include "export/SameFile.h"

#include <sys/stat.h>

#include "platform/rtl/Unicode.h"

bool SameFile(const String& first, const String& second) {
  struct stat a {}, b {};
  if (::stat(StringToUtf8(first).c_str(), &a) != 0 || ::stat(StringToUtf8(second).c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
