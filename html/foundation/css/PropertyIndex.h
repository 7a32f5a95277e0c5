// The 65 style properties by index, their CSS names, the sentinels stored as values and
// the keyword codes that the property readers answer.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/gdi/Colors.h"
#include "platform/rtl/Types.h"

enum TStylePropIndex : int {
  FontFamily, FontSize, FontStyle, FontWeight, TextAlign, TextDecoration, LetterSpacing, Color,
  BackgroundColor, MarginTop, MarginRight, MarginBottom, MarginLeft, MinHeight, MinWidth,
  MaxHeight, MaxWidth, BoxSizing, PaddingTop, PaddingRight, PaddingBottom, PaddingLeft,
  BorderTopWidth, BorderRightWidth, BorderBottomWidth, BorderLeftWidth, BorderTopColor,
  BorderRightColor, BorderBottomColor, BorderLeftColor, BorderTopStyle, BorderRightStyle,
  BorderBottomStyle, BorderLeftStyle, Width, Height, Top, Bottom, Right, Left, Visibility,
  LineHeight, BackgroundImage, BackgroundPosition, BackgroundRepeat, BackgroundAttachment,
  VerticalAlign, Position, ZIndex, ListStyleType, ListStyleImage, Float, Clear, TextIndent,
  PageBreakBefore, PageBreakAfter, PageBreakInside, TextTransform, WordWrap, FontVariant,
  BorderCollapse, Overflow, Display, EmptyCells, WhiteSpace
};
constexpr int PropertyCount = 65;
// The box properties that start as, and are reset to, UnsetSentinel.
constexpr int FirstBoxProperty = MarginTop;
constexpr int LastBoxProperty = Left;

extern const std::array<const char16_t*, PropertyCount> PropertyNames;
// Exact, case-sensitive look-up; nothing for an unknown name.
std::optional<TStylePropIndex> PropertyIndexOf(const String& name);

constexpr int32_t UnsetSentinel = -12345678;
constexpr int32_t AutoSentinel = -12348765;
constexpr int32_t ParaGapSentinel = -12348766;
static_assert(clNone == 536870911);

// Alignment codes shared with layout.
enum AlignmentKind : int {
  AlignNone = 0, AlignTop = 1, AlignMiddle = 2, AlignBaseline = 3, AlignBottom = 4, AlignLeft = 5,
  AlignRight = 6, AlignSub = 8, AlignSuper = 9
};
enum TClearKind : int { ClearNone = 0, ClearLeft = 1, ClearRight = 2, ClearBoth = 3 };
enum TDisplayKind : int {
  DisplayUnset = 0, DisplayBlock, DisplayInline, DisplayInlineBlock, DisplayListItem, DisplayRunIn,
  DisplayNone
};
enum TListStyleKind : int {
  ListBlank = 0, ListCircle, ListDecimal, ListDisc, ListLowerAlpha, ListLowerRoman, ListNone,
  ListSquare, ListUpperAlpha, ListUpperRoman
};
enum TPositionKind : int { PosStatic = 0, PosRelative, PosAbsolute, PosFixed };
enum TBorderStyleKind : int {
  BorderNone = 0, BorderSolid, BorderInset, BorderOutset, BorderGroove, BorderRidge, BorderDashed,
  BorderDotted, BorderDouble
};

bool BoxSizingIndex(const String& text, int& index);
bool BorderStyleIndex(const String& text, int& index);
