#include "platform/ui/headless/HeadlessBackend.h"

#include <algorithm>

#include "platform/rtl/Clock.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/dialogs/FileDialogs.h"
#include "platform/ui/menus/Menus.h"

void THeadlessBackend::ScheduleInput(uint64_t atTick, std::function<void()> input) {
  TInput entry{atTick, nextOrder_++, std::move(input)};
  auto pos = std::upper_bound(inputs_.begin(), inputs_.end(), entry, [](const TInput& a, const TInput& b) {
    return a.at != b.at ? a.at < b.at : a.order < b.order;
  });
  inputs_.insert(pos, std::move(entry));
}

bool THeadlessBackend::InputDue() const { return !inputs_.empty() && inputs_.front().at <= GetTickCount64(); }

void THeadlessBackend::ProcessEvents() {
  // Input scheduled while this runs waits for the next look, as new window messages do.
  std::vector<TInput> due;
  uint64_t now = GetTickCount64();
  while (!inputs_.empty() && inputs_.front().at <= now) {
    due.push_back(std::move(inputs_.front()));
    inputs_.erase(inputs_.begin());
  }
  for (TInput& input : due) {
    if (Application)
      Application->RunHandler(input.run);
    else
      input.run();
  }
}

void THeadlessBackend::DiscardInput() {
  const uint64_t now = GetTickCount64();
  std::erase_if(inputs_, [now](const TInput& input) { return input.at <= now; });
}

TWaitResult THeadlessBackend::WaitForInput(int64_t timeoutMs) {
  if (InputDue()) return TWaitResult::Input;
  if (timeoutMs == 0) return TWaitResult::Timeout;
  uint64_t now = GetTickCount64();
  std::optional<uint64_t> until;
  if (timeoutMs > 0) until = now + static_cast<uint64_t>(timeoutMs);
  if (!inputs_.empty()) until = until ? std::min(*until, inputs_.front().at) : inputs_.front().at;
  if (!until) return TWaitResult::Idle;
  // Let the time pass in steps the clock can take.
  while (GetTickCount64() < *until) {
    uint64_t left = *until - GetTickCount64();
    SleepMs(static_cast<uint32_t>(std::min<uint64_t>(left, UINT32_MAX)));
  }
  return InputDue() ? TWaitResult::Input : TWaitResult::Timeout;
}

int THeadlessBackend::MessageBox(const String& text, const String& caption, int flags) {
  int answer;
  if (!boxAnswers_.empty()) {
    answer = boxAnswers_.front();
    boxAnswers_.pop_front();
  } else {
    switch (flags & 0xF) {
      case MB_ABORTRETRYIGNORE: answer = IDABORT; break;
      case MB_YESNOCANCEL:
      case MB_YESNO: answer = IDYES; break;
      case MB_RETRYCANCEL: answer = IDRETRY; break;
      default: answer = IDOK; break;
    }
  }
  shown_.push_back({u"message", text, caption, flags, answer, String()});
  return answer;
}

bool THeadlessBackend::ExecuteFileDialog(TOpenDialog& dialog, bool save) {
  std::optional<String> answer;
  if (!fileAnswers_.empty()) {
    answer = fileAnswers_.front();
    fileAnswers_.pop_front();
  }
  shown_.push_back({save ? u"save" : u"open", dialog.Filter, dialog.Title, 0, answer ? IDOK : IDCANCEL,
                    answer ? *answer : String()});
  if (!answer) return false;
  dialog.FileName = save ? dialog.WithDefaultExt(*answer) : *answer;
  return true;
}

void THeadlessBackend::Popup(TPopupMenu& menu, int, int) {
  std::vector<int> path;
  if (!popupAnswers_.empty()) {
    path = std::move(popupAnswers_.front());
    popupAnswers_.pop_front();
  }
  shown_.push_back({u"popup", menu.Name(), String(), 0, path.empty() ? IDCANCEL : IDOK, String()});
  if (path.empty()) return;
  TMenuItem* item = menu.Items();
  for (int index : path) item = item->Items(index);
  item->Click();
}
