// The Qt 6 backend: every control gets a widget peer; message boxes, file dialogs and
// popup menus are Qt's; waiting for input runs Qt's event loop.
#pragma once

#include <QApplication>
#include <QTranslator>
#include <memory>

#include "platform/ui/Backend.h"

class TQtBackend : public TUiBackend {
 public:
  // Uses the running QApplication, or starts one with the program's arguments.
  TQtBackend(int& argc, char** argv);
  // Takes over the application object that the program started (StartQtApplication).
  explicit TQtBackend(std::unique_ptr<QApplication> application);
  ~TQtBackend() override;

  std::unique_ptr<TControlPeer> CreatePeer(TControl& control) override;
  void ProcessEvents() override;
  TWaitResult WaitForInput(int64_t timeoutMs) override;
  int MessageBox(const String& text, const String& caption, int flags) override;
  bool ExecuteFileDialog(TOpenDialog& dialog, bool save) override;
  void Popup(TPopupMenu& menu, int x, int y) override;
  void SetScreenCursor(TCursor cursor) override;
  void DiscardInput() override;
  String ClipboardText() override;
  void SetClipboardText(const String& text) override;

 private:
  void Setup();

  std::unique_ptr<QApplication> ownApp_;
  QTranslator translator_;
  bool overrideCursor_ = false;
};
