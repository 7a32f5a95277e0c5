// Readable property values in test messages.
#pragma once

#include <ostream>

#include "html/foundation/css/PropValue.h"
#include "platform/rtl/Unicode.h"

inline void PrintTo(const TPropValue& value, std::ostream* os) {
  if (value.IsEmpty()) *os << "(empty)";
  else if (value.IsInt()) *os << value.AsInt();
  else if (value.IsReal()) *os << value.AsReal();
  else *os << '"' << StringToUtf8(value.AsText()) << '"';
}
