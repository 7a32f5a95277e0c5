#include "html/document/forms/HtmlForm.h"

#include "html/document/forms/FormControlObj.h"
#include "html/document/forms/ButtonControls.h"
#include "html/document/forms/InputControls.h"
#include "html/document/model/Document.h"
#include "html/foundation/globals/HtEdit.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/rtl/Compare.h"
#include "platform/ui/WinControl.h"

ThtmlForm::ThtmlForm(ThtDocument* document, const TAttributeList* attributes) : Document(document) {
  if (attributes)
    for (int i = 0; i < attributes->Count(); ++i) {
      const TAttribute& a = *attributes->AttributeAt(i);
      switch (a.Symbol) {
        case FormAttr::Action: Action = a.ValueText; break;
        case FormAttr::Method: Method = a.ValueText; break;
        case TargetAttrSy: Target = a.ValueText; break;
        case FormAttr::EncType: EncType = a.ValueText; break;
        default: break;
      }
    }
  Document->FormList.Add(this);
}

ThtmlForm::~ThtmlForm() {
  ControlList.Clear();
  if (Document->CurrentForm == this) Document->CurrentForm = nullptr;
}

void ThtmlForm::InsertControl(TFormControlObj* control) {
  ControlList.Add(control);
  ++NonHiddenCount;  // a hidden field takes itself out of the count once it is made
}

void ThtmlForm::ResetControls() {
  for (int i = 0; i < ControlList.Count(); ++i) ControlList.Items(i)->ResetToValue();
}

void ThtmlForm::SubmitTheForm(const String& buttonSubmission) {
  if (!Document->OnFormSubmit) return;
  auto results = std::make_unique<TStringList>();
  for (int i = 0; i < ControlList.Count(); ++i) {
    TFormControlObj& control = *ControlList.Items(i);
    if (control.Disabled) continue;
    String line;
    for (int index = 0; control.GetSubmission(index, line); ++index)
      if (!line.empty()) results->Add(line);
  }
  if (!buttonSubmission.empty()) results->Add(buttonSubmission);
  auto submit = Document->OnFormSubmit;  // the receiver may replace the handler
  submit(Action, Target, EncType, Method, std::move(results));
}

std::unique_ptr<TStringList> ThtmlForm::GetFormData() {
  auto data = std::make_unique<TStringList>();
  for (int i = 0; i < ControlList.Count(); ++i) {
    TFormControlObj& control = *ControlList.Items(i);
    String line;
    for (int index = 0; control.GetSubmission(index, line); ++index)
      if (!line.empty()) data->Add(line);
  }
  return data;
}

void ThtmlForm::SetSizes(TCanvas& canvas) {
  for (int i = 0; i < ControlList.Count(); ++i) ControlList.Items(i)->SetHeightWidth(canvas);
}

namespace {
bool SameGroup(const TRadioButtonFormControlObj& a, const TFormControlObj& b) {
  return dynamic_cast<const TRadioButtonFormControlObj*>(&b) && AnsiSameText(a.Name, b.Name);
}
}  // namespace

void ThtmlForm::DoRadios(TRadioButtonFormControlObj* radio) {
  if (radio->Name.empty()) return;
  for (int i = 0; i < ControlList.Count(); ++i) {
    auto* other = dynamic_cast<TRadioButtonFormControlObj*>(ControlList.Items(i));
    if (!other || other == radio || !SameGroup(*radio, *other)) continue;
    other->SetChecked(false);
    other->SetTabStop(false);
    other->DoOnChange();
  }
}

void ThtmlForm::ControlKeyDown(TComponent* sender, uint16_t& key, TShiftState shift) {
  const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
  TRadioButtonFormControlObj* radio = nullptr;
  for (int i = 0; i < ControlList.Count() && arrow; ++i) {
    auto* candidate = dynamic_cast<TRadioButtonFormControlObj*>(ControlList.Items(i));
    if (candidate && candidate->Window() == sender) radio = candidate;
  }
  if (!radio) {
    if (Document->OnControlKeyDown) Document->OnControlKeyDown(key, shift);
    return;
  }
  const int here = ControlList.IndexOf(radio);
  const int step = key == VK_RIGHT || key == VK_DOWN ? 1 : -1;
  for (int i = here + step; i >= 0 && i < ControlList.Count(); i += step) {
    TFormControlObj& other = *ControlList.Items(i);
    if (!SameGroup(*radio, other)) continue;
    if (TWinControl* window = other.Window(); window && window->CanFocus()) window->SetFocus();
    break;
  }
}

void ThtmlForm::ControlKeyPress(TComponent* sender, Char& key) {
  if (key != u'\r' || !dynamic_cast<ThtEdit*>(sender)) return;
  SubmitTheForm(String());
  key = 0;
}
