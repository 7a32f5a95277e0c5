// Forms, panels, group boxes, page controls with their tab sheets, category panels, and any other
// control as a plain widget.
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

#include "platform/ui/app/Application.h"
#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/CategoryPanels.h"
#include "platform/ui/controls/PageControl.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/menus/Menus.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/QtMenus.h"
#include "platform/ui/qt/peers/Peers.h"

namespace {

// The window's client area is the central widget; the menu bar sits above it.
class TFormPeer : public TQtPeer {
 public:
  TFormPeer(TCustomForm& f, QMainWindow* w) : TQtPeer(f, w), form_(f), central_(new QWidget()) {
    w->setCentralWidget(central_);
    Watch(central_);
  }
  QWidget* Container() const override { return central_; }
  void ShowWidget(bool visible) override {
    QWidget* w = Widget();
    if (!visible) {
      w->hide();
      return;
    }
    if (!placed_) {
      placed_ = true;
      PlaceOnScreen();
    }
    // A form shown modally keeps the input from the other windows while it is open.
    w->setWindowModality(form_.Modal() ? Qt::ApplicationModal : Qt::NonModal);
    w->show();
    w->raise();
    w->activateWindow();
  }
  void Update(TChange what) override {
    auto* w = static_cast<QMainWindow*>(Widget());
    switch (what) {
      case TChange::Text: w->setWindowTitle(ToQt(form_.Caption())); break;

      case TChange::Menu:
        if (form_.Menu()) {
          FillQtMenuBar(w->menuBar(), *form_.Menu()->Items());
          w->menuBar()->setVisible(true);
        } else {
          w->menuBar()->clear();
          w->menuBar()->setVisible(false);
        }
        [[fallthrough]];
      case TChange::Bounds: {
        int bar = form_.Menu() ? w->menuBar()->sizeHint().height() : 0;
        // On the window too: its layout passes the central widget's on only when it next runs.
        const TSizeConstraints& least = form_.Constraints();
        central_->setMinimumSize(least.MinWidth, least.MinHeight);
        w->setMinimumSize(least.MinWidth, least.MinHeight ? least.MinHeight + bar : 0);
        w->setGeometry(form_.Left(), form_.Top(), form_.ClientWidth(), form_.ClientHeight() + bar);
        break;
      }
      default: break;
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == Widget() && event->type() == QEvent::Close) {
      // The model decides (OnClose); it hides the window when the form closes.
      event->ignore();
      Run([&] { form_.Close(); });
      return true;
    }
    if (watched == central_ && event->type() == QEvent::Resize && !Pushing()) {
      QSize size = central_->size();
      if (size.width() != form_.ClientWidth() || size.height() != form_.ClientHeight())
        Run([&] { form_.SetBounds(form_.Left(), form_.Top(), size.width(), size.height()); });
      return false;
    }
    return TQtPeer::eventFilter(watched, event);
  }

 private:
  // Moves the form where its Position asks for, keeping it on the screen.
  void PlaceOnScreen() {
    if (form_.Position() == TPosition::poDesigned) return;
    QWidget* w = Widget();
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QPoint centre = area.center();
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (form_.Position() == TPosition::poMainFormCenter && main && main != &form_ && main->Visible())
      if (TQtPeer* peer = Of(main); peer && peer->Widget()) centre = peer->Widget()->geometry().center();
    const QSize size = w->size();
    const int x = std::max(area.left(), std::min(centre.x() - size.width() / 2, area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(centre.y() - size.height() / 2, area.bottom() + 1 - size.height()));
    form_.SetBounds(x, y, form_.ClientWidth(), form_.ClientHeight());
  }

  TCustomForm& form_;
  QWidget* central_;
  bool placed_ = false;
};

class TPanelPeer : public TQtPeer {
 public:
  TPanelPeer(TPanel& p, QLabel* w) : TQtPeer(p, w), panel_(p) { w->setAlignment(Qt::AlignCenter); }
  bool ClickOnRelease() const override { return true; }
  void Update(TChange what) override {
    if (what != TChange::Text) return;
    auto* w = static_cast<QLabel*>(Widget());
    w->setText(WithoutAccessKeys(ToQt(panel_.Caption())));
    switch (panel_.BevelOuter()) {
      case TPanelBevel::bvNone: w->setFrameStyle(QFrame::NoFrame); break;
      case TPanelBevel::bvLowered: w->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
      case TPanelBevel::bvRaised: w->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    }
  }

 private:
  TPanel& panel_;
};

class TGroupBoxPeer : public TQtPeer {
 public:
  TGroupBoxPeer(TGroupBox& g, QGroupBox* w) : TQtPeer(g, w), group_(g) {}
  void Update(TChange what) override {
    if (what == TChange::Text) static_cast<QGroupBox*>(Widget())->setTitle(WithoutAccessKeys(ToQt(group_.Caption())));
  }

