// Deflate compression and the Adler-32 and CRC-32 checksums, all through zlib.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/rtl/Exceptions.h"

class TStream;

WENDREL_DECLARE_EXCEPTION(EDeflateError, Exception);

// RFC 1950 checksum continued from a running value (1 starts one); a null buffer gives 1.
uint32_t Adler32(uint32_t running, const void* buffer, size_t length);
// CRC-32 (reflected polynomial 0xEDB88320) continued from a running value (0 starts one);
// a null buffer gives the running value unchanged.
uint32_t Crc32(uint32_t running, const void* buffer, size_t length);

// Compresses the block into the destination, in zlib format (RFC 1950) or as raw deflate,
// through a 64 KB output buffer; returns the number of bytes written. A zlib failure
// raises EDeflateError (std::bad_alloc when zlib runs out of memory); the destination
// may then hold part of the output, so callers compress into a scratch stream.
size_t CompressBuffer(const void* source, size_t length, TStream& destination, int level,
                      bool zlibFormat);

// Decompresses a zlib-format block (as CompressBuffer makes it) into the destination;
// returns the number of bytes written. A damaged or truncated block raises EDeflateError.
size_t DecompressBuffer(const void* source, size_t length, TStream& destination);
