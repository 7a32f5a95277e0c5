// Renders a value tree as compact text for comparing parse results in tables:
// numbers with up to 15 significant digits, strings in double quotes (UTF-8, no escapes),
// true, false, null, [a,b], {"name":value}; no tree is "none".
#pragma once

#include <cstdio>
#include <string>

#include "json/QxJSONValues.h"
#include "platform/rtl/Unicode.h"

inline std::string Dump(const TqxJSONbase* v) {
  if (!v) return "none";
  switch (v->ValueKind()) {
    case jsNumber: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.15Lg", static_cast<const TqxJSONnumber*>(v)->NumberValue);
      return buf;
    }
    case jsString: return "\"" + StringToUtf8(static_cast<const TqxJSONstring*>(v)->StringValue) + "\"";
    case jsBoolean: return static_cast<const TqxJSONboolean*>(v)->BooleanValue ? "true" : "false";
    case jsNull: return "null";
    case jsList: {
      std::string out = "[";
      for (int i = 0; i < v->ChildCount(); ++i) out += (i ? "," : "") + Dump(v->ChildAt(i));
      return out + "]";
    }
    case jsObject: {
      std::string out = "{";
      for (int i = 0; i < v->ChildCount(); ++i) {
        const auto* m = static_cast<const TqxJSONobjectmethod*>(v->ChildAt(i));
        out += (i ? ",\"" : "\"") + StringToUtf8(m->MemberName) + "\":" + Dump(m->MemberValue.get());
      }
      return out + "}";
    }
    default: return "base";
  }
}

// Parsing helper: the text given in UTF-8 source goes in one byte per character, as the
// application's web answers do.
inline String Bytes(const std::string& utf8) {
  String s;
  for (unsigned char c : utf8) s += static_cast<Char>(c);
  return s;
}
