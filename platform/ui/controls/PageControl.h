// TPageControl with its TTabSheet pages. A page whose TabVisible is false keeps its place
// among the pages but shows no tab.
#pragma once

#include <vector>

#include "platform/ui/WinControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const;
  // Makes the sheet a page of that control (the same as setting its Parent).
  void SetPageControl(TPageControl* value);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool value);
  int PageIndex() const;
  void SetText(const String& value) override;

 private:
  bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  TNotifyEvent OnChange;
  // The user chose a tab.
  void UserSelectPage(TTabSheet* page);

  // The area the pages take: the client area below the tabs, inside the frame.
  TRect DisplayRect() const;
  // Every page takes the display area; then the aligned children as usual.
  void AlignControls() override;

 protected:
  void ControlsChanged() override;

 private:
  friend class TTabSheet;
  void PagesChanged() { Changed(TChange::Pages); }
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
};
