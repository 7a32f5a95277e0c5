#include "html/document/forms/OptionControls.h"

#include <algorithm>

#include "html/document/forms/HtmlForm.h"
#include "html/document/forms/PrintImages.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/rtl/Compare.h"

void ThtOptionStringList::Add(const String& text, std::unique_ptr<TOptionObj> option) {
  texts_.push_back(text);
  options_.push_back(std::move(option));
}

String ThtOptionStringList::Value(int index) const {
  return index >= 0 && index < Count() ? options_[static_cast<size_t>(index)]->Value : String();
}

bool ThtOptionStringList::Selected(int index) const {
  return index >= 0 && index < Count() && options_[static_cast<size_t>(index)]->Selected;
}

TOptionsFormControlObj::TOptionsFormControlObj(ThtDocument* document, TAttributeList& attributes, int sourcePos)
    : TFormControlObj(document, attributes, sourcePos) {
  TAttribute* size = nullptr;
  if (attributes.FindSymbol(FormAttr::Size, size)) ListSize = ClampedFieldCount(size->Number);
}

void TOptionsFormControlObj::AddOption(const String& text, bool selected, int, const std::vector<String>& attributes) {
  const String shown = text.empty() ? String(u" ") : text;
  auto option = std::make_unique<TOptionObj>();
  for (const String& line : attributes) {
    const size_t at = line.find(u'=');
    if (at != String::npos && AnsiSameText(line.substr(0, at), u"Value")) {
      option->Value = line.substr(at + 1);
      break;
    }
  }
  if (option->Value.empty()) option->Value = shown;
  option->Selected = selected;
  for (const String& line : attributes) option->Attributes.Add(line);
  Options.Add(shown, std::move(option));
  TCanvas& canvas = Document->MeasureCanvas();
  if (ListFont) canvas.Font().Assign(*ListFont);
  MaxOptionWidth = std::max(MaxOptionWidth, canvas.TextWidth(shown));
}

void TOptionsFormControlObj::ProcessProperties(TProperties& properties) {
  TFormControlObj::ProcessProperties(properties);
  ApplyBkColor();
}

namespace {
// The frame of a list around its client area.
int FrameOf(bool hasBorder) { return hasBorder ? 4 : 0; }
}  // namespace

TListBoxFormControlObj::TListBoxFormControlObj(ThtDocument* document, TProperties& properties,
                                               TAttributeList& attributes, int sourcePos)
    : TOptionsFormControlObj(document, attributes, sourcePos), ListBox(std::make_unique<TListBox>(nullptr)) {
  CodePage = properties.CodePage;
  HasBorder = !properties.HasVisibleBorder();
  TakeFont(*ListBox, properties);
  ListFont = &ListBox->Font();
  TAttribute* multiple = nullptr;
  if (attributes.FindSymbol(FormAttr::Multiple, multiple)) {
    ListBox->SetMultiSelect(true);
    ListBox->SetExtendedSelect(true);
  }
  BindWindowEvents(*ListBox, true, true);
  AttachWindow(*ListBox);
}

TListBoxFormControlObj::~TListBoxFormControlObj() = default;

void TListBoxFormControlObj::ResetToValue() {
  TStringList& items = ListBox->Items();
  items.BeginUpdate();
  items.Clear();
  for (int i = 0; i < Options.Count(); ++i) items.Add(Options.Strings(i));
  items.EndUpdate();
  bool any = false;
  for (int i = 0; i < Options.Count(); ++i) {
    if (!Options.Selected(i)) continue;
    any = true;
    if (ListBox->MultiSelect()) ListBox->SetSelected(i, true);
    else ListBox->SetItemIndex(i);
  }
  if (!any && items.Count() > 0) ListBox->SetItemIndex(0);
  ListBox->SetTopIndex(0);
}

void TListBoxFormControlObj::SetHeightWidth(TCanvas& canvas) {
  if (ListSize == -1) ListSize = std::max(1, std::min(Options.Count(), 8));
  const int frame = FrameOf(HasBorder);
  const int64_t clientHeight =
      Height >= 10 ? Height : static_cast<int64_t>(FontTextHeight(canvas, ListBox->Font())) * ListSize;
  ListBox->SetHeight(static_cast<int>(clientHeight) + frame);
  if (PercentWidth) {
    ListBox->SetLeft(OffScreenX);
    ListBox->SetWidth(10);
  } else if (Width >= 10) {
    ListBox->SetWidth(Width);
  } else {
    ListBox->SetWidth(SystemScrollBarWidth + MaxOptionWidth + 10);
  }
}

bool TListBoxFormControlObj::IsChosen(int index) const {
  return ListBox->MultiSelect() ? ListBox->Selected(index) : index == ListBox->ItemIndex();
}

bool TListBoxFormControlObj::GetSubmission(int index, String& line) {
  if (index < 0 || index >= ListBox->Items().Count()) return false;
  line = IsChosen(index) ? Name + u"=" + Options.Value(index) : String();
  return true;
}

