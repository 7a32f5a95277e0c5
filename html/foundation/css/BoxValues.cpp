#include "html/foundation/css/BoxValues.h"

#include <algorithm>

#include "html/foundation/css/Colours.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/Properties.h"
#include "platform/rtl/IntConvert.h"

namespace {
bool IsVertical(int property) {
  switch (property) {
    case MarginTop: case MarginBottom: case MinHeight: case MaxHeight: case PaddingTop: case PaddingBottom:
    case BorderTopWidth: case BorderBottomWidth: case Height: case Top:
      return true;
    default:
      return false;
  }
}
int32_t& At(TIntBoxArray& box, int property) { return box[BoxEntry(property)]; }
const TPropValue& At(const TVMarginArray& values, int property) { return values[BoxEntry(property)]; }

// Text as a length, an integer other than UnsetSentinel as itself, anything else `other`.
int32_t Length(const TPropValue& v, int32_t base, int32_t fallback, int32_t other, int32_t ex, int32_t em) {
  if (v.IsText()) return LengthToPixels(v.AsText(), false, base, fallback, ex, em);
  if (v.IsInt() && v.AsInt() != UnsetSentinel) return v.AsInt();
  return other;
}

int32_t BorderWidth(const TVMarginArray& values, int side, int32_t base, int32_t defaultWidth, int32_t ex,
                    int32_t em) {
  const TPropValue& style = At(values, BorderTopStyle + side);
  if (style.IsInt() && style.AsInt() == 0) return 0;
  const TPropValue& v = At(values, BorderTopWidth + side);
  if (v.IsText()) {
    if (v.AsText() == u"thin") return 2;
    if (v.AsText() == u"medium") return 4;
    if (v.AsText() == u"thick") return 6;
    return LengthToPixels(v.AsText(), false, base, defaultWidth, ex, em);
  }
  if (v.IsInt() && v.AsInt() != UnsetSentinel) return v.AsInt();
  return defaultWidth;
}
}  // namespace

void CopyBoxValues(const TProperties& props, TVMarginArray& values, TColor defaultColour) {
  for (int p = 8; p <= LastBoxProperty; ++p) values[BoxEntry(p)] = props.Values[p];
  for (int p = BorderTopColor; p <= BorderLeftColor; ++p) {
    const TPropValue& v = props.Values[p];
    TColor colour;
    const String text = v.IsInt() ? IntToStr(v.AsInt()) : v.TextOrEmpty();
    if (!ParseColorText(text, false, colour)) values[BoxEntry(p)] = defaultColour;
  }
  for (int p = BorderTopStyle; p <= BorderLeftStyle; ++p) {
    int style = 0;
    if (!props.ReadBorderStyle(static_cast<TStylePropIndex>(p), style)) style = 0;
    values[BoxEntry(p)] = style;
  }
}

void ReadBoxValues(const TProperties& props, TVMarginArray& values) {
  const TPropValue& colour = props.Values[Color];
  CopyBoxValues(props, values, colour.IsInt() ? colour.AsInt() : 0);
}

void ConvertBoxValues(const TVMarginArray& values, int32_t baseWidth, int32_t baseHeight, TIntBoxArray& result,
                      int& autoCount, int32_t defaultBorderWidth, int32_t ex, int32_t em) {
  autoCount = 0;
  auto base = [&](int p) { return IsVertical(p) ? baseHeight : baseWidth; };
  for (int p : {BackgroundColor, BorderTopColor, BorderRightColor, BorderBottomColor, BorderLeftColor}) {
    const TPropValue& v = At(values, p);
    At(result, p) = v.IsInt() ? v.AsInt() : clNone;
  }
  for (int p : {MarginRight, MarginLeft}) {
    const TPropValue& v = At(values, p);
    if (v.IsText() && v.AsText() == u"auto") {
      At(result, p) = AutoSentinel;
      ++autoCount;
    } else {
      At(result, p) = Length(v, baseWidth, 0, 0, ex, em);
    }
  }
  for (int p = PaddingTop; p <= PaddingLeft; ++p) At(result, p) = Length(At(values, p), base(p), 0, 0, ex, em);
  for (int p = BorderTopStyle; p <= BorderLeftStyle; ++p) {
    const TPropValue& v = At(values, p);
    At(result, p) = v.IsInt() && v.AsInt() != UnsetSentinel ? v.AsInt() : 0;
  }
  for (int side = 0; side < 4; ++side)
    At(result, BorderTopWidth + side) = BorderWidth(values, side, baseWidth, defaultBorderWidth, ex, em);
  const int32_t verticalExtras = At(result, PaddingTop) + At(result, PaddingBottom) + At(result, BorderTopWidth) +
                                 At(result, BorderBottomWidth);
  for (int p : {MinHeight, MaxHeight, Height}) {
    const TPropValue& v = At(values, p);
    int32_t r = Length(v, base(p), 0, 0, ex, em);
    if (v.IsText() && v.AsText().find(u'%') != String::npos) r -= verticalExtras;
    At(result, p) = r;
  }
  for (int p : {MinWidth, MaxWidth}) At(result, p) = Length(At(values, p), baseWidth, AutoSentinel, 0, ex, em);
  {
    int index = 0;
    const TPropValue& v = At(values, BoxSizing);
    At(result, BoxSizing) = v.IsText() && BoxSizingIndex(v.AsText(), index) ? index : 0;
  }
  At(result, Width) = Length(At(values, Width), baseWidth, AutoSentinel, AutoSentinel, ex, em);
  if (At(result, Width) == AutoSentinel) ++autoCount;
  for (int p = Top; p <= Left; ++p) At(result, p) = Length(At(values, p), base(p), AutoSentinel, AutoSentinel, ex, em);
}

