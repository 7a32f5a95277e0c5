// Text, comparison, hashing and date helpers of the PDF engine. UTF-8 and UTF-16 coding
// itself is rtl's (Utf8ToString / StringToUtf8: surrogate pairs as one 4-byte sequence).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

// Byte tables: "a".."z" made upper case; the same with the Latin-1 and Windows-1252
// accented letters folded to their base letter; and that folded to lower case.
extern const std::array<unsigned char, 256> UpperCaseTable;
extern const std::array<unsigned char, 256> FoldedUpperTable;
extern const std::array<unsigned char, 256> FoldedLowerTable;

// True when no byte has its high bit set.
bool IsSevenBitText(std::string_view bytes);
// Without the leading and trailing bytes of value 32 or less.
std::string_view TrimUtf8(std::string_view text);

// Difference of the first unequal bytes after folding "a".."z" to upper case.
int CompareAsciiNoCase(std::string_view a, std::string_view b);
// Compares by character: code points up to 255 through FoldedUpperTable (case and accents
// ignored), higher ones by value.
int CompareUtf8NoCase(std::string_view a, std::string_view b);
// Units up to 255 through UpperCaseTable, others by value.
int CompareWideNoCase(std::u16string_view a, std::u16string_view b);
// True when the text, folded with UpperCaseTable, starts with the upper-case prefix.
bool StartsWithUpper(std::string_view text, std::string_view upperPrefix);

// Index of the text in the array, or -1; without case sensitivity through CompareUtf8NoCase.
int FindUtf8InArray(const std::vector<std::string>& array, std::string_view text, bool caseSensitive);
// Appends the text; false (and nothing added) when noDuplicates refuses an existing one.
bool AddUtf8ToArray(std::vector<std::string>& array, std::string_view text, bool noDuplicates,
                    bool caseSensitive);

// "yyyy-mm-dd" separator "hh:nn:ss" when expanded, else "yyyymmdd" separator "hhnnss".
std::string DateTimeToIso8601Text(TDateTime value, bool expanded, char separator);

// Two upper-case hexadecimal digits per byte.
std::string BytesToHexUpper(std::string_view bytes);

// The engine's 32-bit sum hash: words summed (s1) and the sums summed (s2), a tail of 1 to
// 3 bytes added to s1 as a little-endian number; s1 xor (s2 << 16).
uint32_t SumHash32(const void* buffer, size_t length);

// An ascending array of UTF-16 units without duplicates.
class TSortedWordArray {
 public:
  // The bitwise complement of the index when found, else the insertion index.
  int FindSortedWord(uint16_t value) const;
  // Inserts the value at its place and returns its index, or the complement of the
  // index of the value already there (nothing changes then).
  int InsertSortedWord(uint16_t value);
  int Count() const { return static_cast<int>(values_.size()); }
  uint16_t operator[](int index) const { return values_.at(static_cast<size_t>(index)); }

 private:
  std::vector<uint16_t> values_;
};
