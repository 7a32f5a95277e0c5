// The link between a control and the widget that a window backend shows for it. The
// control owns its state; it tells its peer what changed, and the peer reads the new
// state back from the control. User input flows the other way through the controls'
// User... operations, which the peer calls.
#pragma once

class TControl;

enum class TChange {
  Bounds,
  Visible,
  Enabled,
  Text,  // Caption or Text
  Font,
  Color,
  Hint,
  Cursor,
  Focus,
  Checked,
  Items,  // the item list of a list box, combo box or memo lines
  ItemIndex,
  Selection,
  ReadOnly,  // ReadOnly, and an edit's MaxLength
  ScrollBars,  // a memo's ScrollBars and WordWrap
  Range,  // a scroll bar's Min, Max, PageSize, Position and steps
  Pages,  // the pages of a page control, their captions and TabVisible
  ActivePage,
  Collapsed,
  Cells,  // cell texts of a grid
  GridLayout,  // counts, fixed rows and columns, column widths and row heights, current cell
  Menu,
  Address,  // a web browser's address
  Paint,  // the control asks to be painted again
  Last = Paint,
};

class TControlPeer {
 public:
  virtual ~TControlPeer() = default;
  // The control has taken the peer (Peer() returns it from now on).
  virtual void Attached() {}
  virtual void Changed(TChange what) = 0;
};
