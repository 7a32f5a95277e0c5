// Form controls in the text of a section: making the control of a field tag, and placing
// its window (on screen) or its print image (printing copies) where its line is painted.
#include "html/document/floats/ImageObj.h"
#include "html/document/forms/ButtonControls.h"
#include "html/document/forms/InputControls.h"
#include "html/document/forms/OptionControls.h"
#include "html/document/forms/TextAreaControl.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Cells.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/gdi/canvas/Canvas.h"

namespace {
// Start symbols of the field tags.
constexpr uint8_t TextAreaTagSy = 177, SelectTagSy = 178;
}  // namespace

TFormControlObj* TSection::AddFormControl(uint8_t tagSymbol, TProperties& properties, int sourcePosition,
                                          TCellBasic* cell, TAttributeList& attributes) {
  const auto place = [&](TFormControlObj* control) {
    control->CharPos = static_cast<int>(Text.size());
    OwnFormControls().Add(control);
    const Char placeholder = FormControlChar;
    AppendChars(&placeholder, &sourcePosition, 1);
  };
  TAttribute* attribute = nullptr;
  TFormControlObj* control = nullptr;
  if (tagSymbol == SelectTagSy) {
    const bool list = attributes.FindSymbol(FormAttr::Multiple, attribute) ||
                      (attributes.FindSymbol(FormAttr::Size, attribute) && attribute->Number > 1);
    if (list) control = new TListBoxFormControlObj(Document, properties, attributes, sourcePosition);
    else control = new TComboFormControlObj(Document, properties, attributes, sourcePosition);
    place(control);
  } else if (tagSymbol == TextAreaTagSy) {
    control = new TTextAreaFormControlObj(Document, properties, attributes, sourcePosition);
    place(control);
  } else {
    const String type =
        attributes.FindSymbol(TypeAttrSy, attribute) ? LowerCaseText(attribute->ValueText) : String(u"text");
    if (type == u"submit" || type == u"reset" || type == u"button") {
      control = new TButtonFormControlObj(Document, properties, attributes, sourcePosition, type);
      place(control);
    } else if (type == u"radio") {
      control = new TRadioButtonFormControlObj(Document, properties, attributes, sourcePosition, cell);
      place(control);
    } else if (type == u"checkbox") {
      control = new TCheckBoxFormControlObj(Document, properties, attributes, sourcePosition);
      place(control);
    } else if (type == u"hidden") {
      control = new THiddenFormControlObj(Document, attributes, sourcePosition);
    } else if (type == u"image") {
      auto* imageControl = new TImageFormControlObj(Document, attributes, sourcePosition);
      TImageObj* image = AddImage(attributes, cell, sourcePosition);
      image->FormControl = imageControl;
      imageControl->ImageObj = image;
      control = imageControl;
    } else {
      auto* edit = new TEditFormControlObj(Document, properties, attributes, sourcePosition, type);
      place(edit);
      if (type == u"file") {
        auto* browse = new TButtonFormControlObj(Document, properties, attributes, sourcePosition, type);
        browse->EditControl = edit;
        place(browse);
        const String id = attributes.GetIdentifier();
        if (!id.empty()) Document->IdList.Register(id, edit);
      }
      control = edit;
    }
  }
  if (properties.BorderStyleDeclared()) Document->OpenInlineBorder(sourcePosition, properties);
  return control;
}

void TSection::DrawControl(TCanvas& canvas, TFormControlObj& control, const LineRec& line, int x, int lineTop) {
  control.Shown = true;
  // Controls stand on the bottom of the line's text (its descent included), as the line's
  // height was made for them.
  const int textTop = lineTop + line.SpaceBefore;
  const int textBottom = textTop + line.LineHeight;
  const int height = control.GetHeight();
  int top = 0;
  switch (control.VerticalAlign) {
    case AlignTop: top = textTop + control.VSpaceTop; break;
    case AlignMiddle: top = textBottom - (height + line.LineHeight) / 2; break;
    case AlignBaseline: top = textBottom - height - control.VSpaceBottom - line.Descent; break;
    default: top = textBottom - height - control.VSpaceBottom; break;
  }
  auto* radio = dynamic_cast<TRadioButtonFormControlObj*>(&control);
  auto* check = dynamic_cast<TCheckBoxFormControlObj*>(&control);
  if (radio) top += 2;
  else if (check) top += 1;
  const int left = x + control.HSpaceLeft;
  const int windowTop = top - Document->YOffset;
  if (Document->IsCopy) {
    control.Draw(canvas, left, windowTop);
    return;
  }
  if (TWinControl* window = control.Window()) {
    window->SetBounds(left, windowTop, window->Width(), window->Height());
    window->Show();
    if (radio) {
      const TCellBasic* cell = radio->Cell;
      window->SetColor(cell && cell->CellBackground != clNone ? cell->CellBackground : Document->BackgroundColor);
    }
    if ((radio || check) && window->Focused() && Document->Viewer && Document->Viewer->DrawsFocusRect()) {
      const bool small = ScreenPixelsPerInch() < 101;
      const TRect focus = radio ? (small ? TRect{left - 3, windowTop - 2, left + 16, windowTop + 16}
                                         : TRect{left - 2, windowTop - 2, left + 18, windowTop + 18})
                                : TRect{left - 3, windowTop - 3, left + 16, windowTop + 16};
      canvas.DrawFocusRect(focus);
    }
  }
}
