#include "html/document/forms/FormControlList.h"

#include "html/document/forms/FormControlObj.h"
#include "html/document/model/PlaceholderLookup.h"
#include "platform/ui/WinControl.h"

TFormControlObj* TFormControlObjList::ControlAt(int position) const { return ObjectAt(*this, position); }

int TFormControlObjList::ControlHeightAt(int position, int& verticalAlign) const {
  const TFormControlObj* control = ControlAt(position);
  if (!control) return -1;
  verticalAlign = control->VerticalAlign;
  return control->GetHeight();
}

int TFormControlObjList::ControlWidthAt(int position, int& leftMargin, int& rightMargin) const {
  const TFormControlObj* control = ControlAt(position);
  if (!control) return -1;
  leftMargin = control->HSpaceLeft;
  rightMargin = control->HSpaceRight;
  return control->GetWidth();
}

int TFormControlObjList::DistanceToNextControl(int position) const {
  return DistanceToObject(*this, position, 9999);
}

void TFormControlObjList::ShiftAfterDelete(int position) { MoveObjectsAfter(*this, position); }

void TFormControlObjList::ActivateTabbing() {
  for (int i = 0; i < Count(); ++i) {
    TFormControlObj& control = *Items(i);
    TWinControl* window = control.Window();
    if (control.Shown || !window) continue;
    window->SetLeft(-4000);
    window->Show();
  }
}
