// UTF-8 and UTF-7. Characters beyond U+FFFF come out as surrogate pairs; malformed input
// gives U+FFFD and decoding goes on.
#include "html/foundation/charsets/Converters.h"
#include "platform/rtl/Unicode.h"

// ---------------------------------------------------------------- UTF-8 (65001)

Char TBuffConvUTF8::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  TUtf8Decoder decoder;
  // A stray continuation byte, an over-long lead or a lead beyond U+10FFFF is one bad character.
  if (!decoder.Start(ReadUnit())) return 0xFFFD;
  while (decoder.NeedsMore()) {
    if (!decoder.Add(PeekUnit())) return 0xFFFD;  // the byte that broke the sequence is read again
    ReadUnit();
  }
  return Emit(decoder.CodePoint());
}

int TBuffConvUTF8::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  if (!ReadsBytes() || HasPending()) return DecodeEach<TBuffConvUTF8, true>(*this, chars, ends, capacity, base);
  // Straight from the bytes: ASCII and the well-formed two- and three-byte sequences;
  // four-byte sequences, broken ones and zero bytes go through NextChar.
  return DecodeStraight(*this, chars, ends, capacity, base, [](const uint8_t*& p, const uint8_t* end, Char& ch) {
    const uint32_t b = *p;
    if (b >= 0xC2 && b <= 0xDF && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
      ch = static_cast<Char>((b & 0x1F) << 6 | (p[1] & 0x3F));
      p += 2;
      return true;
    }
    if (b >= 0xE0 && b <= 0xEF && end - p >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80 &&
        (b != 0xE0 || p[1] >= 0xA0) && (b != 0xED || p[1] < 0xA0)) {
      ch = static_cast<Char>((b & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
      p += 3;
      return true;
    }
    return false;
  });
}

// ---------------------------------------------------------------- UTF-7 (65000)

namespace {
// Utf7State: bit 0 set inside a base64 run; bits 1..5 the number of pending bits (0..15);
// bits 8..23 the pending bits.
constexpr uint32_t kInRun = 1;

int Base64Value(uint32_t c) {
  if (c >= 'A' && c <= 'Z') return static_cast<int>(c - 'A');
  if (c >= 'a' && c <= 'z') return static_cast<int>(c - 'a' + 26);
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0' + 52);
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsDirect(uint32_t c) {
  return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F && c != '+' && c != '\\' && c != '~');
}
}  // namespace

void TBuffConvUTF7::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  auto* same = dynamic_cast<const TBuffConvUTF7*>(&source);
  Utf7State = same ? same->Utf7State : 0;
}

Char TBuffConvUTF7::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  Char high = 0;  // a high surrogate waiting for its low half
  for (;;) {
    if (!(Utf7State & kInRun)) {
      uint32_t c = ReadUnit();
      if (c == 0) return 0;
      if (c == '+') {
        if (PeekUnit() == '-') {
          ReadUnit();
          return '+';
        }
        Utf7State = kInRun;
        continue;
      }
      return IsDirect(c) ? static_cast<Char>(c) : Char(0xFFFD);
    }
    uint32_t count = (Utf7State >> 1) & 0x1F;
    uint32_t bits = (Utf7State >> 8) & 0xFFFF;
    int v = Base64Value(PeekUnit());
    if (v < 0) {
      // The run ends: left-over bits that are not zero padding, or an unfinished unit, are broken input.
      bool broken = count >= 6 || (bits & ((1u << count) - 1)) != 0 || high != 0;
      Utf7State = 0;
      if (PeekUnit() == '-') ReadUnit();
      if (broken) return 0xFFFD;
      continue;
    }
    ReadUnit();
    bits = (bits << 6 | static_cast<uint32_t>(v)) & 0x3FFFFF;
    count += 6;
    if (count < 16) {
      Utf7State = kInRun | count << 1 | (bits & 0xFFFF) << 8;
      continue;
    }
    count -= 16;
    Char unit = static_cast<Char>(bits >> count);
    Utf7State = kInRun | count << 1 | (bits & ((1u << count) - 1)) << 8;
    if (high) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        SetPending(unit);  // the pair: the high half now, the low half next
        return high;
      }
      // A high half without its low half; the unit read after it comes next.
      SetPending(unit >= 0xD800 && unit <= 0xDFFF ? Char(0xFFFD) : unit);
      return 0xFFFD;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      high = unit;
      continue;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) return 0xFFFD;
    return unit;
  }
}
