#include "html/foundation/globals/EngineSettings.h"

#include <utility>

namespace {

std::unique_ptr<THtmlEngineSettings>& Current() {
  static std::unique_ptr<THtmlEngineSettings> settings = std::make_unique<THtmlEngineSettings>();
  return settings;
}

}  // namespace

THtmlEngineSettings& EngineSettings() { return *Current(); }

ScopedEngineSettings::ScopedEngineSettings() : previous_(std::exchange(Current(), std::make_unique<THtmlEngineSettings>())) {}

ScopedEngineSettings::~ScopedEngineSettings() { Current() = std::move(previous_); }
