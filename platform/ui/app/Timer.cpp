#include "platform/ui/app/Timer.h"

#include "platform/ui/app/Application.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
  if (Application) Application->TimerDestroyed(this);
}

void TTimer::SetInterval(int value) {
  interval_ = value < 0 ? 0 : value;
  if (Application) Application->TimerChanged(this);
}

void TTimer::SetEnabled(bool value) {
  enabled_ = value;
  if (Application) Application->TimerChanged(this);
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  if (Application) Application->TimerChanged(this);
}

void TTimer::Timer() {
  Raise(onTimer_, this);
}
