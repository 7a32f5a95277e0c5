// The variant value of the JSON values: empty (Null), a double, a string or a boolean,
// with the platform's conversions between them (German format settings).
#pragma once

#include <variant>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

using TqxVariant = std::variant<std::monostate, double, String, bool>;

WENDREL_DECLARE_EXCEPTION(EVariantError, Exception);
WENDREL_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);

inline bool VarIsNull(const TqxVariant& v) { return std::holds_alternative<std::monostate>(v); }

// Conversions that raise EVariantTypeCastError when the value cannot be converted (Null
// converts to nothing). Numbers and text convert under the format settings (German:
// "1,5"); a string converts to a boolean from "True"/"False" (any case) or a number; true
// is -1 as a number and "True" as text.
double VariantToDouble(const TqxVariant& v);
String VariantToWideString(const TqxVariant& v);
bool VariantToBoolean(const TqxVariant& v);

// The text shown for a variant: like VariantToWideString, but Null gives the empty text.
String VarToStr(const TqxVariant& v);

