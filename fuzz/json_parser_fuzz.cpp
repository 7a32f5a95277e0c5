// libFuzzer target over the JSON reader. The first input byte chooses how the rest reaches
// the reader: even, one byte per character (as web answers arrive); odd, decoded from UTF-8
// to UTF-16 (characters above U+00FF). A tree that comes back is walked: every accessor is
// called at every position, an object's name lookup must agree with a scan for the first
// member of that name (also after a member is deleted), and from byte input every string
// must be well-formed UTF-16.
#include <cstddef>
#include <cstdint>
#include <string>

#include "json/QxJSONParser.h"
#include "platform/rtl/Unicode.h"

namespace {

bool WellFormed(const String& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] >= 0xD800 && s[i] <= 0xDBFF) {
      if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The first member named like member i, found by scanning.
int FirstOfName(const TqxJSONobject& o, const String& name) {
  for (int k = 0; k < o.ChildCount(); ++k)
    if (o.ChildAt(k) && o.MemberNameAt(k) == name) return k;
  return -1;
}

void CheckNames(const TqxJSONobject& o) {
  for (int i = 0; i < o.ChildCount(); ++i) {
    const String name = o.MemberNameAt(i);
    const int first = FirstOfName(o, name);
    Check(o.IndexOfMemberName(name) == first);
    const auto* member = static_cast<const TqxJSONobjectmethod*>(o.ChildAt(first));
    Check(o.MemberByName(name) == member->MemberValue.get());
  }
}

void TypedAccess(const TqxJSONcustomlist& l, int i) {
  try {
    l.IntegerAt(i);
  } catch (const EInvalidCast&) {
  } catch (const EConvertError&) {  // a number outside the integer range
  }
  try {
    l.DoubleAt(i);
  } catch (const EInvalidCast&) {
  }
  try {
    l.StringAt(i);
  } catch (const EInvalidCast&) {
  }
  try {
    l.BooleanAt(i);
  } catch (const EInvalidCast&) {
  }
}

void Walk(TqxJSONbase* v, bool fromBytes, int depth) {
  Check(v != nullptr && depth <= TqxJSON::MaxDepth + 1);
  VarToStr(v->GetVariantValue());
  if (auto* s = dynamic_cast<TqxJSONstring*>(v)) Check(!fromBytes || WellFormed(s->StringValue));
  auto* l = dynamic_cast<TqxJSONcustomlist*>(v);
  if (!l) return;
  auto* o = dynamic_cast<TqxJSONobject*>(v);
  for (int i = -1; i <= l->ChildCount(); ++i) {
    String name;
    l->EnumerateElement(i, name);
    TypedAccess(*l, i);
  }
  for (int i = 0; i < l->ChildCount(); ++i) {
    TqxJSONbase* child = l->ChildAt(i);
    Check(l->IndexOfChild(child) == i);
    if (o) {
      auto* member = static_cast<TqxJSONobjectmethod*>(child);
      Check(!fromBytes || WellFormed(member->MemberName));
      Walk(member->MemberValue.get(), fromBytes, depth + 1);
    } else {
      Walk(child, fromBytes, depth + 1);
    }
  }
  if (o) {
    CheckNames(*o);
    if (o->ChildCount() > 0) {
      o->DeleteChild(0);
      CheckNames(*o);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool fromBytes = data[0] % 2 == 0;
  const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  String text;
  if (fromBytes) {
    for (unsigned char c : rest) text += static_cast<Char>(c);
  } else {
    text = Utf8ToString(rest);
  }
  std::unique_ptr<TqxJSONbase> root = TqxJSON::ParseDocument(text);
  if (root) Walk(root.get(), fromBytes, 0);
  return 0;
}
