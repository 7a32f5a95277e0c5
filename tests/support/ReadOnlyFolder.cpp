#include "tests/support/ReadOnlyFolder.h"

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <stdexcept>

namespace {

constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// Sets or clears the permission overrides in this thread's effective capabilities; true
// when any of them was effective before.
bool SetOverrides(bool on) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (::syscall(SYS_capget, &header, data) != 0) throw std::runtime_error("capget failed");
  const bool was = (data[0].effective & kOverrides) != 0;
  data[0].effective = on ? data[0].effective | (data[0].permitted & kOverrides) : data[0].effective & ~kOverrides;
  if (::syscall(SYS_capset, &header, data) != 0) throw std::runtime_error("capset failed");
  return was;
}

}  // namespace

TReadOnlyFolder::TReadOnlyFolder(const std::string& path) : path_(path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) throw std::runtime_error("no folder " + path);
  previousMode_ = info.st_mode & 07777;
  if (::chmod(path.c_str(), previousMode_ & ~0222) != 0) throw std::runtime_error("cannot chmod " + path);
  droppedOverride_ = SetOverrides(false);
}

TReadOnlyFolder::~TReadOnlyFolder() {
  if (droppedOverride_) SetOverrides(true);
  ::chmod(path_.c_str(), previousMode_);
}
