#include "html/document/forms/ButtonControls.h"

#include <algorithm>

#include "html/document/forms/HtmlForm.h"
#include "html/document/forms/InputControls.h"
#include "html/document/forms/PrintImages.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/viewer/ViewerDrawing.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/rtl/Compare.h"
#include "html/foundation/css/Lengths.h"

TButtonFormControlObj::TButtonFormControlObj(ThtDocument* document, TProperties& properties,
                                             TAttributeList& attributes, int sourcePos, const String& type)
    : TFormControlObj(document, attributes, sourcePos), Button(std::make_unique<TButton>(nullptr)) {
  const auto defaultValue = [this](const char16_t* text) {
    if (Value.empty()) Value = text;
  };
  if (type == u"submit") {
    ButtonKind = bkSubmit;
    defaultValue(u"Submit");
  } else if (type == u"reset") {
    ButtonKind = bkReset;
    defaultValue(u"Reset");
  } else if (type == u"file") {
    ButtonKind = bkBrowse;
    Value.clear();
    Name.clear();
    ID.clear();
  } else {
    ButtonKind = bkButton;
    defaultValue(u"Button");
  }
  TakeFont(*Button, properties);
  Button->SetCaption(ButtonKind == bkBrowse ? String(u"Browse...") : Value);
  Button->OnClick = [this](TComponent*) { ButtonClick(); };
  BindWindowEvents(*Button, false, true);
  AttachWindow(*Button);
}

TButtonFormControlObj::~TButtonFormControlObj() = default;

void TButtonFormControlObj::SetHeightWidth(TCanvas& canvas) {
  const int textHeight = FontTextHeight(canvas, Button->Font());
  Button->SetHeight(Height < textHeight ? textHeight + 8 : Height);
  Button->SetWidth(Width >= 10 && !PercentWidth ? Width : canvas.TextWidth(Button->Caption()) + 20);
}

void TButtonFormControlObj::ButtonClick() {
  FormControlClick();
  switch (ButtonKind) {
    case bkSubmit: Form->SubmitTheForm(Name.empty() ? String() : Name + u"=" + Value); break;
    case bkReset: Form->ResetControls(); break;
    case bkBrowse:
      if (Document->OnFileBrowse && EditControl) {
        String fileName = EditControl->Edit->Text();
        Document->OnFileBrowse(*EditControl, fileName);
        EditControl->Edit->SetText(fileName);
      }
      break;
    default: break;
  }
}

void TButtonFormControlObj::Draw(TCanvas& canvas, int x, int y) {
  // The button's face with its caption centred; white on a monochrome printer when black
  // printing is asked for.
  const TRect box{x, y, x + Button->Width(), y + Button->Height()};
  DrawControlBox3D(canvas, box.Left, box.Top, box.Right, box.Bottom, true, Document->PrintMonochromeBlack, false,
                   Document->PrintMonochromeBlack ? clWhite : clBtnFace);
  canvas.Font().Assign(Button->Font());
  const TSize extent = canvas.TextExtent(Button->Caption());
  DrawClippedText(canvas, Button->Font(), TRect{box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2},
                  box.Left + (box.Width() - extent.cx) / 2, box.Top + (box.Height() - extent.cy) / 2,
                  Button->Caption());
}

TCheckBoxFormControlObj::TCheckBoxFormControlObj(ThtDocument* document, TProperties&, TAttributeList& attributes,
                                                 int sourcePos)
    : TFormControlObj(document, attributes, sourcePos), CheckBox(std::make_unique<TFormCheckBox>(nullptr)) {
  if (Value.empty()) Value = u"on";
  VerticalAlign = 3;
  TAttribute* checked = nullptr;
  IsChecked = attributes.FindSymbol(FormAttr::Checked, checked);
  CheckBox->SetBounds(OffScreenX, 0, 13, 13);
  CheckBox->OnKeyDown = [this](TComponent* sender, uint16_t& key, TShiftState shift) {
    Form->ControlKeyDown(sender, key, shift);
  };
  BindWindowEvents(*CheckBox, true, true);
  CheckBox->SetChecked(IsChecked);
  AttachWindow(*CheckBox);
}

TCheckBoxFormControlObj::~TCheckBoxFormControlObj() = default;

bool TCheckBoxFormControlObj::GetSubmission(int index, String& line) {
  if (index != 0 || !CheckBox->Checked()) return false;
  line = Name + u"=" + Value;
  return true;
}

void TCheckBoxFormControlObj::ResetToValue() { CheckBox->SetChecked(IsChecked); }
void TCheckBoxFormControlObj::SetDataInit() { CheckBox->SetChecked(false); }
void TCheckBoxFormControlObj::SetData(int, const String& value) {
  if (AnsiSameText(value, Value)) CheckBox->SetChecked(true);
}
void TCheckBoxFormControlObj::SaveContents() { SavedChecked = CheckBox->Checked(); }
void TCheckBoxFormControlObj::DoOnChange() {
  if (CheckBox->Checked() != SavedChecked) ReportChange();
}

