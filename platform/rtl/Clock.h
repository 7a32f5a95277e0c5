// The clock: tick counts for waits and time-outs, and the wall-clock date and time. All of
// them come from one replaceable clock, so that tests of waits advance a manual clock
// instead of sleeping:
//
//   TManualClock clock;
//   ScopedClock use(clock);
//   clock.Advance(200);   // GetTickCount() and Now() move on by 200 ms
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/rtl/Types.h"

class TClock {
 public:
  virtual ~TClock() = default;
  // Milliseconds from a fixed start; never goes backwards.
  virtual uint64_t TickCount64() = 0;
  // Local date and time.
  virtual TDateTime Now() = 0;
  // Lets ms milliseconds pass: the system clock sleeps, a manual clock advances at once.
  virtual void Sleep(uint32_t ms) = 0;
};

// Monotonic ticks from the system's steady clock; Now from the real-time clock in the
// local time zone.
class TSystemClock : public TClock {
 public:
  uint64_t TickCount64() override;
  TDateTime Now() override;
  void Sleep(uint32_t ms) override;
};

// A clock that moves only when told to. Ticks start at 0 and the date at 1 Jan 2024
// 00:00 unless set. Safe to use from several threads; listeners run on the thread that
// advances, after the clock has moved, outside its lock.
class TManualClock : public TClock {
 public:
  using Listener = std::function<void(uint64_t tickCount)>;

  explicit TManualClock(TDateTime now = 45292.0, uint64_t tickCount = 0);

  uint64_t TickCount64() override;
  TDateTime Now() override;
  // Same as Advance(ms).
  void Sleep(uint32_t ms) override;

  // Moves ticks and date forward and tells every listener.
  void Advance(uint64_t ms);
  // Sets the date and time without moving the ticks (the wall clock may jump).
  void SetNow(TDateTime now);

  // A listener is told the new tick count after every advance, e.g. a waiter that
  // rechecks its deadline or a timer queue. The id removes it again.
  int AddListener(Listener listener);
  void RemoveListener(int id);

 private:
  TDateTime NowLocked() const;

  std::mutex mutex_;
  uint64_t tickCount_;
  TDateTime setNow_;
  uint64_t sinceSetNow_ = 0;
  int nextId_ = 1;
  std::vector<std::pair<int, Listener>> listeners_;
};

// The clock that GetTickCount, Now, Date, Time and SleepMs use: the system clock until a
// ScopedClock puts another in place.
TClock& Clock();

class ScopedClock {
 public:
  explicit ScopedClock(TClock& clock);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  TClock* previous_;
};

// Milliseconds of the clock, wrapping at 2^32 as the platform's tick count does.
uint32_t GetTickCount();
uint64_t GetTickCount64();
TDateTime Now();
// Today at midnight, and the time of day alone.
TDateTime Date();
TDateTime Time();
// Lets ms milliseconds pass on the clock.
void SleepMs(uint32_t ms);
