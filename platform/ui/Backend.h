// The window system under the controls. The headless backend has no windows (tests, the
// unattended command line); the Qt backend shows every control as a widget.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/rtl/Types.h"
#include "platform/ui/Peer.h"

class TControl;
enum class TCursor;
class TPopupMenu;
class TOpenDialog;

// How a wait for input ended.
enum class TWaitResult {
  Input,  // input (or other work) may be waiting to be processed
  Timeout,  // the time passed without input
  Idle,  // nothing can ever arrive: no time-out was given and no input source exists
};

// Message box flags and answers, as the window system numbers them.
enum : int {
  MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
  MB_RETRYCANCEL = 0x5, MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

class TUiBackend {
 public:
  virtual ~TUiBackend() = default;
  // The widget that shows the control, or nullptr for a backend without windows.
  virtual std::unique_ptr<TControlPeer> CreatePeer(TControl& control) = 0;
  // Handles the window system's pending input without waiting.
  virtual void ProcessEvents() = 0;
  // Waits until input arrives or timeoutMs milliseconds pass (timeoutMs < 0: no time-out).
  virtual TWaitResult WaitForInput(int64_t timeoutMs) = 0;
  // Shows a message box; returns the button chosen (IDOK, IDYES, ...).
  virtual int MessageBox(const String& text, const String& caption, int flags) = 0;
  // Lets the user choose a file; on true the dialog's FileName holds the choice.
  virtual bool ExecuteFileDialog(TOpenDialog& dialog, bool save) = 0;
  // Shows a popup menu at a screen point; the chosen item's OnClick runs.
  virtual void Popup(TPopupMenu& menu, int x, int y) = 0;
  // Shows that cursor over all windows (crDefault: each control's own).
  virtual void SetScreenCursor(TCursor cursor) = 0;
  // Drops the mouse clicks and keys that arrived and were not handled yet (made while the
  // program was busy and did not look); the window system's other events are handled.
  virtual void DiscardInput() = 0;
  // The text on the window system's clipboard (empty when it holds none), and putting text
  // there.
  virtual String ClipboardText() = 0;
  virtual void SetClipboardText(const String& text) = 0;
};
