// Form fields: TEXTAREA, SELECT (with its options) and INPUT become controls of the text
// section being filled; the form they join is the document's current one.
#include "html/document/forms/OptionControls.h"
#include "html/document/forms/TextAreaControl.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/SymbolGroups.h"
#include "html/document/parser/TokenSymbols.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/shared/TextTokens.h"

void THtmlParser::DoFormControl() {
  const uint8_t sy = Symbol;
  if (!Section) NewSection();
  TProperties* pushed = PushProps(sy);
  TProperties& style = pushed ? *pushed : Top();
  TFormControlObj* control = Section->AddFormControl(sy, style, TagPosition, SectionList, Attributes);
  if (sy == TextAreaSy) {
    const String content = ReadTextAreaContent();
    if (auto* area = dynamic_cast<TTextAreaFormControlObj*>(control)) {
      area->AddText(content);
      area->ResetToValue();
    }
  } else if (sy == SelectSy) {
    if (auto* options = dynamic_cast<TOptionsFormControlObj*>(control)) DoSelect(*options);
  }
  control->ProcessProperties(style);
  if (pushed) PopPropsTo(sy);
}

void THtmlParser::DoSelect(TOptionsFormControlObj& control) {
  static const TSymbolSet ends{EofSy,      PSy,       TableEndSy, ColGroupSy, ColSy,      CaptionSy, CaptionEndSy,
                               THeadSy,    TBodySy,   TFootSy,    THeadEndSy, TBodyEndSy, TFootEndSy, TRSy,
                               TREndSy,    THSy,      TDSy,       THEndSy,    TDEndSy,    InputSy,   SelectEndSy};
  const bool savedNoBreak = NoBreak;
  SetNoBreak(false);
  const int codePage = TopCodePage();
  Next();
  String text;
  bool inOption = false, selected = false;
  std::vector<String> optionAttributes;
  const auto addOption = [&] { control.AddOption(TrimLowChars(text), selected, codePage, optionAttributes); };
  while (!ends.Contains(Symbol)) {
    if (Symbol == TextSy) {
      if (inOption) text += Token->GetText();
    } else if (Symbol == OptionSy || Symbol == OptionEndSy) {
      if (inOption) addOption();
      text.clear();
      inOption = Symbol == OptionSy;
      if (inOption) {
        selected = AttributeNamed(u"SELECTED") != nullptr;
        optionAttributes = Attributes.ToNameValueList();
      }
    }
    Next();
  }
  if (inOption) addOption();
  control.ResetToValue();
  SetNoBreak(savedNoBreak);
}
