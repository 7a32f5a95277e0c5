#!/usr/bin/env bash
# Converts one large real HTML document to PDF with Wendrel's command line, wkhtmltopdf and
# WeasyPrint, one after the other, and prints for each: wall time, peak resident memory,
# pages and file size. Wendrel is also run on a quarter and a half of the document, to
# show how time and memory grow with the pages, and once more with page numbers.
#
#   bench/export_setup.sh                      # the peers and the manual (once)
#   bench/export_compare.sh [WENDREL] [REPEATS]
#
# WENDREL: the program (default build/release/wendrel). The document is the git user
# manual of Debian's git-doc package, its body repeated REPEATS times (default 20, about
# 1,000 A4 pages) in one file under /tmp/wendrel-export-bench/.
set -euo pipefail
wendrel=${1:-build/release/wendrel}
repeats=${2:-20}
manual=/usr/share/doc/git-doc/user-manual.html
work=/tmp/wendrel-export-bench
mkdir -p "$work"
wendrel=$(realpath "$wendrel")

# The manual's head once, its body REPEATS times.
make_document() {
  python3 - "$manual" "$1" "$2" <<'PY'
import re, sys
src, count, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
text = open(src, encoding="utf-8").read()
m = re.search(r"(?is)^(.*?<body[^>]*>)(.*)(</body>.*)$", text)
head, body, tail = m.group(1), m.group(2), m.group(3)
open(out, "w", encoding="utf-8").write(head + body * count + tail)
PY
}

# name, command...: runs it under GNU time and prints one row of the table.
measure() {
  local name=$1 pdf=$2
  shift 2
  rm -f "$pdf"
  # wkhtmltopdf exits with 1 for the manual's mailto: links it cannot load, and still
  # writes the file: a program counts as failed when it leaves no PDF.
  /usr/bin/time -o "$work/time.txt" -f "%e %M" "$@" > "$work/out.txt" 2>&1 || true
  [ -s "$pdf" ] || { echo "$name failed:"; cat "$work/out.txt"; return; }
  read -r seconds kb < <(tail -n 1 "$work/time.txt")
  local pages size
  pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
  size=$(stat -c %s "$pdf")
  printf "| %-34s | %8s s | %6d MB | %6s | %7.1f MB |\n" "$name" "$seconds" $((kb / 1024)) "$pages" \
    "$(awk -v s="$size" 'BEGIN { print s / 1048576 }')"
}

for n in $((repeats / 4)) $((repeats / 2)) "$repeats"; do
  make_document "$n" "$work/manual-$n.html"
done
big="$work/manual-$repeats.html"
echo "document: $manual, body x $repeats, $(stat -c %s "$big") bytes"
echo "| Program | Time | Peak memory | Pages | File |"
echo "|---|---|---|---|---|"
home=$(mktemp -d)
for n in $((repeats / 4)) $((repeats / 2)) "$repeats"; do
  WENDREL_HOME=$home measure "wendrel (body x $n)" "$work/wendrel-$n.pdf" "$wendrel" "$work/manual-$n.html" "$work/wendrel-$n.pdf"
done
rm -rf "$home"
# The same with the page-number footer, which needs the page count before the first page.
home=$(mktemp -d)
printf '[Margins]\r\nPrintPage=1\r\n' > "$home/wendrel.ini"
WENDREL_HOME=$home measure "wendrel, page numbers (body x $repeats)" "$work/wendrel-numbered.pdf" "$wendrel" "$big" "$work/wendrel-numbered.pdf"
rm -rf "$home"
QT_QPA_PLATFORM=offscreen measure "wkhtmltopdf (body x $repeats)" "$work/wkhtmltopdf.pdf" wkhtmltopdf -q --load-error-handling ignore --load-media-error-handling ignore "$big" "$work/wkhtmltopdf.pdf"
measure "weasyprint (body x $repeats)" "$work/weasyprint.pdf" weasyprint -q "$big" "$work/weasyprint.pdf"
