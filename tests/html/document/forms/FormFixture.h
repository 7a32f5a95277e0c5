// Documents with form fields built as the parser builds them: a text section per line,
// each field tag pushed with its style and made by the section from attributes written as
// in HTML ("type=text size=20 value='two words'").
#pragma once

#include <memory>
#include <string>

#include "html/document/forms/ButtonControls.h"
#include "html/document/forms/HtmlForm.h"
#include "html/document/forms/InputControls.h"
#include "html/document/forms/OptionControls.h"
#include "html/document/forms/TextAreaControl.h"
#include "html/document/inline/Section.h"
#include "html/document/parser/HtmlParser.h"
#include "html/foundation/shared/TextTokens.h"
#include "html/foundation/symbols/SymbolTables.h"
#include "platform/rtl/StrUtils.h"
#include "tests/html/document/blocks/BlockFixture.h"

struct FormFixture : BlockFixture {
  // name=value pairs separated by blanks; a value in single quotes may hold blanks; a name
  // alone is a bare attribute.
  static std::unique_ptr<TAttributeList> Attributes(const String& text) {
    auto list = std::make_unique<TAttributeList>();
    size_t i = 0;
    while (i < text.size()) {
      while (i < text.size() && text[i] == u' ') ++i;
      if (i >= text.size()) break;
      const size_t nameStart = i;
      while (i < text.size() && text[i] != u'=' && text[i] != u' ') ++i;
      const String name = UpperCase(text.substr(nameStart, i - nameStart));
      String value;
      if (i < text.size() && text[i] == u'=') {
        ++i;
        if (i < text.size() && text[i] == u'\'') {
          const size_t close = text.find(u'\'', i + 1);
          value = text.substr(i + 1, close - i - 1);
          i = close + 1;
        } else {
          const size_t end = std::min(text.find(u' ', i), text.size());
          value = text.substr(i, end - i);
          i = end;
        }
      }
      const TSymbolRec* row = AttributeNameList().Find(name);
      int number = 0;
      THtmlParser::ValueToInteger(value, number);
      list->Add(new TAttribute(row ? row->Symbol : 0, number, name, value, 1252));
    }
    return list;
  }

  // A new line of the document: a text section that the document gets with Close.
  std::unique_ptr<TSection> Line() {
    return std::make_unique<TSection>(&document, false, nullptr, *stack.TopProps(), nullptr);
  }
  static void Text(TSection& section, const String& text) {
    TokenObj token;
    for (Char c : text) token.AppendChar(c, 0);
    section.AddTokenObj(token);
  }
  // The field as the parser makes it: pushed with its style, made, styled, popped. The
  // options of a SELECT ("a|b*|c": "*" marks a selected one, "=v" gives a value) and the
  // text of a TEXTAREA follow.
  TFormControlObj* Field(TSection& section, const char16_t* tag, const String& attributes, const String& style = u"",
                         const String& content = u"") {
    TProperties& props = Push(tag, style);
    auto list = Attributes(attributes);
    const uint8_t symbol = TagNameList().Find(UpperCase(String(tag)))->StartSymbol;
    TFormControlObj* control = section.AddFormControl(symbol, props, 0, &document, *list);
    if (auto* options = dynamic_cast<TOptionsFormControlObj*>(control)) {
      size_t start = 0;
      while (start < content.size()) {
        size_t end = std::min(content.find(u'|', start), content.size());
        String text = content.substr(start, end - start);
        const bool selected = !text.empty() && text.back() == u'*';
        if (selected) text.pop_back();
        std::vector<String> optionAttributes;
        if (const size_t eq = text.find(u'='); eq != String::npos) {
          optionAttributes.push_back(u"VALUE=" + text.substr(eq + 1));
          text = text.substr(0, eq);
        }
        options->AddOption(text, selected, 1252, optionAttributes);
        start = end + 1;
      }
      control->ResetToValue();
    } else if (auto* area = dynamic_cast<TTextAreaFormControlObj*>(control)) {
      area->AddText(content);
      control->ResetToValue();
    }
    control->ProcessProperties(props);
    Pop();
    return control;
  }
  // The line's text is finished and the line joins the document.
  TSection& Close(std::unique_ptr<TSection> section) {
    section->FinishText(0);
    TSection& result = *section;
    document.AddSection(std::move(section), 0);
    return result;
  }
  // A one-field line.
  template <class T = TFormControlObj>
  T* Only(const char16_t* tag, const String& attributes, const String& style = u"", const String& content = u"") {
    auto line = Line();
    TFormControlObj* control = Field(*line, tag, attributes, style, content);
    Close(std::move(line));
    return dynamic_cast<T*>(control);
  }
  static String Joined(const TStringList& lines) {
    String result;
    for (int i = 0; i < lines.Count(); ++i) result += (i ? u"|" : u"") + lines[i];
    return result;
  }
  // The submitted lines joined by "|", as a submit with the button line sends them.
  String Submitted(ThtmlForm& form, const String& button = u"") {
    String lines;
    document.OnFormSubmit = [&](const String&, const String&, const String&, const String&,
                                std::unique_ptr<TStringList> results) { lines = Joined(*results); };
    form.SubmitTheForm(button);
    return lines;
  }
  // The text height of "A" and the average width in a field's window font.
  int TextHeightA(const TWinControl& window) {
    canvas.Font().Assign(window.Font());
    return canvas.TextHeight(u"A");
  }
};
