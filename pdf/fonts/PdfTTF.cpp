#include "pdf/fonts/PdfTTF.h"

#include <algorithm>
#include <utility>

namespace {

// Big-endian 16-bit word at a byte offset; false when it lies outside the data.
bool Word(std::string_view data, size_t offset, uint16_t& value) {
  if (offset + 2 > data.size() || offset + 2 < offset) return false;
  value = static_cast<uint16_t>(static_cast<unsigned char>(data[offset]) << 8 | static_cast<unsigned char>(data[offset + 1]));
  return true;
}

uint16_t WordOr0(std::string_view data, size_t offset) {
  uint16_t v = 0;
  Word(data, offset, v);
  return v;
}

uint32_t LongOr0(std::string_view data, size_t offset) {
  return static_cast<uint32_t>(WordOr0(data, offset)) << 16 | WordOr0(data, offset + 2);
}

// The subtables that map characters beyond the Basic Multilingual Plane, in the order they
// are preferred: format 12 of platform 3, encoding 10, or of platform 0, encoding 4.
// Otherwise the format 4 subtable of platform 3, encoding 1 (else encoding 0). Empty when
// none.
std::string_view ChosenSubtable(std::string_view cmap) {
  uint16_t count = 0;
  if (!Word(cmap, 2, count)) return {};
  size_t full = 0, bmp = 0, symbol = 0;
  for (size_t i = 0; i < count; ++i) {
    size_t record = 4 + 8 * i;
    uint16_t platform = 0, encoding = 0, high = 0, low = 0;
    if (!Word(cmap, record, platform) || !Word(cmap, record + 2, encoding) || !Word(cmap, record + 4, high) ||
        !Word(cmap, record + 6, low))
      return {};
    size_t offset = static_cast<size_t>(high) << 16 | low;
    if (offset == 0 || offset >= cmap.size()) continue;
    uint16_t format = WordOr0(cmap, offset);
    if (format == 12 && ((platform == 3 && encoding == 10) || (platform == 0 && encoding == 4))) {
      if (full == 0 || platform == 3) full = offset;
    } else if (platform == 3 && encoding == 1 && bmp == 0) {
      bmp = offset;
    } else if (platform == 3 && encoding == 0 && symbol == 0) {
      symbol = offset;
    }
  }
  size_t chosen = full != 0 ? full : bmp != 0 ? bmp : symbol;
  if (chosen == 0) return {};
  uint16_t format = WordOr0(cmap, chosen);
  if (format != 4 && format != 12) return {};
  return cmap.substr(chosen);
}

// Character and glyph pairs of a format 4 subtable, ascending. Segments ascend in a
// well-formed table. A code that an earlier segment already passed is left out, so that
// overlapping segments of a malformed table can neither repeat a character nor make the
// work grow beyond one visit per code.
std::vector<std::pair<char32_t, uint16_t>> Format4Glyphs(std::string_view sub) {
  std::vector<std::pair<char32_t, uint16_t>> glyphs;
  uint16_t segX2 = 0;
  if (!Word(sub, 6, segX2)) return glyphs;
  size_t segments = segX2 / 2;
  size_t ends = 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments, ranges = deltas + 2 * segments;
  if (ranges + 2 * segments > sub.size()) return glyphs;
  uint32_t nextFree = 0;
  for (size_t s = 0; s < segments; ++s) {
    uint16_t end = WordOr0(sub, ends + 2 * s), start = WordOr0(sub, starts + 2 * s);
    uint16_t delta = WordOr0(sub, deltas + 2 * s), rangeOffset = WordOr0(sub, ranges + 2 * s);
    if (end < start || end < nextFree) continue;
    for (uint32_t c = std::max<uint32_t>(start, nextFree); c <= end; ++c) {
      uint16_t glyph;
      if (rangeOffset == 0) {
        glyph = static_cast<uint16_t>(c + delta);
      } else {
        size_t at = ranges + 2 * s + rangeOffset + 2 * (c - start);
        uint16_t item = 0;
        if (!Word(sub, at, item)) break;
        glyph = item != 0 ? static_cast<uint16_t>(item + delta) : 0;
      }
      glyphs.emplace_back(static_cast<char32_t>(c), glyph);
    }
    nextFree = static_cast<uint32_t>(end) + 1;
  }
  return glyphs;
}

// Character and glyph pairs of a format 12 subtable (groups of consecutive characters on
// consecutive glyphs), ascending. As in format 4, a code an earlier group passed is left
// out; codes beyond U+10FFFF and glyphs beyond 65535 (which the two-byte codes of the
// Unicode half cannot address) are left out too.
std::vector<std::pair<char32_t, uint16_t>> Format12Glyphs(std::string_view sub) {
  std::vector<std::pair<char32_t, uint16_t>> glyphs;
  uint32_t groups = LongOr0(sub, 12);
  if (sub.size() < 16 || groups > (sub.size() - 16) / 12) return glyphs;
  uint64_t nextFree = 0;
  for (size_t g = 0; g < groups; ++g) {
    size_t at = 16 + 12 * g;
    uint64_t start = LongOr0(sub, at), end = std::min<uint64_t>(LongOr0(sub, at + 4), 0x10FFFF);
    uint64_t startGlyph = LongOr0(sub, at + 8);
    if (end < start || end < nextFree) continue;
    for (uint64_t c = std::max(start, nextFree); c <= end; ++c) {
      uint64_t glyph = startGlyph + (c - start);
      if (glyph > 0xFFFF) break;
      glyphs.emplace_back(static_cast<char32_t>(c), static_cast<uint16_t>(glyph));
    }
    nextFree = end + 1;
  }
  return glyphs;
}

}  // namespace

TPdfTTF::TPdfTTF(std::string_view cmap, std::string_view head, std::string_view hhea, std::string_view hmtx,
                 bool fixedPitch) {
  std::string_view sub = ChosenSubtable(cmap);
  if (sub.empty() || head.empty() || hhea.empty() || hmtx.empty()) return;

  uint16_t unitsPerEm = WordOr0(head, 18);
  uint16_t longMetrics = WordOr0(hhea, 34);
  if (longMetrics == 0 || static_cast<size_t>(longMetrics) * 4 > hmtx.size()) longMetrics = static_cast<uint16_t>(hmtx.size() / 4);
  auto width = [&](uint16_t glyph) -> uint16_t {
    if (unitsPerEm == 0 || longMetrics == 0) return 0;
    if (glyph >= longMetrics) glyph = static_cast<uint16_t>(longMetrics - 1);
    uint32_t advance = WordOr0(hmtx, 4 * static_cast<size_t>(glyph));
    uint32_t scaled = (advance * 1000 + unitsPerEm / 2) / unitsPerEm;
    return static_cast<uint16_t>(scaled > 0xFFFF ? 0xFFFF : scaled);
  };
  DefaultWidth = width(0);

  std::vector<std::pair<char32_t, uint16_t>> glyphs = WordOr0(sub, 0) == 12 ? Format12Glyphs(sub) : Format4Glyphs(sub);
  Chars.reserve(glyphs.size());
  Entries.reserve(glyphs.size());
  for (auto [c, glyph] : glyphs) {
    Chars.push_back(c);
    uint32_t w = glyph == 0 ? 0 : (fixedPitch ? DefaultWidth : width(glyph));
    Entries.push_back(glyph == 0 ? 0 : static_cast<uint32_t>(glyph) << 16 | w);
  }
}
