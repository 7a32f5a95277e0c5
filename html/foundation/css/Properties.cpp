#include "html/foundation/css/Properties.h"

#include "html/foundation/charsets/ConverterRegistry.h"
#include "html/foundation/css/Colours.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/StyleList.h"
#include "html/foundation/fonts/FontInfo.h"
#include "html/foundation/fonts/MyFont.h"
#include "html/foundation/globals/EngineSettings.h"

TProperties::TProperties() {
  SerialNumber = ++EngineSettings().PropertiesCounter;
  for (int i = FirstBoxProperty; i <= LastBoxProperty; ++i) Values[i] = UnsetSentinel;
  Values[ZIndex] = 0;
}

TProperties::TProperties(TPropStack* stack, bool quirks) : TProperties() {
  OwnerStack = stack;
  QuirksMode = quirks;
}

TProperties::TProperties(bool quirks) : TProperties() { QuirksMode = quirks; }

TProperties::~TProperties() = default;

std::unique_ptr<TProperties> TProperties::CreateClone(const TProperties& source) {
  auto p = std::make_unique<TProperties>();
  p->OwnerStack = source.OwnerStack;
  if (source.CachedFont) {
    p->CachedFont = std::make_unique<TMyFont>();
    p->CachedFont->Assign(*source.CachedFont);
  }
  p->IsLink = source.IsLink;
  p->FallbackFontName = source.FallbackFontName;
  p->QuirksMode = source.QuirksMode;
  p->TagName = source.TagName;
  p->ClassText = source.ClassText;
  p->IdText = source.IdText;
  p->PseudoName = source.PseudoName;
  p->TitleText = source.TitleText;
  p->StyleAttrProps = source.StyleAttrProps;
  p->TextBackground = source.TextBackground;
  p->Charset = source.Charset;
  p->CodePage = source.CodePage;
  p->EmHeight = source.EmHeight;
  p->ExHeight = source.ExHeight;
  p->Values = source.Values;
  p->OwnFlags = source.OwnFlags;
  if (source.LinkFontInfos) p->LinkFontInfos = std::make_unique<TFontInfoArray>(*source.LinkFontInfos);
  p->SerialNumber = source.SerialNumber;
  return p;
}

void TProperties::CopyValues(const TProperties& source) { Values = source.Values; }

void TProperties::CopyAll(const TProperties& source) {
  Values = source.Values;
  ApplyCodePage(source.CodePage);
  FallbackFontName = source.FallbackFontName;
  TagName = u"default";
}

void TProperties::TakeParentValues(const String& tagName, const TProperties& parent) {
  if (parent.TagName == u"span") {
    Values = parent.Values;
  } else if (parent.TagName == u"thead" || parent.TagName == u"tbody" || parent.TagName == u"tfoot") {
    Values = parent.Values;
    OwnFlags = parent.OwnFlags;
  } else {
    for (int i = 0; i < PropertyCount; ++i) {
      switch (i) {
        case FontFamily: case FontSize: case FontStyle: case FontWeight: case TextAlign:
        case TextDecoration: case LetterSpacing: case Color: case Visibility: case LineHeight:
        case VerticalAlign: case ZIndex: case ListStyleType: case ListStyleImage: case TextIndent:
        case TextTransform: case WordWrap: case FontVariant: case EmptyCells: case WhiteSpace:
          Values[i] = parent.Values[i];
          break;
        default:
          if (i >= FirstBoxProperty && i <= LastBoxProperty) Values[i] = UnsetSentinel;
      }
    }
    if (tagName == u"table") Values[WordWrap] = String(u"normal");
  }
  FallbackFontName = parent.FallbackFontName;
  TextBackground = parent.TextBackground;
  ApplyCodePage(parent.CodePage);
  TitleText = parent.TitleText;
  IsLink = parent.IsLink;
  if (IsLink && parent.LinkFontInfos) {
    if (!LinkFontInfos) LinkFontInfos = std::make_unique<TFontInfoArray>();
    LinkFontInfos->CopyInfos(*parent.LinkFontInfos);
  }
  EmHeight = parent.EmHeight;
  ExHeight = parent.ExHeight;
}

