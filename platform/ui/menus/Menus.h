// Menus: a tree of TMenuItem under a TMainMenu (the menu bar of a form) or a TPopupMenu
// (shown on right click over the controls it is attached to).
#pragma once

#include <vector>

#include "platform/ui/Component.h"
#include "platform/ui/Events.h"
#include "platform/ui/menus/ShortCut.h"

class TMenu;
class TCustomForm;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // The caption may mark its access key with "&"; "-" makes a separator.
  const String& Caption() const { return caption_; }
  void SetCaption(const String& value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool IsLine() const { return caption_ == u"-"; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  // Adds a sub-item at the end; it stays owned by its own owner.
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* Parent() const { return parent_; }
  // The menu this item belongs to, through its parents.
  TMenu* GetParentMenu() const;

  TNotifyEvent OnClick;
  // Raises OnClick as choosing the item does; a disabled item does nothing.
  void Click();

 private:
  friend class TMenu;
  void Changed();

  String caption_;
  TShortCut shortCut_ = scNone;
  bool visible_ = true, enabled_ = true, checked_ = false;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  // The root item; its sub-items are the menu's top entries.
  TMenuItem* Items() const { return items_; }
  // The visible, enabled item with that shortcut (searched depth first), or nullptr.
  TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
  // Called whenever an item of the menu changes.
  virtual void MenuChanged() {}

 private:
  TMenuItem* items_;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  ~TMainMenu() override;
  void MenuChanged() override;

 private:
  friend class TCustomForm;
  TCustomForm* form_ = nullptr;
};

class TControl;

class TPopupMenu : public TMenu {
 public:
  using TMenu::TMenu;
  // The control the menu was last opened on.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* value) { popupComponent_ = value; }
  TNotifyEvent OnPopup;
  // Opens the menu for a control (raising OnPopup); the backend shows it at the screen
  // point X, Y and raises the chosen item's OnClick.
  void Popup(TControl* control, int X, int Y);

 private:
  TComponent* popupComponent_ = nullptr;
};
