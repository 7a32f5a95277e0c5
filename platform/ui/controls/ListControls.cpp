#include "platform/ui/controls/ListControls.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

namespace {
void CheckItemIndex(int value, int count) {
  if (value < -1 || value >= count)
    throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(value)) + u")");
}
}  // namespace

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  items_.OnChange = [this](TStrings&) { ItemsChanged(); };
}

void TListBox::ItemsChanged() {
  if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
  selected_.assign(static_cast<size_t>(items_.Count()), false);
  topIndex_ = 0;
  Changed(TChange::Items);
}

void TListBox::SetMultiSelect(bool value) {
  multiSelect_ = value;
  selected_.assign(static_cast<size_t>(items_.Count()), false);
  Changed(TChange::Items);
}

bool TListBox::Selected(int index) const {
  if (index < 0 || index >= items_.Count()) return false;
  if (!multiSelect_) return index == itemIndex_;
  return index < static_cast<int>(selected_.size()) && selected_[static_cast<size_t>(index)];
}

void TListBox::SetSelected(int index, bool value) {
  CheckItemIndex(index, items_.Count());
  if (index < 0) return;
  if (!multiSelect_) {
    if (value) SetItemIndex(index);
    else if (index == itemIndex_) SetItemIndex(-1);
    return;
  }
  selected_.resize(static_cast<size_t>(items_.Count()), false);
  if (selected_[static_cast<size_t>(index)] == value) return;
  selected_[static_cast<size_t>(index)] = value;
  Changed(TChange::Selection);
}

void TListBox::SetTopIndex(int value) {
  topIndex_ = std::clamp(value, 0, std::max(items_.Count() - 1, 0));
  Changed(TChange::ItemIndex);
}

void TListBox::SetItemIndex(int value) {
  CheckItemIndex(value, items_.Count());
  if (value == itemIndex_) return;
  itemIndex_ = value;
  Changed(TChange::ItemIndex);
}

void TListBox::UserSelect(int index) { UserSelect(index, true); }

void TListBox::UserSelect(int index, bool selected) {
  if (index < -1 || index >= items_.Count()) return;
  itemIndex_ = index;
  if (multiSelect_ && index >= 0) {
    selected_.resize(static_cast<size_t>(items_.Count()), false);
    selected_[static_cast<size_t>(index)] = selected;
  }
  Click();
}

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  items_.OnChange = [this](TStrings&) { ItemsChanged(); };
}

void TComboBox::ItemsChanged() {
  if (itemIndex_ >= items_.Count() || (itemIndex_ >= 0 && items_[itemIndex_] != TWinControl::Text())) itemIndex_ = -1;
  Changed(TChange::Items);
}

void TComboBox::SetStyle(TComboBoxStyle value) {
  style_ = value;
  if (value == TComboBoxStyle::csDropDownList && itemIndex_ < 0) TWinControl::SetText(String());
  Changed(TChange::Items);
}

void TComboBox::SetItemIndex(int value) {
  CheckItemIndex(value, items_.Count());
  itemIndex_ = value;
  TWinControl::SetText(value >= 0 ? items_[value] : String());
  Changed(TChange::ItemIndex);
}

void TComboBox::SetText(const String& value) {
  int index = -1;
  for (int i = 0; i < items_.Count(); ++i)
    if (items_[i] == value) {
      index = i;
      break;
    }
  if (style_ == TComboBoxStyle::csDropDownList && index < 0) {
    itemIndex_ = -1;
    TWinControl::SetText(String());
  } else {
    itemIndex_ = index;
    TWinControl::SetText(value);
  }
  Changed(TChange::ItemIndex);
}

void TComboBox::UserSetText(const String& value) {
  if (style_ == TComboBoxStyle::csDropDownList) return;
  SetText(value);
  Raise(OnChange, this);
}

void TComboBox::UserSelect(int index) {
  if (index < 0 || index >= items_.Count()) return;
  itemIndex_ = index;
  TWinControl::SetText(items_[index]);
  Changed(TChange::ItemIndex);
  Raise(OnChange, this);
}
