#include "html/document/forms/TextAreaControl.h"

#include <algorithm>

#include "html/document/forms/HtmlForm.h"
#include "html/document/forms/OptionControls.h"
#include "html/document/forms/PrintImages.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/gdi/canvas/Canvas.h"

TTextAreaFormControlObj::TTextAreaFormControlObj(ThtDocument* document, TProperties& properties,
                                                 TAttributeList& attributes, int sourcePos)
    : TFormControlObj(document, attributes, sourcePos), Memo(std::make_unique<TMemo>(nullptr)) {
  CodePage = properties.CodePage;
  Memo->SetScrollBars(TScrollStyle::ssVertical);
  for (int i = 0; i < attributes.Count(); ++i) {
    const TAttribute& a = *attributes.AttributeAt(i);
    if (a.Symbol == FormAttr::Cols) {
      Cols = ClampedFieldCount(a.Number);
    } else if (a.Symbol == FormAttr::Rows) {
      Rows = ClampedFieldCount(a.Number);
    } else if (a.Symbol == FormAttr::Wrap) {
      const String wrap = LowerCaseText(a.ValueText);
      if (wrap == u"off") {
        Wrap = 0;
        Memo->SetScrollBars(TScrollStyle::ssBoth);
      } else {
        Wrap = wrap == u"hard" ? 2 : 1;
      }
    }
  }
  HasBorder = !properties.HasVisibleBorder();
  TakeFont(*Memo, properties);
  Memo->SetWordWrap(Wrap != 0);
  Memo->OnKeyPress = [this](TComponent* sender, Char& key) { Form->ControlKeyPress(sender, key); };
  BindWindowEvents(*Memo, true, true);
  Memo->SetReadOnly(ReadOnly);
  AttachWindow(*Memo);
}

TTextAreaFormControlObj::~TTextAreaFormControlObj() = default;

void TTextAreaFormControlObj::ProcessProperties(TProperties& properties) {
  TFormControlObj::ProcessProperties(properties);
  ApplyBkColor();
}

int TTextAreaFormControlObj::ExtraWidth() const { return (HasBorder ? 4 : 0) + SystemScrollBarWidth; }
int TTextAreaFormControlObj::ExtraHeight() const { return (HasBorder ? 4 : 0) + (Wrap == 0 ? SystemScrollBarWidth : 0); }

void TTextAreaFormControlObj::ResetToValue() {
  Memo->SetSelStart(0);
  Memo->SetSelLength(0);
  Memo->SetText(InitialText);
}

void TTextAreaFormControlObj::SetHeightWidth(TCanvas& canvas) {
  canvas.Font().Assign(Memo->Font());
  if (Height >= 10)
    Memo->SetHeight(Height);
  else
    Memo->SetHeight(static_cast<int>(static_cast<int64_t>(canvas.TextHeight(u"A")) * Rows + 5 + ExtraHeight()));
  if (PercentWidth) {
    Memo->SetLeft(OffScreenX);
    Memo->SetWidth(50);
  } else if (Width >= 10) {
    Memo->SetWidth(Width);
  } else {
    Memo->SetWidth(static_cast<int>(static_cast<int64_t>(canvas.TextWidth(u"s")) * Cols + 5 + ExtraWidth()));
  }
}

std::vector<String> TTextAreaFormControlObj::DisplayedLines(TCanvas& canvas) const {
  std::vector<String> lines;
  const TMemoLines& source = Memo->Lines();
  canvas.Font().Assign(Memo->Font());
  const int room = std::max(Memo->Width() - ExtraWidth(), 1);
  for (int i = 0; i < source.Count(); ++i) {
    String rest = source[i];
    if (!Memo->Wraps()) {
      lines.push_back(rest);
      continue;
    }
    while (canvas.TextWidth(rest) > room) {
      size_t fit = 1;  // the longest prefix that fits, at least one character
      while (fit < rest.size() && canvas.TextWidth(rest.substr(0, fit + 1)) <= room) ++fit;
      const size_t blank = rest.rfind(u' ', fit);
      const size_t cut = blank != String::npos && blank > 0 ? blank + 1 : fit;
      lines.push_back(rest.substr(0, cut));
      rest = rest.substr(cut);
    }
    lines.push_back(rest);
  }
  return lines;
}

bool TTextAreaFormControlObj::GetSubmission(int index, String& line) {
  if (index != 0) return false;
  if (Wrap != 2) {
    line = Name + u"=" + Memo->Text();
    return true;
  }
  line = Name + u"=";
  const std::vector<String> shown = DisplayedLines(Document->MeasureCanvas());
  for (size_t i = 0; i < shown.size(); ++i) {
    if (i > 0) line += u"\r\n";
    line += shown[i];
  }
  return true;
}

void TTextAreaFormControlObj::SetData(int, const String& value) { Memo->SetText(value); }
void TTextAreaFormControlObj::SaveContents() { SavedText = Memo->Text(); }
void TTextAreaFormControlObj::DoOnChange() {
  if (Memo->Text() != SavedText) ReportChange();
}

void TTextAreaFormControlObj::Draw(TCanvas& canvas, int x, int y) {
  const TRect box{x, y, x + Memo->Width(), y + Memo->Height()};
  const int inset = HasBorder ? 4 : 2;
  DrawFieldFrame(canvas, box, HasBorder, Memo->Color(), *Document);
  const TRect clip{box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset};
  const std::vector<String> shown = DisplayedLines(canvas);
  const int lineHeight = std::max(FontTextHeight(canvas, Memo->Font()), 1);
  for (int i = 0; i < Rows && i < static_cast<int>(shown.size()); ++i)
    DrawClippedText(canvas, Memo->Font(), clip, clip.Left, clip.Top + i * lineHeight, shown[static_cast<size_t>(i)]);
}
