// Single-byte converters: built-in rules, platform bytes and the byte maps.
#include "platform/rtl/codepages/CodePageTables.h"
#include "html/foundation/charsets/Converters.h"
#include "html/foundation/charsets/PlatformCodePages.h"

namespace {

Char Decode858(uint8_t b) {
  if (b < 0x80) return b;
  if (b == 0xD5) return 0x20AC;
  return HighMapOf(850)[b - 0x80];
}

Char Decode922(uint8_t b) {
  switch (b) {
    case 0xAF: return 0x203E;
    case 0xD0: return 0x0160;
    case 0xDE: return 0x017D;
    case 0xF0: return 0x0161;
    case 0xFE: return 0x017E;
    default: return b;
  }
}

Char DecodeIso8859_5(uint8_t b) {
  if (b <= 0xA0 || b == 0xAD) return b;
  if (b == 0xF0) return 0x2116;
  if (b == 0xFD) return 0x00A7;
  return b + 0x360;
}

Char DecodeIso8859_6(uint8_t b) {
  if (b <= 0xA0 || b == 0xA4 || b == 0xAD) return b;
  if (b == 0xAC || b == 0xBB || b == 0xBF || (b >= 0xC1 && b <= 0xDA) || (b >= 0xE0 && b <= 0xF2)) return b + 0x560;
  return 0xFFFD;
}

Char DecodeIso8859_7(uint8_t b) {
  if (b <= 0xA0) return b;
  switch (b) {
    case 0xA1: return 0x2018;
    case 0xA2: return 0x2019;
    case 0xA4: return 0x20AC;  // euro and drachma signs of the 2003 edition
    case 0xA5: return 0x20AF;
    case 0xAF: return 0x2015;
    case 0xAE: case 0xD2: case 0xFF: return 0xFFFD;
    case 0xA3: case 0xA6: case 0xA7: case 0xA8: case 0xA9: case 0xAB: case 0xAC: case 0xAD:
    case 0xB0: case 0xB1: case 0xB2: case 0xB3: case 0xB7: case 0xBB: case 0xBD:
      return b;
    default: return b + 0x2D0;
  }
}

Char DecodeIso8859_8(uint8_t b) {
  if (b == 0xA1 || (b >= 0xBF && b <= 0xDE) || b >= 0xFB) return 0xFFFD;
  if (b == 0xAA) return 0x00D7;
  if (b == 0xAF) return 0x203E;
  if (b == 0xBA) return 0x00F7;
  if (b == 0xDF) return 0x2017;
  if (b >= 0xE0) return b + 0x4F0;
  return b;
}

Char DecodeIso8859_9(uint8_t b) {
  switch (b) {
    case 0xD0: return 0x011E;
    case 0xDD: return 0x0130;
    case 0xDE: return 0x015E;
    case 0xF0: return 0x011F;
    case 0xFD: return 0x0131;
    case 0xFE: return 0x015F;
    default: return b;
  }
}

Char DecodeIso8859_11(uint8_t b) {
  if (b <= 0xA0) return b;
  if ((b >= 0xA1 && b <= 0xDA) || (b >= 0xDF && b <= 0xFB)) return b + 0xD60;
  return 0xFFFD;
}

Char DecodeIso8859_15(uint8_t b) {
  switch (b) {
    case 0xA4: return 0x20AC;
    case 0xA6: return 0x0160;
    case 0xA8: return 0x0161;
    case 0xB4: return 0x017D;
    case 0xB8: return 0x017E;
    case 0xBC: return 0x0152;
    case 0xBD: return 0x0153;
    case 0xBE: return 0x0178;
    default: return b;
  }
}

}  // namespace

// ---------------------------------------------------------------- TBuffConvSingleByte

// The byte maps of the built-in rules, worked out once.
template <Char (*Rule)(uint8_t)>
const std::array<Char, 256>* RuleMap() {
  static const std::array<Char, 256> map = [] {
    std::array<Char, 256> m{};
    for (int b = 0; b < 256; ++b) m[b] = Rule(static_cast<uint8_t>(b));
    return m;
  }();
  return &map;
}

