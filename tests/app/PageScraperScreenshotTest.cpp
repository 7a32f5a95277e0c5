// The page scraper window shown through Qt (offscreen) after a crawl; the screenshot is
// compared with a reviewed picture.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QWidget>

#include <fstream>
#include <sstream>

#include "platform/net/ServiceEndpoints.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/app/AppFixture.h"
#include "tests/support/PictureReference.h"
#include "tests/support/QtPictures.h"

namespace {

int argc = 1;
char arg0[] = "app_tests";
char* argv[] = {arg0, nullptr};

template <class W>
W* WidgetOf(const TControl* c) {
  TQtPeer* peer = TQtPeer::Of(c);
  return peer ? qobject_cast<W*>(peer->Widget()) : nullptr;
}

TEST_F(AppFixture, PageScraperShowsTheMessagesOfACrawl) {
  std::ifstream in(std::string(WENDREL_FIXTURES) + "/app/page_feed.json", std::ios::binary);
  std::ostringstream feed;
  feed << in.rdbuf();
  Server().Answer("/seite/feed", THttpAnswer(feed.str(), "application/json"));
  home.PointServiceAt(TWebService::PageFeed, server->BaseUrl());
  app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
  Start();
  Form1->Show();
  Form1->Button22->Click();
  app.ProcessMessages();
  Form4->fb_site->SetText(u"seite");
  Form4->Button1->Click();
  app.ProcessMessages();

  auto* memo = WidgetOf<QPlainTextEdit>(Form4->Memo1);
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->isVisible());
  EXPECT_EQ(memo->toPlainText().trimmed().split('\n').size(), 3);
  EXPECT_TRUE(memo->toPlainText().startsWith(QString::fromUtf8("Grüße aus Köln, Été Übung")));
  EXPECT_GT(memo->width(), 400);
  auto* window = WidgetOf<QWidget>(Form4);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("FB-Page-Scraper"));
  // Qt anti-aliases its text: its grey edges may shift a little with another FreeType.
  EXPECT_TRUE(MatchesReference(PictureOf(window->grab().toImage()), "app/page_scraper", {.Channel = 48, .Pixels = 300}));
}

}  // namespace
