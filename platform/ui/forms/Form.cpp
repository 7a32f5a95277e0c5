#include "platform/ui/forms/Form.h"

#include <algorithm>

#include "platform/ui/app/Application.h"
#include "platform/ui/menus/Menus.h"

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
}

TCustomForm::~TCustomForm() {
  // The window goes before the controls on it, raising no events (see ~TWinControl).
  DestroyPeer();
  DestroyComponents();
  if (Application) Application->FormDestroyed(this);
}

void TCustomForm::SetConstraints(const TSizeConstraints& value) {
  constraints_ = value;
  SetBounds(Left(), Top(), Width(), Height());
  Changed(TChange::Bounds);
}

void TCustomForm::ConstrainSize(int& width, int& height) const {
  width = std::max(width, constraints_.MinWidth);
  height = std::max(height, constraints_.MinHeight);
}

void TCustomForm::Show() {
  PeerNeeded();
  bool wasVisible = Visible();
  SetVisible(true);
  if (!wasVisible) Raise(OnShow, this);
}

void TCustomForm::Hide() {
  if (!Visible()) return;
  SetVisible(false);
  Raise(OnHide, this);
}

void TCustomForm::Close() {
  TCloseAction action = TCloseAction::caHide;
  Raise(OnClose, this, action);
  if (action == TCloseAction::caNone) return;
  if (modal_ && modalResult_ == mrNone) modalResult_ = mrCancel;
  Hide();
  // Closing the main form ends the program.
  if (Application && Application->MainForm() == this) Application->Terminate();
}

int TCustomForm::ShowModal() {
  modalResult_ = mrNone;
  modal_ = true;
  Show();
  while (modalResult_ == mrNone && Visible()) {
    if (!Application || Application->Terminated() || !Application->HandleMessage()) {
      // Nothing can end the wait any more (the loop is over or no input can come).
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
      break;
    }
  }
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  modal_ = false;
  Hide();
  return modalResult_;
}

void TCustomForm::SetMenu(TMainMenu* value) {
  menu_ = value;
  if (value) value->form_ = this;
  Changed(TChange::Menu);
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (control == activeControl_) return;
  TWinControl* old = activeControl_;
  activeControl_ = control;
  if (old) {
    Raise(old->OnExit, old);
    old->Changed(TChange::Focus);
  }
  if (control) {
    Raise(control->OnEnter, control);
    control->Changed(TChange::Focus);
  }
}

void TCustomForm::ControlRemoved(TControl* control) {
  for (TControl* c = activeControl_; c; c = c->Parent())
    if (c == control) {
      activeControl_ = nullptr;
      return;
    }
}

void TCustomForm::DoCreate() {
  Raise(OnCreate, this);
}

void TCustomForm::DoDestroy() {
  Raise(OnDestroy, this);
}
