#!/usr/bin/env bash
# The hostile documents through the command line: each is generated into a temporary
# folder, converted by the given program under GNU time, and reported with its wall time,
# peak resident memory and page count (pdfinfo).
#
#   bench/hostile_documents.sh build/release/wendrel [case...]
#
# Without case names every case runs. The program is copied into the folder, so its
# wendrel.ini (written only by the cases that ask for "Scale to fit") cannot come from
# elsewhere.
set -euo pipefail

here=$(dirname "$(realpath "$0")")
program=$(realpath "$1")
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/wendrel"

# name, then the Python expression of the document's HTML.
cases=(
  nested_tables_51 "'<table><tr><td>' * 51 + 'x' + '</td></tr></table>' * 51"
  links_30000 "'<p>' + ''.join('<a href=\"p%d.html\">link %d</a> ' % (i, i) for i in range(30000))"
  unclosed_b_40000 "'<p>' + '<b>x ' * 40000"
  nested_font_100000 "'<p>' + '<font size=3>y ' * 100000"
  br_1000000 "'<br>' * 1000000"
  one_cell_rows_1000000 "'<table>' + '<tr><td>x</td></tr>' * 1000000 + '</table>'"
  report_rows_100000 "'<table>' + ''.join('<tr><td align=\"left\" valign=\"top\">https://www.example.org/page/%d</td><td align=\"left\" valign=\"top\">%d</td><td align=\"left\" valign=\"top\">Word %d</td></tr>\\n' % (r, r * 37 % 1000, r % 97) for r in range(100000)) + '</table>'"
  words_20mb "' '.join(['alpha', 'beta', 'gamma', 'delta', 'epsilon', 'zeta', 'eta', 'theta'][i * 7919 % 8] for i in range(3300000))[:20000000]"
  tall_blocks_40000 "'<div style=\"height:65535px\">x</div>' * 40000"
  tall_blocks_in_a_cell_40000 "'<table><tr><td>' + '<div style=\"height:65535px\">x</div>' * 40000 + '</td></tr></table>'"
  tall_rows_40000 "'<table>' + '<tr><td style=\"height:65535px\">x</td></tr>' * 40000 + '</table>'"
  tall_lines_40000 "'<p style=\"line-height:65535px\">' + 'word<br>' * 40000"
  tall_pictures_40000 "'<p>' + '<img width=10 height=65535><br>' * 40000"
  tall_pictures_1000 "'<p>' + '<img width=10 height=65535><br>' * 1000"
  tall_blocks_in_a_cell_1000 "'<table><tr><td>' + '<div style=\"height:65535px\">x</div>' * 1000 + '</td></tr></table>'"
)

