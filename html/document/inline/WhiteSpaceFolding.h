// White-space folding of a text section's characters when its text is finished.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"

// Deletes, in this order: leading spaces; every soft hyphen (the character before it gets
// break code "s" unless it is "n"); the second of two spaces standing together (the first
// when the first's code is "n"); a space right after the placeholder of a floating object;
// spaces before and after a forced break; a forced break ending a text of two or more
// characters and then a space ending what remains (when two or more remain).
// text, codes and the first text.size() entries of sources are compacted in place (sources
// may be longer: its spare capacity is left alone). floatsAt tells whether the placeholder
// at an original index belongs to a floating object.
// Answers, for every original index 0..n, the index it has afterwards; a deleted character
// maps to the index of the next remaining one, and n to the new length, so that a position
// p (a font run start, an object's placeholder) becomes result[min(p, n)].
std::vector<int> FoldWhiteSpace(String& text, std::string& codes, std::vector<int32_t>& sources,
                                const std::function<bool(int)>& floatsAt);
