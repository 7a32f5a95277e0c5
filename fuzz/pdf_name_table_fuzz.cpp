// The PDF engine's reader of TrueType "name" tables, on arbitrary bytes: it must stay
// inside the table, and a name it finds is no longer than the table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pdf/fonts/NameTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view table(reinterpret_cast<const char*>(data), size);
  if (PostScriptNameFromNameTable(table).size() > size) std::abort();
  return 0;
}