void TListBoxFormControlObj::SetData(int index, const String& value) {
  const int count = ListBox->Items().Count();
  if (index == 0 && count > 0) ListBox->SetItemIndex(0);
  for (int i = 0; i < Options.Count() && i < count; ++i) {
    if (index == 0 && ListBox->MultiSelect()) ListBox->SetSelected(i, false);
    if (!AnsiSameText(value, Options.Value(i))) continue;
    if (ListBox->MultiSelect()) ListBox->SetSelected(i, true);
    else ListBox->SetItemIndex(i);
  }
  ListBox->SetTopIndex(0);
}

void TListBoxFormControlObj::SaveContents() {
  SavedCount = ListBox->Items().Count();
  SavedSelection.assign(static_cast<size_t>(SavedCount), false);
  for (int i = 0; i < SavedCount; ++i) SavedSelection[static_cast<size_t>(i)] = IsChosen(i);
}

void TListBoxFormControlObj::DoOnChange() {
  bool changed = ListBox->Items().Count() != SavedCount;
  for (int i = 0; i < SavedCount && !changed; ++i) changed = IsChosen(i) != SavedSelection[static_cast<size_t>(i)];
  if (changed) ReportChange();
}

void TListBoxFormControlObj::Draw(TCanvas& canvas, int x, int y) {
  const TRect box{x, y, x + ListBox->Width(), y + ListBox->Height()};
  const int inset = HasBorder ? 4 : 2;
  DrawFieldFrame(canvas, box, HasBorder, ListBox->Color(), *Document);
  const TRect clip{box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset};
  const int lineHeight = std::max(FontTextHeight(canvas, ListBox->Font()), 1);
  const TStringList& items = ListBox->Items();
  int lineY = clip.Top;
  for (int i = ListBox->TopIndex(); i < items.Count() && i < ListBox->TopIndex() + ListSize; ++i) {
    DrawClippedText(canvas, ListBox->Font(), clip, clip.Left, lineY, items[i]);
    lineY += lineHeight;
  }
}

TComboFormControlObj::TComboFormControlObj(ThtDocument* document, TProperties& properties,
                                           TAttributeList& attributes, int sourcePos)
    : TOptionsFormControlObj(document, attributes, sourcePos), ComboBox(std::make_unique<TComboBox>(nullptr)) {
  CodePage = properties.CodePage;
  TakeFont(*ComboBox, properties);
  ListFont = &ComboBox->Font();
  ComboBox->SetStyle(TComboBoxStyle::csDropDownList);
  BindWindowEvents(*ComboBox, true, false);
  ComboBox->OnChange = [this](TComponent*) { FormControlClick(); };
  AttachWindow(*ComboBox);
}

TComboFormControlObj::~TComboFormControlObj() = default;

void TComboFormControlObj::ResetToValue() {
  TStringList& items = ComboBox->Items();
  items.BeginUpdate();
  items.Clear();
  for (int i = 0; i < Options.Count(); ++i) items.Add(Options.Strings(i));
  items.EndUpdate();
  int chosen = items.Count() > 0 ? 0 : -1;
  for (int i = 0; i < Options.Count(); ++i)
    if (Options.Selected(i)) chosen = i;
  ComboBox->SetItemIndex(chosen);
}

void TComboFormControlObj::SetHeightWidth(TCanvas&) {
  if (Height > 9) ComboBox->SetHeight(Height);
  if (PercentWidth) {
    ComboBox->SetLeft(OffScreenX);
    ComboBox->SetWidth(10);
  } else if (Width >= 10) {
    ComboBox->SetWidth(Width);
  } else {
    ComboBox->SetWidth(SystemScrollBarWidth + MaxOptionWidth + 10);
  }
}

bool TComboFormControlObj::GetSubmission(int index, String& line) {
  if (index != 0) return false;
  const int chosen = ComboBox->ItemIndex();
  line = chosen >= 0 ? Name + u"=" + Options.Value(chosen) : String();
  return true;
}

void TComboFormControlObj::SetData(int, const String& value) {
  for (int i = 0; i < Options.Count() && i < ComboBox->Items().Count(); ++i)
    if (AnsiSameText(value, Options.Value(i))) ComboBox->SetItemIndex(i);
}

void TComboFormControlObj::SaveContents() { SavedIndex = ComboBox->ItemIndex(); }
void TComboFormControlObj::DoOnChange() {
  if (ComboBox->ItemIndex() != SavedIndex) ReportChange();
}

void TComboFormControlObj::Draw(TCanvas& canvas, int x, int y) {
  const TRect box{x, y, x + ComboBox->Width(), y + ComboBox->Height()};
  DrawFieldFrame(canvas, box, true, ComboBox->Color(), *Document);
  const int chosen = ComboBox->ItemIndex();
  if (chosen < 0) return;
  const int textHeight = FontTextHeight(canvas, ComboBox->Font());
  DrawClippedText(canvas, ComboBox->Font(), TRect{box.Left + 4, box.Top + 4, box.Right - 4, box.Bottom + 1},
                  box.Left + 4, box.Top + (box.Height() - textHeight) / 2, ComboBox->Items()[chosen]);
}
