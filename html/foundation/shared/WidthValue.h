// Width values of HTML attributes: absolute pixels, tenths of a percent or relative parts.
#pragma once

#include <algorithm>

#include "platform/rtl/Types.h"

enum TWidthType { wtNone, wtAbsolute, wtPercent, wtRelative };

struct TWidthValue {
  int Amount = 0;
  TWidthType Kind = wtNone;
};

inline TWidthValue MakeWidthValue(int amount, TWidthType kind) { return TWidthValue{amount, kind}; }

// The amount the parser read from the text, typed by the text: "%" percent (at most 100,
// in tenths), "*" relative, else absolute.
inline TWidthValue ParseWidthValue(int amount, const String& text) {
  if (text.find(u'%') != String::npos) return {std::min(amount, 100) * 10, wtPercent};
  if (text.find(u'*') != String::npos) return {amount, wtRelative};
  return {amount, wtAbsolute};
}
