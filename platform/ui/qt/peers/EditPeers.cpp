// Edit boxes, memos and the web browser.
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QUrl>

#include "platform/ui/controls/Edits.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/WebBrowser.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/peers/Peers.h"

namespace {

class TEditPeer : public TQtPeer {
 public:
  TEditPeer(TEdit& e, QLineEdit* w) : TQtPeer(e, w), edit_(e) {
    QObject::connect(w, &QLineEdit::textEdited, this, [this](const QString& text) {
      if (!Pushing()) Run([&] { edit_.UserSetText(FromQt(text)); });
    });
    QObject::connect(w, &QLineEdit::selectionChanged, this, [this, w] { UserSelection(w); });
    QObject::connect(w, &QLineEdit::cursorPositionChanged, this, [this, w] { UserSelection(w); });
  }
  bool ClickOnRelease() const override { return true; }
  void Update(TChange what) override {
    auto* w = static_cast<QLineEdit*>(Widget());
    switch (what) {
      case TChange::Text: {
        QString text = ToQt(edit_.Text());
        if (w->text() != text) w->setText(text);
        auto* mask = dynamic_cast<TMaskEdit*>(&edit_);
        w->setEchoMode(mask && mask->PasswordChar() ? QLineEdit::Password : QLineEdit::Normal);
        break;
      }
      case TChange::ReadOnly:
        w->setReadOnly(edit_.ReadOnly());
        w->setMaxLength(edit_.MaxLength() > 0 ? edit_.MaxLength() : 32767);
        break;
      case TChange::Selection: w->setSelection(edit_.SelStart(), edit_.SelLength()); break;
      default: break;
    }
  }

 private:
  void UserSelection(QLineEdit* w) {
    if (Pushing()) return;
    if (w->hasSelectedText())
      edit_.UserSetSelection(w->selectionStart(), w->selectionLength());
    else
      edit_.UserSetSelection(w->cursorPosition(), 0);
  }
  TEdit& edit_;
};

class TMemoPeer : public TQtPeer {
 public:
  TMemoPeer(TMemo& m, QPlainTextEdit* w) : TQtPeer(m, w), memo_(m) {
    Watch(w->viewport());
    QObject::connect(w, &QPlainTextEdit::textChanged, this, [this, w] {
      if (!Pushing()) Run([&] { memo_.UserSetText(FromQtPlainText(w->toPlainText())); });
    });
  }
  bool ClickOnRelease() const override { return true; }
  void Update(TChange what) override {
    auto* w = static_cast<QPlainTextEdit*>(Widget());
    switch (what) {
      case TChange::Text: {
        QString text = ToQtPlainText(memo_.Text());
        if (w->toPlainText() != text) w->setPlainText(text);
        break;
      }
      case TChange::ScrollBars: {
        TScrollStyle s = memo_.ScrollBars();
        bool h = s == TScrollStyle::ssHorizontal || s == TScrollStyle::ssBoth;
        bool v = s == TScrollStyle::ssVertical || s == TScrollStyle::ssBoth;
        w->setLineWrapMode(memo_.Wraps() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        w->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        w->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        break;
      }
      case TChange::ReadOnly: w->setReadOnly(memo_.ReadOnly()); break;
      case TChange::Selection: {
        QTextCursor cursor = w->textCursor();
        // The model counts a line break as two units, the document as one.
        auto toDoc = [&](int pos) {
          String text = memo_.Text();
          int breaks = 0;
          for (int i = 0; i + 1 < pos && i + 1 < static_cast<int>(text.size()); ++i)
            if (text[i] == u'\r' && text[i + 1] == u'\n') ++breaks;
          return pos - breaks;
        };
        cursor.setPosition(toDoc(memo_.SelStart()));
        cursor.setPosition(toDoc(memo_.SelStart() + memo_.SelLength()), QTextCursor::KeepAnchor);
        w->setTextCursor(cursor);
        break;
      }
      default: break;
    }
  }

 private:
  TMemo& memo_;
};

class TWebBrowserPeer : public TQtPeer {
 public:
  TWebBrowserPeer(TWebBrowser& b, QTextBrowser* w) : TQtPeer(b, w), browser_(b) {}
  void Update(TChange what) override {
    if (what != TChange::Address && what != TChange::Text) return;
    QString address = ToQt(browser_.LocationURL());
    if (address.isEmpty()) return;
    QUrl url = QFileInfo::exists(address) ? QUrl::fromLocalFile(address) : QUrl(address);
    static_cast<QTextBrowser*>(Widget())->setSource(url);
  }

 private:
  TWebBrowser& browser_;
};

}  // namespace

std::unique_ptr<TQtPeer> MakeEditPeer(TControl& control) {
  if (auto* e = dynamic_cast<TEdit*>(&control)) return std::make_unique<TEditPeer>(*e, new QLineEdit());
  if (auto* m = dynamic_cast<TMemo*>(&control)) return std::make_unique<TMemoPeer>(*m, new QPlainTextEdit());
  // A browser with a page view of the program's own is a plain container for that view.
  if (auto* b = dynamic_cast<TWebBrowser*>(&control); b && !b->PageView())
    return std::make_unique<TWebBrowserPeer>(*b, new QTextBrowser());
  return nullptr;
}
