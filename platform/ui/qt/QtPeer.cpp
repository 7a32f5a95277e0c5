#include "platform/ui/qt/QtPeer.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QCoreApplication>
#include <QPalette>
#include <QWheelEvent>

#include "platform/ui/WinControl.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/menus/Menus.h"
#include "platform/ui/qt/QtConvert.h"

TQtPeer::TQtPeer(TControl& control, QWidget* widget) : control_(control), widget_(widget) { Watch(widget); }

void TQtPeer::Place() {
  if (TQtPeer* parent = Of(control_.Parent())) widget_->setParent(parent->Container());
}

TQtPeer::~TQtPeer() {
  // What Qt sends the widget and its inner parts as they go (a last Leave when the pointer
  // is over them, signals of emptied views) is not the user's input: the control is going,
  // and with it perhaps what its handlers refer to.
  if (widget_) {
    Detach(widget_);
    for (QObject* part : widget_->findChildren<QObject*>()) Detach(part);
  }
  delete widget_.data();
}

void TQtPeer::Detach(QObject* object) {
  object->removeEventFilter(this);
  QObject::disconnect(object, nullptr, this, nullptr);
}

TQtPeer* TQtPeer::Of(const TControl* control) { return control ? dynamic_cast<TQtPeer*>(control->Peer()) : nullptr; }

void TQtPeer::Watch(QObject* object) { object->installEventFilter(this); }

void TQtPeer::Attached() {
  Place();
  for (int what = 0; what <= static_cast<int>(TChange::Last); ++what) Changed(static_cast<TChange>(what));
}

void TQtPeer::Run(const std::function<void()>& handler) {
  if (Application)
    Application->RunHandler(handler);
  else
    handler();
}

void TQtPeer::Changed(TChange what) {
  if (!widget_) return;
  PushScope push(*this);
  Common(what);
  Update(what);
}


void TQtPeer::Common(TChange what) {
  switch (what) {
    case TChange::Bounds:
      if (!PlacedByParent()) widget_->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height());
      break;
    case TChange::Visible:
      if (!PlacedByParent()) ShowWidget(control_.Visible());
      break;
    case TChange::Enabled: widget_->setEnabled(control_.Enabled()); break;
    case TChange::Font: {
      widget_->setFont(ToQtFont(control_.Font()));
      if (control_.Font().Color() != clWindowText) {
        QPalette pal = widget_->palette();
        pal.setColor(QPalette::WindowText, ToQtColor(control_.Font().Color()));
        pal.setColor(QPalette::Text, ToQtColor(control_.Font().Color()));
        widget_->setPalette(pal);
      }
      break;
    }
    case TChange::Color: {
      // System colours keep the style's own; other colours fill the background.
      if (control_.Color() < 0) break;
      QPalette pal = widget_->palette();
      pal.setColor(QPalette::Window, ToQtColor(control_.Color()));
      pal.setColor(QPalette::Base, ToQtColor(control_.Color()));
      widget_->setPalette(pal);
      widget_->setAutoFillBackground(true);
      break;
    }
    case TChange::Hint: widget_->setToolTip(ToQt(control_.Hint())); break;
    case TChange::Cursor: widget_->setCursor(ToQtCursor(control_.Cursor())); break;
    case TChange::Focus:
      if (auto* w = dynamic_cast<TWinControl*>(&control_); w && w->Focused()) widget_->setFocus();
      break;
    default: break;
  }
}

QPoint TQtPeer::ToControl(QObject* watched, QPoint p) const {
  if (auto* w = qobject_cast<QWidget*>(watched); w && w != widget_) return w->mapTo(widget_, p);
  return p;
}

namespace {
TMouseButton ToButton(Qt::MouseButton b) {
  if (b == Qt::RightButton) return TMouseButton::mbRight;
  if (b == Qt::MiddleButton) return TMouseButton::mbMiddle;
  return TMouseButton::mbLeft;
}
}  // namespace

bool TQtPeer::eventFilter(QObject* watched, QEvent* event) {
  TControl& c = control_;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      auto* me = static_cast<QMouseEvent*>(event);
      QPoint p = ToControl(watched, me->position().toPoint());
      TShiftState shift = ToShiftState(me->modifiers(), me->buttons());
      TMouseButton button = ToButton(me->button());
      if (event->type() == QEvent::MouseButtonPress) {
        Run([&] { c.MouseDown(button, shift, p.x(), p.y()); });
      } else if (event->type() == QEvent::MouseButtonRelease) {
        Run([&] { c.MouseUp(button, shift, p.x(), p.y()); });
        if (ClickOnRelease() && me->button() == Qt::LeftButton) Run([&] { c.Click(); });
      } else if (event->type() == QEvent::MouseButtonDblClick) {
        // A double click is the left button's, as the controls' DblClick means.
        if (me->button() == Qt::LeftButton) Run([&] { c.DblClickAt(shift, p.x(), p.y()); });
      } else {
        Run([&] { c.MouseMove(shift, p.x(), p.y()); });
      }
      return false;
    }
    case QEvent::Leave:
      if (watched == widget_) Run([&] { c.MouseLeave(); });
      return false;
    case QEvent::KeyPress: {
      auto* w = dynamic_cast<TWinControl*>(&c);
      if (!w) return false;
      auto* ke = static_cast<QKeyEvent*>(event);
      uint16_t key = ToVirtualKey(ke->key());
      if (key) {
        Run([&] { w->KeyDown(key, ToShiftState(ke->modifiers(), Qt::NoButton)); });
        if (key == 0) return true;
      }
      QString text = ke->text();
      if (text.size() == 1 && w->OnKeyPress) {
        Char ch = text.at(0).unicode();
        const Char typed = ch;
        Run([&] { w->KeyPress(ch); });
        if (ch == 0) return true;
        if (ch != typed) {
          // The handler changed the character: the widget gets the new one instead.
          QKeyEvent changed(QEvent::KeyPress, 0, ke->modifiers(), QString(QChar(ch)));
          watched->removeEventFilter(this);
          QCoreApplication::sendEvent(watched, &changed);
          watched->installEventFilter(this);
          return true;
        }
      }
      return false;
    }
    case QEvent::Wheel: {
      auto* we = static_cast<QWheelEvent*>(event);
      QPoint p = ToControl(watched, we->position().toPoint());
      bool handled = false;
      Run([&] { handled = c.MouseWheel(ToShiftState(we->modifiers(), we->buttons()), we->angleDelta().y(), p.x(), p.y()); });
      return handled;
    }
    case QEvent::KeyRelease: {
      auto* w = dynamic_cast<TWinControl*>(&c);
      auto* ke = static_cast<QKeyEvent*>(event);
      uint16_t key = ToVirtualKey(ke->key());
      if (!w || !key) return false;
      Run([&] { w->KeyUp(key, ToShiftState(ke->modifiers(), Qt::NoButton)); });
      return key == 0;
    }
    case QEvent::FocusIn: {
      auto* w = dynamic_cast<TWinControl*>(&c);
      TCustomForm* form = GetParentForm(&c);
      if (w && form && form != &c && w->CanFocus() && !w->Focused()) Run([&] { w->SetFocus(); });
      return false;
    }
    case QEvent::ContextMenu: {
      TPopupMenu* menu = c.PopupMenu();
      if (!menu) return false;
      auto* ce = static_cast<QContextMenuEvent*>(event);
      QPoint global = ce->globalPos();
      Run([&] { menu->Popup(&c, global.x(), global.y()); });
      return true;
    }
    default: return false;
  }
}
