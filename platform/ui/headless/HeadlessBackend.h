// The backend without windows: no peers; message boxes and file dialogs answer from a
// script and are recorded; input is whatever the test schedules on the clock. Waiting lets
// time pass on the runtime library's clock (a manual clock jumps, the system clock sleeps).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/ui/Backend.h"

class THeadlessBackend : public TUiBackend {
 public:
  // What was shown: a message box (Kind "message") or a file dialog ("open", "save"), its
  // text or the dialog's title and filter, and the answer given.
  struct TShown {
    String Kind;
    String Text;
    String Caption;
    int Flags = 0;
    int Answer = 0;
    String FileName;
  };

  // The next message box answers with that button; without a scripted answer a message
  // box answers with its first button (IDOK, IDYES, IDABORT or IDRETRY).
  void AnswerMessageBox(int button) { boxAnswers_.push_back(button); }
  // The next file dialog chooses that file; std::nullopt cancels. Without a scripted
  // answer a dialog is cancelled.
  void AnswerFileDialog(std::optional<String> fileName) { fileAnswers_.push_back(std::move(fileName)); }
  // The next popup menu chooses its item at that path of indexes; an empty path closes it.
  // Without a scripted answer a popup closes without a choice.
  void AnswerPopup(std::vector<int> path) { popupAnswers_.push_back(std::move(path)); }
  const std::vector<TShown>& Shown() const { return shown_; }
  void ClearShown() { shown_.clear(); }

  // Input that arrives when the clock reaches atTick (already due: at the next look).
  void ScheduleInput(uint64_t atTick, std::function<void()> input);
  bool HasPendingInput() const { return !inputs_.empty(); }

  std::unique_ptr<TControlPeer> CreatePeer(TControl&) override { return nullptr; }
  void ProcessEvents() override;
  TWaitResult WaitForInput(int64_t timeoutMs) override;
  int MessageBox(const String& text, const String& caption, int flags) override;
  bool ExecuteFileDialog(TOpenDialog& dialog, bool save) override;
  void Popup(TPopupMenu& menu, int x, int y) override;
  void SetScreenCursor(TCursor cursor) override { screenCursors_.push_back(cursor); }
  // Every cursor shown over all windows, in order.
  const std::vector<TCursor>& ScreenCursors() const { return screenCursors_; }
  // Drops the scheduled input that is due.
  void DiscardInput() override;
  // The clipboard is a text of the backend's own.
  String ClipboardText() override { return clipboard_; }
  void SetClipboardText(const String& text) override { clipboard_ = text; }

 private:
  struct TInput {
    uint64_t at;
    uint64_t order;
    std::function<void()> run;
  };
  bool InputDue() const;

  std::deque<int> boxAnswers_;
  std::deque<std::optional<String>> fileAnswers_;
  std::deque<std::vector<int>> popupAnswers_;
  std::vector<TShown> shown_;
  std::vector<TInput> inputs_;  // sorted by time, then by order of scheduling
  uint64_t nextOrder_ = 0;
  String clipboard_;
  std::vector<TCursor> screenCursors_;
};
