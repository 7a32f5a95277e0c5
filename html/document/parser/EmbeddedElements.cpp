// Elements that sit in the text like a character: images, panels, image maps and
// embedded objects.
#include <memory>

#include "html/document/floats/ImageObj.h"
#include "html/document/floats/PanelObj.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/style/HtmlPropStack.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"

void THtmlParser::DoImage() {
  const uint8_t sy = Symbol;
  if (!Section) NewSection();
  PushProps(sy);
  TProperties& top = Top();
  if (top.HasVisibleBorder()) Document->OpenInlineBorder(PropStack->SourcePosition, top);
  if (sy == ImageSy)
    Section->AddImage(Attributes, SectionList, TagPosition)->ApplyProperties(top);
  else
    Section->AddPanel(Attributes, TagPosition)->ApplyProperties(top);
  PopPropsTo(sy);
}

void THtmlParser::DoMap() {
  auto map = std::make_unique<TMapItem>();
  TAttribute* name;
  if (Attributes.FindSymbol(NameAttrSy, name)) map->NameKey = UpperCase(name->ValueText);
  Next();
  // Three foreign tokens end a map that has no end tag; such a map is dropped.
  int foreign = 0;
  while (Symbol != MapEndSy && Symbol != EofSy && foreign < 3) {
    if (Symbol == AreaSy)
      map->AddAreaFromTag(Attributes);
    else if (Symbol != TextSy)
      ++foreign;
    Next();
  }
  if (Symbol == MapEndSy) Document->MapList.Add(map.release());
  Next();
}

bool THtmlParser::DoObject() {
  auto next = [this] {
    ObjectReadPoint = TReadPoint{Ch, Buffer->ReadOffset(), PropStack->SourcePosition};
    Next();
  };
  if (!Document->OnObjectTag) {
    next();  // the content is parsed as ordinary content
    return false;
  }
  const int32_t objectPosition = TagPosition;
  TStringList attributes;
  for (const String& line : Attributes.ToNameValueList()) attributes.Add(line);
  if (!Section) NewSection();
  PushProps(ObjectSy);
  std::unique_ptr<TPanelObj> panel = Section->CreatePanel(Attributes);
  panel->ApplyProperties(Top());

  TStringList params;
  for (;;) {
    SkipBlanks();
    next();
    if (Symbol != ParamSy) break;
    TAttribute* name;
    if (!Attributes.FindSymbol(NameAttrSy, name)) continue;
    const TAttribute* value = AttributeNamed(u"VALUE");
    params.Add(value ? name->ValueText + u"=" + value->ValueText : name->ValueText);
  }

  bool wantPanel = false;
  Document->OnObjectTag(Viewer, panel->Panel.get(), attributes, params, wantPanel);
  if (wantPanel) {
    TProperties& top = Top();
    if (top.HasVisibleBorder()) Document->OpenInlineBorder(PropStack->SourcePosition, top);
    Section->AddPanelObject(std::move(panel), objectPosition);
    PopPropsTo(ObjectSy);
    // The fallback content goes; /OBJECT is left for the caller.
    while (Symbol != ObjectEndSy && Symbol != EofSy) next();
  } else {
    panel.reset();  // leaves the document's panel list
    PopPropsTo(ObjectSy);
  }
  return wantPanel;
}
