// Lookups into the tables of the double-byte code pages and character sets.
#include "platform/rtl/codepages/CodePageTables.h"

#include <algorithm>
#include <iterator>

namespace {
#include "platform/rtl/codepages/DoubleByteSets.inc"
#include "platform/rtl/codepages/EastAsianCodePages.inc"
#include "platform/rtl/codepages/Gb18030Tables.inc"

Char SetCell(const uint16_t* table, int row, int column) {
  if (row < 0x21 || row > 0x7E || column < 0x21 || column > 0x7E) return 0xFFFD;
  return table[94 * (row - 0x21) + (column - 0x21)];
}

bool InRows(int row, std::initializer_list<std::pair<int, int>> ranges) {
  for (auto [from, to] : ranges)
    if (row >= from && row <= to) return true;
  return false;
}

// Column of a trail byte in a table whose trails run 40..7E then 80..top.
int Column40(uint32_t trail) { return trail < 0x80 ? trail - 0x40 : trail - 0x41; }
}  // namespace

Char DecodeJisX0208(int row, int column) {
  if (!InRows(row, {{0x21, 0x28}, {0x30, 0x74}})) return 0xFFFD;
  return SetCell(kJisX0208, row, column);
}

Char DecodeJisX0212(int row, int column) {
  if (!InRows(row, {{0x22, 0x22}, {0x26, 0x27}, {0x29, 0x2B}, {0x30, 0x6D}})) return 0xFFFD;
  return SetCell(kJisX0212, row, column);
}

Char DecodeGb2312(int row, int column) {
  if (!InRows(row, {{0x21, 0x29}, {0x30, 0x77}})) return 0xFFFD;
  return SetCell(kGb2312, row, column);
}

Char DecodeKsc5601(int row, int column) {
  if (!InRows(row, {{0x21, 0x2C}, {0x30, 0x48}, {0x4A, 0x7D}})) return 0xFFFD;
  return SetCell(kKsc5601, row, column);
}

Char DecodeCnsPlane1(int row, int column) { return SetCell(kCnsPlane1, row, column); }
Char DecodeCnsPlane2(int row, int column) { return SetCell(kCnsPlane2, row, column); }

Char DecodeJisX0201(uint32_t byte) {
  if (byte == 0x5C) return 0x00A5;
  if (byte == 0x7E) return 0x203E;
  if (byte < 0x80) return static_cast<Char>(byte);
  if (byte >= 0xA1 && byte <= 0xDF) return static_cast<Char>(byte + 0xFEC0);
  return 0xFFFD;
}

Char DecodeAsciiOnly(uint32_t byte) { return byte < 0x80 ? static_cast<Char>(byte) : Char(0xFFFD); }

Char LookupCp932Extension(uint32_t lead, uint32_t trail) {
  static constexpr uint32_t kLeads[] = {0x87, 0xED, 0xEE, 0xFA, 0xFB, 0xFC};
  auto it = std::find(std::begin(kLeads), std::end(kLeads), lead);
  if (it == std::end(kLeads) || trail < 0x40 || trail > 0xFC || trail == 0x7F) return 0xFFFD;
  return kCp932Ext[188 * (it - std::begin(kLeads)) + Column40(trail)];
}

Char LookupGbk(uint32_t lead, uint32_t trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) return 0xFFFD;
  Char ch = kGbk[190 * (lead - 0x81) + Column40(trail)];
  if (ch != 0xFFFD) return ch;
  // User-defined areas: the private-use points GB18030 gives them.
  uint32_t code = lead << 8 | trail;
  for (const auto& run : kGbkUserDefinedRuns)
    if (code >= run[0] && code <= run[1]) return static_cast<Char>(run[2] + (code - run[0]));
  return 0xFFFD;
}

Char LookupUhc(uint32_t lead, uint32_t trail) {
  int column;
  if (trail >= 0x41 && trail <= 0x5A)
    column = trail - 0x41;
  else if (trail >= 0x61 && trail <= 0x7A)
    column = trail - 0x61 + 26;
  else if (trail >= 0x81 && trail <= 0xFE)
    column = trail - 0x81 + 52;
  else
    return 0xFFFD;
  if (lead < 0x81 || lead > 0xC6) return 0xFFFD;
  return kUhc[178 * (lead - 0x81) + column];
}

Char LookupBig5(uint32_t lead, uint32_t trail) {
  int column;
  if (trail >= 0x40 && trail <= 0x7E)
    column = trail - 0x40;
  else if (trail >= 0xA1 && trail <= 0xFE)
    column = trail - 0x62;
  else
    return 0xFFFD;
  if (lead < 0xA1 || lead > 0xF9) return 0xFFFD;
  return kBig5Cp950[157 * (lead - 0xA1) + column];
}

bool LookupGb18030TwoByte(uint32_t code, Char& ch) {
  auto it = std::lower_bound(std::begin(kGb18030TwoByte), std::end(kGb18030TwoByte), code,
                             [](const uint16_t (&row)[2], uint32_t c) { return row[0] < c; });
  if (it == std::end(kGb18030TwoByte) || (*it)[0] != code) return false;
  ch = (*it)[1];
  return true;
}

Char LookupGb18030FourByte(uint32_t index) {
  // First run whose last index is not below index.
  auto it = std::lower_bound(std::begin(kGb18030Ranges), std::end(kGb18030Ranges), index,
                             [](const uint16_t (&run)[3], uint32_t i) { return run[1] < i; });
  if (it == std::end(kGb18030Ranges) || index < (*it)[0]) return 0xFFFD;
  return static_cast<Char>((*it)[2] + (index - (*it)[0]));
}
