// Base64 as the platform's stream encoder writes it: standard alphabet, "=" padding, and
// CR LF after every 76 characters (none after the last line).
#pragma once

#include <string>
#include <string_view>

std::string EncodeBase64(std::string_view bytes);

// Decodes Base64 text, skipping every character outside the alphabet (line breaks,
// blanks, anything else). "=" ends a group: the bits collected so far give their bytes,
// so texts joined after their padding decode piece by piece. Leftover bits that do not
// make a byte are dropped.
std::string DecodeBase64(std::string_view text);
