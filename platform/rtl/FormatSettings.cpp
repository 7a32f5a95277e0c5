#include "platform/rtl/FormatSettings.h"

#include <utility>

namespace {

TFormatSettings& Current() {
  static TFormatSettings settings;
  return settings;
}

}  // namespace

const TFormatSettings& FormatSettings() { return Current(); }

ScopedFormatSettings::ScopedFormatSettings(const TFormatSettings& settings) : previous_(Current()) {
  Current() = settings;
}

ScopedFormatSettings::~ScopedFormatSettings() { Current() = std::move(previous_); }
