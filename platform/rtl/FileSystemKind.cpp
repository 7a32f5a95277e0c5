#include "platform/rtl/FileSystemKind.h"

#include <sys/vfs.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/rtl/Unicode.h"

namespace {

// The f_type of statfs for the kernel's virtual file systems (linux/magic.h).
constexpr uint32_t kPseudoTypes[] = {
    0x9fa0,      // proc
    0x62656572,  // sysfs
    0x1cd1,      // devpts
    0x64626720,  // debugfs
    0x74726163,  // tracefs
    0x73636673,  // securityfs
    0x27e0eb,    // cgroup
    0x63677270,  // cgroup2
    0xcafe4a11,  // bpf
    0x6165676c,  // pstore
    0x62656570,  // configfs
    0xde5e81e4,  // efivarfs
    0x19800202,  // mqueue
    0x42494e4d,  // binfmt_misc
    0x65735543,  // fusectl
};

// The device folder is a devtmpfs (or, in a container, a tmpfs), which statfs reports as
// an ordinary tmpfs; it is known by its place.
bool InDeviceFolder(const std::filesystem::path& path) {
  const std::string text = path.lexically_normal().string();
  return text == "/dev" || text.starts_with("/dev/");
}

}  // namespace

bool IsOnPseudoFileSystem(const String& path) {
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::canonical(StringToUtf8(path), ec);
  if (ec) return false;
  if (InDeviceFolder(real)) return true;
  struct statfs info {};
  if (statfs(real.c_str(), &info) != 0) return false;
  const auto type = static_cast<uint32_t>(info.f_type);
  return std::find(std::begin(kPseudoTypes), std::end(kPseudoTypes), type) != std::end(kPseudoTypes);
}
