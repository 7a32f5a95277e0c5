// Following links by clicking them: a fragment of the shown page, other HTML, text and image
// files, web addresses (only the event), a file that cannot be loaded; the history with the
// reading positions and going back in it; the visited links.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "html/document/model/FontObj.h"
#include "html/document/model/TabControl.h"
#include "platform/ui/app/Timer.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "tests/html/document/viewer/ViewerInput.h"

namespace {

std::string Filler(int paragraphs) {
  std::string html;
  for (int i = 0; i < paragraphs; ++i) html += "<p>Filler paragraph " + std::to_string(i) + ".</p>";
  return html;
}

struct ViewerLinks : ViewerInput {
  String a, b, notes, logo;
  int historyChanges = 0;

  void SetUp() override {
    ViewerInput::SetUp();
    a = Write("a.html",
              "<html><head><title>Page A</title></head><body>"
              "<p><a href=\"#far\">to the far part</a> and <a href=\"b.html\">to page B</a> and "
              "<a href=\"b.html#sec\">to the section of B</a></p>"
              "<p><a href=\"http://example.com/x.html\">a web link</a>, <a href=\"missing.html\">a missing "
              "page</a>, <a href=\"notes.txt\">the notes</a>, <a href=\"logo.gif\">the logo</a>, "
              "<a href=\"data.zip\">an archive</a>.</p>" +
                  Filler(60) + "<h2 id=\"FAR\">The far part</h2>" + Filler(20) + "</body></html>");
    b = Write("b.html", "<html><head><title>Page B</title></head><body><p><a href=\"a.html\">back to A</a></p>" +
                            Filler(60) + "<h2><a name=\"sec\">Section</a></h2>" + Filler(20) + "</body></html>");
    notes = Write("notes.txt", "Plain notes.\r\n");
    std::filesystem::copy_file(std::string(WENDREL_FIXTURES) + "/viewer/logo.gif", folder.PathOf("logo.gif"));
    logo = Utf8ToString(folder.PathOf("logo.gif"));
    viewer->LinkEvents.OnHistoryChange = [this](TComponent*) { ++historyChanges; };
    viewer->SetHistoryMaxCount(10);
  }

