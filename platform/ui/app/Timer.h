// TTimer: raises OnTimer every Interval milliseconds while Enabled, from the message loop.
// It runs on the runtime library's clock, so a manual clock drives it in tests.
#pragma once

#include "platform/ui/Component.h"
#include "platform/ui/Events.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  int Interval() const { return interval_; }
  // Restarts the count; 0 stops the timer.
  void SetInterval(int value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Setting the handler (re)starts the count like the other properties do.
  void SetOnTimer(TNotifyEvent handler);
  const TNotifyEvent& OnTimer() const { return onTimer_; }

  // Runs as the loop does when the interval has passed.
  void Timer();
  // Whether the loop should count for it.
  bool Running() const { return enabled_ && interval_ > 0 && onTimer_; }

 private:
  int interval_ = 1000;
  bool enabled_ = true;
  TNotifyEvent onTimer_;
};
