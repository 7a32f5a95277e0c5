#include "platform/ui/Control.h"

#include "platform/ui/WinControl.h"
#include "platform/ui/app/Application.h"

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
  if (Application) Application->ForgetControl(this);
  peer_.reset();
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* value) {
  if (value == parent_) return;
  if (parent_) {
    DestroyPeer();
    parent_->RemoveControl(this);
  }
  parent_ = nullptr;
  if (value) {
    value->InsertControl(this);
    parent_ = value;
    if (value->Peer()) PeerNeeded();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  ConstrainSize(width, height);
  bool resized = width != width_ || height != height_;
  if (!resized && left == left_ && top == top_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(TChange::Bounds);
  if (resized)
    if (auto* self = dynamic_cast<TWinControl*>(this)) self->AlignControls();
  if (align_ != TAlign::alNone) RequestAlign();
  if (resized) Raise(OnResize, this);
}

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed(TChange::Visible);
  if (align_ != TAlign::alNone) RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Changed(TChange::Enabled);
}

void TControl::SetText(const String& value) {
  if (value == text_) return;
  text_ = value;
  Changed(TChange::Text);
}

void TControl::SetFont(const TFont& value) {
  font_.Assign(value);
  Changed(TChange::Font);
}

void TControl::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed(TChange::Color);
}

void TControl::SetHint(const String& value) {
  if (value == hint_) return;
  hint_ = value;
  Changed(TChange::Hint);
}

void TControl::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  Changed(TChange::Cursor);
}

void TControl::Click() {
  Raise(OnClick, this);
}

void TControl::DblClick() {
  Raise(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Raise(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  Raise(OnMouseMove, this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Raise(OnMouseUp, this, button, shift, x, y);
}

bool TControl::MouseWheel(TShiftState shift, int wheelDelta, int x, int y) {
  bool handled = false;
  Raise(OnMouseWheel, this, shift, wheelDelta, x, y, handled);
  return handled;
}

void TControl::DblClickAt(TShiftState, int, int) { DblClick(); }

void TControl::MouseLeave() { Raise(OnMouseLeave, this); }

void TControl::HandleMessage(TMessage&) {}

void TControl::PeerNeeded() {
  if (peer_ || !Application) return;
  peer_ = Application->Backend().CreatePeer(*this);
  if (peer_) peer_->Attached();
}

void TControl::DestroyPeer() { peer_.reset(); }
