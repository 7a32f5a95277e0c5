#include "platform/ui/controls/WebBrowser.h"

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 300, 150);
  SetTabStop(true);
}

void TWebBrowser::Navigate(const String& address) {
  location_ = address;
  Changed(TChange::Address);
}
