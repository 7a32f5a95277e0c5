// What the HTML engine keeps once per process: the default point size and the font size
// tables scaled to it, the cache of measured fonts, the last colour text parsed, and the
// serial numbers of property sets and links. All of it is reached through EngineSettings();
// ScopedEngineSettings gives a test (or anything that must not disturb the rest) a fresh set
// for its lifetime.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/fonts/MyFont.h"
#include "platform/gdi/Colors.h"
#include "platform/rtl/Types.h"

// The last colour text that parsed (lower-cased and trimmed), with its colour.
struct TColourParseCache {
  String Text = u"?&%@";  // matches no colour text
  TColor Colour = 0;
  // The text was hexadecimal digits without "#": no answer from the cache when a hash is required.
  bool NeedsNoHash = false;
};

struct THtmlEngineSettings {
  // The size of text without a size of its own, in points (set by the default style sheet).
  double DefaultPointSize = 12;
  // The HTML sizes 1 to 7 in points (index 0 unused), scaled to a document's default size
  // by SetFontSizeTables; PreHtmlFontSizes for preformatted text.
  std::array<double, 8> HtmlFontSizes = HtmlFontSizeBase;
  std::array<double, 8> PreHtmlFontSizes = PreHtmlFontSizeBase;
  TMyFontCache FontCache;
  TColourParseCache ColourCache;
  // The serial number of the property set made last (the first gets 1).
  int32_t PropertiesCounter = 0;
  // The serial number the next link gets.
  int32_t NextLinkSerial = 10;
};

// The settings in place.
THtmlEngineSettings& EngineSettings();

// Puts a fresh set of settings (as at program start) in place for its lifetime and restores
// the previous set after.
class ScopedEngineSettings {
 public:
  ScopedEngineSettings();
  ~ScopedEngineSettings();
  ScopedEngineSettings(const ScopedEngineSettings&) = delete;
  ScopedEngineSettings& operator=(const ScopedEngineSettings&) = delete;

 private:
  std::unique_ptr<THtmlEngineSettings> previous_;
};
