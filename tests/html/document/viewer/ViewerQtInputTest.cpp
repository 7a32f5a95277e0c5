// The viewer in a real window (Qt, offscreen) driven by Qt's own mouse and key events: a
// click on a link shows the linked page and records the history, a drag selects text that
// Ctrl+C puts on Qt's clipboard, keys scroll, the cursor shows links and middle-button
// scrolling.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include "html/document/viewer/MarkupViewer.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/html/document/viewer/ViewerWindowFixture.h"
#include "tests/html/document/viewer/TextPoints.h"

namespace {

const std::string Fixtures = std::string(WENDREL_FIXTURES) + "/viewer/";

struct ViewerQtInput : TViewerWindowFixture {
  void SetUp() override {
    MakeWindow();
    viewer->SetHistoryMaxCount(10);
    viewer->LoadDocumentFile(Utf8ToString(Fixtures + "page.html"));
    form->Show();
    Settle();
  }
  // Lets Qt paint what changed: the document's hit tests answer for what was drawn.
  void Settle() {
    app.ProcessMessages();
    Panel()->grab();
    app.ProcessMessages();
  }
  QWidget* Panel() const { return WidgetOf(&viewer->PaintPanel()); }
  QPoint PointOf(const std::u16string& text, int offset = 0) const {
    const TPoint p = PanelPointOf(*viewer, text, offset);
    return QPoint(p.X, p.Y);
  }
};

TEST_F(ViewerQtInput, ClickingALinkShowsTheLinkedPageAndRecordsTheHistory) {
  const String page = Utf8ToString(Fixtures + "page.html");
  const String details = Utf8ToString(Fixtures + "details.html");
  const QPoint link = PointOf(u"a link to the details", 3);
  QTest::mouseMove(Panel(), link);
  app.ProcessMessages();
  EXPECT_EQ(Panel()->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(viewer->LinkUrl, u"details.html");

  QTest::mouseClick(Panel(), Qt::LeftButton, {}, link);
  Settle();
  EXPECT_EQ(viewer->CurrentFile, details);
  EXPECT_EQ(viewer->DocumentTitle, u"Wendrel viewer test details");
  ASSERT_EQ(viewer->History.Count(), 2);
  EXPECT_EQ(viewer->History.Get(0), details);
  EXPECT_EQ(viewer->History.Get(1), page);
  EXPECT_EQ(viewer->TitleHistory.Get(1), u"Wendrel viewer test page");
  // The page left has no vertical bar any more; the new one is drawn.
  EXPECT_FALSE(WidgetOf(&viewer->VScrollBar())->isVisible());

  // Over plain text the cursor is the text cursor again.
  QTest::mouseMove(Panel(), PointOf(u"counted"));
  app.ProcessMessages();
  EXPECT_EQ(Panel()->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(ViewerQtInput, DraggingSelectsTextThatCtrlCPutsOnTheClipboard) {
  QApplication::clipboard()->clear();
  const QPoint from = PointOf(u"heading");
  const QPoint to = PointOf(u" with");
  QTest::mousePress(Panel(), Qt::LeftButton, {}, from);
  QTest::mouseMove(Panel(), to);
  QTest::mouseRelease(Panel(), Qt::LeftButton, {}, to);
  app.ProcessMessages();
  EXPECT_EQ(viewer->SelText(), u"heading, a paragraph");
  // The click gave the viewer the keyboard focus, also in Qt.
  EXPECT_TRUE(viewer->Focused());
  EXPECT_TRUE(WidgetOf(viewer)->hasFocus());
  EXPECT_EQ(WidgetOf(viewer)->focusPolicy(), Qt::ClickFocus);
  QTest::keyClick(WidgetOf(viewer), Qt::Key_C, Qt::ControlModifier);
  app.ProcessMessages();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("heading, a paragraph"));

  // A double click selects one word.
  const QPoint word = PointOf(u"paragraph", 2);
  QTest::mouseDClick(Panel(), Qt::LeftButton, {}, word);
  app.ProcessMessages();
  EXPECT_EQ(viewer->SelText(), u"paragraph");
}

TEST_F(ViewerQtInput, KeysAndTheWheelScroll) {
  auto* bar = qobject_cast<QScrollBar*>(WidgetOf(&viewer->VScrollBar()));
  ASSERT_NE(bar, nullptr);
  QTest::mouseClick(Panel(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::keyClick(WidgetOf(viewer), Qt::Key_Down);
  app.ProcessMessages();
  EXPECT_EQ(viewer->GetScrollPos(), 16);
  EXPECT_EQ(bar->value(), 16);
  QTest::keyClick(WidgetOf(viewer), Qt::Key_End, Qt::ControlModifier);
  app.ProcessMessages();
  EXPECT_EQ(viewer->GetScrollPos(), viewer->MaxVertical - viewer->PaintPanel().Height());
  QTest::keyClick(WidgetOf(viewer), Qt::Key_PageUp);
  app.ProcessMessages();
  EXPECT_EQ(viewer->GetScrollPos(),
            viewer->MaxVertical - viewer->PaintPanel().Height() - viewer->VScrollBar().LargeChange());
}

TEST_F(ViewerQtInput, MiddleButtonScrollingShowsItsCursors) {
  QTest::mousePress(Panel(), Qt::MiddleButton, {}, QPoint(100, 100));
  QTest::mouseRelease(Panel(), Qt::MiddleButton, {}, QPoint(100, 100));
  app.ProcessMessages();
  EXPECT_EQ(Panel()->cursor().shape(), Qt::BitmapCursor);
  const QImage upDown = Panel()->cursor().pixmap().toImage();
  QTest::mouseMove(Panel(), QPoint(100, 160));
  app.ProcessMessages();
  EXPECT_GT(viewer->GetScrollPos(), 0);
  EXPECT_EQ(Panel()->cursor().shape(), Qt::BitmapCursor);
  const QImage down = Panel()->cursor().pixmap().toImage();
  EXPECT_NE(upDown, down);
  QTest::mouseClick(Panel(), Qt::LeftButton, {}, QPoint(100, 160));
  app.ProcessMessages();
  EXPECT_FALSE(viewer->HasState(TMarkupViewer::vsMiddleScroll));
  EXPECT_NE(Panel()->cursor().shape(), Qt::BitmapCursor);
}

}  // namespace
