// Turning the bytes of an answer into text.
#pragma once

#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

// The charset parameter of a Content-Type value, lower-cased, without quotes; empty when
// there is none. "text/html; Charset=\"ISO-8859-1\"" gives "iso-8859-1".
std::string CharsetOfContentType(std::string_view contentType);

// The code page of a charset name, or 0 when the name is unknown or no converter for its
// code page is registered. Knows utf-8, windows-125x/cp125x, iso-8859-n, us-ascii,
// utf-16le/be and their usual aliases.
int CodePageOfCharset(std::string_view charset);

// The body as text: in the code page of the Content-Type's charset when it is known;
// otherwise as UTF-8 when the bytes are valid UTF-8, else in code page 1252. A byte-order
// mark of the chosen Unicode encoding is not part of the text.
String DecodeBody(std::string_view body, std::string_view contentType);
