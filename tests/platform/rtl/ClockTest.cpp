#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/DateTimeText.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/Process.h"

namespace {

TEST(ManualClock, AdvancesTicksAndDateTogether) {
  TManualClock clock(EncodeDate(2024, 3, 5) + EncodeTime(23, 59, 59, 900), 1000);
  ScopedClock use(clock);
  EXPECT_EQ(GetTickCount(), 1000u);
  clock.Advance(200);
  EXPECT_EQ(GetTickCount(), 1200u);
  EXPECT_EQ(GetTickCount64(), 1200u);
  EXPECT_EQ(FormatDateTime(u"dd.mm.yyyy hh:nn:ss.zzz", Now()), u"06.03.2024 00:00:00.100");
  EXPECT_EQ(Date(), EncodeDate(2024, 3, 6));
  EXPECT_EQ(FormatDateTime(u"hh:nn:ss.zzz", Time()), u"00:00:00.100");

  // Many small steps add up exactly.
  for (int i = 0; i < 86400; ++i) clock.Advance(1000);
  EXPECT_EQ(FormatDateTime(u"dd.mm.yyyy hh:nn:ss.zzz", Now()), u"07.03.2024 00:00:00.100");

  clock.SetNow(EncodeDate(2030, 1, 1));
  EXPECT_EQ(DateToStr(Now()), u"01.01.2030");
  EXPECT_EQ(GetTickCount64(), 1200u + 86400000u) << "setting the date leaves the ticks alone";
}

TEST(ManualClock, SleepAdvancesInsteadOfSleeping) {
  TManualClock clock;
  ScopedClock use(clock);
  SleepMs(3600000);  // an hour, at once
  EXPECT_EQ(GetTickCount64(), 3600000u);
  EXPECT_EQ(FormatDateTime(u"dd.mm.yyyy hh:nn", Now()), u"01.01.2024 01:00");
}

TEST(ManualClock, TickCountWrapsAtThirtyTwoBitsAndDeadlinesStillWork) {
  TManualClock clock(45292.0, 0xFFFFFFFFull - 99);
  ScopedClock use(clock);
  const uint32_t deadline = GetTickCount() + 200;  // wraps past zero
  int waits = 0;
  while (static_cast<int32_t>(deadline - GetTickCount()) > 0) {
    clock.Advance(50);
    ++waits;
  }
  EXPECT_EQ(waits, 4);
  EXPECT_EQ(GetTickCount(), 100u);
  EXPECT_EQ(GetTickCount64(), 0x100000000ull + 100);
}

TEST(ManualClock, ListenersHearEveryAdvanceUntilRemoved) {
  TManualClock clock;
  std::vector<uint64_t> heard;
  // A listener may read the clock: it runs outside the clock's lock.
  const int id = clock.AddListener([&](uint64_t ticks) { heard.push_back(ticks + clock.TickCount64()); });
  clock.Advance(10);
  clock.Advance(5);
  clock.RemoveListener(id);
  clock.Advance(1);
  EXPECT_EQ(heard, (std::vector<uint64_t>{20, 30}));
}

TEST(ManualClock, WakesAWaiterOnAnotherThread) {
  TManualClock clock;
  std::mutex mutex;
  std::condition_variable changed;
  const int id = clock.AddListener([&](uint64_t) {
    std::lock_guard<std::mutex> lock(mutex);
    changed.notify_all();
  });
  std::thread waiter([&] {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return clock.TickCount64() >= 300; });
  });
  for (int i = 0; i < 3; ++i) clock.Advance(100);
  waiter.join();
  clock.RemoveListener(id);
  EXPECT_EQ(clock.TickCount64(), 300u);
}

TEST(ScopedClock, RestoresThePreviousClockInOrder) {
  TClock* const system = &Clock();
  {
    TManualClock outer(0, 5), inner(0, 7);
    ScopedClock useOuter(outer);
    {
      ScopedClock useInner(inner);
      EXPECT_EQ(GetTickCount(), 7u);
    }
    EXPECT_EQ(GetTickCount(), 5u);
  }
  EXPECT_EQ(&Clock(), system);
}

std::string Shell(const char* command) {
  std::string out = RunTool(command);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// date(1) is the reference for the local date and time, time zone included.
TEST(SystemClock, NowMatchesTheLocalTimeOfDate) {
  std::string ours, theirs;
  for (int attempt = 0; attempt < 3; ++attempt) {  // a minute may turn between the two readings
    ours = StringToUtf8(FormatDateTime(u"yyyy-mm-dd hh:nn", Now()));
    theirs = Shell("date '+%Y-%m-%d %H:%M'");
    if (ours == theirs) break;
  }
  EXPECT_EQ(ours, theirs);
}

TEST(SystemClock, TicksNeverGoBackwards) {
  uint64_t last = GetTickCount64();
  for (int i = 0; i < 1000; ++i) {
    const uint64_t now = GetTickCount64();
    ASSERT_GE(now, last);
    last = now;
  }
}

}  // namespace
