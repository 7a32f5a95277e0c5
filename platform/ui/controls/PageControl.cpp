#include "platform/ui/controls/PageControl.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {}

TTabSheet::~TTabSheet() {
  // Leave the page list while still a tab sheet.
  SetParent(nullptr);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetTabVisible(bool value) {
  if (value == tabVisible_) return;
  tabVisible_ = value;
  if (TPageControl* pc = PageControl()) pc->PagesChanged();
}

int TTabSheet::PageIndex() const {
  TPageControl* pc = PageControl();
  if (!pc) return -1;
  auto it = std::find(pc->pages_.begin(), pc->pages_.end(), this);
  return static_cast<int>(it - pc->pages_.begin());
}

void TTabSheet::SetText(const String& value) {
  TWinControl::SetText(value);
  if (TPageControl* pc = PageControl()) pc->PagesChanged();
}

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

namespace {
constexpr int kTabsHeight = 28;  // the row of tabs above the pages
constexpr int kFrameWidth = 4;   // the frame around a page, left and right together
}  // namespace

TRect TPageControl::DisplayRect() const {
  return TRect{0, 0, std::max(0, Width() - kFrameWidth), std::max(0, Height() - kTabsHeight)};
}

void TPageControl::AlignControls() {
  const TRect area = DisplayRect();
  for (TTabSheet* page : pages_) page->SetBounds(area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top);
  TWinControl::AlignControls();
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount())
    throw EListError(S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(index)) + u")");
  return pages_[index];
}

void TPageControl::ControlsChanged() {
  std::vector<TTabSheet*> pages;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* sheet = dynamic_cast<TTabSheet*>(Controls(i))) pages.push_back(sheet);
  pages_ = std::move(pages);
  if (activePage_ && std::find(pages_.begin(), pages_.end(), activePage_) == pages_.end()) activePage_ = nullptr;
  // The first page added becomes the active one.
  if (!activePage_ && !pages_.empty()) activePage_ = pages_.front();
  AlignControls();
  Changed(TChange::Pages);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) return;
  if (page == activePage_) return;
  activePage_ = page;
  Changed(TChange::ActivePage);
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[index] : nullptr);
}

void TPageControl::UserSelectPage(TTabSheet* page) {
  if (page == activePage_) return;
  SetActivePage(page);
  Raise(OnChange, this);
}
