// The token symbols of the HTML reader that are not tag symbols, and the tag symbols the
// reader itself needs (looked up once in the tag table).
#pragma once

#include <cstdint>

enum : uint8_t {
  OtherChar = 0,   // a single character no other rule took (text-area content)
  UnknownSy = 1,   // a tag not in the table, an end tag of a tag without one, a processing instruction
  TextSy = 2,
  EolSy = 3,       // a line end inside raw content
  EofSy = 4
};

struct TReaderTagSymbols {
  uint8_t TextAreaSy, TextAreaEndSy, ScriptSy, ScriptEndSy, StyleSy, TitleSy, TitleEndSy;
};
const TReaderTagSymbols& ReaderTagSymbols();