int32_t ConvertVerticalMargin(const TPropValue& v, int32_t baseWidth, int32_t em, int32_t ex, bool& isGap) {
  isGap = false;
  if (v.IsText()) return LengthToPixels(v.AsText(), false, baseWidth, 0, ex, em);
  if (!v.IsInt() || v.AsInt() == UnsetSentinel) return 0;
  if (v.AsInt() == ParaGapSentinel) {
    isGap = true;
    return 14;
  }
  return v.AsInt();
}

void ConvertVerticalMargins(const TVMarginArray& values, int32_t baseWidth, int32_t em, int32_t ex,
                            TIntBoxArray& result, bool& topIsGap, bool& bottomIsGap) {
  At(result, MarginTop) = ConvertVerticalMargin(At(values, MarginTop), baseWidth, em, ex, topIsGap);
  At(result, MarginBottom) = ConvertVerticalMargin(At(values, MarginBottom), baseWidth, em, ex, bottomIsGap);
}

void ConvertPaddings(const TVMarginArray& values, int32_t em, int32_t ex, TIntBoxArray& result) {
  for (int p = PaddingTop; p <= PaddingLeft; ++p) {
    const TPropValue& v = At(values, p);
    if (v.IsText()) At(result, p) = LengthToPixels(v.AsText(), false, -100, 0, ex, em);
    else At(result, p) = v.IsInt() && v.AsInt() != UnsetSentinel ? v.AsInt() : -1;
  }
}

void ConvertCellBoxValues(const TVMarginArray& values, int32_t baseWidth, TIntBoxArray& result, int32_t ex,
                          int32_t em) {
  for (int p = MarginTop; p <= MaxWidth; ++p) At(result, p) = Length(At(values, p), baseWidth, 0, UnsetSentinel, ex, em);
  for (int side = 0; side < 4; ++side)
    At(result, BorderTopWidth + side) = BorderWidth(values, side, baseWidth, 4, ex, em);
  for (int p : {Width, Height}) At(result, p) = Length(At(values, p), baseWidth, AutoSentinel, UnsetSentinel, ex, em);
}

void ClampWidth(TIntBoxArray& box, int32_t& minResult, int32_t& maxResult, bool skip) {
  if (skip) return;
  if (At(box, MaxWidth) > 0) {
    maxResult = At(box, MaxWidth);
    At(box, Width) = std::min(At(box, Width), At(box, MaxWidth));
  }
  if (At(box, MinWidth) > 0) {
    At(box, Width) = std::max(At(box, Width), At(box, MinWidth));
    minResult = At(box, Width);
  }
}

void SubtractPaddingBorder(TIntBoxArray& box) {
  if (At(box, Width) >= 0)
    At(box, Width) -= At(box, PaddingLeft) + At(box, PaddingRight) + At(box, BorderLeftWidth) + At(box, BorderRightWidth);
  if (At(box, Height) >= 0)
    At(box, Height) -= At(box, PaddingTop) + At(box, PaddingBottom) + At(box, BorderTopWidth) + At(box, BorderBottomWidth);
}

void ClampBoxSize(TIntBoxArray& box, bool subtractOnly) {
  if (subtractOnly) {
    SubtractPaddingBorder(box);
    return;
  }
  auto limit = [&](int size, int minP, int maxP) {
    if (At(box, size) < 0) return;
    if (At(box, maxP) > 0) At(box, size) = std::min(At(box, size), At(box, maxP));
    if (At(box, minP) > 0) At(box, size) = std::max(At(box, size), At(box, minP));
  };
  limit(Width, MinWidth, MaxWidth);
  limit(Height, MinHeight, MaxHeight);
  if (At(box, BoxSizing) == 1) SubtractPaddingBorder(box);
}
