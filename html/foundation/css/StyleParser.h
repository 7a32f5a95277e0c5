// The CSS parser: style sheets into a style list, STYLE attributes into a property set.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/Types.h"

class TBuffer;
class TStyleList;
class TProperties;

class THtmlStyleParser {
 public:
  THtmlStyleParser(TBuffer& buffer, bool quirks, const String& basePath, bool linkedFile);
  virtual ~THtmlStyleParser() = default;
  virtual void HandleDeclaration(const String& name, const String& value) = 0;

  // Name lower-cased, value trimmed and lower-cased; shorthands expanded, URLs resolved.
  void ProcessDeclaration(const String& name, const String& value);
  String ResolveCssUrl(const String& value) const;

  TBuffer* Buffer;
  Char Ch = 0;
  String BasePath;
  bool QuirksMode;

 protected:
  void NextChar();
  void SkipBlanks();
  String ReadIdent();
  bool ReadQuotedString(String& text);
  void SkipBlock();
  void SkipToEndOfStatement();
  void ReadDeclarations();
  bool IsCommentOpener();
  bool linkedFile_;

 private:
  bool AtStyleEndTag();
  void ExpandShorthand(int which, const String& lowered, const String& unquoted);
  void ExpandBoxSides(int firstIndex, const String& value);
  void ExpandBorder(int which, const String& value);
  void ExpandBackground(const String& value);
  void ExpandFont(const String& value);
  void ExpandListStyle(const String& value);
};

class THtmlStyleTagParser : public THtmlStyleParser {
 public:
  THtmlStyleTagParser(TBuffer& buffer, TStyleList& styles, bool quirks, const String& basePath, bool linkedFile);
  void HandleDeclaration(const String& name, const String& value) override;
  // Returns the current character at the end: "<" before a closing tag, else 0.
  Char ParseSheet();

  std::vector<String> SelectorKeys;
  TStyleList* Styles;

 private:
  void ReadAtRule();
  void ReadRule();
  void ReadSelectors();
  unsigned ReadMediaList();
};

class THtmlStyleAttrParser : public THtmlStyleParser {
 public:
  THtmlStyleAttrParser(TBuffer& buffer, TProperties& target);
  void HandleDeclaration(const String& name, const String& value) override;
  void ParseAttribute();
  TProperties* Target;
};

// Parses a whole sheet; ch is the current character on return ("<" or 0).
void ParseStyleSheet(TStyleList& styles, Char& ch, TBuffer& buffer, bool quirks, bool linkedFile,
                     const String& basePath);
void ParseStyleBuffer(TBuffer& buffer, TProperties& props);
void ParseStyleAttribute(const String& text, TProperties& props);

// Selector texts to style-list keys.
String SortSimpleSelector(const String& step);
String MakeSelectorKey(const String& selector, bool compound, TStyleList& styles);
