#include "platform/ui/controls/WebBrowser.h"

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 300, 150);
  SetTabStop(true);
}

void TWebBrowser::Navigate(const String& address) {
  location_ = address;
  if (load_) load_(address);
  Changed(TChange::Address);
}

void TWebBrowser::SetPageView(TWinControl* view, TPageLoader load) {
  pageView_ = view;
  load_ = std::move(load);
  if (view) {
    view->SetParent(this);
    view->SetAlign(TAlign::alClient);
  }
}
