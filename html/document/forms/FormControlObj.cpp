#include "html/document/forms/FormControlObj.h"

#include <algorithm>
#include <cmath>

#include "html/document/forms/HtmlForm.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/BoxValues.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/fonts/MyFont.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "html/foundation/globals/TextHelpers.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/ui/controls/CustomControl.h"

namespace {
// Style sizes beyond this are taken as this (no window grows past it).
constexpr int32_t MaxStyleSize = 10000000;
}  // namespace

int ClampedFieldCount(double number) {
  if (std::isnan(number)) return 1;
  return static_cast<int>(std::clamp(number, 1.0, static_cast<double>(MaxFieldCount)));
}

TFormControlObj::TFormControlObj(ThtDocument* document, TAttributeList& attributes, int sourcePos)
    : SourcePos(sourcePos), Document(document) {
  if (!Document->CurrentForm) Document->CurrentForm = new ThtmlForm(Document, nullptr);
  Document->AllFormControls.Add(this);
  Form = Document->CurrentForm;

  for (int i = 0; i < attributes.Count(); ++i) {
    const TAttribute& a = *attributes.AttributeAt(i);
    switch (a.Symbol) {
      case FormAttr::Disabled:
        Disabled = LowerCaseText(a.ValueText) != u"no" && a.ValueText != u"0";
        break;
      case IdAttrSy: ID = a.ValueText; break;
      case NameAttrSy: Name = a.ValueText; break;
      case FormAttr::OnBlur: OnBlurText = a.ValueText; break;
      case FormAttr::OnChange: OnChangeText = a.ValueText; break;
      case FormAttr::OnClick: OnClickText = a.ValueText; break;
      case FormAttr::OnFocus: OnFocusText = a.ValueText; break;
      case FormAttr::ReadOnly: ReadOnly = true; break;
      case TabIndexAttrSy:
        if (a.Number >= 1)
          Document->TabOrderList.AddObject(TabOrderKey(a.Number, Document->TabOrderList.Count()),
                                           static_cast<TTabOrderTarget*>(this));
        break;
      case TitleAttrSy: Title = a.ValueText; break;
      case FormAttr::Value: SetValue(a.ValueText); break;
      default: break;
    }
  }
  const String id = attributes.GetIdentifier();
  if (!id.empty()) Document->IdList.Register(id, this);
  for (const String& line : attributes.ToNameValueList()) AttributeList.Add(line);
  VerticalAlign = 4;
  Form->InsertControl(this);
}

TFormControlObj::~TFormControlObj() {
  Document->AllFormControls.Extract(this);
  Document->IdList.RemoveObject(this);
  for (int i = Document->TabOrderList.Count() - 1; i >= 0; --i)
    if (Document->TabOrderList.Objects(i) == static_cast<TTabOrderTarget*>(this)) Document->TabOrderList.Delete(i);
}

int TFormControlObj::GetHeight() const { return Window() ? Window()->Height() : 0; }
int TFormControlObj::GetLeft() const { return Window() ? Window()->Left() : OffScreenX; }
int TFormControlObj::GetTabOrder() const { return Window() ? Window()->TabOrder() : -1; }
bool TFormControlObj::GetTabStop() const { return Window() && Window()->TabStop(); }
int TFormControlObj::GetTop() const { return Window() ? Window()->Top() : 0; }
int TFormControlObj::GetWidth() const { return Window() ? Window()->Width() : 0; }

void TFormControlObj::SetHeight(int value) {
  if (Window()) Window()->SetHeight(value);
}
void TFormControlObj::SetLeft(int value) {
  if (Window()) Window()->SetLeft(value);
}
void TFormControlObj::SetTabOrder(int value) {
  if (Window()) Window()->SetTabOrder(value);
}
void TFormControlObj::SetTabStop(bool value) {
  if (Window()) Window()->SetTabStop(value);
}
void TFormControlObj::SetTop(int value) {
  if (Window()) Window()->SetTop(value);
}
void TFormControlObj::SetWidth(int value) {
  if (Window()) Window()->SetWidth(value);
}

bool TFormControlObj::GetSubmission(int, String&) { return false; }
void TFormControlObj::Draw(TCanvas&, int, int) {}
void TFormControlObj::SetData(int, const String&) {}
void TFormControlObj::SetHeightWidth(TCanvas&) {}

void TFormControlObj::Hide() {
  if (Window()) Window()->Hide();
}

void TFormControlObj::Show() {
  if (Window()) Window()->Show();
}

void TFormControlObj::SetBackgroundColor(TColor color) {
  if (Window()) Window()->SetColor(color);
}

void TFormControlObj::ApplyBkColor() {
  if (BkColor != clNone) SetBackgroundColor(BkColor);
}

