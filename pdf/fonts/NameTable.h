// Reading a TrueType font's "name" table.
#pragma once

#include <string>
#include <string_view>

// The PostScript name (name id 6) of a "name" table, in code page 1252: from the first
// Unicode or Windows record (UTF-16, big-endian), else from the first Macintosh record
// (8-bit). Empty when the table holds none or is malformed; the table's own offsets are
// never trusted beyond its end.
std::string PostScriptNameFromNameTable(std::string_view table);
