#include "platform/net/HttpSettings.h"

namespace {

THttpIdleHandler& IdleHandlerSlot() {
  static THttpIdleHandler handler;
  return handler;
}

}  // namespace

THttpDefaults& HttpDefaults() {
  static THttpDefaults defaults;
  return defaults;
}

void SetHttpIdleHandler(THttpIdleHandler handler) { IdleHandlerSlot() = std::move(handler); }

const THttpIdleHandler& HttpIdleHandler() { return IdleHandlerSlot(); }
