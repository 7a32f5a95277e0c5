// The base of the Qt peers: a widget that shows one control. Properties flow from the
// control to the widget through Changed; the user's input flows back through the
// control's User... operations and events, run as the message loop runs handlers.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/ui/Control.h"
#include "platform/ui/Peer.h"

class TQtPeer : public QObject, public TControlPeer {
 public:
  // Takes the widget; Init places it in the parent control's container.
  TQtPeer(TControl& control, QWidget* widget);
  ~TQtPeer() override;

  // Places the widget and pushes every property of the control to it.
  void Attached() override;
  void Changed(TChange what) final;
  QWidget* Widget() const { return widget_; }
  // Where the widgets of child controls go.
  virtual QWidget* Container() const { return widget_; }
  TControl& Control() const { return control_; }

  // The peer of a control, or nullptr.
  static TQtPeer* Of(const TControl* control);

 protected:
  // Kind-specific updates; the common properties are handled before.
  virtual void Update(TChange) {}
  // Puts the widget into the parent control's widget.
  virtual void Place();
  // Shows or hides the widget when the control's Visible changes.
  virtual void ShowWidget(bool visible) { widget_->setVisible(visible); }
  // The parent places the widget itself (a tab page, for example).
  virtual bool PlacedByParent() const { return false; }
  // A release of the left button over the widget raises OnClick (controls without a
  // click signal of their own).
  virtual bool ClickOnRelease() const { return false; }
  // Whether a mouse event at a widget position belongs to the control, and where.
  virtual QPoint ToControl(QObject* watched, QPoint p) const;
  // Watches the events of another widget of the peer (a viewport, an inner line edit).
  void Watch(QObject* object);
  // Runs a handler as the loop does: an exception is shown and stops there.
  void Run(const std::function<void()>& handler);
  // True while the widget is being set from the model; its signals are then not input.
  bool Pushing() const { return pushing_ > 0; }
  struct PushScope {
    explicit PushScope(TQtPeer& p) : peer(p) { ++peer.pushing_; }
    ~PushScope() { --peer.pushing_; }
    TQtPeer& peer;
  };

  bool eventFilter(QObject* watched, QEvent* event) override;

  TControl& control_;
  QPointer<QWidget> widget_;

 private:
  void Common(TChange what);
  // Stops watching the object's events and signals.
  void Detach(QObject* object);
  int pushing_ = 0;
};
