#!/usr/bin/env python3
# Writes an 8000 x 8000 RGB PNG of about 180 KB (a repeating pattern that deflates well) to
# the given path: a picture that is small on disk and large once decoded.
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)


side = 8000
rows = b''.join(b'\0' + bytes((x * 7 + y) & 0xff for x in range(8)) * (side * 3 // 8) for y in range(256))
raw = rows * (side // 256) + rows[: (side % 256) * (1 + side * 3)]
png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 2, 0, 0, 0)) +
       chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
with open(sys.argv[1], 'wb') as f:
    f.write(png)