selected=("$@")
printf '%-28s %8s %10s %9s\n' case wall peak_MB pages
for ((i = 0; i < ${#cases[@]}; i += 2)); do
  name=${cases[i]}
  if ((${#selected[@]} > 0)) && [[ ! " ${selected[*]} " =~ " $name " ]]; then continue; fi
  python3 -c "import sys; sys.stdout.write('<html><body>' + (${cases[i + 1]}) + '</body></html>')" >"$work/$name.html"
  /usr/bin/time -f '%e %M' -o "$work/time" "$work/wendrel" "$work/$name.html" "$work/$name.pdf" >/dev/null 2>&1 || true
  read -r wall kb <"$work/time"
  pages=$(pdfinfo "$work/$name.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}' || true)
  printf '%-28s %7ss %10s %9s\n' "$name" "$wall" "$(awk -v kb="$kb" 'BEGIN { printf "%.1f", kb / 1024 }')" "${pages:-none}"
  rm -f "$work/$name.html" "$work/$name.pdf"
done

# Cases that need more than a page: a picture file beside it, "Scale to fit" in the
# settings, or a limit on the address space (ulimit -v, in KB). The exit code is shown too:
# a conversion that runs out of memory must end with 1 and a message, never abort.
# name, the page's HTML (Python), shell run in the folder first, the limit or -.
fit="printf '[Settings]\\r\\nScaleToFit=1\\r\\n' >wendrel.ini"
big_png="python3 '$here/big_png.py' big.png"
sized_cases=(
  picture_8000px_used_1 "'<p>' + '<img src=\"big.png\" width=10 height=10> ' * 1" "$big_png" -
  picture_8000px_used_8 "'<p>' + '<img src=\"big.png\" width=10 height=10> ' * 8" "$big_png" -
  picture_8000px_used_300 "'<p>' + '<img src=\"big.png\" width=10 height=10> ' * 300" "$big_png" -
  picture_png_sparse_3gb "'<img src=\"big.png\" width=20 height=20>'" "printf '\\x89PNG\\r\\n\\x1a\\n' >big.png && truncate -s 3G big.png" -
  picture_gif_sparse_3gb "'<img src=\"big.gif\" width=20 height=20>'" "printf 'GIF89a' >big.gif && truncate -s 3G big.gif" -
  one_word_10mb "'a' * 10000000" : -
  one_word_100mb "'a' * 100000000" : -
  one_word_250mb_4gb_limit "'a' * 250000000" : 4000000
  class_names_200000 "'<div class=\"' + 'c ' * 200000 + '\">x</div>'" : -
  class_names_1000000 "'<div class=\"' + 'c ' * 1000000 + '\">x</div>'" : -
  text_inputs_5000_fit "'<form>' + '<input type=text>' * 5000 + '</form>'" "$fit" -
  text_inputs_10000_fit "'<form>' + '<input type=text>' * 10000 + '</form>'" "$fit" -
  text_inputs_20000_fit "'<form>' + '<input type=text>' * 20000 + '</form>'" "$fit" -
  text_inputs_40000_fit "'<form>' + '<input type=text>' * 40000 + '</form>'" "$fit" -
  pictures_in_a_paragraph_40000 "'<p>' + '<img width=10 height=10>' * 40000" : -
  scaled_word_40000_at_1000000px "'<p style=\"font-size:1000000px\">' + 'W' * 40000" "$fit" -
  scaled_spans_110_percent_38000 "'<p>' + '<span style=\"font-size:110%\">x' * 38000" "$fit" -
  row_of_cells_34000 "'<table><tr>' + '<td width=65535>x' * 34000 + '</table>'" : -
  pre_of_pictures_34000 "'<pre>' + '<img width=65535 height=1>' * 34000 + '</pre>'" : -
)
printf '\n%-34s %8s %10s %9s %5s\n' case wall peak_MB pages exit
for ((i = 0; i < ${#sized_cases[@]}; i += 4)); do
  name=${sized_cases[i]}
  if ((${#selected[@]} > 0)) && [[ ! " ${selected[*]} " =~ " $name " ]]; then continue; fi
  python3 -c "import sys; sys.stdout.write('<html><body>' + (${sized_cases[i + 1]}) + '</body></html>')" >"$work/$name.html"
  (cd "$work" && eval "${sized_cases[i + 2]}")
  limit=${sized_cases[i + 3]}
  exit_code=0
  (if [[ $limit != - ]]; then ulimit -v "$limit"; fi
   exec /usr/bin/time -f '%e %M' -o "$work/time" "$work/wendrel" "$work/$name.html" "$work/$name.pdf") \
    >/dev/null 2>"$work/errors" || exit_code=$?
  read -r wall kb < <(tail -n 1 "$work/time")
  pages=$(pdfinfo "$work/$name.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}' || true)
  printf '%-34s %7ss %10s %9s %5s\n' "$name" "$wall" "$(awk -v kb="$kb" 'BEGIN { printf "%.1f", kb / 1024 }')" \
    "${pages:-none}" "$exit_code"
  rm -f "$work/$name.html" "$work/$name.pdf" "$work"/big.* "$work/wendrel.ini"
done
