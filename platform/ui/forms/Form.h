// TForm: a top-level window. Show and Hide make it appear and vanish; Close asks OnClose
// and hides it; ShowModal runs the message loop until ModalResult is set.
#pragma once

#include "platform/ui/WinControl.h"

class TMainMenu;

// Modal results, as the dialog buttons give them.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7, mrClose = 8 };

// Where a window appears when it is first shown.
enum class TPosition {
  poDesigned,  // at Left and Top
  poScreenCenter,  // in the middle of the screen
  poMainFormCenter,  // over the middle of the main form (the screen's for the main form itself)
};

// The smallest client area a form takes (0: no limit); the user cannot make it smaller.
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
};

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // The window's frame is not part of the model: the client area is the control's size.
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientWidth(int value) { SetWidth(value); }
  void SetClientHeight(int value) { SetHeight(value); }

  // Shows the window (raising OnShow) and brings it to the front.
  void Show();
  void Hide();
  // Asks OnClose, which may keep the form open; otherwise the form is hidden. A modal form
  // ends its ShowModal with mrCancel; the main form ends the application's Run.
  void Close();
  // Shows the form and processes messages until ModalResult is set or the form closes;
  // returns ModalResult and hides the form.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  // True while ShowModal runs.
  bool Modal() const { return modal_; }
  void SetModalResult(int value) { modalResult_ = value; }

  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  const TSizeConstraints& Constraints() const { return constraints_; }
  // Grows the form when it is smaller than the new minimum.
  void SetConstraints(const TSizeConstraints& value);

  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* value);

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* value) { FocusControl(value); }

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TNotifyEvent OnDestroy;

  // Raised by TApplication after the form is built (OnCreate) and before it is freed (OnDestroy).
  void DoCreate();
  void DoDestroy();

 private:
  friend class TWinControl;
  friend class TMainMenu;
  void FocusControl(TWinControl* control);
  void ControlRemoved(TControl* control);
  void MenuChanged() { Changed(TChange::Menu); }
  void ConstrainSize(int& width, int& height) const override;

  int modalResult_ = mrNone;
  bool modal_ = false;
  TMainMenu* menu_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TPosition position_ = TPosition::poDesigned;
  TSizeConstraints constraints_;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};
