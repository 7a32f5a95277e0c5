// Form fields of a document shown on screen by the Qt backend (offscreen): real widgets on
// the document's paint panel at the places layout gave them; typing changes the field and
// the reset button brings the initial values back.
#include <gtest/gtest.h>

#include "tests/html/document/forms/FormFixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/html/document/forms/OffscreenBackend.h"

namespace {

template <class W>
W* WidgetOf(const TControl* c) {
  TQtPeer* peer = TQtPeer::Of(c);
  return peer ? qobject_cast<W*>(peer->Widget()) : nullptr;
}

// A window whose client area is the document's paint panel, as the viewer's is.
struct FormWindowsQtTest : FormFixture {
  TApplication app;
  TForm* window = nullptr;
  TCustomControl* panel = nullptr;

  void SetUp() override {
    FormFixture::SetUp();
    app.SetBackend(MakeQtBackendForTests());
    app.CreateForm(window);
    window->SetClientWidth(400);
    window->SetClientHeight(120);
    panel = new TCustomControl(window);
    panel->SetParent(window);
    panel->SetAlign(TAlign::alClient);
    document.PaintPanel = panel;
    window->Show();
    app.ProcessMessages();
  }
  void TearDown() override { document.Clear(); }

  void Paint() {
    LayOut(400);
    TBitmap picture(400, 120, pf24bit);
    document.Draw(picture.Canvas(), TRect{0, 0, 400, 120}, 400, 0, 0, 0, 0);
    app.ProcessMessages();
  }
};

TEST_F(FormWindowsQtTest, FieldsAreWidgetsAtTheirLayoutPlacesAndResetRestoresTyping) {
  auto line = Line();
  Text(*line, u"Name ");
  auto* edit = dynamic_cast<TEditFormControlObj*>(Field(*line, u"input", u"name=n value=Anna"));
  Text(*line, u" ");
  auto* check = dynamic_cast<TCheckBoxFormControlObj*>(Field(*line, u"input", u"type=checkbox name=c checked"));
  Text(*line, u" ");
  auto* reset = dynamic_cast<TButtonFormControlObj*>(Field(*line, u"input", u"type=reset"));
  TSection& section = Close(std::move(line));
  Paint();

  auto* lineEdit = WidgetOf<QLineEdit>(edit->Edit.get());
  auto* box = WidgetOf<QCheckBox>(check->CheckBox.get());
  auto* button = WidgetOf<QPushButton>(reset->Button.get());
  ASSERT_NE(lineEdit, nullptr);
  ASSERT_NE(box, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(lineEdit->parentWidget(), TQtPeer::Of(panel)->Container());
  EXPECT_TRUE(lineEdit->isVisible());
  EXPECT_EQ(lineEdit->text(), "Anna");
  // Where layout put them: after the text before them, standing on the line.
  const int editLeft = section.TextWidthOf(canvas, 0, 5, false);
  EXPECT_EQ(lineEdit->geometry(), QRect(editLeft, edit->Edit->Top(), edit->GetWidth(), edit->GetHeight()));
  EXPECT_EQ(edit->Edit->Top(), edit->YValue + section.Lines[0]->SpaceBefore + section.Lines[0]->LineHeight -
                                   edit->GetHeight() - edit->VSpaceBottom);
  EXPECT_EQ(box->geometry().left(), editLeft + edit->GetWidth() + section.TextWidthOf(canvas, 6, 1, false));
  EXPECT_EQ(box->size(), QSize(13, 13));
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(button->text(), "Reset");
  EXPECT_EQ(button->geometry().right() + 1, reset->Button->Left() + reset->GetWidth());

  // The user types and unticks; the model follows the widgets.
  lineEdit->selectAll();
  for (const char letter : std::string("Bert")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (letter | 0x20) - 'a', Qt::NoModifier, QString(QChar(letter)));
    QCoreApplication::sendEvent(lineEdit, &press);
  }
  box->click();
  app.ProcessMessages();
  EXPECT_EQ(edit->Edit->Text(), u"Bert");
  EXPECT_FALSE(check->CheckBox->Checked());
  EXPECT_EQ(Submitted(*edit->Form), u"n=Bert");

  button->click();
  app.ProcessMessages();
  EXPECT_EQ(lineEdit->text(), "Anna");
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(Submitted(*edit->Form), u"n=Anna|c=on");
}

}  // namespace
