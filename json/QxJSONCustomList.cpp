#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

#include "json/QxJSONValues.h"
#include "platform/rtl/Unicode.h"

namespace {

[[noreturn]] void RaiseInvalidCast() { throw EInvalidCast(S("Ungültige Typumwandlung")); }

// The value at a position cast to the kind a typed accessor wants: none when there is no
// value, EInvalidCast when it is of another kind.
template <class T>
const T* Typed(const TqxJSONbase* value) {
  if (!value) return nullptr;
  const T* typed = dynamic_cast<const T*>(value);
  if (!typed) RaiseInvalidCast();
  return typed;
}

}  // namespace

TqxJSONcustomlist::~TqxJSONcustomlist() {
  while (!Items.empty()) Items.pop_back();
}

TqxJSONbase* TqxJSONcustomlist::ChildAt(int i) const { return InRange(i) ? Items[i].get() : nullptr; }

void TqxJSONcustomlist::ReplaceChildAt(int i, std::unique_ptr<TqxJSONbase> value) {
  if (InRange(i)) Items[i] = std::move(value);
}

int TqxJSONcustomlist::ChildCount() const { return static_cast<int>(Items.size()); }

TqxJSONbase* TqxJSONcustomlist::FindMember(const TqxVariant& key) const {
  const double* d = std::get_if<double>(&key);
  if (!d) return nullptr;
  // The platform rounds a number to an integer half to even, as nearbyint does by default.
  const double r = std::nearbyint(*d);
  if (!(r >= INT_MIN && r <= INT_MAX)) return nullptr;
  return ChildAt(static_cast<int>(r));
}

TqxJSONbase* TqxJSONcustomlist::EnumerateElement(int i, String& name) const {
  name = S(std::to_string(i));
  return ChildAt(i);
}

int TqxJSONcustomlist::AddChild(std::unique_ptr<TqxJSONbase> value) {
  if (!value) return -1;
  Items.push_back(std::move(value));
  return static_cast<int>(Items.size() - 1);
}

void TqxJSONcustomlist::DeleteChild(int i) {
  if (!InRange(i)) return;
  Items[i] = std::move(Items.back());
  Items.pop_back();
}

int TqxJSONcustomlist::IndexOfChild(const TqxJSONbase* value) const {
  for (size_t k = 0; k < Items.size(); ++k)
    if (Items[k].get() == value) return static_cast<int>(k);
  return -1;
}

int TqxJSONcustomlist::IntegerAt(int i) const {
  const TqxJSONnumber* n = Typed<TqxJSONnumber>(ValueAt(i));
  if (!n) return 0;
  const long double t = std::trunc(n->NumberValue);
  if (!(t >= INT_MIN && t <= INT_MAX))
    throw EConvertError(S("Die Zahl liegt außerhalb des Integer-Bereichs"));
  return static_cast<int>(t);
}

double TqxJSONcustomlist::DoubleAt(int i) const {
  const TqxJSONnumber* n = Typed<TqxJSONnumber>(ValueAt(i));
  return n ? std::get<double>(n->GetVariantValue()) : 0.0;
}

String TqxJSONcustomlist::StringAt(int i) const {
  const TqxJSONstring* s = Typed<TqxJSONstring>(ValueAt(i));
  return s ? s->StringValue : String();
}

String TqxJSONcustomlist::WideStringAt(int i) const { return StringAt(i); }

bool TqxJSONcustomlist::BooleanAt(int i) const {
  const TqxJSONboolean* b = Typed<TqxJSONboolean>(ValueAt(i));
  return b && b->BooleanValue;
}