const std::array<Char, 256>& SingleByteMapOf(int codePage) {
  const std::array<Char, 256>* rule = nullptr;
  switch (codePage) {
    case 858: rule = RuleMap<Decode858>(); break;
    case 922: rule = RuleMap<Decode922>(); break;
    case 28595: rule = RuleMap<DecodeIso8859_5>(); break;
    case 28596: rule = RuleMap<DecodeIso8859_6>(); break;
    case 28597: rule = RuleMap<DecodeIso8859_7>(); break;
    case 28598: rule = RuleMap<DecodeIso8859_8>(); break;
    case 28599: rule = RuleMap<DecodeIso8859_9>(); break;
    case 28601: rule = RuleMap<DecodeIso8859_11>(); break;
    case 28605: rule = RuleMap<DecodeIso8859_15>(); break;
    default: break;
  }
  return rule ? *rule : PlatformByteMap(codePage);
}

void TBuffConvSingleByte::ChooseDecoder() { byteDecoder_ = &SingleByteMapOf(CodePage); }

void TBuffConvSingleByte::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  ChooseDecoder();
}

Char TBuffConvSingleByte::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  return (*byteDecoder_)[ReadUnit() & 0xFF];
}

int TBuffConvSingleByte::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeThroughMap(*byteDecoder_, chars, ends, capacity, base);
}

// ---------------------------------------------------------------- TBuffConvDoubleByte

void TBuffConvDoubleByte::ChooseDecoder() {
  if (CodePage == 51936)
    pairDecoder_ = DecodeGb2312;
  else if (CodePage == 51949)
    pairDecoder_ = DecodeKsc5601;
  else
    pairDecoder_ = nullptr;
}

void TBuffConvDoubleByte::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  ChooseDecoder();
}

Char TBuffConvDoubleByte::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t lead = ReadUnit();
  if (lead <= 0x80) return static_cast<Char>(lead);
  if (lead < 0xA1 || lead > 0xFE || !pairDecoder_) return 0xFFFD;
  uint32_t trail = PeekUnit();
  if (trail < 0xA1 || trail > 0xFE) return 0xFFFD;  // the next byte stays to be read
  ReadUnit();
  return pairDecoder_(lead - 0x80, trail - 0x80);
}

int TBuffConvDoubleByte::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeEach<TBuffConvDoubleByte, true>(*this, chars, ends, capacity, base);
}

// ---------------------------------------------------------------- byte maps

void TBuffConvSingleByteMap::LoadMap() {
  // No published map of code page 29001 exists on this platform: its bytes decode as the
  // platform's fallback decodes an unknown code page.
  fullMap_ = &PlatformByteMap(CodePage);
}

void TBuffConvSingleByteMap::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  LoadMap();
}

Char TBuffConvSingleByteMap::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  return (*fullMap_)[ReadUnit() & 0xFF];
}

int TBuffConvSingleByteMap::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeThroughMap(*fullMap_, chars, ends, capacity, base);
}

void TBuffConvHighMap::LoadMap() {
  if (const uint16_t* map = HighMapOf(CodePage))
    for (int i = 0; i < 128; ++i) highMap_[i] = map[i];
}

void TBuffConvHighMap::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  LoadMap();
}

Char TBuffConvHighMap::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t b = ReadUnit() & 0xFF;
  return b < 0x80 ? static_cast<Char>(b) : highMap_[b - 0x80];
}

int TBuffConvHighMap::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeEach<TBuffConvHighMap, true>(*this, chars, ends, capacity, base);
}

void TBuffConvIsoMap::LoadMap() {
  if (const uint16_t* map = IsoMapOf(CodePage))
    for (int i = 0; i < 96; ++i) isoMap_[i] = map[i];
}

void TBuffConvIsoMap::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  LoadMap();
}

Char TBuffConvIsoMap::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t b = ReadUnit() & 0xFF;
  return b < 0xA0 ? static_cast<Char>(b) : isoMap_[b - 0xA0];
}

int TBuffConvIsoMap::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  return DecodeEach<TBuffConvIsoMap, true>(*this, chars, ends, capacity, base);
}
