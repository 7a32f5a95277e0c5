#!/usr/bin/env bash
# One large picture shown many times, through the command line: an 8000 x 8000 PNG (made
# here with Python's zlib, about 180 KB) drawn at 10 x 10 pixels 1, 8 and 300 times in one
# paragraph, converted by the given program under GNU time, each run reported with its
# exit code, wall time, peak resident memory and the size of the PDF.
#
#   bench/shared_picture_memory.sh build/release/wendrel [uses...]
#
# Without counts it runs 1, 8 and 300 uses. The program is copied into the folder, so a
# wendrel.ini there (none is written) cannot come from elsewhere.
set -euo pipefail

program=$(realpath "$1")
shift
uses=("$@")
((${#uses[@]} > 0)) || uses=(1 8 300)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/wendrel"

python3 - "$work/big.png" <<'EOF'
import struct, sys, zlib

def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)

side = 8000
rows = b''.join(b'\0' + bytes((x * 7 + y) & 0xff for x in range(8)) * (side * 3 // 8)
                for y in range(256))
raw = rows * (side // 256) + rows[: (side % 256) * (1 + side * 3)]
png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 2, 0, 0, 0)) +
       chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
open(sys.argv[1], 'wb').write(png)
EOF

printf '%6s %5s %8s %10s %10s\n' uses exit wall peak_MB pdf_KB
for n in "${uses[@]}"; do
  python3 -c "import sys; sys.stdout.write('<html><body><p>' + '<img src=\"big.png\" width=10 height=10> ' * $n + '</p></body></html>')" >"$work/doc.html"
  code=0
  /usr/bin/time -f '%e %M' -o "$work/time" "$work/wendrel" "$work/doc.html" "$work/doc.pdf" >/dev/null 2>&1 || code=$?
  read -r wall kb < <(tail -n 1 "$work/time")
  pdf=$(stat -c %s "$work/doc.pdf" 2>/dev/null || echo 0)
  printf '%6s %5s %7ss %10s %10s\n' "$n" "$code" "$wall" "$(awk -v kb="$kb" 'BEGIN { printf "%.1f", kb / 1024 }')" \
    "$((pdf / 1024))"
  rm -f "$work/doc.html" "$work/doc.pdf"
done
