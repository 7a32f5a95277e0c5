#include "platform/ui/app/Application.h"

#include <algorithm>
#include <filesystem>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/Control.h"
#include "platform/ui/app/Timer.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/headless/HeadlessBackend.h"

TApplication* Application = nullptr;

TApplication::TApplication()
    : TComponent(nullptr), backend_(std::make_unique<THeadlessBackend>()), previous_(Application) {
  Application = this;
}

TApplication::~TApplication() {
  // Forms go in reverse order of creation, each told first while it is still whole.
  while (!forms_.empty()) {
    TCustomForm* form = forms_.back();
    form->DoDestroy();
    delete form;  // leaves forms_ through FormDestroyed
  }
  DestroyComponents();
  Application = previous_;
}

void TApplication::SetBackend(std::unique_ptr<TUiBackend> backend) { backend_ = std::move(backend); }

void TApplication::AddForm(TCustomForm* form) {
  forms_.push_back(form);
  if (!mainForm_) mainForm_ = form;
  form->DoCreate();
}

void TApplication::FormDestroyed(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (mainForm_ == form) mainForm_ = nullptr;
  ForgetControl(form);
}

void TApplication::Run() {
  running_ = true;
  if (mainForm_) mainForm_->Show();
  while (!terminated_ && mainForm_) {
    if (!HandleMessage()) break;
  }
  running_ = false;
}

void TApplication::ProcessMessages() {
  // Each due timer fires once per call, so a handler slower than its interval cannot keep
  // the caller here; what the timers post goes out before returning.
  backend_->ProcessEvents();
  DeliverPostedMessages();
  FireDueTimers();
  DeliverPostedMessages();
}

bool TApplication::HandleMessage() {
  ProcessMessages();
  if (terminated_ || !posted_.empty()) return true;
  return backend_->WaitForInput(TimeToNextTimer()) != TWaitResult::Idle;
}

void TApplication::PostMessage(TControl* control, uint32_t msg, intptr_t wParam, intptr_t lParam) {
  posted_.push_back({control, TMessage{msg, wParam, lParam, 0}});
}

void TApplication::DeliverPostedMessages() {
  while (!posted_.empty()) {
    PostedMessage m = posted_.front();
    posted_.pop_front();
    RunHandler([&] { m.target->HandleMessage(m.message); });
  }
}

void TApplication::ForgetControl(TControl* control) {
  posted_.erase(std::remove_if(posted_.begin(), posted_.end(),
                               [&](const PostedMessage& m) { return m.target == control; }),
                posted_.end());
}

void TApplication::TimerChanged(TTimer* timer) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const TimerEntry& e) { return e.timer == timer; }),
                timers_.end());
  if (timer->Running()) timers_.push_back({timer, GetTickCount64() + static_cast<uint64_t>(timer->Interval())});
}

void TApplication::TimerDestroyed(TTimer* timer) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const TimerEntry& e) { return e.timer == timer; }),
                timers_.end());
  std::replace(firing_.begin(), firing_.end(), timer, static_cast<TTimer*>(nullptr));
}

void TApplication::FireDueTimers() {
  uint64_t now = GetTickCount64();
  std::vector<TTimer*> due;
  for (TimerEntry& e : timers_)
    if (e.due <= now && std::find(firing_.begin(), firing_.end(), e.timer) == firing_.end()) due.push_back(e.timer);
  for (TTimer* timer : due) {
    // A handler may free or stop timers (this one included): look each one up again.
    auto it = std::find_if(timers_.begin(), timers_.end(), [&](const TimerEntry& e) { return e.timer == timer; });
    if (it == timers_.end()) continue;
    it->due = now + static_cast<uint64_t>(timer->Interval());
    firing_.push_back(timer);
    RunHandler([&] { timer->Timer(); });
    firing_.pop_back();  // nested calls push and pop their own entries above this one
  }
}

int64_t TApplication::TimeToNextTimer() const {
  if (timers_.empty()) return -1;
  uint64_t now = GetTickCount64();
  uint64_t next = UINT64_MAX;
  // A timer whose handler is running cannot fire until it returns.
  for (const TimerEntry& e : timers_)
    if (std::find(firing_.begin(), firing_.end(), e.timer) == firing_.end()) next = std::min(next, e.due);
  if (next == UINT64_MAX) return -1;
  return next <= now ? 0 : static_cast<int64_t>(next - now);
}

void TApplication::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const EAbort&) {
    // Abort ends the handler without a message.
  } catch (const std::exception& e) {
    HandleException(e);
  }
}

void TApplication::HandleException(const std::exception& e) {
  if (auto* ex = dynamic_cast<const Exception*>(&e)) {
    if (!dynamic_cast<const EAbort*>(ex)) ShowException(*ex);
    return;
  }
  MessageBox(Utf8ToString(e.what()), Title(), MB_OK | MB_ICONERROR);
}

void TApplication::ShowException(const Exception& e) {
  String text = e.Message();
  // The message ends with a full stop like the window system's own messages.
  if (!text.empty() && text.back() > u'.') text += u'.';
  MessageBox(text, Title(), MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const String& text, const String& caption, int flags) {
  return backend_->MessageBox(text, caption, flags);
}

String TApplication::ExeName() const {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? String() : Utf8ToString(path.string());
}

String TApplication::Title() const {
  if (!title_.empty()) return title_;
  return Utf8ToString(std::filesystem::path(StringToUtf8(ExeName())).stem().string());
}

void ShowMessage(const String& text) {
  if (Application) Application->MessageBox(text, Application->Title(), MB_OK);
}