void TFormControlObj::ProcessProperties(TProperties& properties) {
  TVMarginArray values;
  ReadBoxValues(properties, values);
  TIntBoxArray box{};
  int autoCount = 0;
  ConvertBoxValues(values, 100, 100, box, autoCount, 0, properties.ExHeight, properties.EmHeight);
  const TPropValue& widthValue = values[BoxEntry(::Width)];
  PercentWidth = widthValue.IsText() && widthValue.AsText().find(u'%') != String::npos;

  VSpaceTop = VSpaceBottom = 1;
  // A margin given in the style replaces the default; "auto" counts as not given.
  const auto take = [&](int property, int32_t& space) {
    const TPropValue& raw = values[BoxEntry(property)];
    if (raw.IsEmpty() || (raw.IsInt() && raw.AsInt() == UnsetSentinel) || (raw.IsText() && raw.AsText() == u"auto"))
      return;
    bool gap = false;
    const int32_t v = property == MarginTop || property == MarginBottom
                          ? ConvertVerticalMargin(raw, 100, properties.EmHeight, properties.ExHeight, gap)
                          : box[BoxEntry(property)];
    space = std::clamp(v, -MaxStyleSize, MaxStyleSize);
  };
  take(MarginLeft, HSpaceLeft);
  take(MarginRight, HSpaceRight);
  take(MarginTop, VSpaceTop);
  take(MarginBottom, VSpaceBottom);
  if (properties.HasVisibleBorder()) {
    const auto border = [&box](int property) { return std::clamp(box[BoxEntry(property)], 0, MaxStyleSize); };
    HSpaceLeft += border(BorderLeftWidth);
    HSpaceRight += border(BorderRightWidth);
    BorderTop = border(BorderTopWidth);
    BorderBottom = border(BorderBottomWidth);
    VSpaceTop += BorderTop;
    VSpaceBottom += BorderBottom;
  }
  const int32_t width = box[BoxEntry(::Width)], height = box[BoxEntry(::Height)];
  if (width > 0) {
    if (PercentWidth && width > 100) PercentWidth = false;
    else Width = std::min(width, MaxStyleSize);
  }
  if (height > 0) Height = std::max(0, std::min(height, MaxStyleSize) - BorderTop - BorderBottom);
  int kind = 0;
  if (properties.ReadVerticalAlign(kind)) VerticalAlign = static_cast<uint8_t>(kind);
  BkColor = properties.OwnBackgroundColor();
}

bool TFormControlObj::HasVisibleBorder(TProperties& properties) { return properties.HasVisibleBorder(); }

void TFormControlObj::TakeFont(TWinControl& window, TProperties& properties) {
  if (std::unique_ptr<TMyFont> font = properties.MakeFont()) window.SetFont(*font);
}

bool TFormControlObj::IsPrinting() const { return Document->IsCopy; }

void TFormControlObj::AttachWindow(TWinControl& window) {
  window.Hide();
  window.SetLeft(OffScreenX);
  window.SetEnabled(!Disabled);
  if (Document->PaintPanel) window.SetParent(Document->PaintPanel);
}

void TFormControlObj::BindWindowEvents(TWinControl& window, bool click, bool mouseMove) {
  window.OnEnter = [this](TComponent*) { FormControlEnter(); };
  window.OnExit = [this](TComponent*) { FormControlExit(); };
  if (click) window.OnClick = [this](TComponent*) { FormControlClick(); };
  if (mouseMove)
    window.OnMouseMove = [this](TComponent*, TShiftState shift, int x, int y) { FormControlMouseMove(shift, x, y); };
}

void TFormControlObj::FormControlEnter() {
  if (Document->IsCopy) return;
  Active = true;
  if (Document->PaintPanel) Document->PaintPanel->Invalidate();
  if (Document->OnControlEnter) Document->OnControlEnter(*this);
  if (Document->OnObjectFocus && !OnFocusText.empty()) Document->OnObjectFocus(*this, OnFocusText);
  if (!OnChangeText.empty()) SaveContents();
}

void TFormControlObj::FormControlExit() {
  Active = false;
  if (!OnChangeText.empty()) DoOnChange();
  if (Document->OnObjectBlur && !OnBlurText.empty()) Document->OnObjectBlur(*this, OnBlurText);
  if (Document->PaintPanel) Document->PaintPanel->Invalidate();
}

void TFormControlObj::FormControlClick() {
  if (Document->OnObjectClick) Document->OnObjectClick(*this, OnClickText);
}

void TFormControlObj::FormControlMouseMove(TShiftState shift, int x, int y) {
  if (Document->Viewer) Document->Viewer->HoverFormControl(Window(), shift, x, y);
}

void TFormControlObj::ReportChange() {
  if (Document->OnObjectChange) Document->OnObjectChange(*this, OnChangeText);
}
