// Double-byte converters of the East Asian code pages. A lead byte whose next byte is no
// valid trail gives U+FFFD and leaves that byte to be read as a character of its own; a
// valid pair without a character gives U+FFFD and consumes both bytes.
#include <array>

#include "platform/rtl/codepages/CodePageTables.h"
#include "html/foundation/charsets/Converters.h"

namespace {
constexpr bool InRange(uint32_t v, uint32_t from, uint32_t to) { return v >= from && v <= to; }
constexpr bool IsSjisTrail(uint32_t t) { return InRange(t, 0x40, 0x7E) || InRange(t, 0x80, 0xFC); }
bool IsGbkTrail(uint32_t t) { return InRange(t, 0x40, 0x7E) || InRange(t, 0x80, 0xFE); }
bool IsUhcTrail(uint32_t t) { return InRange(t, 0x41, 0x5A) || InRange(t, 0x61, 0x7A) || InRange(t, 0x81, 0xFE); }
bool IsBig5Trail(uint32_t t) { return InRange(t, 0x40, 0x7E) || InRange(t, 0xA1, 0xFE); }
bool IsEucTrail(uint32_t t) { return InRange(t, 0xA1, 0xFE); }
bool IsDigit(uint32_t b) { return InRange(b, 0x30, 0x39); }
}  // namespace

// ---------------------------------------------------------------- Shift-JIS (932, 943)

Char TBuffConvShiftJis932::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t lead = ReadUnit();
  if (InRange(lead, 0xA1, 0xDF)) return static_cast<Char>(lead + 0xFEC0);
  bool jis = InRange(lead, 0x81, 0x86) || InRange(lead, 0x88, 0x9F) || InRange(lead, 0xE0, 0xEA);
  bool ext = lead == 0x87 || lead == 0xED || lead == 0xEE || InRange(lead, 0xFA, 0xFC);
  bool user = InRange(lead, 0xF0, 0xF9);
  if (!jis && !ext && !user) return lead < 0x80 ? static_cast<Char>(lead) : Char(0xFFFD);
  uint32_t trail = PeekUnit();
  if (!IsSjisTrail(trail)) return 0xFFFD;
  ReadUnit();
  uint32_t column = trail < 0x80 ? trail - 0x40 : trail - 0x41;  // 0..187
  if (user) return static_cast<Char>(0xE000 + 188 * (lead - 0xF0) + column);
  if (ext) return LookupCp932Extension(lead, trail);
  uint32_t row = 2 * (lead < 0xE0 ? lead - 0x81 : lead - 0xC1) + 0x21;
  if (column > 93) {
    ++row;
    column -= 94;
  }
  return DecodeJisX0208(static_cast<int>(row), static_cast<int>(column + 0x21));
}

namespace {

constexpr int kSjisTrails = 0xFD - 0x40;

// The JIS X 0208 character of every Shift_JIS lead 81..EA and trail 40..FC, worked out once
// as NextChar does; the pairs NextChar does not take this way are never looked up.
const std::array<Char, (0xEB - 0x81) * kSjisTrails>& SjisJisPairs() {
  static const auto table = [] {
    std::array<Char, (0xEB - 0x81) * kSjisTrails> t{};
    for (uint32_t lead = 0x81; lead <= 0xEA; ++lead)
      for (uint32_t trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsSjisTrail(trail) || lead == 0x87 || InRange(lead, 0xA0, 0xDF)) continue;
        uint32_t column = trail < 0x80 ? trail - 0x40 : trail - 0x41;
        uint32_t row = 2 * (lead < 0xE0 ? lead - 0x81 : lead - 0xC1) + 0x21;
        if (column > 93) {
          ++row;
          column -= 94;
        }
        t[(lead - 0x81) * kSjisTrails + (trail - 0x40)] =
            DecodeJisX0208(static_cast<int>(row), static_cast<int>(column + 0x21));
      }
    return t;
  }();
  return table;
}

