// List boxes and combo boxes over their item lists. A combo box raises OnChange when the
// user types or chooses an item, never when code sets its text or item index.
#pragma once

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

  // The user selected an item: it becomes the item index, then OnClick runs.
  void UserSelect(int index);

 private:
  void ItemsChanged();
  TStringList items_;
  int itemIndex_ = -1;
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
