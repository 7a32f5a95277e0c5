#include "platform/gdi/fonts/SfntCollection.h"

#include <cstdint>
#include <vector>

#include "platform/gdi/fonts/FontResolver.h"
#include "platform/rtl/Unicode.h"

namespace {

uint32_t Read32(std::string_view d, size_t at) {
  if (at + 4 > d.size()) throw EFontError(S("Fehlerhafte Schriftsammlung"));
  auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(d[at + i])); };
  return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

uint16_t Read16(std::string_view d, size_t at) {
  if (at + 2 > d.size()) throw EFontError(S("Fehlerhafte Schriftsammlung"));
  return static_cast<uint16_t>(static_cast<uint8_t>(d[at]) << 8 | static_cast<uint8_t>(d[at + 1]));
}

void Put32(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v >> 24);
  s[at + 1] = static_cast<char>(v >> 16);
  s[at + 2] = static_cast<char>(v >> 8);
  s[at + 3] = static_cast<char>(v);
}

uint32_t Checksum(std::string_view d, size_t at, size_t length) {
  uint32_t sum = 0;
  for (size_t i = 0; i < length; i += 4) {
    uint32_t word = 0;
    for (size_t k = 0; k < 4; ++k)
      word = word << 8 | (i + k < length ? static_cast<uint8_t>(d[at + i + k]) : 0u);
    sum += word;
  }
  return sum;
}

struct TTableRecord {
  uint32_t Tag, Offset, Length;
};

}  // namespace

bool IsFontCollection(std::string_view data) { return data.size() >= 12 && data.substr(0, 4) == "ttcf"; }

std::string ExtractCollectionMember(std::string_view d, int index) {
  if (!IsFontCollection(d)) throw EFontError(S("Keine Schriftsammlung"));
  uint32_t count = Read32(d, 8);
  if (index < 0 || static_cast<uint32_t>(index) >= count) throw EFontError(S("Schrift nicht in der Sammlung"));
  size_t dir = Read32(d, 12 + 4 * static_cast<size_t>(index));
  uint32_t version = Read32(d, dir);
  uint16_t numTables = Read16(d, dir + 4);
  std::vector<TTableRecord> tables;
  for (uint16_t i = 0; i < numTables; ++i) {
    size_t rec = dir + 12 + 16 * static_cast<size_t>(i);
    TTableRecord t{Read32(d, rec), Read32(d, rec + 8), Read32(d, rec + 12)};
    if (static_cast<uint64_t>(t.Offset) + t.Length > d.size()) throw EFontError(S("Fehlerhafte Schriftsammlung"));
    tables.push_back(t);
  }
  size_t headerSize = 12 + 16 * static_cast<size_t>(numTables);
  std::string out(headerSize, '\0');
  Put32(out, 0, version);
  out[4] = static_cast<char>(numTables >> 8);
  out[5] = static_cast<char>(numTables);
  // searchRange, entrySelector and rangeShift of the table directory
  uint16_t entrySelector = 0;
  while ((2u << entrySelector) <= numTables) ++entrySelector;
  uint16_t searchRange = static_cast<uint16_t>(16u << entrySelector);
  uint16_t rangeShift = static_cast<uint16_t>(numTables * 16 - searchRange);
  out[6] = static_cast<char>(searchRange >> 8);
  out[7] = static_cast<char>(searchRange);
  out[8] = static_cast<char>(entrySelector >> 8);
  out[9] = static_cast<char>(entrySelector);
  out[10] = static_cast<char>(rangeShift >> 8);
  out[11] = static_cast<char>(rangeShift);
  size_t headOffset = 0;
  for (size_t i = 0; i < tables.size(); ++i) {
    const TTableRecord& t = tables[i];
    size_t offset = out.size();
    out.append(d.substr(t.Offset, t.Length));
    out.append((4 - t.Length % 4) % 4, '\0');
    if (t.Tag == 0x68656164 /* head */) {
      headOffset = offset;
      if (t.Length >= 12) Put32(out, offset + 8, 0);
    }
    size_t rec = 12 + 16 * i;
    Put32(out, rec, t.Tag);
    Put32(out, rec + 4, Checksum(out, offset, t.Length));
    Put32(out, rec + 8, static_cast<uint32_t>(offset));
    Put32(out, rec + 12, t.Length);
  }
  if (headOffset != 0) Put32(out, headOffset + 8, 0xB1B0AFBAu - Checksum(out, 0, out.size()));
  return out;
}