// What the block decoder makes of a Shift_JIS byte that is not ASCII: half-width katakana,
// the lead of a JIS X 0208 pair (as NextChar decodes it through DecodeJisX0208), or
// anything else, left to NextChar.
enum : uint8_t { kSjisOther, kSjisKana, kSjisJisLead };
constexpr std::array<uint8_t, 256> kSjisLeads = [] {
  std::array<uint8_t, 256> t{};
  for (uint32_t b = 0; b < 256; ++b)
    t[b] = InRange(b, 0xA1, 0xDF)                                                         ? kSjisKana
           : InRange(b, 0x81, 0x86) || InRange(b, 0x88, 0x9F) || InRange(b, 0xE0, 0xEA) ? kSjisJisLead
                                                                                          : kSjisOther;
  return t;
}();
constexpr std::array<bool, 256> kSjisTrailBytes = [] {
  std::array<bool, 256> t{};
  for (uint32_t b = 0; b < 256; ++b) t[b] = IsSjisTrail(b);
  return t;
}();

}  // namespace

int TBuffConvShiftJis932::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  const auto& jisPairs = SjisJisPairs();
  if (!ReadsBytes() || HasPending()) return DecodeEach<TBuffConvShiftJis932, true>(*this, chars, ends, capacity, base);
  // Straight from the bytes: ASCII, half-width katakana and the JIS X 0208 pairs.
  return DecodeStraight(*this, chars, ends, capacity, base, [&jisPairs](const uint8_t*& p, const uint8_t* end, Char& ch) {
    const uint32_t lead = *p;
    const uint8_t kind = kSjisLeads[lead];
    if (kind == kSjisKana) {
      ch = static_cast<Char>(lead + 0xFEC0);
      ++p;
      return true;
    }
    if (kind == kSjisJisLead && end - p >= 2 && kSjisTrailBytes[p[1]]) {
      ch = jisPairs[(lead - 0x81) * kSjisTrails + (p[1] - 0x40)];
      p += 2;
      return true;
    }
    return false;
  });
}

// ---------------------------------------------------------------- GBK (936)

namespace {
Char DecodeGbkPair(uint32_t lead, uint32_t trail) { return LookupGbk(lead, trail); }
}  // namespace

Char TBuffConvIBM936::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t lead = ReadUnit();
  if (lead < 0x80) return static_cast<Char>(lead);
  if (lead == 0x80) return 0x20AC;
  if (lead == 0xFF) return 0xFFFD;
  uint32_t trail = PeekUnit();
  if (!IsGbkTrail(trail)) return 0xFFFD;
  ReadUnit();
  return DecodeGbkPair(lead, trail);
}

int TBuffConvIBM936::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeEach<TBuffConvIBM936, true>(*this, chars, ends, capacity, base);
}

// ---------------------------------------------------------------- Unified Hangul Code (949)

Char TBuffConvHangeul949::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t lead = ReadUnit();
  if (lead < 0x80) return static_cast<Char>(lead);
  if (lead == 0x80 || lead == 0xFF) return 0xFFFD;
  uint32_t trail = PeekUnit();
  if (lead == 0xFE) {
    // User-defined row: private-use points for the trails A1..FE.
    if (!IsEucTrail(trail)) return 0xFFFD;
    ReadUnit();
    return static_cast<Char>(0xE000 + trail - 0xA1);
  }
  if (lead <= 0xC6 ? !IsUhcTrail(trail) : !IsEucTrail(trail)) return 0xFFFD;
  ReadUnit();
  if (lead == 0xA2 && trail == 0xE8) return 0xFFFD;
  if (lead <= 0xC6) return LookupUhc(lead, trail);
  return DecodeKsc5601(static_cast<int>(lead - 0x80), static_cast<int>(trail - 0x80));
}

int TBuffConvHangeul949::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeEach<TBuffConvHangeul949, true>(*this, chars, ends, capacity, base);
}

// ---------------------------------------------------------------- Big5 (950, 51950)

