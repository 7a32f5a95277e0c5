// The typed readers of TProperties: keywords to codes, lengths to pixels, URLs, colours.
#include <algorithm>

#include "html/foundation/css/Colours.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/Properties.h"
#include "platform/rtl/IntConvert.h"

namespace {
template <size_t N>
int KeywordIndex(const TPropValue& value, const char16_t* const (&names)[N], int fallback) {
  if (!value.IsText()) return fallback;
  for (size_t i = 0; i < N; ++i)
    if (value.AsText() == names[i]) return static_cast<int>(i);
  return fallback;
}
bool IsText(const TPropValue& v, const char16_t* text) { return v.IsText() && v.AsText() == text; }
}  // namespace

bool TProperties::BackgroundImageUrl(String& url) const {
  const TPropValue& v = Values[BackgroundImage];
  if (!v.IsText()) return false;
  if (v.AsText() == u"none") {
    url.clear();
    return true;
  }
  url = UrlFromCssValue(v);
  return !url.empty();
}

String TProperties::ListStyleImageUrl() const { return UrlFromCssValue(Values[ListStyleImage]); }

bool TProperties::ReadVerticalAlign(int& kind) const {
  static const char16_t* const names[] = {u"top", u"text-top", u"middle", u"baseline",
                                          u"bottom", u"sub", u"super"};
  static const int codes[] = {AlignTop, AlignTop, AlignMiddle, AlignBaseline, AlignBottom, AlignSub, AlignSuper};
  const int i = KeywordIndex(Values[VerticalAlign], names, -1);
  if (i < 0) return false;
  kind = codes[i];
  return true;
}

bool TProperties::HidesOverflow() const { return IsText(Values[Overflow], u"hidden"); }

bool TProperties::ReadFloatSide(int& kind) const {
  static const char16_t* const names[] = {u"left", u"right", u"none"};
  static const int codes[] = {AlignLeft, AlignRight, AlignNone};
  const int i = KeywordIndex(Values[Float], names, -1);
  if (i < 0) return false;
  kind = codes[i];
  return true;
}

bool TProperties::TakeClear(int& kind) {
  static const char16_t* const names[] = {u"none", u"left", u"right", u"both"};
  const int i = KeywordIndex(Values[Clear], names, -1);
  if (Values[Clear].IsText()) Values[Clear] = String();
  if (i < 0) return false;
  kind = i;
  return true;
}

int TProperties::ReadDisplayKind() const {
  static const char16_t* const names[] = {u"", u"block", u"inline", u"inline-block",
                                          u"list-item", u"run-in", u"none"};
  return std::max(0, KeywordIndex(Values[Display], names, 0));
}

int TProperties::ReadListStyleKind() const {
  static const char16_t* const names[] = {u"blank", u"circle", u"decimal", u"disc", u"lower-alpha",
                                          u"lower-roman", u"none", u"square", u"upper-alpha",
                                          u"upper-roman"};
  return KeywordIndex(Values[ListStyleType], names, 0);
}

int TProperties::ReadPositionKind() const {
  static const char16_t* const names[] = {u"static", u"relative", u"absolute", u"fixed"};
  return KeywordIndex(Values[Position], names, 0);
}

int TProperties::ReadVisibilityKind() const {
  return Values[Visibility].IsInt() && Values[Visibility].AsInt() == 1 ? 1 : 2;
}

int32_t TProperties::ReadZOrder() const {
  const TPropValue& v = Values[ZIndex];
  if (v.IsInt()) return v.AsInt();
  if (v.IsText()) return StrToIntDef(v.AsText(), 0);
  return 0;
}

bool TProperties::HasCollapsedBorders() const { return IsText(Values[BorderCollapse], u"collapse"); }
bool TProperties::EmptyCellsShown() const { return IsText(Values[EmptyCells], u"show"); }

int32_t TProperties::LineHeightPixels(int32_t fontHeight) const {
  const TPropValue& v = Values[LineHeight];
  if (!v.IsText()) return -1;
  long double n;
  String unit;
  if (SplitNumberUnit(v.AsText(), n, unit) && unit.empty())
    return RoundToInt32(n * fontHeight, -1);
  return LengthToPixels(v.AsText(), true, EmHeight, -1, ExHeight, EmHeight);
}

int32_t TProperties::TextIndentValue(bool& isPercent) const {
  const TPropValue& v = Values[TextIndent];
  isPercent = false;
  if (!v.IsText()) return 0;
  if (v.AsText().find(u'%') != String::npos) {
    isPercent = true;
    return LengthToPixels(v.AsText(), true, 100, 0, EmHeight, EmHeight);
  }
  return LengthToPixels(v.AsText(), false, 0, 0, EmHeight, EmHeight);
}

int TProperties::ReadCaseTransform() const {
  return Values[TextTransform].IsInt() ? Values[TextTransform].AsInt() : 0;
}

String TProperties::FontVariantText() const {
  return Values[FontVariant].IsText() ? Values[FontVariant].AsText() : String(u"normal");
}

void TProperties::ReadPageBreakFlags(bool& before, bool& after, bool& avoidInside) const {
  before = IsText(Values[PageBreakBefore], u"always");
  after = IsText(Values[PageBreakAfter], u"always");
  avoidInside = IsText(Values[PageBreakInside], u"avoid");
}

TColor TProperties::OwnBackgroundColor() const {
  return Values[BackgroundColor].IsInt() && OwnFlags[BackgroundColor] ? Values[BackgroundColor].AsInt() : clNone;
}

TColor TProperties::OwnTextColor() const {
  return Values[Color].IsInt() && OwnFlags[Color] ? Values[Color].AsInt() : clNone;
}

TColor TProperties::TakeBackgroundColor() {
  const TColor c = OwnBackgroundColor();
  if (Values[BackgroundColor].IsInt() && OwnFlags[BackgroundColor]) TextBackground = c;
  return c;
}

bool TProperties::ReadBorderStyle(TStylePropIndex index, int& style) const {
  const TPropValue& v = Values[index];
  if (v.IsText()) return BorderStyleIndex(v.AsText(), style);
  if (v.IsInt() && v.AsInt() >= 0 && v.AsInt() <= 8) {
    style = v.AsInt();
    return true;
  }
  return false;
}

bool TProperties::BorderStyleDeclared() const {
  int style;
  for (int i = BorderTopStyle; i <= BorderLeftStyle; ++i)
    if (ReadBorderStyle(static_cast<TStylePropIndex>(i), style)) return true;
  return false;
}

bool TProperties::HasVisibleBorder() const {
  int style;
  for (int i = BorderTopStyle; i <= BorderLeftStyle; ++i)
    if (ReadBorderStyle(static_cast<TStylePropIndex>(i), style) && style != BorderNone) return true;
  return false;
}
