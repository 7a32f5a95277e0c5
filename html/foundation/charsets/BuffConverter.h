// The decoder base of the input buffer: hands out the UTF-16 characters of a run of bytes
// one at a time. Descendants (Converters.h) decode the code pages the registry lists.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "html/foundation/charsets/AsciiRuns.h"
#include "platform/rtl/Types.h"

class TBuffConverter;

// A converter class: makes a converter of its class over [readPtr, endPtr) and fills its
// tables for codePage. The registry rows hold one per code page.
using TBuffConverterClass = std::unique_ptr<TBuffConverter> (*)(const uint8_t* readPtr, const uint8_t* endPtr,
                                                                int codePage, int physicalCodePage);

class TBuffConverter {
 public:
  TBuffConverter(const uint8_t* readPtr, const uint8_t* endPtr, int codePage, int physicalCodePage);
  virtual ~TBuffConverter() = default;
  TBuffConverter(const TBuffConverter&) = delete;
  TBuffConverter& operator=(const TBuffConverter&) = delete;

  static std::unique_ptr<TBuffConverter> Create(const uint8_t* readPtr, const uint8_t* endPtr, int codePage,
                                                int physicalCodePage);
  // The class this converter was made by.
  virtual TBuffConverterClass ClassType() const { return &TBuffConverter::Create; }

