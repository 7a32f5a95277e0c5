// Text routines with the platform's semantics: positions and indexes are 1-based and count
// UTF-16 units; out-of-range arguments clamp instead of failing.
#pragma once

#include <initializer_list>

#include "platform/rtl/Types.h"

// Position of the first sub in s (1-based), 0 when absent. An empty sub is never found.
int Pos(const String& sub, const String& s);
// As Pos, searching from offset (1-based); 0 when offset < 1 or lies past the end.
int PosEx(const String& sub, const String& s, int offset = 1);

// count units from index (1-based). index < 1 counts as 1, a count past the end is cut,
// a count < 1 or an index past the end gives "".
String Copy(const String& s, int index, int count);
// Removes count units from index; nothing when index lies outside s or count < 1.
void Delete(String& s, int index, int count);
// Inserts source before index; index < 1 inserts at the front, past the end appends.
void Insert(const String& source, String& s, int index);

// A set of flags: {}, rfReplaceAll, {rfReplaceAll, rfIgnoreCase}, rfReplaceAll | rfIgnoreCase.
enum class TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
class TReplaceFlags {
 public:
  constexpr TReplaceFlags() = default;
  constexpr TReplaceFlags(TReplaceFlag flag) : bits_(static_cast<int>(flag)) {}
  constexpr TReplaceFlags(std::initializer_list<TReplaceFlag> flags) {
    for (TReplaceFlag flag : flags) bits_ |= static_cast<int>(flag);
  }
  constexpr TReplaceFlags operator|(TReplaceFlags other) const { return TReplaceFlags(bits_ | other.bits_); }
  constexpr bool Contains(TReplaceFlag flag) const { return (bits_ & static_cast<int>(flag)) != 0; }

 private:
  constexpr explicit TReplaceFlags(int bits) : bits_(bits) {}
  int bits_ = 0;
};
constexpr TReplaceFlags operator|(TReplaceFlag a, TReplaceFlag b) { return TReplaceFlags(a) | b; }
inline constexpr TReplaceFlag rfReplaceAll = TReplaceFlag::rfReplaceAll;
inline constexpr TReplaceFlag rfIgnoreCase = TReplaceFlag::rfIgnoreCase;

// Replaces the first (or with rfReplaceAll every) occurrence of oldPattern, left to right;
// inserted text is not searched again. An empty pattern changes nothing. With rfIgnoreCase
// the texts are compared after AnsiUpperCase.
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags = {});

// Remove the characters up to and including the blank (control characters too).
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// ASCII letters only; every other character stays.
String UpperCase(const String& s);
String LowerCase(const String& s);
// Unicode simple case mapping, one character to one character ("ß" stays "ß").
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);
