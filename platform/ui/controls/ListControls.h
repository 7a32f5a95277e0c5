// List boxes and combo boxes over their item lists. A combo box raises OnChange when the
// user types or chooses an item, never when code sets its text or item index.
#pragma once

#include <vector>

#include "platform/rtl/StringList.h"
#include "platform/ui/WinControl.h"

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* AOwner);
  TStringList& Items() { return items_; }
  const TStringList& Items() const { return items_; }
  // -1 when no item is selected.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int value);
  // With multiple selection every item has its own selected flag; without, the selected
  // item is the item index. Out of range: not selected; setting raises EListError.
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool value) { extendedSelect_ = value; }
  bool Selected(int index) const;
  void SetSelected(int index, bool value);
  // The first item shown.
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int value);

  // The user selected an item: it becomes the item index, then OnClick runs. With
  // multiple selection the item's flag is set to selected.
  void UserSelect(int index);
  void UserSelect(int index, bool selected);

 private:
  void ItemsChanged();
  TStringList items_;
  int itemIndex_ = -1;
  bool multiSelect_ = false, extendedSelect_ = false;
  std::vector<bool> selected_;
  int topIndex_ = 0;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* AOwner);
  TStringList& Items() { return items_; }
  const TStringList& Items() const { return items_; }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  // The item whose text the box shows, or -1 (also when the text was typed).
  int ItemIndex() const { return itemIndex_; }
  // Shows that item's text; -1 empties the text.
  void SetItemIndex(int value);
  // A drop-down list shows only its items: a text that is no item selects nothing and
  // empties the box; an editable box takes any text.
  void SetText(const String& value) override;

  TNotifyEvent OnChange;

  // The user typed: the text changes and OnChange runs.
  void UserSetText(const String& value);
  // The user chose an item from the list.
  void UserSelect(int index);

 private:
  void ItemsChanged();
  TStringList items_;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int itemIndex_ = -1;
};