  // Takes over read position, end and code pages of another converter (and, in
  // descendants, their state when Source is of the same class), then rebuilds the tables
  // for the new CodePage.
  virtual void CopyState(const TBuffConverter& source);
  // The next decoded UTF-16 unit; 0 at the end of the content.
  virtual Char NextChar();
  // Decodes from the read position into `chars`, at most `capacity` units (2 or more):
  // what NextChar would hand out, call after call. ends[i] is the byte offset from `base`
  // of the read position after unit i (the low half of a surrogate pair and a unit that
  // was pending consume nothing). Stops after a 0 unit (a zero character, or the end of
  // the content, where nothing is consumed); returns the number of units, at least 1.
  // Converters that keep a shift state decode one character a call, so their state is
  // always that of the last unit; stateless ones fill the block.
  virtual int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base);
  // The characters from the read position to the end, without moving it.
  String RemainingText() const;
  // The next character without moving the read position or changing any state.
  Char PeekChar() const;

  // A new converter of Class that continues where Source stands.
  static std::unique_ptr<TBuffConverter> CreateCopy(TBuffConverterClass cls, const TBuffConverter& source);

  const uint8_t* ReadPtr = nullptr;
  const uint8_t* EndPtr = nullptr;
  int CodePage = 0;
  int PhysicalCodePage = 0;

  // Drops a low surrogate still to be handed out (the read position moved).
  void ClearPending() { pendingLow_ = 0; }
  bool HasPending() const { return pendingLow_ != 0; }
  Char PendingUnit() const { return pendingLow_; }
  // Keeps a unit to be handed out by the next call.
  void SetPending(Char unit) { pendingLow_ = unit; }

 protected:
  // Runs after construction and after CopyState: fills the tables of CodePage.
  virtual void AfterConstruction() {}
  // The next unit of input: a byte, or a 16-bit unit for physical code pages 1200/1201;
  // 0 at or beyond the end, nothing consumed then.
  uint32_t ReadUnit();
  // Like ReadUnit, without consuming.
  uint32_t PeekUnit() const;
  // Returns a code point as one UTF-16 unit, or the high surrogate with the low one kept
  // for the next call.
  Char Emit(uint32_t codePoint);
  // Hands out a pending low surrogate; call first in NextChar.
  bool TakePending(Char& ch) {
    if (!pendingLow_) return false;
    ch = pendingLow_;
    pendingLow_ = 0;
    return true;
  }

  // Whether the bytes are read one at a time (not 16-bit units of physical code pages 1200
  // and 1201): the condition of the byte-wise fast paths.
  bool ReadsBytes() const { return PhysicalCodePage != 1200 && PhysicalCodePage != 1201; }

  // Stores ch, just read the slow way (the read position is after it), and a low surrogate
  // still pending after it; false when ch is the zero character that ends the content.
  bool StoreSlowChar(Char ch, Char* chars, int32_t* ends, int& n, const uint8_t* base) {
    chars[n] = ch;
    ends[n++] = static_cast<int32_t>(ReadPtr - base);
    if (ch == 0) return false;
    if (pendingLow_ != 0) {
      chars[n] = pendingLow_;
      ends[n++] = static_cast<int32_t>(ReadPtr - base);
      pendingLow_ = 0;
    }
    return true;
  }
  // Ends a block decoded up to p: the read position moves there, and a block without units
  // holds the zero character of the content's end. Returns the number of units.
  int FinishBlock(const uint8_t* p, Char* chars, int32_t* ends, int n, const uint8_t* base) {
    ReadPtr = p;
    if (n == 0) {
      chars[0] = 0;
      ends[n++] = static_cast<int32_t>(p - base);
    }
    return n;
  }

  // DecodeBlock through T's own NextChar (no virtual call per character). With
  // AsciiThrough, bytes 01..7F stand for themselves in T's code pages, and runs of them
  // are copied without decoding.
  template <class T, bool AsciiThrough>
  static int DecodeEach(T& c, Char* chars, int32_t* ends, int capacity, const uint8_t* base) {
    int n = 0;
    const bool bytes = c.ReadsBytes();
    while (n + 1 < capacity) {
      if (AsciiThrough && bytes && c.pendingLow_ == 0) {
        const int k = CopyAsciiRun(c.ReadPtr, c.EndPtr, capacity - 1 - n, chars + n, ends + n,
                                   static_cast<int32_t>(c.ReadPtr - base));
        c.ReadPtr += k;
        n += k;
        if (n + 1 >= capacity) break;
      }
      if (!c.StoreSlowChar(c.T::NextChar(), chars, ends, n, base)) break;
    }
    return n;
  }

  // DecodeBlock straight from the bytes, for T with bytes 01..7F as ASCII. Runs of ASCII are
  // copied; common(p, end, ch) decodes the character at p when it is one of T's common
  // ones (ch, p moved past it; true), in a loop without calls; any other character goes
  // through T's NextChar.
  template <class T, class Common>
  static int DecodeStraight(T& c, Char* chars, int32_t* ends, int capacity, const uint8_t* base, Common common) {
    const uint8_t* p = c.ReadPtr;
    const uint8_t* const end = c.EndPtr;
    int n = 0;
    for (;;) {
      while (n + 1 < capacity && p < end) {
        if (static_cast<uint8_t>(*p - 1) < 0x7F) {
          const int k = CopyAsciiRun(p, end, capacity - 1 - n, chars + n, ends + n, static_cast<int32_t>(p - base));
          p += k;
          n += k;
          continue;
        }
        Char ch;
        if (!common(p, end, ch)) break;
        chars[n] = ch;
        ends[n++] = static_cast<int32_t>(p - base);
      }
      if (n + 1 >= capacity || p >= end) break;
      // The slow way for this character; a zero character ends the block.
      c.ReadPtr = p;
      const Char slow = c.T::NextChar();
      p = c.ReadPtr;
      if (!c.StoreSlowChar(slow, chars, ends, n, base)) return n;
    }
    return c.FinishBlock(p, chars, ends, n, base);
  }

  // DecodeBlock of a code page read one byte at a time through a map of the 256 bytes, which
  // gives 0 for byte 0 alone.
  int DecodeThroughMap(const std::array<Char, 256>& map, Char* chars, int32_t* ends, int capacity,
                       const uint8_t* base);

  template <class T>
  static std::unique_ptr<TBuffConverter> Make(const uint8_t* readPtr, const uint8_t* endPtr, int codePage,
                                             int physicalCodePage) {
    std::unique_ptr<TBuffConverter> c(new T(readPtr, endPtr, codePage, physicalCodePage));
    c->AfterConstruction();
    return c;
  }

 private:
  Char pendingLow_ = 0;
};

constexpr Char kReplacementChar = 0xFFFD;
