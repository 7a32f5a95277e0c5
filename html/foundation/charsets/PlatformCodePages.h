// The platform's own single-byte conversion, as the fallback converter uses it: one byte
// of a code page, converted alone.
#pragma once

#include <array>
#include <cstdint>

#include "platform/rtl/Types.h"

// The OEM and Mac code pages of the machine the program thinks it runs on (code pages 1
// and 2 stand for them).
constexpr int CP_OEM = 850;
constexpr int CP_MAC = 10000;

// Byte 0 gives 0. Code page 0 is the ANSI code page of the runtime library. A byte that
// has no character of its own (a lead byte of a double-byte code page) gives U+FFFD; a code
// page the platform does not know decodes bytes below 80 as ASCII and the rest as U+FFFD.
Char DecodePlatformByte(int codePage, uint8_t byte);

// DecodePlatformByte of all 256 bytes of a code page, worked out once per code page.
const std::array<Char, 256>& PlatformByteMap(int codePage);
