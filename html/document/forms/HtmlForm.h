// A FORM of the document: its action, method, target and encoding, and its controls.
// Submitting collects the name=value lines of the controls and hands them with the form's
// attributes to the document's submit callback (the viewer); nothing is sent from here.
#pragma once

#include <cstdint>
#include <memory>

#include "html/document/forms/FormControlList.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Events.h"

class TAttributeList;
class TCanvas;
class TComponent;
class TRadioButtonFormControlObj;
class ThtDocument;

class ThtmlForm {
 public:
  // ACTION, METHOD, TARGET and ENCTYPE (the last of each wins); METHOD "Get" when absent.
  // Joins the document's form list, which owns it. attributes may be nil.
  ThtmlForm(ThtDocument* document, const TAttributeList* attributes);
  ~ThtmlForm();
  ThtmlForm(const ThtmlForm&) = delete;
  ThtmlForm& operator=(const ThtmlForm&) = delete;

  // Appends the control, which the form then owns (the control's constructor calls it).
  void InsertControl(TFormControlObj* control);
  void ResetControls();
  // The submission lines of every enabled control, then the pressed button's line when
  // not empty, go to the document's submit callback; nothing happens without one.
  void SubmitTheForm(const String& buttonSubmission);
  // Every non-empty submission line of every control (disabled ones too).
  std::unique_ptr<TStringList> GetFormData();
  void SetSizes(TCanvas& canvas);
  // The radio button was clicked: the other members of its group are unchecked.
  void DoRadios(TRadioButtonFormControlObj* radio);
  // Arrow keys of radio buttons move within the group; other keys go to the viewer.
  void ControlKeyDown(TComponent* sender, uint16_t& key, TShiftState shift);
  // Enter in a single-line edit submits the form.
  void ControlKeyPress(TComponent* sender, Char& key);

  ThtDocument* Document;
  String Method = u"Get";
  String Action, Target, EncType;
  TFormControlObjList ControlList{true};
  int32_t NonHiddenCount = 0;
};
