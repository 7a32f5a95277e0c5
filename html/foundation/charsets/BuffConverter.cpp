#include "html/foundation/charsets/BuffConverter.h"

#include <algorithm>
#include <cstring>

TBuffConverter::TBuffConverter(const uint8_t* readPtr, const uint8_t* endPtr, int codePage, int physicalCodePage)
    : ReadPtr(readPtr), EndPtr(endPtr), CodePage(codePage), PhysicalCodePage(physicalCodePage) {}

std::unique_ptr<TBuffConverter> TBuffConverter::Create(const uint8_t* readPtr, const uint8_t* endPtr, int codePage,
                                                       int physicalCodePage) {
  return Make<TBuffConverter>(readPtr, endPtr, codePage, physicalCodePage);
}

void TBuffConverter::CopyState(const TBuffConverter& source) {
  ReadPtr = source.ReadPtr;
  EndPtr = source.EndPtr;
  CodePage = source.CodePage;
  PhysicalCodePage = source.PhysicalCodePage;
  pendingLow_ = source.pendingLow_;
}

uint32_t TBuffConverter::PeekUnit() const {
  if (ReadPtr >= EndPtr) return 0;
  switch (PhysicalCodePage) {
    case 1200:
      return EndPtr - ReadPtr >= 2 ? ReadPtr[0] | (ReadPtr[1] << 8) : ReadPtr[0];
    case 1201:
      return EndPtr - ReadPtr >= 2 ? (ReadPtr[0] << 8) | ReadPtr[1] : ReadPtr[0] << 8;
    default:
      return *ReadPtr;
  }
}

uint32_t TBuffConverter::ReadUnit() {
  if (ReadPtr >= EndPtr) return 0;
  uint32_t unit = PeekUnit();
  // A 16-bit unit takes two bytes; an odd last byte is consumed alone.
  if (PhysicalCodePage == 1200 || PhysicalCodePage == 1201)
    ReadPtr += EndPtr - ReadPtr >= 2 ? 2 : 1;
  else
    ++ReadPtr;
  return unit;
}

Char TBuffConverter::Emit(uint32_t codePoint) {
  if (codePoint < 0x10000) return static_cast<Char>(codePoint);
  if (codePoint > 0x10FFFF) return kReplacementChar;
  codePoint -= 0x10000;
  pendingLow_ = static_cast<Char>(0xDC00 + (codePoint & 0x3FF));
  return static_cast<Char>(0xD800 + (codePoint >> 10));
}

Char TBuffConverter::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  return static_cast<Char>(ReadUnit());
}

int TBuffConverter::DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
  // The base class itself is stateless (the UTF-16 code pages); descendants that do not
  // decode blocks of their own keep a state, and get one character a call.
  if (ClassType() == &TBuffConverter::Create) return DecodeEach<TBuffConverter, false>(*this, chars, ends, capacity, base);
  int n = 0;
  StoreSlowChar(NextChar(), chars, ends, n, base);
  return n;
}

int TBuffConverter::DecodeThroughMap(const std::array<Char, 256>& map, Char* chars, int32_t* ends, int capacity,
                                     const uint8_t* base) {
  if (!ReadsBytes() || pendingLow_ != 0) {
    // Rare: 16-bit input units, or a unit kept by a position restore; one unit a call.
    chars[0] = NextChar();
    ends[0] = static_cast<int32_t>(ReadPtr - base);
    return 1;
  }
  // One unit a byte, up to and with the first zero byte (the only one the maps give 0 for).
  const uint8_t* p = ReadPtr;
  size_t length = std::min<size_t>(static_cast<size_t>(EndPtr - p), static_cast<size_t>(capacity));
  if (const void* zero = std::memchr(p, 0, length)) length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - p) + 1;
  const int n = static_cast<int>(length);
  const int32_t offset = static_cast<int32_t>(p - base);
  for (int i = 0; i < n; ++i) {
    chars[i] = map[p[i]];
    ends[i] = offset + i + 1;
  }
  return FinishBlock(p + n, chars, ends, n, base);
}

std::unique_ptr<TBuffConverter> TBuffConverter::CreateCopy(TBuffConverterClass cls, const TBuffConverter& source) {
  std::unique_ptr<TBuffConverter> c = cls(source.ReadPtr, source.EndPtr, source.CodePage, source.PhysicalCodePage);
  c->CopyState(source);
  c->AfterConstruction();
  return c;
}

Char TBuffConverter::PeekChar() const {
  return CreateCopy(ClassType(), *this)->NextChar();
}

String TBuffConverter::RemainingText() const {
  String text;
  if (CodePage == 1200 && PhysicalCodePage == 1200) {
    for (const uint8_t* p = ReadPtr; EndPtr - p >= 2; p += 2) text += static_cast<Char>(p[0] | (p[1] << 8));
    return text;
  }
  std::unique_ptr<TBuffConverter> copy = CreateCopy(ClassType(), *this);
  for (Char ch = copy->NextChar(); ch != 0; ch = copy->NextChar()) text += ch;
  return text;
}
