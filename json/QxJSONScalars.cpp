#include <cfloat>
#include <cmath>

#include "json/QxJSONValues.h"
#include "platform/rtl/Unicode.h"

TqxVariant TqxJSONbase::GetVariantValue() const { return std::monostate(); }

void TqxJSONbase::SetVariantValue(const TqxVariant&) {}

TqxJSONbase* TqxJSONbase::ChildAt(int) const { return nullptr; }

void TqxJSONbase::ReplaceChildAt(int, std::unique_ptr<TqxJSONbase>) {}

int TqxJSONbase::ChildCount() const { return 0; }

TqxJSONbase* TqxJSONbase::FindMember(const TqxVariant&) const { return nullptr; }

TqxJSONvalueKind TqxJSONbase::ValueKind() const { return jsBase; }

String TqxJSONbase::ValueKindName() const {
  static const char16_t* const names[] = {u"jsBase",    u"jsNumber", u"jsString", u"jsBoolean",
                                          u"jsNull",    u"jsList",   u"jsObject"};
  return names[ValueKind()];
}

TqxVariant TqxJSONnumber::GetVariantValue() const {
  // Narrowing a long double beyond the double range is undefined; give the infinity.
  if (std::fabs(NumberValue) > static_cast<long double>(DBL_MAX))
    return NumberValue > 0 ? HUGE_VAL : -HUGE_VAL;
  return static_cast<double>(NumberValue);
}

void TqxJSONnumber::SetVariantValue(const TqxVariant& v) { NumberValue = VariantToDouble(v); }

void TqxJSONstring::SetVariantValue(const TqxVariant& v) { StringValue = VariantToWideString(v); }

void TqxJSONboolean::SetVariantValue(const TqxVariant& v) { BooleanValue = VariantToBoolean(v); }
