// The stateful ISO-2022 converters (Japanese, Korean, Chinese).
#include "platform/rtl/codepages/CodePageTables.h"
#include "html/foundation/charsets/Converters.h"

namespace {
constexpr uint32_t ESC = 0x1B, SO = 0x0E, SI = 0x0F;

// Bytes 21..7E (or A1..FE) of a 94 x 94 set.
int SetByte(uint32_t b) { return static_cast<int>(b & 0x7F); }
}  // namespace

// ---------------------------------------------------------------- ISO-2022-JP (50220..50222)

void TBuffConvISO2022JP::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  if (auto* same = dynamic_cast<const TBuffConvISO2022JP*>(&source)) CurrentSet = same->CurrentSet;
}

// Reads the escape after an ESC; false (nothing consumed) when it selects no set.
bool TBuffConvISO2022JP::ReadEscape() {
  const uint8_t* start = ReadPtr;
  uint32_t a = ReadUnit();
  uint32_t b = ReadUnit();
  int set = -1;
  if (a == 0x24 && (b == 0x40 || b == 0x42)) set = 2;
  else if (a == 0x24 && b == 0x41) set = 4;
  else if (a == 0x28 && b == 0x42) set = 0;
  else if (a == 0x28 && b == 0x4A) set = 1;
  else if (a == 0x2E && b == 0x41) set = 6;
  else if (a == 0x2E && b == 0x46) set = 7;
  else if (a == 0x24 && b == 0x28) {
    uint32_t c = ReadUnit();
    if (c == 0x43) set = 5;
    else if (c == 0x44) set = 3;
  }
  if (set < 0) {
    ReadPtr = start;
    return false;
  }
  CurrentSet = static_cast<uint8_t>(set);
  return true;
}

Char TBuffConvISO2022JP::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  uint32_t b = ReadUnit();
  while (b == ESC && EndPtr - ReadPtr >= 2 && ReadEscape()) b = ReadUnit();
  if (b == 0) return 0;
  switch (CurrentSet) {
    case 0: return DecodeAsciiOnly(b);
    case 1: return b < 0x80 ? DecodeJisX0201(b) : Char(0xFFFD);
    case 6: return static_cast<Char>(b & 0xFF);
    case 7: return SingleByteMapOf(28597)[b & 0xFF];
    default: break;
  }
  // Two-byte sets: control characters and blanks stand alone.
  if (b < 0x21 || b == 0x7F || b > 0xFE) return DecodeAsciiOnly(b);
  uint32_t t = PeekUnit();
  if (SetByte(t) < 0x21 || SetByte(t) > 0x7E) return 0xFFFD;
  ReadUnit();
  int row = SetByte(b), col = SetByte(t);
  switch (CurrentSet) {
    case 2: return DecodeJisX0208(row, col);
    case 3: return DecodeJisX0212(row, col);
    case 4: return DecodeGb2312(row, col);
    default: return DecodeKsc5601(row, col);
  }
}

// ---------------------------------------------------------------- ISO-2022-KR (50225)

void TBuffConvISO2022KR::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  if (auto* same = dynamic_cast<const TBuffConvISO2022KR*>(&source)) {
    ShiftedOut = same->ShiftedOut;
    SODesignation = same->SODesignation;
  } else {
    ShiftedOut = SODesignation = 0;
  }
}

Char TBuffConvISO2022KR::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  for (;;) {
    uint32_t b = ReadUnit();
    if (b == ESC && EndPtr - ReadPtr >= 3 && ReadPtr[0] == 0x24 && ReadPtr[1] == 0x29 && ReadPtr[2] == 0x43) {
      ReadPtr += 3;
      SODesignation = 1;
      continue;
    }
    if (b == SO && SODesignation) {
      ShiftedOut = 1;
      continue;
    }
    if (b == SI) {
      ShiftedOut = 0;
      continue;
    }
    // The designation holds for the rest of the text; a line end shifts back in.
    if (b == 0x0A || b == 0x0D) ShiftedOut = 0;
    if (!ShiftedOut || b < 0x21 || b > 0x7E) return b == 0 ? Char(0) : DecodeAsciiOnly(b);
    uint32_t t = PeekUnit();
    if (t < 0x21 || t > 0x7E) return 0xFFFD;
    ReadUnit();
    return DecodeKsc5601(static_cast<int>(b), static_cast<int>(t));
  }
}

// ---------------------------------------------------------------- ISO-2022-CN (50227)

void TBuffConvISO2022CN::CopyState(const TBuffConverter& source) {
  TBuffConverter::CopyState(source);
  if (auto* same = dynamic_cast<const TBuffConvISO2022CN*>(&source)) {
    ShiftedOut = same->ShiftedOut;
    SODesignation = same->SODesignation;
    SS2Designation = same->SS2Designation;
  } else {
    ShiftedOut = SODesignation = SS2Designation = 0;
  }
}

Char TBuffConvISO2022CN::NextChar() {
  Char ch;
  if (TakePending(ch)) return ch;
  for (;;) {
    uint32_t b = ReadUnit();
    if (b == ESC && EndPtr - ReadPtr >= 2) {
      const uint8_t* p = ReadPtr;
      if (EndPtr - p >= 3 && p[0] == 0x24 && p[1] == 0x29 && (p[2] == 0x41 || p[2] == 0x47)) {
        SODesignation = p[2] == 0x41 ? 1 : 2;
        ReadPtr += 3;
        continue;
      }
      if (EndPtr - p >= 3 && p[0] == 0x24 && p[1] == 0x2A && p[2] == 0x48) {
        SS2Designation = 1;
        ReadPtr += 3;
        continue;
      }
      if (p[0] == 0x4E && SS2Designation) {
        ReadPtr += 1;
        uint32_t r = ReadUnit();
        uint32_t c = ReadUnit();
        return DecodeCnsPlane2(SetByte(r), SetByte(c));
      }
    }
    if (b == SO && SODesignation) {
      ShiftedOut = 1;
      continue;
    }
    if (b == SI) {
      ShiftedOut = 0;
      continue;
    }
    // Designations hold until the end of the line.
    if (b == 0x0A || b == 0x0D) ShiftedOut = SODesignation = SS2Designation = 0;
    if (!ShiftedOut || b < 0x21 || b > 0x7E) return b == 0 ? Char(0) : DecodeAsciiOnly(b);
    uint32_t t = PeekUnit();
    if (t < 0x21 || t > 0x7E) return 0xFFFD;
    ReadUnit();
    int row = static_cast<int>(b), col = static_cast<int>(t);
    return SODesignation == 1 ? DecodeGb2312(row, col) : DecodeCnsPlane1(row, col);
  }
}
