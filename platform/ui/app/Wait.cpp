#include "platform/ui/app/Wait.h"

#include <algorithm>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/app/Application.h"

namespace {

void AbortWhenTerminated() {
  if (Application->Terminated()) throw EAbort(u"Das Programm wird beendet.");
}

}  // namespace

void ProcessMessagesWhileWaiting() {
  if (!Application) return;
  AbortWhenTerminated();
  Application->ProcessMessages();
  AbortWhenTerminated();
}

void WaitProcessingMessages(int ms) {
  if (ms <= 0 || !Application) return;
  AbortWhenTerminated();
  const uint64_t deadline = GetTickCount64() + static_cast<uint64_t>(ms);
  for (uint64_t now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
    if (Application->HasPostedMessages()) {
      // Messages posted before the wait (or by what it ran) go out at once.
      Application->ProcessMessages();
      AbortWhenTerminated();
      continue;
    }
    int64_t remaining = static_cast<int64_t>(deadline - now);
    int64_t nextTimer = Application->TimeToNextTimer();
    int64_t wait = nextTimer >= 0 ? std::min(remaining, nextTimer) : remaining;
    if (Application->Backend().WaitForInput(wait) == TWaitResult::Timeout && wait == remaining) break;
    Application->ProcessMessages();
    AbortWhenTerminated();
  }
}
