// TWebBrowser: shows the page at an address. The model keeps the address; the backend's
// widget shows the page, unless the program gives the browser a page view of its own: a
// control that fills the browser and a routine that loads an address into it.
#pragma once

#include <functional>

#include "platform/ui/WinControl.h"

class TWebBrowser : public TWinControl {
 public:
  using TPageLoader = std::function<void(const String& address)>;

  explicit TWebBrowser(TComponent* AOwner);
  void Navigate(const String& address);
  const String& LocationURL() const { return location_; }

  // The view becomes the browser's only child, filling it; Navigate hands the address to
  // load. Set it before the browser is shown: the backend chooses its widget then.
  void SetPageView(TWinControl* view, TPageLoader load);
  TWinControl* PageView() const { return pageView_; }

 private:
  String location_;
  TWinControl* pageView_ = nullptr;
  TPageLoader load_;
};
