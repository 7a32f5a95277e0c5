#include "platform/ui/qt/QtDisplay.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

// The platforms of "-platform name" or of QT_QPA_PLATFORM ("wayland;xcb"), without their
// options ("xcb:option").
std::vector<std::string> PlatformsAskedFor(int argc, char** argv) {
  const char* asked = std::getenv("QT_QPA_PLATFORM");
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) asked = argv[i + 1];
  std::vector<std::string> platforms;
  std::string_view rest = asked ? asked : "";
  while (!rest.empty()) {
    const size_t end = rest.find(';');
    std::string_view entry = rest.substr(0, end);
    entry = entry.substr(0, entry.find(':'));
    if (!entry.empty()) platforms.emplace_back(entry);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  return platforms;
}

}  // namespace

bool QtDisplayNamed(int argc, char** argv) {
  const std::vector<std::string> platforms = PlatformsAskedFor(argc, argv);
  // None asked for: Qt picks X or Wayland, whichever is there.
  if (platforms.empty()) return Named("DISPLAY") || Named("WAYLAND_DISPLAY");
  for (const std::string& p : platforms) {
    if (p == "xcb") {
      if (Named("DISPLAY")) return true;
    } else if (p.starts_with("wayland")) {
      if (Named("WAYLAND_DISPLAY")) return true;
    } else {
      return true;  // offscreen, minimal, vnc, eglfs, linuxfb: no display server
    }
  }
  return false;
}
