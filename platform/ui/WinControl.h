// TWinControl: a control that holds child controls and can take the keyboard focus.
#pragma once

#include <vector>

#include "platform/gdi/geometry/Geometry.h"
#include "platform/ui/Control.h"

class TCustomForm;

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;

  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }

  // Makes this control the focused control of its form; raises OnExit on the control that
  // had the focus and OnEnter on this one. Fails for a control that cannot take the focus.
  void SetFocus();
  bool Focused() const;
  virtual bool CanFocus() const;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  // Raise the keyboard events as typing does; the handler may change or swallow the key.
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyPress(Char& key);
  virtual void KeyUp(uint16_t& key, TShiftState shift);

  void PeerNeeded() override;
  void DestroyPeer() override;

  // Places the visible aligned children, in the order they were added: top, bottom, left
  // and right ones along the edges of what is left of the client area, then the client
  // ones over the rest.
  virtual void AlignControls();
  // The area the children are placed in, in their coordinates.
  virtual TRect ClientRect() const;

 protected:
  friend class TControl;
  friend class TCustomForm;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // A child was added or removed (a page control tracks its pages this way).
  virtual void ControlsChanged() {}

 private:
  std::vector<TControl*> controls_;
  bool tabStop_ = false;
  bool aligning_ = false;
};

// The form that holds the control, or nullptr.
TCustomForm* GetParentForm(const TControl* control);