Char TBuffConvBig5CP950::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t lead = ReadUnit();
  if (lead < 0x80) return static_cast<Char>(lead);
  if (!InRange(lead, 0xA1, 0xF9)) return 0xFFFD;
  uint32_t trail = PeekUnit();
  if (!IsBig5Trail(trail)) return 0xFFFD;
  ReadUnit();
  uint32_t code = lead << 8 | trail;
  if (code == 0xA3E1) return 0x20AC;
  if (InRange(code, 0xC6A1, 0xC6FE) || InRange(code, 0xC800, 0xC8FE)) return 0xFFFD;
  return LookupBig5(lead, trail);
}

int TBuffConvBig5CP950::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeEach<TBuffConvBig5CP950, true>(*this, chars, ends, capacity, base);
}

// ---------------------------------------------------------------- EUC-JP (51932)

Char TBuffConvEUC_JP::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t lead = ReadUnit();
  if (lead < 0x80) return static_cast<Char>(lead);
  if (lead == 0x8E) {
    uint32_t t = PeekUnit();
    if (!InRange(t, 0xA1, 0xDF)) return 0xFFFD;
    ReadUnit();
    return static_cast<Char>(t + 0xFEC0);
  }
  if (lead == 0x8F) {
    uint32_t a = PeekUnit();
    if (!IsEucTrail(a)) return 0xFFFD;
    ReadUnit();
    uint32_t b = PeekUnit();
    if (!IsEucTrail(b)) return 0xFFFD;
    ReadUnit();
    if (a <= 0xF4) return DecodeJisX0212(static_cast<int>(a - 0x80), static_cast<int>(b - 0x80));
    return static_cast<Char>(0xE3AC + 94 * (a - 0xF5) + b - 0xA1);
  }
  if (!InRange(lead, 0xA1, 0xFE)) return 0xFFFD;
  uint32_t trail = PeekUnit();
  if (!IsEucTrail(trail)) return 0xFFFD;
  ReadUnit();
  if (lead >= 0xF5) return static_cast<Char>(0xE000 + 94 * (lead - 0xF5) + trail - 0xA1);
  return DecodeJisX0208(static_cast<int>(lead - 0x80), static_cast<int>(trail - 0x80));
}

int TBuffConvEUC_JP::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeEach<TBuffConvEUC_JP, true>(*this, chars, ends, capacity, base);
}

// ---------------------------------------------------------------- GB18030 (54936)

Char TBuffConvGB18030::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t lead = ReadUnit();
  if (lead < 0x80) return static_cast<Char>(lead);
  if (lead == 0x80 || lead == 0xFF) return 0xFFFD;
  uint32_t second = PeekUnit();
  if (IsDigit(second)) {
    // Four bytes: lead, digit, 81..FE, digit. A broken sequence gives U+FFFD and leaves
    // the byte that broke it to be read again.
    ReadUnit();
    uint32_t third = PeekUnit();
    if (!InRange(third, 0x81, 0xFE)) return 0xFFFD;
    ReadUnit();
    uint32_t fourth = PeekUnit();
    if (!IsDigit(fourth)) return 0xFFFD;
    ReadUnit();
    uint32_t linear = 10 * (126 * (10 * (lead - 0x81) + (second - 0x30)) + (third - 0x81)) + (fourth - 0x30);
    if (lead <= 0x84) return linear < 39420 ? LookupGb18030FourByte(linear) : Char(0xFFFD);
    if (lead >= 0x90 && lead <= 0xE3) {
      uint32_t supplementary = linear - 10 * 126 * 10 * (0x90 - 0x81);
      if (supplementary <= 0xFFFFF) return Emit(0x10000 + supplementary);
    }
    return 0xFFFD;
  }
  if (!IsGbkTrail(second)) return 0xFFFD;
  ReadUnit();
  uint32_t code = lead << 8 | second;
  if (LookupGb18030TwoByte(code, ch)) return ch;
  return DecodeGbkPair(lead, second);
}

int TBuffConvGB18030::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeEach<TBuffConvGB18030, true>(*this, chars, ends, capacity, base);
}
