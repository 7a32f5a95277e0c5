// Lookups into the code-page tables (codepages/*.inc, made by tools/gen_codepage_tables.py),
// the one copy of them in the program. Every lookup gives U+FFFD for a cell that its set
// leaves empty or for a position outside the set.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/rtl/Types.h"

// 94 x 94 sets; row and column are the 7-bit values 21..7E.
Char DecodeJisX0208(int row, int column);
Char DecodeJisX0212(int row, int column);
Char DecodeGb2312(int row, int column);
Char DecodeKsc5601(int row, int column);
Char DecodeCnsPlane1(int row, int column);
Char DecodeCnsPlane2(int row, int column);
// JIS X 0201: 5C is the yen sign, 7E the overline, A1..DF half-width katakana.
Char DecodeJisX0201(uint32_t byte);
// Bytes below 80 as they are, U+FFFD for the rest.
Char DecodeAsciiOnly(uint32_t byte);

// Lead/trail tables of the Windows code pages (the caller has checked the trail byte).
Char LookupCp932Extension(uint32_t lead, uint32_t trail);  // leads 87, ED, EE, FA..FC
Char LookupGbk(uint32_t lead, uint32_t trail);             // code page 936, leads 81..FE
Char LookupUhc(uint32_t lead, uint32_t trail);             // code page 949, leads 81..C6
Char LookupBig5(uint32_t lead, uint32_t trail);            // code page 950, leads A1..F9
// GB18030 two-byte codes that differ from code page 936; false for the others.
bool LookupGb18030TwoByte(uint32_t code, Char& ch);
// GB18030 four-byte codes of the BMP by linear index (0..39419); U+FFFD in a gap.
Char LookupGb18030FourByte(uint32_t index);

// Byte maps; null when the code page has none. Bytes below the map decode as themselves.
const uint16_t* HighMapOf(int codePage);  // 128 entries for bytes 80..FF (OEM, Mac, KOI8-R)
const uint16_t* IsoMapOf(int codePage);   // 96 entries for bytes A0..FF (ISO 8859 parts)
const uint16_t* FullMapOf(int codePage);  // 256 entries (Windows ANSI, EBCDIC and others)

// The full map of a code page with each byte it leaves undefined standing for the control
// character of the same number, so that every byte survives a round trip (as Windows
// converts the undefined bytes of its ANSI code pages); empty without a full map.
std::optional<std::array<Char, 256>> RoundTripMapOf(int codePage);
