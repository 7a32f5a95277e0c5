// TApplication: the program's forms and its message loop. One instance is the global
// Application while it lives (the program's main creates it; tests make their own).
//
// The loop runs, in turn: the window system's input, messages posted to controls, and
// timers that are due. An exception that escapes a handler run by the loop ends that
// handler; its message is shown in a message box and the loop goes on.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Component.h"
#include "platform/ui/app/Message.h"

class TControl;
class TCustomForm;
class TTimer;
class Exception;

class TApplication : public TComponent {
 public:
  // Uses the headless backend until SetBackend picks another.
  TApplication();
  ~TApplication() override;

  void SetBackend(std::unique_ptr<TUiBackend> backend);
  TUiBackend& Backend() { return *backend_; }

  void Initialize() {}
  // Creates a form owned by the application and raises its OnCreate; the first form
  // created is the main form.
  template <class T>
  void CreateForm(T*& reference) {
    reference = new T(this);
    AddForm(reference);
  }
  TCustomForm* MainForm() const { return mainForm_; }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(index); }

  // Shows the main form and runs the message loop until the main form is closed (which
  // calls Terminate), Terminate is called otherwise, or the main form is freed.
  void Run();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // Runs everything pending (input, posted messages, due timers) and returns. May be
  // called from inside a handler.
  void ProcessMessages();
  // One turn of the loop: processes what is pending, then waits for input or the next
  // timer. Returns false when nothing can ever arrive (a headless program with no timers).
  bool HandleMessage();

  // Queues a message for the control; it is handled after the current handler, in the
  // order posted. Messages to a control that is freed first are dropped.
  void PostMessage(TControl* control, uint32_t msg, intptr_t wParam, intptr_t lParam);
  bool HasPostedMessages() const { return !posted_.empty(); }

  // Runs a handler the way the loop does: an exception it lets escape is shown (except
  // EAbort, which ends the handler silently) and does not pass on.
  void RunHandler(const std::function<void()>& handler);
  void HandleException(const std::exception& e);
  void ShowException(const Exception& e);

  int MessageBox(const String& text, const String& caption, int flags);
  // The program's file and the title of its message boxes (the file name without extension).
  String ExeName() const;
  String Title() const;
  void SetTitle(const String& value) { title_ = value; }
  bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }
  void SetMainFormOnTaskBar(bool value) { mainFormOnTaskBar_ = value; }

  // Milliseconds until the next timer is due (0 when one is due now), -1 when none runs.
  int64_t TimeToNextTimer() const;

  // Book-keeping of controls, forms and timers.
  void ForgetControl(TControl* control);
  void FormDestroyed(TCustomForm* form);
  void TimerChanged(TTimer* timer);
  void TimerDestroyed(TTimer* timer);

 private:
  struct PostedMessage {
    TControl* target;
    TMessage message;
  };
  struct TimerEntry {
    TTimer* timer;
    uint64_t due;
  };

  void AddForm(TCustomForm* form);
  void DeliverPostedMessages();
  void FireDueTimers();

  std::unique_ptr<TUiBackend> backend_;
  std::vector<TCustomForm*> forms_;
  TCustomForm* mainForm_ = nullptr;
  std::deque<PostedMessage> posted_;
  std::vector<TimerEntry> timers_;
  std::vector<TTimer*> firing_;
  bool terminated_ = false;
  bool mainFormOnTaskBar_ = false;
  bool running_ = false;
  String title_;
  TApplication* previous_;
};

// The application of the program (or of the running test); nullptr when none exists.
extern TApplication* Application;

// A message box with the application's title and an OK button.
void ShowMessage(const String& text);
