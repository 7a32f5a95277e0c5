#include "platform/ui/menus/Menus.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* child : items_) child->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(const String& value) {
  caption_ = value;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut value) {
  shortCut_ = value;
  Changed();
}

void TMenuItem::SetVisible(bool value) {
  visible_ = value;
  Changed();
}

void TMenuItem::SetEnabled(bool value) {
  enabled_ = value;
  Changed();
}

void TMenuItem::SetChecked(bool value) {
  checked_ = value;
  Changed();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) + u")");
  return items_[index];
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  item->parent_ = this;
  items_.push_back(item);
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void TMenuItem::Click() {
  if (enabled_) Raise(OnClick, this);
}

void TMenuItem::Changed() {
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  // The items may be owned by the form rather than by the menu: detach them all.
  items_->menu_ = nullptr;
}

namespace {
TMenuItem* FindShortCut(const TMenuItem* item, TShortCut shortCut) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (!child->Visible() || !child->Enabled()) continue;
    if (child->ShortCut() == shortCut) return child;
    if (TMenuItem* found = FindShortCut(child, shortCut)) return found;
  }
  return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const {
  return shortCut == scNone ? nullptr : FindShortCut(items_, shortCut);
}

TMainMenu::~TMainMenu() {
  if (form_ && form_->Menu() == this) form_->SetMenu(nullptr);
}

void TMainMenu::MenuChanged() {
  if (form_ && form_->Menu() == this) form_->MenuChanged();
}

void TPopupMenu::Popup(TControl* control, int X, int Y) {
  popupComponent_ = control;
  Raise(OnPopup, this);
  if (Application) Application->Backend().Popup(*this, X, Y);
}
