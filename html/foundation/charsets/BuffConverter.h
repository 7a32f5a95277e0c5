// The decoder base of the input buffer: hands out the UTF-16 characters of a run of bytes
// one at a time. Descendants (Converters.h) decode the code pages the registry lists.
#pragma once

#include <cstdint>
#include <memory>

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
