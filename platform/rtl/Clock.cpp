#include "platform/rtl/Clock.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <ctime>
#include <thread>

#include "platform/rtl/DateTime.h"

namespace {

TSystemClock& SystemClock() {
  static TSystemClock clock;
  return clock;
}

std::atomic<TClock*>& CurrentClock() {
  static std::atomic<TClock*> current{&SystemClock()};
  return current;
}

}  // namespace

uint64_t TSystemClock::TickCount64() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TDateTime TSystemClock::Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  return EncodeDate(static_cast<uint16_t>(local.tm_year + 1900), static_cast<uint16_t>(local.tm_mon + 1),
                    static_cast<uint16_t>(local.tm_mday)) +
         EncodeTime(static_cast<uint16_t>(local.tm_hour), static_cast<uint16_t>(local.tm_min),
                    static_cast<uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec),
                    static_cast<uint16_t>(ts.tv_nsec / 1000000));
}

void TSystemClock::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

TManualClock::TManualClock(TDateTime now, uint64_t tickCount) : tickCount_(tickCount), setNow_(now) {}

uint64_t TManualClock::TickCount64() {
  std::lock_guard<std::mutex> lock(mutex_);
  return tickCount_;
}

TDateTime TManualClock::Now() {
  std::lock_guard<std::mutex> lock(mutex_);
  return NowLocked();
}

// Computed from the last set value each time, so that many small steps add no rounding.
TDateTime TManualClock::NowLocked() const {
  return setNow_ + static_cast<double>(sinceSetNow_) / 86400000.0;
}

void TManualClock::Sleep(uint32_t ms) { Advance(ms); }

void TManualClock::Advance(uint64_t ms) {
  uint64_t ticks;
  std::vector<Listener> listeners;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    tickCount_ += ms;
    sinceSetNow_ += ms;
    ticks = tickCount_;
    for (const auto& entry : listeners_) listeners.push_back(entry.second);
  }
  for (const auto& listener : listeners) listener(ticks);
}

void TManualClock::SetNow(TDateTime now) {
  std::lock_guard<std::mutex> lock(mutex_);
  setNow_ = now;
  sinceSetNow_ = 0;
}

int TManualClock::AddListener(Listener listener) {
  std::lock_guard<std::mutex> lock(mutex_);
  listeners_.emplace_back(nextId_, std::move(listener));
  return nextId_++;
}

void TManualClock::RemoveListener(int id) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

TClock& Clock() { return *CurrentClock().load(); }

ScopedClock::ScopedClock(TClock& clock) : previous_(CurrentClock().exchange(&clock)) {}

ScopedClock::~ScopedClock() { CurrentClock().store(previous_); }

uint32_t GetTickCount() { return static_cast<uint32_t>(Clock().TickCount64()); }

uint64_t GetTickCount64() { return Clock().TickCount64(); }

TDateTime Now() { return Clock().Now(); }

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
  const TDateTime now = Now();
  return std::fabs(now - std::trunc(now));
}

void SleepMs(uint32_t ms) { Clock().Sleep(ms); }