void TProperties::MergeUnsetValues(const TProperties& source, TStyleList& styles, int stackIndex) {
  for (int i = 0; i < PropertyCount; ++i)
    if (!OwnFlags[i]) Values[i] = source.Values[i];
  CachedFont.reset();
  if (!LinkFontInfos) return;
  if (source.IsLink && source.LinkFontInfos) {
    LinkFontInfos->CopyInfos(*source.LinkFontInfos);
  } else if (PseudoName != u"link") {
    LinkFontInfos.reset();
    IsLink = false;
  } else {
    BuildLinkFonts(styles, stackIndex);
  }
}

void TProperties::SetOwnValue(const TPropValue& value, TStylePropIndex index) {
  if (OwnFlags[index]) return;
  Values[index] = value;
  OwnFlags[index] = true;
  if (!IsLink || !LinkFontInfos) return;
  for (int k = 0; k < 4; ++k) {
    ThtFontInfo& info = (*LinkFontInfos)[k];
    if (index == FontFamily) info.Name = value.TextOrEmpty();
    else if (index == FontSize && value.IsNumber()) info.Size = value.AsReal();
    else if (index == Color && value.IsInt()) info.Color = value.AsInt();
  }
}

void TProperties::StoreDeclaration(TStylePropIndex index, const String& text) {
  TColor colour;
  switch (index) {
    case Color:
      // An unreadable colour leaves the value alone instead of turning it black.
      if (ParseColorText(text, false, colour)) Values[index] = colour;
      break;
    case BackgroundColor:
      Values[index] = ParseColorText(text, false, colour) ? colour : clNone;
      break;
    case BorderTopColor: case BorderRightColor: case BorderBottomColor: case BorderLeftColor:
      if (ParseColorText(text, false, colour)) Values[index] = colour;
      break;
    case Visibility:
      if (text == u"visible") Values[index] = 2;
      else if (text == u"hidden") Values[index] = 1;
      break;
    case TextTransform:
      Values[index] = text == u"uppercase" ? 1 : text == u"lowercase" ? 2 : 0;
      break;
    case WordWrap:
      Values[index] = String(text == u"break-word" ? u"break-word" : u"normal");
      break;
    case FontVariant:
      if (text == u"small-caps" || text == u"normal") Values[index] = text;
      break;
    case WhiteSpace:
      if (text == u"nowrap" || text == u"normal") Values[index] = text;
      break;
    default:
      Values[index] = text;
  }
}

void TProperties::StoreNamedDeclaration(const String& name, const String& text) {
  if (auto index = PropertyIndexOf(name)) StoreDeclaration(*index, text);
}

void TProperties::FillIfUnset(TStylePropIndex index, const TPropValue& value) {
  if (Values[index].IsEmpty() || EqualsUnsetSentinel(Values[index])) Values[index] = value;
}

void TProperties::FillSetIfUnset(std::initializer_list<TStylePropIndex> indexes, const TPropValue& value) {
  for (TStylePropIndex i : indexes) FillIfUnset(i, value);
}

void TProperties::ApplyCodePage(int codePage) {
  const int charset = (codePage == 1200 || codePage == 1201 || codePage == 65001)
                          ? 1
                          : FontCharsetOfCodePage(codePage);
  ApplyCharsetAndCodePage(static_cast<uint8_t>(charset), codePage);
}

void TProperties::ApplyCharsetAndCodePage(uint8_t charset, int codePage) {
  if (charset == Charset && codePage == CodePage) return;
  if (charset != 1) charset = CharsetOfFont(charset);
  Charset = charset;
  if (LinkFontInfos)
    for (int k = 0; k < 4; ++k) (*LinkFontInfos)[k].Charset = charset;
  CodePage = codePage;
}
