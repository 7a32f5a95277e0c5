#include "platform/ui/WinControl.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/forms/Form.h"

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // The widgets go first, without a word to the controls: a control being destroyed, and
  // the children whose widgets go with it, raise no events. Owned children go while this
  // control still exists; children owned elsewhere are let go.
  DestroyPeer();
  DestroyComponents();
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount())
    throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) + u")");
  return controls_[index];
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  ControlsChanged();
  if (c->Align() != TAlign::alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (TCustomForm* form = GetParentForm(this)) form->ControlRemoved(c);
  ControlsChanged();
  if (c->Align() != TAlign::alNone) AlignControls();
}

TRect TWinControl::ClientRect() const { return TRect{0, 0, Width(), Height()}; }

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  TRect r = ClientRect();
  for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != pass || !c->Visible()) continue;
      int w = std::max(0, r.Right - r.Left), h = std::max(0, r.Bottom - r.Top);
      switch (pass) {
        case TAlign::alTop:
          c->SetBounds(r.Left, r.Top, w, c->Height());
          r.Top += c->Height();
          break;
        case TAlign::alBottom:
          r.Bottom -= c->Height();
          c->SetBounds(r.Left, r.Bottom, w, c->Height());
          break;
        case TAlign::alLeft:
          c->SetBounds(r.Left, r.Top, c->Width(), h);
          r.Left += c->Width();
          break;
        case TAlign::alRight:
          r.Right -= c->Width();
          c->SetBounds(r.Right, r.Top, c->Width(), h);
          break;
        default:
          c->SetBounds(r.Left, r.Top, w, h);
          break;
      }
    }
  }
  aligning_ = false;
}

int TWinControl::TabOrder() const {
  const TWinControl* p = Parent();
  if (!p) return -1;
  int order = 0;
  for (TControl* c : p->controls_) {
    if (c == this) return order;
    if (dynamic_cast<TWinControl*>(c)) ++order;
  }
  return -1;
}

void TWinControl::SetTabOrder(int value) {
  TWinControl* p = Parent();
  if (!p) return;
  auto& list = p->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  // Place it before the value-th windowed sibling; past the end it goes last.
  int order = 0;
  auto pos = list.end();
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (!dynamic_cast<TWinControl*>(*it)) continue;
    if (order++ == value) {
      pos = it;
      break;
    }
  }
  list.insert(pos, this);
}

bool TWinControl::CanFocus() const {
  if (!GetParentForm(this)) return false;
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!CanFocus() || !form) throw EInvalidOperation(S("Ein deaktiviertes oder unsichtbares Fenster kann nicht den Fokus erhalten"));
  form->FocusControl(this);
}

bool TWinControl::Focused() const {
  const TCustomForm* form = GetParentForm(this);
  return form && form->ActiveControl() == this;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  Raise(OnKeyDown, this, key, shift);
}

void TWinControl::KeyPress(Char& key) {
  Raise(OnKeyPress, this, key);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  Raise(OnKeyUp, this, key, shift);
}

void TWinControl::PeerNeeded() {
  TControl::PeerNeeded();
  if (!Peer()) return;
  for (TControl* c : controls_) c->PeerNeeded();
}

void TWinControl::DestroyPeer() {
  for (TControl* c : controls_) c->DestroyPeer();
  TControl::DestroyPeer();
}

TCustomForm* GetParentForm(const TControl* control) {
  for (const TControl* c = control; c; c = c->Parent())
    if (auto* f = dynamic_cast<const TCustomForm*>(c)) return const_cast<TCustomForm*>(f);
  return nullptr;
}
