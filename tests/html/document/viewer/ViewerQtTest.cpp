// The viewer in a real window (Qt, offscreen): a page with a table, an image, lists and
// links, scrolled with the window's scroll bar and made narrower; each screenshot is
// compared with a reviewed picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QWidget>

#include "html/document/viewer/MarkupViewer.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/html/document/viewer/ViewerWindowFixture.h"
#include "tests/support/PictureReference.h"
#include "tests/support/QtPictures.h"

namespace {

// Qt draws the scroll bars with its own style; the document's pixels come from the engine.
const TPictureTolerance ScreenTolerance{.Channel = 48, .Pixels = 400};

struct ViewerWindow : TViewerWindowFixture {
  void SetUp() override {
    MakeWindow();
    viewer->LoadDocumentFile(Utf8ToString(std::string(WENDREL_FIXTURES) + "/viewer/page.html"));
    form->Show();
    app.ProcessMessages();
  }
  QImage Shot() {
    app.ProcessMessages();
    return WidgetOf(viewer)->grab().toImage();
  }
};

TEST_F(ViewerWindow, ShowsScrollsAndResizes) {
  ASSERT_EQ(viewer->DocumentTitle, u"Wendrel viewer test page");
  auto* bar = qobject_cast<QScrollBar*>(WidgetOf(&viewer->VScrollBar()));
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->maximum(), viewer->VScrollBar().MaxPosition());
  EXPECT_EQ(WidgetOf(&viewer->PaintPanel())->width(), viewer->PaintPanel().Width());
  EXPECT_TRUE(MatchesReference(PictureOf(Shot()), "viewer/page_top", ScreenTolerance));

  // A page down with the window's own scroll bar.
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  ASSERT_GT(viewer->VScrollBar().MaxPosition(), viewer->VScrollBar().LargeChange());
  EXPECT_EQ(viewer->GetScrollPos(), viewer->VScrollBar().LargeChange());
  EXPECT_EQ(bar->value(), viewer->GetScrollPos());
  EXPECT_TRUE(MatchesReference(PictureOf(Shot()), "viewer/page_scrolled", ScreenTolerance));

  // A narrower window: the text wraps again, the reading position stays.
  const int64_t position = viewer->GetPosition();
  form->SetClientWidth(300);
  app.ProcessMessages();
  EXPECT_EQ(viewer->PaintPanel().Width(), 300 - 2 - viewer->BarWidth());
  EXPECT_EQ(WidgetOf(&viewer->PaintPanel())->width(), viewer->PaintPanel().Width());
  EXPECT_EQ(viewer->GetPosition() >> 32, position >> 32);  // the same paragraph at the top
  EXPECT_TRUE(MatchesReference(PictureOf(Shot()), "viewer/page_narrow", ScreenTolerance));
}

}  // namespace
