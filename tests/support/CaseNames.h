// Names for the cases of parameterized tests, so that a test list and a failure say which
// case it was instead of showing the bytes of the parameter. GoogleTest accepts only
// letters, digits and '_' in a name, and every name of a suite must be unique.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

// label with CR and LF spelled out and every other character that is not a letter or digit
// turned into '_'.
inline std::string CaseLabel(std::string_view label) {
  std::string name;
  for (char c : label) {
    if (c == '\r') name += "CR";
    else if (c == '\n') name += "LF";
    else name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}

// CaseLabel followed by '_' and the case's index (which keeps the names unique).
inline std::string CaseName(std::string_view label, size_t index) {
  return CaseLabel(label) + "_" + std::to_string(index);
}
