// The built-in style sheet that every document starts from.
#include "html/foundation/css/StyleList.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/globals/EngineSettings.h"

void TStyleList::BuildDefaultSheet(const String& fontName, const String& preFontName, double pointSize,
                                   TColor fontColour, TColor linkColour, TColor visitedColour,
                                   TColor hoverColour, bool underlineLinks, int codePage, uint8_t charset,
                                   int32_t marginHeight, int32_t marginWidth) {
  Clear();
  EngineSettings().DefaultPointSize = pointSize;
  auto body = [&](const String& key, bool quirks) {
    return AddObject(key, std::make_unique<TProperties>(quirks));
  };
  auto copies = [&](const TProperties& source, std::initializer_list<const char16_t*> keys) {
    for (const char16_t* key : keys) AddPropertiesCopy(key, source);
  };
  const String none = u"none", normal = u"normal";

  TProperties* d = body(u"default", QuirksMode);
  d->Values[FontFamily] = fontName;
  d->FallbackFontName = fontName;
  d->Values[FontSize] = pointSize;
  d->Values[FontStyle] = none;
  d->Values[FontWeight] = normal;
  d->Values[TextAlign] = String(u"left");
  d->Values[TextDecoration] = none;
  d->Values[TextTransform] = 0;
  d->Values[WordWrap] = normal;
  d->Values[WhiteSpace] = normal;
  d->Values[FontVariant] = normal;
  d->Values[Color] = fontColour;
  d->Values[MarginTop] = d->Values[MarginBottom] = marginHeight;
  d->Values[MarginLeft] = d->Values[MarginRight] = marginWidth;
  d->Values[Visibility] = 2;
  d->Values[LetterSpacing] = 0;
  d->Values[BoxSizing] = 0;
  d->ApplyCodePage(codePage);
  d->ApplyCharsetAndCodePage(charset, codePage);
  DefaultProperties = d;

  if (QuirksMode) {
    TProperties* td = body(u"td", true);
    td->Values[FontSize] = pointSize;
    td->Values[FontStyle] = none;
    td->Values[FontWeight] = normal;
    td->Values[Color] = fontColour;
    copies(*td, {u"table"});
    TProperties* th = AddPropertiesCopy(u"th", *td);
    th->Values[FontWeight] = String(u"bold");
  }
  body(u"::link", QuirksMode)->Values[Color] = linkColour | PaletteRGBFlag;
  Find(u"::link")->Values[TextDecoration] = String(underlineLinks ? u"underline" : u"none");
  body(u"::visited", QuirksMode)->Values[Color] = visitedColour | PaletteRGBFlag;
  body(u"::hover", QuirksMode)->Values[Color] = hoverColour | PaletteRGBFlag;
  body(u"null", QuirksMode);

  TProperties* pre = body(u"pre", QuirksMode);
  pre->Values[FontFamily] = preFontName;
  pre->Values[FontSize] = pointSize * 10 / 12;
  pre->Values[FontStyle] = none;
  pre->Values[FontWeight] = normal;
  pre->Values[TextDecoration] = none;

  TProperties* p = body(u"p", QuirksMode);
  p->Values[MarginTop] = p->Values[MarginBottom] = ParaGapSentinel;
  body(u"p 11pre", QuirksMode)->Values[MarginTop] = 0;
  for (const char16_t* key : {u"ul", u"ol", u"menu", u"dir"}) {
    TProperties* list = body(key, QuirksMode);
    list->Values[ListStyleType] = String(u"blank");
    list->Values[MarginTop] = list->Values[MarginBottom] = ParaGapSentinel;
    list->Values[MarginLeft] = UnsetSentinel;
  }
  TProperties* dl = body(u"dl", QuirksMode);
  dl->Values[ListStyleType] = none;
  dl->Values[MarginLeft] = dl->Values[MarginTop] = dl->Values[MarginBottom] = 0;
  TProperties* dd = body(u"dd", QuirksMode);
  dd->Values[MarginTop] = dd->Values[MarginBottom] = 0;
  dd->Values[MarginLeft] = 40;
  TProperties* bq = body(u"blockquote", QuirksMode);
  bq->Values[MarginTop] = ParaGapSentinel;
  bq->Values[MarginBottom] = 14;
  bq->Values[MarginLeft] = 40;
  TProperties* code = body(u"code", QuirksMode);
  code->Values[FontFamily] = preFontName;
  code->Values[FontSize] = String(u"0.83em");
  copies(*code, {u"tt", u"kbd", u"samp"});
  TProperties* b = body(u"b", QuirksMode);
  b->Values[FontWeight] = String(u"bold");
  copies(*b, {u"strong"});
  if (!QuirksMode) {
    copies(*b, {u"th"});
    body(u"table", false)->Values[TextAlign] = none;
  }
  TProperties* sup = body(u"sup", QuirksMode);
  sup->Values[FontSize] = String(u"0.83em");
  sup->Values[VerticalAlign] = String(u"super");
  TProperties* sub = body(u"sub", QuirksMode);
  sub->Values[FontSize] = String(u"0.83em");
  sub->Values[VerticalAlign] = String(u"sub");
  body(u"big", QuirksMode)->Values[FontSize] = String(u"1.17em");
  body(u"small", QuirksMode)->Values[FontSize] = String(u"0.83em");
  TProperties* i = body(u"i", QuirksMode);
  i->Values[FontStyle] = String(u"italic");
  copies(*i, {u"em", u"cite", u"var", u"dfn", u"address"});
  TProperties* u = body(u"u", QuirksMode);
  u->Values[TextDecoration] = String(u"underline");
  copies(*u, {u"ins"});
  TProperties* s = body(u"s", QuirksMode);
  s->Values[TextDecoration] = String(u"line-through");
  copies(*s, {u"strike", u"del"});
  TProperties* center = body(u"center", QuirksMode);
  center->Values[TextAlign] = String(u"center");
  copies(*center, {u"caption"});
  TProperties* input = body(u"input", QuirksMode);
  input->Values[FontFamily] = String(u"Arial Unicode MS, Arial");
  input->Values[FontSize] = String(u"10pt");
  input->Values[FontStyle] = none;
  input->Values[FontWeight] = normal;
  input->Values[TextAlign] = String(u"left");
  input->Values[TextDecoration] = none;
  input->Values[Color] = fontColour;
  copies(*input, {u"select"});
  AddPropertiesCopy(u"textarea", *input)->Values[FontFamily] =
      OnWindows9x ? String(u"Arial Unicode MS, Arial") : preFontName;
  TProperties* hr = body(u"hr", QuirksMode);
  hr->Values[MarginLeft] = hr->Values[MarginRight] = 0;
  hr->Values[MarginTop] = hr->Values[MarginBottom] = 10;
  static const char16_t* const headSizes[] = {u"2em", u"1.5em", u"1.17em", u"1em", u"1em", u"1em"};
  static const char16_t* const headMargins[] = {u"1.67em", u"1.5em", u"1.12em"};
  for (int level = 1; level <= 6; ++level) {
    TProperties* h = body(u"h" + String(1, static_cast<Char>(u'0' + level)), QuirksMode);
    h->Values[FontSize] = String(headSizes[level - 1]);
    if (level <= 3) h->Values[MarginTop] = h->Values[MarginBottom] = 19;
    else h->Values[MarginTop] = h->Values[MarginBottom] = String(headMargins[level - 4]);
    h->Values[FontWeight] = String(u"bolder");
  }
  TProperties* mark = body(u"mark", false);
  mark->Values[FontStyle] = none;
  mark->Values[BackgroundColor] = 0x00FFFF;
  mark->Values[Color] = 0;
  TProperties* abbr = body(u"abbr", QuirksMode);
  abbr->Values[BorderBottomStyle] = String(u"dotted");
  abbr->Values[BorderBottomWidth] = String(u"1px");
  copies(*abbr, {u"acronym"});
}