void TCheckBoxFormControlObj::Draw(TCanvas& canvas, int x, int y) {
  DrawControlBox3D(canvas, x, y, x + 13, y + 13, false, Document->PrintMonochromeBlack, Disabled, clWhite);
  if (!CheckBox->Checked()) return;
  const int mid = y + CheckBox->Height() / 2;
  const TColor oldColor = canvas.Pen().Color();
  const int oldWidth = canvas.Pen().Width();
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetWidth(1);
  for (int d = 0; d < 2; ++d) {  // two pixels thick
    canvas.MoveTo(x + 3, mid + d);
    canvas.LineTo(x + 5, mid + 2 + d);
    canvas.LineTo(x + 9, mid - 2 + d);
  }
  canvas.Pen().SetColor(oldColor);
  canvas.Pen().SetWidth(oldWidth);
}

TRadioButtonFormControlObj::TRadioButtonFormControlObj(ThtDocument* document, TProperties&,
                                                       TAttributeList& attributes, int sourcePos, TCellBasic* cell)
    : TFormControlObj(document, attributes, sourcePos),
      RadioButton(std::make_unique<TFormRadioButton>(nullptr)),
      Cell(cell) {
  VerticalAlign = 3;
  TAttribute* checked = nullptr;
  IsChecked = attributes.FindSymbol(FormAttr::Checked, checked);
  if (ScreenPixelsPerInch() <= 100)
    RadioButton->SetBounds(OffScreenX, 0, 13, 14);
  else
    RadioButton->SetBounds(OffScreenX, 0, 16, 16);
  RadioButton->GroupName = Name;
  bool firstOfGroup = true;
  for (int i = 0; i < Form->ControlList.Count(); ++i) {
    auto* other = dynamic_cast<TRadioButtonFormControlObj*>(Form->ControlList.Items(i));
    if (!other || other == this || !AnsiSameText(other->Name, Name)) continue;
    firstOfGroup = false;
    if (!IsChecked) break;
    other->IsChecked = false;
    other->SetChecked(false);
    other->SetTabStop(false);
  }
  RadioButton->SetTabStop(IsChecked || firstOfGroup);
  RadioButton->OnKeyDown = [this](TComponent* sender, uint16_t& key, TShiftState shift) {
    Form->ControlKeyDown(sender, key, shift);
  };
  RadioButton->OnClick = [this](TComponent*) {
    RadioButton->SetTabStop(true);
    Form->DoRadios(this);
    FormControlClick();
  };
  BindWindowEvents(*RadioButton, false, true);
  RadioButton->SetChecked(IsChecked);
  AttachWindow(*RadioButton);
}

TRadioButtonFormControlObj::~TRadioButtonFormControlObj() = default;

bool TRadioButtonFormControlObj::GetSubmission(int index, String& line) {
  if (index != 0 || !Checked()) return false;
  line = Name + u"=" + Value;
  return true;
}

void TRadioButtonFormControlObj::ResetToValue() { SetChecked(IsChecked); }
void TRadioButtonFormControlObj::SetData(int, const String& value) {
  if (AnsiSameText(value, Value)) SetChecked(true);
}
void TRadioButtonFormControlObj::SaveContents() { SavedChecked = Checked(); }
void TRadioButtonFormControlObj::DoOnChange() {
  if (Checked() != SavedChecked) ReportChange();
}

void TRadioButtonFormControlObj::Draw(TCanvas& canvas, int x, int y) {
  const bool mono = Document->PrintMonochromeBlack;
  const TColor oldPen = canvas.Pen().Color(), oldBrush = canvas.Brush().Color();
  const int oldWidth = canvas.Pen().Width();
  const TBrushStyle oldBrushStyle = canvas.Brush().Style();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Disabled && !mono ? clBtnFace : clWhite);
  canvas.Pen().SetColor(Disabled && !mono ? clBtnFace : clWhite);
  canvas.Ellipse(x, y, x + 14, y + 14);
  canvas.Pen().SetWidth(mono ? 1 : 2);
  canvas.Pen().SetColor(mono ? clBlack : clBtnShadow);
  canvas.Arc(x, y, x + 14, y + 14, x + 12, y + 2, x + 2, y + 12);  // upper left
  canvas.Pen().SetColor(mono ? clBlack : clBtnHighlight);
  canvas.Arc(x, y, x + 14, y + 14, x + 2, y + 12, x + 12, y + 2);  // lower right
  if (Checked()) {
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(clBlack);
    canvas.Ellipse(x + 5, y + 5, x + 9, y + 9);
  }
  canvas.Pen().SetColor(oldPen);
  canvas.Pen().SetWidth(oldWidth);
  canvas.Brush().SetColor(oldBrush);
  canvas.Brush().SetStyle(oldBrushStyle);
}
