// A list of form controls in the order of their character positions: a form's own list
// (owning), the document's list of every control and a text section's list (not owning).
#pragma once

#include "html/document/forms/FormControlObj.h"
#include "html/foundation/shared/FreeList.h"

class TFormControlObjList : public TFreeList<TFormControlObj> {
 public:
  explicit TFormControlObjList(bool ownsItems) : TFreeList(ownsItems) {}
  ~TFormControlObjList() override { Clear(); }

  // The control at the character position, or nil.
  TFormControlObj* ControlAt(int position) const;
  // The control's height and vertical alignment; -1 when no control is at the position.
  int ControlHeightAt(int position, int& verticalAlign) const;
  // The control's width and margins; -1 when no control is at the position.
  int ControlWidthAt(int position, int& leftMargin, int& rightMargin) const;
  // Characters from the position to the next control at or after it; 9999 when none.
  int DistanceToNextControl(int position) const;
  // Every control after the position moves one character back (a character was deleted).
  void ShiftAfterDelete(int position);
  // Controls with a window that the last paint did not place are shown off-screen, so the
  // keyboard can still tab to them while they are scrolled out of view.
  void ActivateTabbing();
};
