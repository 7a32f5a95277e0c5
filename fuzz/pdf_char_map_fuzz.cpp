// The PDF engine's reader of a TrueType character map with widths (cmap, head, hhea and
// hmtx tables), on arbitrary bytes. The first six bytes give the lengths of the cmap, head
// and hhea tables (16 bits each, big-endian, cut to what is there); hmtx takes the rest.
// Besides the sanitizers it checks that the map is ascending and its two arrays agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pdf/fonts/PdfTTF.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data) + 6, size - 6);
  std::string_view tables[3];
  for (int i = 0; i < 3; ++i) {
    size_t length = static_cast<size_t>(data[2 * i] << 8 | data[2 * i + 1]);
    if (length > rest.size()) length = rest.size();
    tables[i] = rest.substr(0, length);
    rest.remove_prefix(length);
  }
  TPdfTTF map(tables[0], tables[1], tables[2], rest, (size & 1) != 0);
  if (map.Chars.size() != map.Entries.size()) std::abort();
  for (size_t i = 1; i < map.Chars.size(); ++i)
    if (map.Chars[i - 1] >= map.Chars[i]) std::abort();
  return 0;
}
