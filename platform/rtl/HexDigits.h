// Hexadecimal digits, read and written: the one place that knows them.
#pragma once

// The value of a hexadecimal digit (0-9, A-F, a-f) of any character type, or -1.
constexpr int HexDigitValue(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A' + 10);
  if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a' + 10);
  return -1;
}

// The upper-case digit of the low four bits of a value.
constexpr char HexDigitUpper(unsigned value) { return "0123456789ABCDEF"[value & 15]; }
