// CSS numbers with units, lengths in screen pixels and url( values.
#pragma once

#include <cstdint>

#include "html/foundation/css/PropValue.h"
#include "platform/rtl/Types.h"

// The screen's pixels per inch (the platform's screen has 96).
int ScreenPixelsPerInch();

// False when the text does not begin with a number; else the leading number ("e" starts an
// exponent only when a digit follows, so 2em is 2 with unit "em") and the trimmed rest.
bool SplitNumberUnit(const String& text, long double& number, String& unit);

// Integer pixels of a length; halves round to even. Unreadable text and unknown units give
// the default; results beyond MaxDocumentLength (either sign) are limited to it.
int32_t LengthToPixels(const String& text, bool relative, int32_t base, int32_t fallback,
                       int32_t exSize, int32_t emSize);

// Text through LengthToPixels; an integer other than UnsetSentinel unchanged; else default.
int32_t ValueToPixels(const TPropValue& value, bool relative, int32_t base, int32_t fallback,
                      int32_t exSize, int32_t emSize);

bool EqualsAutoSentinel(const TPropValue& value);
// True only for the integer UnsetSentinel.
bool EqualsUnsetSentinel(const TPropValue& value);

// The URL inside "url(" of a text value: quoted up to the same quote, else up to the first
// blank or unbalanced ")"; empty when there is none.
String UrlFromCssValue(const TPropValue& value);
String UrlFromCssText(const String& text);

// A real rounded half to even and limited to the 32-bit range (NaN gives the fallback).
int32_t RoundToInt32(long double value, int32_t fallback);
