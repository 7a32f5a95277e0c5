// One style property value: empty (never assigned), a 32-bit integer, a real or a text.
#pragma once

#include <cstdint>
#include <variant>

#include "platform/rtl/Types.h"

class TPropValue {
 public:
  TPropValue() = default;
  TPropValue(int32_t value) : v_(value) {}
  TPropValue(double value) : v_(value) {}
  TPropValue(const String& value) : v_(value) {}
  TPropValue(String&& value) : v_(std::move(value)) {}
  TPropValue(const char16_t* value) : v_(String(value)) {}

  bool IsEmpty() const { return v_.index() == 0; }
  bool IsInt() const { return v_.index() == 1; }
  bool IsReal() const { return v_.index() == 2; }
  bool IsText() const { return v_.index() == 3; }
  bool IsNumber() const { return IsInt() || IsReal(); }

  int32_t AsInt() const { return std::get<int32_t>(v_); }
  double AsReal() const { return IsInt() ? AsInt() : std::get<double>(v_); }
  const String& AsText() const { return std::get<String>(v_); }
  // The text, or an empty text for any other kind.
  String TextOrEmpty() const { return IsText() ? AsText() : String(); }
  void Clear() { v_ = std::monostate{}; }

  // Texts compare character by character, numbers numerically; kinds otherwise differ.
  friend bool operator==(const TPropValue& a, const TPropValue& b) {
    if (a.IsNumber() && b.IsNumber()) return a.AsReal() == b.AsReal();
    return a.v_ == b.v_;
  }

 private:
  std::variant<std::monostate, int32_t, double, String> v_;
};
