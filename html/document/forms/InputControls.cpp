#include "html/document/forms/InputControls.h"

#include <algorithm>

#include "html/document/floats/ImageObj.h"
#include "html/document/forms/HtmlForm.h"
#include "html/document/forms/PrintImages.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/fonts/MyFont.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/rtl/IntConvert.h"

THiddenFormControlObj::THiddenFormControlObj(ThtDocument* document, TAttributeList& attributes, int sourcePos)
    : TFormControlObj(document, attributes, sourcePos) {
  // The base joined the form before this class was made: it counted as a visible field.
  --Form->NonHiddenCount;
}

bool THiddenFormControlObj::GetSubmission(int index, String& line) {
  if (index != 0) return false;
  line = Name + u"=" + Value;
  return true;
}

void THiddenFormControlObj::SetData(int, const String& value) { SetValue(value); }

namespace {
// SIZE of an edit: its number when above 0, else the digits before a comma or blank
// ("30, 2" gives 30; a text that is no number gives 20); always 1..MaxFieldCount.
int EditSizeOf(const TAttribute& size, int current) {
  if (size.Number > 0) return ClampedFieldCount(size.Number);
  const size_t cut = size.ValueText.find_first_of(u", ");
  if (cut == String::npos || cut == 0) return current;
  return ClampedFieldCount(StrToIntDef(size.ValueText.substr(0, cut), 20));
}
}  // namespace

TEditFormControlObj::TEditFormControlObj(ThtDocument* document, TProperties& properties, TAttributeList& attributes,
                                         int sourcePos, const String& type)
    : TFormControlObj(document, attributes, sourcePos), Edit(std::make_unique<ThtEdit>(nullptr)) {
  CodePage = properties.CodePage;
  TAttribute* attribute = nullptr;
  if (attributes.FindSymbol(FormAttr::Size, attribute)) EditSize = EditSizeOf(*attribute, EditSize);
  Edit->SetWidth(120);
  HasBorder = !properties.HasVisibleBorder();
  TakeFont(*Edit, properties);
  Height = Edit->Height();
  std::unique_ptr<TMyFont> font = properties.MakeFont();
  CharWidth = font ? font->AverageWidth : 0;
  Edit->SetText(Value);
  if (attributes.FindSymbol(FormAttr::MaxLength, attribute) && attribute->Number > 0)
    Edit->SetMaxLength(ClampedFieldCount(attribute->Number));
  if (type == u"password") Edit->SetPasswordChar(u'*');
  Edit->OnKeyPress = [this](TComponent* sender, Char& key) { Form->ControlKeyPress(sender, key); };
  BindWindowEvents(*Edit, true, true);
  Edit->SetReadOnly(ReadOnly);
  AttachWindow(*Edit);
}

TEditFormControlObj::~TEditFormControlObj() = default;

void TEditFormControlObj::ProcessProperties(TProperties& properties) {
  TFormControlObj::ProcessProperties(properties);
  ApplyBkColor();
}

void TEditFormControlObj::SetHeightWidth(TCanvas& canvas) {
  if (PercentWidth) {
    Edit->SetLeft(OffScreenX);
    Edit->SetWidth(10);
  } else if (Width >= 10) {
    Edit->SetWidth(Width);
  } else {
    Edit->SetWidth(static_cast<int>(static_cast<int64_t>(CharWidth) * EditSize + 23));
  }
  const int textHeight = std::max(FontTextHeight(canvas, Edit->Font()), 10);
  Edit->SetHeight(std::max(textHeight, Height));
}

bool TEditFormControlObj::GetSubmission(int index, String& line) {
  if (index != 0) return false;
  line = Name + u"=" + Edit->Text();
  return true;
}

void TEditFormControlObj::ResetToValue() { Edit->SetText(Value); }
void TEditFormControlObj::SetData(int, const String& value) { Edit->SetText(value); }
void TEditFormControlObj::SaveContents() { SavedText = Edit->Text(); }

void TEditFormControlObj::DoOnChange() {
  if (Edit->Text() != SavedText) ReportChange();
}

void TEditFormControlObj::Draw(TCanvas& canvas, int x, int y) {
  const TRect box{x, y, x + Edit->Width(), y + Edit->Height()};
  const int inset = HasBorder ? 4 : 2;
  DrawFieldFrame(canvas, box, HasBorder, Edit->Color(), *Document);
  // A password prints as it shows: one "*" per character.
  const String text = Edit->PasswordChar() ? String(Edit->Text().size(), Edit->PasswordChar()) : Edit->Text();
  const int textHeight = FontTextHeight(canvas, Edit->Font());
  DrawClippedText(canvas, Edit->Font(), TRect{box.Left + inset, box.Top + 1, box.Right - inset, box.Bottom - 1},
                  box.Left + inset, box.Top + (box.Height() - textHeight) / 2, text);
}

TImageFormControlObj::TImageFormControlObj(ThtDocument* document, TAttributeList& attributes, int sourcePos)
    : TFormControlObj(document, attributes, sourcePos), Button(std::make_unique<TButton>(nullptr)) {
  Button->SetBounds(OffScreenX, 0, 1, 1);
  BindWindowEvents(*Button, true, false);
  AttachWindow(*Button);
}

TImageFormControlObj::~TImageFormControlObj() {
  if (ImageObj && ImageObj->FormControl == this) ImageObj->FormControl = nullptr;
}

bool TImageFormControlObj::GetSubmission(int index, String& line) {
  if (XPos < 0 || index > 1) return false;
  const String prefix = Name.empty() ? String() : Name + u".";
  if (index == 0) {
    line = prefix + u"x=" + IntToStr(XPos);
  } else {
    line = prefix + u"y=" + IntToStr(YPos);
    XPos = -1;
  }
  return true;
}

void TImageFormControlObj::ProcessProperties(TProperties& properties) {
  if (ImageObj) ImageObj->ApplyProperties(properties);
}

void TImageFormControlObj::ImageClick() {
  if (Button->CanFocus()) Button->SetFocus();
  FormControlClick();
  XPos = ClickX;
  YPos = ClickY;
  if (!Disabled) Form->SubmitTheForm(String());
}
