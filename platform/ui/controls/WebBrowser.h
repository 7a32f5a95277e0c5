// TWebBrowser: shows the page at an address. The model keeps the address; the backend's
// widget shows the page.
#pragma once

#include "platform/ui/WinControl.h"

class TWebBrowser : public TWinControl {
 public:
  explicit TWebBrowser(TComponent* AOwner);
  void Navigate(const String& address);
  const String& LocationURL() const { return location_; }

 private:
  String location_;
};
