// TControl: the base of everything shown in a window. It owns its state (position, size,
// visibility, text, font, colours, events); a backend may attach a peer widget that shows it.
#pragma once

#include <memory>

#include "platform/ui/Component.h"
#include "platform/gdi/canvas/GraphicsObjects.h"
#include "platform/ui/Events.h"
#include "platform/ui/Peer.h"

class TWinControl;
class TPopupMenu;
struct TMessage;

// Where a control sits in its parent: docked to an edge (taking the parent's whole width
// or height there), filling what the docked controls leave, or where its bounds say.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The last three show the directions of scrolling with the middle mouse button.
enum class TCursor {
  crDefault, crArrow, crIBeam, crHourGlass, crHandPoint, crCross, crSizeWE, crSizeNS,
  crScrollUpDown, crScrollUpOnly, crScrollDownOnly,
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* value);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // Raises OnResize when the size changed.
  void SetBounds(int left, int top, int width, int height);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and all parents visible.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  // Caption and Text are the same string of a control.
  const String& Caption() const { return text_; }
  void SetCaption(const String& value) { SetText(value); }
  virtual String Text() const { return text_; }
  virtual void SetText(const String& value);

  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* value) { popupMenu_ = value; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

  // Raise the events as the user's actions do; peers and tests call them.
  virtual void Click();
  virtual void DblClick();
  // A double click of the left button at the point (control coordinates); the default
  // raises OnDblClick through DblClick.
  virtual void DblClickAt(TShiftState shift, int x, int y);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // True when a handler took the wheel.
  virtual bool MouseWheel(TShiftState shift, int wheelDelta, int x, int y);
  // The pointer left the control.
  virtual void MouseLeave();

  // Handles a message posted to this control with TApplication::PostMessage.
  virtual void HandleMessage(TMessage& message);

  TControlPeer* Peer() const { return peer_.get(); }
  // Creates the peer (and those of the children) when the control sits in a window that
  // the backend shows; does nothing when it has one or when the backend makes none.
  virtual void PeerNeeded();
  // Drops the peer (and those of the children) without touching the control's state.
  virtual void DestroyPeer();

 protected:
  void Changed(TChange what) {
    if (peer_) peer_->Changed(what);
  }
  // The parent places its aligned children again.
  void RequestAlign();
  // Narrows a size asked for to the sizes the control can take (SetBounds applies it).
  virtual void ConstrainSize(int& /*width*/, int& /*height*/) const {}

 private:
  friend class TWinControl;
  friend class TCustomForm;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool enabled_ = true;
  String text_;
  TFont font_;
  TColor color_ = clBtnFace;
  String hint_;
  TCursor cursor_ = TCursor::crDefault;
  TPopupMenu* popupMenu_ = nullptr;
  std::unique_ptr<TControlPeer> peer_;
};