  void Open(const String& file) {
    viewer->LoadDocumentFile(file);
    PaintNow();
  }
  // Clicks the link whose text starts with text, scrolled to the top first.
  void ClickLink(const std::u16string& text, int scrollTo = 0) {
    viewer->SetScrollPos(scrollTo);
    PaintNow();
    Click(PointOf(text, 2));
    PaintNow();
  }
  std::vector<String> Files() const {
    std::vector<String> files;
    for (int i = 0; i < viewer->History.Count(); ++i) files.push_back(viewer->History.Get(i));
    return files;
  }
  int AnchorY(const String& id) const { return Document().IdList.Find(id)->AnchorY(); }
  TFontObj* LinkRun(const String& url) const {
    for (int i = 0; i < Document().LinkList.Count(); ++i)
      if (Document().LinkList.Items(i)->GetUrl() == url) return Document().LinkList.Items(i);
    return nullptr;
  }
};

TEST_F(ViewerLinks, FragmentThenOtherFileThenBackThroughTheHistoryWithPositions) {
  Open(a);
  EXPECT_EQ(Files(), (std::vector<String>{a}));
  EXPECT_EQ(historyChanges, 1);
  const int64_t top = viewer->GetPosition();

  // A fragment in any letter case scrolls the page and records the old position.
  ClickLink(u"to the far part");
  EXPECT_EQ(viewer->CurrentFile, a);
  EXPECT_EQ(viewer->GetScrollPos(), AnchorY(u"far"));
  EXPECT_EQ(Files(), (std::vector<String>{a, a}));
  EXPECT_EQ(viewer->PositionHistory.Items(1)->ScrollPosition, top);
  EXPECT_EQ(viewer->PositionHistory.Items(0)->ScrollPosition, viewer->GetPosition());
  EXPECT_EQ(historyChanges, 2);

  // Another file, left a little below the top.
  ClickLink(u"to page B", 5);
  const int64_t leftAt = viewer->PositionHistory.Items(0)->ScrollPosition;
  EXPECT_EQ(viewer->CurrentFile, b);
  EXPECT_EQ(viewer->DocumentTitle, u"Page B");
  EXPECT_EQ(viewer->GetScrollPos(), 0);
  EXPECT_EQ(Files(), (std::vector<String>{b, a, a}));
  EXPECT_EQ(viewer->TitleHistory.Get(0), u"Page B");
  EXPECT_EQ(viewer->TitleHistory.Get(1), u"Page A");
  EXPECT_EQ(viewer->PositionHistory.Items(0)->DocumentKind, HtmlType);
  EXPECT_EQ(historyChanges, 3);

  // Back: page A at the position it was left at.
  viewer->SetHistoryIndex(1);
  EXPECT_EQ(viewer->CurrentFile, a);
  EXPECT_EQ(viewer->HistoryIndex(), 1);
  EXPECT_EQ(viewer->GetScrollPos(), 5);
  EXPECT_NE(viewer->PositionHistory.Items(1)->ScrollPosition, leftAt);  // the entry of A itself
  // Further back: the far part of the same page, without loading it again.
  viewer->SetHistoryIndex(2);
  EXPECT_EQ(viewer->GetScrollPos(), 0);
  viewer->SetHistoryIndex(0);
  EXPECT_EQ(viewer->CurrentFile, b);

  // Following a link from an older entry drops the newer ones.
  viewer->SetHistoryIndex(1);
  PaintNow();
  ClickLink(u"to the section of B");
  EXPECT_EQ(viewer->CurrentFile, b);
  EXPECT_EQ(viewer->GetScrollPos(), AnchorY(u"sec"));
  EXPECT_EQ(Files(), (std::vector<String>{b, a, a}));
  EXPECT_EQ(viewer->HistoryIndex(), 0);
}

TEST_F(ViewerLinks, ALinkToAFileThatCannotBeLoadedKeepsDocumentAndHistory) {
  Open(a);
  ClickLink(u"to the far part");
  const std::vector<String> files = Files();
  const int sections = Document().Count();
  const int position = viewer->GetScrollPos();
  viewer->SetScrollPos(0);
  PaintNow();
  try {
    Click(PointOf(u"a missing page", 2));
    ADD_FAILURE() << "no load error";
  } catch (const EhtLoadError& e) {
    EXPECT_EQ(e.Message(), u"Can't locate '" + Utf8ToString(folder.PathOf("missing.html")) + u"'.");
  }
  EXPECT_EQ(viewer->CurrentFile, a);
  EXPECT_EQ(viewer->DocumentTitle, u"Page A");
  EXPECT_EQ(Document().Count(), sections);
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(historyChanges, 2);
  EXPECT_NE(position, 0);

  // Through the message loop (Enter on the link's tab stop) the error is shown.
  auto& backend = static_cast<THeadlessBackend&>(app.Backend());
  TFontObj* run = LinkRun(u"missing.html");
  ASSERT_NE(run, nullptr);
  ASSERT_NE(run->FocusControl, nullptr);
  uint16_t key = VK_RETURN;
  run->FocusControl->KeyDown(key, 0);
  app.ProcessMessages();
  ASSERT_EQ(backend.Shown().size(), 1u);
  EXPECT_NE(backend.Shown()[0].Text.find(u"Can't locate"), String::npos);
  EXPECT_EQ(viewer->CurrentFile, a);
  EXPECT_EQ(Files(), files);
}

TEST_F(ViewerLinks, EnterOnALinksTabStopFollowsItFromTheMessageLoop) {
  Open(a);
  TFontObj* run = LinkRun(u"b.html");
  ASSERT_NE(run, nullptr);
  ASSERT_NE(run->FocusControl, nullptr);
  uint16_t key = VK_RETURN;
  run->FocusControl->KeyDown(key, 0);
  EXPECT_EQ(viewer->CurrentFile, a);
  EXPECT_EQ(viewer->LinkUrl, u"b.html");
  EXPECT_EQ(viewer->LinkText, u"to page B");
  app.ProcessMessages();
  EXPECT_EQ(viewer->CurrentFile, b);
  // Other keys on a tab stop are the viewer's.
  run = LinkRun(u"a.html");
  ASSERT_NE(run, nullptr);
  key = VK_NEXT;
  run->FocusControl->KeyDown(key, 0);
  EXPECT_EQ(viewer->GetScrollPos(), viewer->VScrollBar().LargeChange());
}

TEST_F(ViewerLinks, WebAddressesOnlyReachTheHotSpotEvent) {
  Open(a);
  std::vector<String> clicked;
  viewer->LinkEvents.OnHotSpotClick = [&](TComponent*, const String& src, bool&) { clicked.push_back(src); };
  ClickLink(u"a web link");
  EXPECT_EQ(clicked, (std::vector<String>{u"http://example.com/x.html"}));
  EXPECT_EQ(viewer->CurrentFile, a);
  EXPECT_EQ(historyChanges, 1);

  // A handler that takes the click keeps the viewer from following any link.
  viewer->LinkEvents.OnHotSpotClick = [&](TComponent*, const String& src, bool& handled) {
    clicked.push_back(src);
    handled = true;
  };
  ClickLink(u"to page B");
  EXPECT_EQ(clicked.back(), u"b.html");
  EXPECT_EQ(viewer->CurrentFile, a);
}

struct KindCase {
  const char16_t* link;
  const char* file;  // empty: not followed
  THtmlFileType kind;
};

class LinkKinds : public ViewerLinks, public ::testing::WithParamInterface<KindCase> {};

TEST_P(LinkKinds, TextAndImageFilesAreShownOtherKindsNot) {
  const KindCase& c = GetParam();
  Open(a);
  ClickLink(c.link);
  if (*c.file) {
    EXPECT_EQ(viewer->CurrentFile, Utf8ToString(folder.PathOf(c.file)));
    EXPECT_EQ(viewer->CurrentDocType, c.kind);
    EXPECT_EQ(viewer->History.Count(), 2);
    EXPECT_EQ(viewer->PositionHistory.Items(0)->DocumentKind, c.kind);
  } else {
    EXPECT_EQ(viewer->CurrentFile, a);
    EXPECT_EQ(viewer->History.Count(), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, LinkKinds,
                         ::testing::Values(KindCase{u"the notes", "notes.txt", TextType},
                                           KindCase{u"the logo", "logo.gif", ImgType},
                                           KindCase{u"an archive", "", OtherType}));

TEST_F(ViewerLinks, DraggingFromALinkSelectsUnlessLinksAreNotForSelecting) {
  Open(a);
  Press(PointOf(u"page B"));
  Move(PointOf(u"to the section"), ssLeft);
  Release(PointOf(u"to the section"));
  EXPECT_EQ(viewer->SelText(), u"page B and ");
  EXPECT_EQ(viewer->CurrentFile, a);

  viewer->SetHtOptions(viewer->HtOptions() | htNoLinkHilite);
  Click(PointOf(u"a web link"));  // empties the selection
  Press(PointOf(u"page B"));
  EXPECT_FALSE(viewer->HasState(TMarkupViewer::vsSelecting));
  Move(PointOf(u"to the section"), ssLeft);
  Release(PointOf(u"to the section"));
  EXPECT_EQ(viewer->SelText(), u"");
}

TEST_F(ViewerLinks, ADoubleClickRightAfterFollowingALinkIsIgnored) {
  Open(a);
  ClickLink(u"to the far part");
  const TPoint p = PointOf(u"The far part");
  Panel().DblClickAt(ssLeft, p.X, p.Y);
  EXPECT_EQ(viewer->SelText(), u"");
}

TEST_F(ViewerLinks, VisitedLinksAreRememberedNewestFirstAndMarked) {
  Open(a);
  ClickLink(u"to page B");
  EXPECT_EQ(viewer->Visited.Count(), 1);
  EXPECT_EQ(viewer->Visited.Get(0), b);
  ClickLink(u"back to A");
  // The link to B on page A is shown as visited; the one to B's section is not.
  ASSERT_NE(LinkRun(u"b.html"), nullptr);
  EXPECT_TRUE(LinkRun(u"b.html")->IsVisited);
  EXPECT_FALSE(LinkRun(u"b.html#sec")->IsVisited);
  ClickLink(u"to page B");  // the same link again: the list stays
  EXPECT_EQ(viewer->Visited.Count(), 2);
  EXPECT_EQ(viewer->Visited.Get(0), b);
  EXPECT_EQ(viewer->Visited.Get(1), a);

  viewer->SetVisitedMaxCount(2);
  ClickLink(u"back to A");
  viewer->SetScrollPos(0);
  ClickLink(u"to the far part");
  EXPECT_EQ(viewer->Visited.Count(), 2);
  EXPECT_EQ(viewer->Visited.Get(0), a + u"#far");
  EXPECT_EQ(viewer->Visited.Get(1), a);

  viewer->SetVisitedMaxCount(0);
  EXPECT_EQ(viewer->Visited.Count(), 0);
  EXPECT_FALSE(LinkRun(u"b.html")->IsVisited);
}

TEST_F(ViewerLinks, HistoryMaxCountLimitsTheHistory) {
  viewer->SetHistoryMaxCount(0);
  Open(a);
  ClickLink(u"to page B");
  EXPECT_EQ(viewer->History.Count(), 0);
  EXPECT_EQ(historyChanges, 0);

  viewer->SetHistoryMaxCount(2);
  ClickLink(u"back to A");
  ClickLink(u"to page B");
  ClickLink(u"back to A");
  EXPECT_EQ(Files(), (std::vector<String>{a, b}));
  // A smaller maximum starts over.
  viewer->SetHistoryMaxCount(1);
  EXPECT_EQ(viewer->History.Count(), 0);
  EXPECT_EQ(viewer->CurrentFile, u"");
}

TEST_F(ViewerLinks, LoadingANameWithAFragmentShowsItsElement) {
  Open(b + u"#sec");
  EXPECT_EQ(viewer->CurrentFile, b);
  EXPECT_EQ(viewer->GetScrollPos(), AnchorY(u"sec"));
  EXPECT_EQ(viewer->Visited.Get(0), b + u"#sec");
}

}  // namespace
