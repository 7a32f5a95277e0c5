#include "pdf/helpers/TextHelpers.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/rtl/HexDigits.h"
#include "platform/rtl/Unicode.h"
#include "pdf/helpers/DateParts.h"

namespace {

constexpr std::array<unsigned char, 256> MakeUpper() {
  std::array<unsigned char, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
  return t;
}

constexpr std::array<unsigned char, 256> MakeFoldedUpper() {
  auto t = MakeUpper();
  auto set = [&t](int from, int to, unsigned char v) {
    for (int i = from; i <= to; ++i) t[i] = v;
  };
  set(138, 138, 'S'); set(142, 142, 'Z'); set(154, 154, 'S'); set(156, 156, 140);
  set(158, 158, 'Z'); set(159, 159, 'Y'); set(192, 197, 'A'); set(199, 199, 'C');
  set(200, 203, 'E'); set(204, 207, 'I'); set(208, 208, 'D'); set(209, 209, 'N');
  set(210, 214, 'O'); set(216, 216, 'O'); set(217, 220, 'U'); set(221, 221, 'Y');
  set(224, 229, 'A'); set(230, 230, 198); set(231, 231, 'C'); set(232, 235, 'E');
  set(236, 239, 'I'); set(240, 240, 'D'); set(241, 241, 'N'); set(242, 246, 'O');
  set(248, 248, 'O'); set(249, 252, 'U'); set(253, 253, 'Y'); set(254, 254, 222);
  set(255, 255, 'Y');
  return t;
}

constexpr std::array<unsigned char, 256> MakeFoldedLower() {
  auto t = MakeFoldedUpper();
  for (auto& c : t)
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
  return t;
}

}  // namespace

const std::array<unsigned char, 256> UpperCaseTable = MakeUpper();
const std::array<unsigned char, 256> FoldedUpperTable = MakeFoldedUpper();
const std::array<unsigned char, 256> FoldedLowerTable = MakeFoldedLower();

bool IsSevenBitText(std::string_view bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 128; });
}

std::string_view TrimUtf8(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return text.substr(b, e - b);
}

int CompareAsciiNoCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d = UpperCaseTable[static_cast<unsigned char>(a[i])] - UpperCaseTable[static_cast<unsigned char>(b[i])];
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

namespace {

// Code points of a UTF-8 text, one per character.
std::u32string CodePoints(std::string_view utf8) {
  String wide = Utf8ToString(utf8);
  std::u32string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
      ++i;
    }
    out.push_back(c);
  }
  return out;
}

}  // namespace

int CompareUtf8NoCase(std::string_view a, std::string_view b) {
  std::u32string ca = CodePoints(a), cb = CodePoints(b);
  size_t n = std::min(ca.size(), cb.size());
  for (size_t i = 0; i < n; ++i) {
    long x = ca[i] <= 255 ? FoldedUpperTable[ca[i]] : static_cast<long>(ca[i]);
    long y = cb[i] <= 255 ? FoldedUpperTable[cb[i]] : static_cast<long>(cb[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return ca.size() < cb.size() ? -1 : ca.size() > cb.size() ? 1 : 0;
}

int CompareWideNoCase(std::u16string_view a, std::u16string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int x = a[i] <= 255 ? UpperCaseTable[a[i]] : a[i];
    int y = b[i] <= 255 ? UpperCaseTable[b[i]] : b[i];
    if (x != y) return x - y;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool StartsWithUpper(std::string_view text, std::string_view upperPrefix) {
  if (text.size() < upperPrefix.size()) return false;
  for (size_t i = 0; i < upperPrefix.size(); ++i)
    if (UpperCaseTable[static_cast<unsigned char>(text[i])] != static_cast<unsigned char>(upperPrefix[i]))
      return false;
  return true;
}

int FindUtf8InArray(const std::vector<std::string>& array, std::string_view text, bool caseSensitive) {
  for (size_t i = 0; i < array.size(); ++i)
    if (caseSensitive ? array[i] == text : CompareUtf8NoCase(array[i], text) == 0) return static_cast<int>(i);
  return -1;
}

bool AddUtf8ToArray(std::vector<std::string>& array, std::string_view text, bool noDuplicates,
                    bool caseSensitive) {
  if (noDuplicates && FindUtf8InArray(array, text, caseSensitive) >= 0) return false;
  array.emplace_back(text);
  return true;
}

std::string DateTimeToIso8601Text(TDateTime value, bool expanded, char separator) {
  TDateParts p = DecodeDateParts(value);
  char buf[32];
  if (expanded)
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d%c%02d:%02d:%02d", p.Year, p.Month, p.Day, separator, p.Hour,
                  p.Minute, p.Second);
  else
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%c%02d%02d%02d", p.Year, p.Month, p.Day, separator, p.Hour,
                  p.Minute, p.Second);
  return buf;
}

std::string BytesToHexUpper(std::string_view bytes) {
  std::string out(bytes.size() * 2, '0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    out[2 * i] = HexDigitUpper(b >> 4);
    out[2 * i + 1] = HexDigitUpper(b);
  }
  return out;
}

uint32_t SumHash32(const void* buffer, size_t length) {
  if (buffer == nullptr) return 0;
  auto p = static_cast<const unsigned char*>(buffer);
  uint32_t s1 = 0, s2 = 0;
  size_t words = length / 4;
  for (size_t i = 0; i < words; ++i, p += 4) {
    s1 += static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
          static_cast<uint32_t>(p[3]) << 24;
    s2 += s1;
  }
  uint32_t tail = 0;
  for (size_t i = 0; i < length % 4; ++i) tail |= static_cast<uint32_t>(p[i]) << (8 * i);
  s1 += tail;
  s2 += s1;
  return s1 ^ (s2 << 16);
}

int TSortedWordArray::FindSortedWord(uint16_t value) const {
  auto it = std::lower_bound(values_.begin(), values_.end(), value);
  int index = static_cast<int>(it - values_.begin());
  return it != values_.end() && *it == value ? ~index : index;
}

int TSortedWordArray::InsertSortedWord(uint16_t value) {
  int index = FindSortedWord(value);
  if (index < 0) return index;
  values_.insert(values_.begin() + index, value);
  return index;
}
