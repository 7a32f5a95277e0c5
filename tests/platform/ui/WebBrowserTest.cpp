// A web browser control with a page view of the program's own: the view fills the browser
// and Navigate hands it the address.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/WebBrowser.h"

namespace {

TEST(WebBrowser, APageViewFillsTheBrowserAndLoadsTheAddresses) {
  TWebBrowser browser(nullptr);
  browser.SetBounds(0, 0, 320, 200);
  TPanel* view = new TPanel(&browser);
  std::vector<String> loaded;
  browser.SetPageView(view, [&](const String& address) {
    EXPECT_EQ(browser.LocationURL(), address);  // the address is known while it loads
    loaded.push_back(address);
  });
  EXPECT_EQ(browser.PageView(), view);
  EXPECT_EQ(view->Parent(), &browser);
  EXPECT_EQ(view->Width(), 320);
  EXPECT_EQ(view->Height(), 200);
  browser.Navigate(u"/tmp/report.html");
  browser.Navigate(u"/tmp/other.html");
  EXPECT_EQ(loaded, (std::vector<String>{u"/tmp/report.html", u"/tmp/other.html"}));
  browser.SetBounds(0, 0, 500, 300);
  EXPECT_EQ(view->Width(), 500);
}

}  // namespace