 private:
  TGroupBox& group_;
};

// The tab widget shows the pages in their order; a page whose TabVisible is off keeps its
// place with a hidden tab.
class TPageControlPeer : public TQtPeer {
 public:
  TPageControlPeer(TPageControl& p, QTabWidget* w) : TQtPeer(p, w), pages_(p) {
    QObject::connect(w, &QTabWidget::currentChanged, this, [this](int index) {
      if (Pushing() || index < 0 || index >= pages_.PageCount()) return;
      Run([&] { pages_.UserSelectPage(pages_.Pages(index)); });
    });
  }
  void Update(TChange what) override {
    auto* w = static_cast<QTabWidget*>(Widget());
    if (what == TChange::Pages) {
      while (w->count() > 0) w->removeTab(0);
      for (int i = 0; i < pages_.PageCount(); ++i) {
        TTabSheet* sheet = pages_.Pages(i);
        TQtPeer* peer = Of(sheet);
        if (!peer) continue;
        int index = w->addTab(peer->Widget(), WithoutAccessKeys(ToQt(sheet->Caption())));
        w->setTabVisible(index, sheet->TabVisible());
      }
    }
    if (what == TChange::Pages || what == TChange::ActivePage) {
      TTabSheet* active = pages_.ActivePage();
      TQtPeer* peer = Of(active);
      if (peer) w->setCurrentWidget(peer->Widget());
    }
  }

 private:
  TPageControl& pages_;
};

class TTabSheetPeer : public TQtPeer {
 public:
  TTabSheetPeer(TTabSheet& s, QWidget* w) : TQtPeer(s, w), sheet_(s) {}
  void Place() override {
    // The page control's tab widget takes the page in.
    if (TPageControl* pc = sheet_.PageControl()) pc->Peer()->Changed(TChange::Pages);
  }
  bool PlacedByParent() const override { return true; }

 private:
  TTabSheet& sheet_;
};

// A caption bar that collapses and expands the panel, over the area of the children.
class TCategoryPanelPeer : public TQtPeer {
 public:
  TCategoryPanelPeer(TCategoryPanel& p, QWidget* w)
      : TQtPeer(p, w), panel_(p), header_(new QToolButton(w)), content_(new QWidget(w)) {
    header_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    header_->setAutoRaise(false);
    QObject::connect(header_, &QToolButton::clicked, this, [this] {
      if (!Pushing()) Run([&] { panel_.SetCollapsed(!panel_.Collapsed()); });
    });
  }
  QWidget* Container() const override { return content_; }
  void Update(TChange what) override {
    switch (what) {
      case TChange::Text: header_->setText(WithoutAccessKeys(ToQt(panel_.Caption()))); break;
      case TChange::Bounds:
      case TChange::Collapsed: {
        int w = panel_.Width();
        header_->setGeometry(0, 0, w, TCategoryPanel::HeaderHeight);
        header_->setArrowType(panel_.Collapsed() ? Qt::RightArrow : Qt::DownArrow);
        TRect client = panel_.ClientRect();
        content_->setGeometry(0, TCategoryPanel::HeaderHeight, w, client.Height());
        content_->setVisible(!panel_.Collapsed());
        break;
      }
      default: break;
    }
  }

 private:
  TCategoryPanel& panel_;
  QToolButton* header_;
  QWidget* content_;
};

// The panels sit where the group placed them (scrolled up by its position); the scroll bar
// at the right edge shows and moves that position. A wheel turned over a panel that the
// control under the mouse does not take reaches the group and scrolls it.
class TCategoryPanelGroupPeer : public TQtPeer {
 public:
  TCategoryPanelGroupPeer(TCategoryPanelGroup& g, QWidget* w)
      : TQtPeer(g, w), group_(g), bar_(new QScrollBar(Qt::Vertical, w)) {
    QObject::connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
      if (!Pushing()) Run([&] { group_.SetVertScrollPos(value); });
    });
  }
  void Update(TChange what) override {
    if (what != TChange::Range && what != TChange::Bounds) return;
    bar_->setGeometry(group_.Width() - TCategoryPanelGroup::ScrollBarWidth, 0, TCategoryPanelGroup::ScrollBarWidth,
                      group_.Height());
    bar_->setRange(0, group_.VertScrollRange());
    bar_->setPageStep(group_.Height());
    bar_->setSingleStep(TCategoryPanelGroup::WheelStep / 3);
    bar_->setValue(group_.VertScrollPos());
    bar_->setVisible(group_.ScrollBarVisible());
    bar_->raise();
  }

 private:
  TCategoryPanelGroup& group_;
  QScrollBar* bar_;
};

class TPlainPeer : public TQtPeer {
 public:
  using TQtPeer::TQtPeer;
  bool ClickOnRelease() const override { return true; }
};

}  // namespace

std::unique_ptr<TQtPeer> MakeFormPeer(TControl& control) {
  if (auto* f = dynamic_cast<TCustomForm*>(&control)) return std::make_unique<TFormPeer>(*f, new QMainWindow());
  return nullptr;
}

std::unique_ptr<TQtPeer> MakeContainerPeer(TControl& control) {
  if (auto* p = dynamic_cast<TPanel*>(&control)) return std::make_unique<TPanelPeer>(*p, new QLabel());
  if (auto* g = dynamic_cast<TGroupBox*>(&control)) return std::make_unique<TGroupBoxPeer>(*g, new QGroupBox());
  if (auto* p = dynamic_cast<TPageControl*>(&control)) return std::make_unique<TPageControlPeer>(*p, new QTabWidget());
  if (auto* s = dynamic_cast<TTabSheet*>(&control)) return std::make_unique<TTabSheetPeer>(*s, new QWidget());
  if (auto* p = dynamic_cast<TCategoryPanel*>(&control)) return std::make_unique<TCategoryPanelPeer>(*p, new QWidget());
  if (auto* g = dynamic_cast<TCategoryPanelGroup*>(&control))
    return std::make_unique<TCategoryPanelGroupPeer>(*g, new QWidget());
  return std::make_unique<TPlainPeer>(control, new QWidget());
}
