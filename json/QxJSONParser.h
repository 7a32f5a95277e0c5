// The JSON parser: a lenient recursive descent over a text that carries a UTF-8 document
// one byte per character.
#pragma once

#include <memory>

#include "json/QxJSONValues.h"

class TqxJSON {
 public:
  // Lists and objects nested deeper than this make the parse fail.
  static constexpr int MaxDepth = 512;

  // The root value of the first complete value in the text (anything after it is not
  // looked at), or none for bad input. Never raises for bad input.
  static std::unique_ptr<TqxJSONbase> ParseDocument(const String& text);
};
