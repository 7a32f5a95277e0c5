#include "json/QxVariant.h"

#include <string>

#include "platform/rtl/Compare.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Unicode.h"

namespace {

const char* TypeName(const TqxVariant& v) {
  switch (v.index()) {
    case 0: return "Null";
    case 1: return "Double";
    case 2: return "String";
    default: return "Boolean";
  }
}

[[noreturn]] void RaiseCast(const TqxVariant& v, const char* target) {
  throw EVariantTypeCastError(S(std::string("Variante des Typs (") + TypeName(v) +
                                ") konnte nicht in Typ (" + target + ") konvertiert werden"));
}

}  // namespace

double VariantToDouble(const TqxVariant& v) {
  if (const double* d = std::get_if<double>(&v)) return *d;
  if (const bool* b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;
  if (const String* s = std::get_if<String>(&v)) {
    double d = 0;
    if (TryStrToFloat(*s, d)) return d;
  }
  RaiseCast(v, "Double");
}

String VariantToWideString(const TqxVariant& v) {
  if (const String* s = std::get_if<String>(&v)) return *s;
  if (const double* d = std::get_if<double>(&v)) return FloatToStr(*d);
  if (const bool* b = std::get_if<bool>(&v)) return *b ? u"True" : u"False";
  RaiseCast(v, "String");
}

bool VariantToBoolean(const TqxVariant& v) {
  if (const bool* b = std::get_if<bool>(&v)) return *b;
  if (const double* d = std::get_if<double>(&v)) return *d != 0;
  if (const String* s = std::get_if<String>(&v)) {
    const String t = Trim(*s);
    if (SameText(t, u"True")) return true;
    if (SameText(t, u"False")) return false;
    double d = 0;
    if (TryStrToFloat(t, d)) return d != 0;
  }
  RaiseCast(v, "Boolean");
}

String VarToStr(const TqxVariant& v) { return VarIsNull(v) ? String() : VariantToWideString(v); }
