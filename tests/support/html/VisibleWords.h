// Words of visible text, for comparing what the engine shows with an extraction that does
// not use it (visible_words.py beside this file, on Python's html.parser).
#pragma once

#include <string>
#include <vector>

#include "platform/rtl/Types.h"

// The text split into words (UTF-8) at the white-space characters visible_words.py uses;
// soft hyphens and zero-width spaces are removed first.
std::vector<std::string> WordsOf(const String& text);

// The words of the HTML file's visible text by visible_words.py; the elements that the
// selectors match (tag, .class, tag.class, #id) are left out as the page's style sheets
// hide them. Raises std::runtime_error when the script fails.
std::vector<std::string> ReferenceWords(const std::string& htmlPath, const std::vector<std::string>& hidden = {});

// How far two multisets of words agree: the words they share (counted with repeats) over
// the size of the larger one, so both lost and extra words lower it. 1 for two empty sets.
struct TWordAgreement {
  double Ratio = 1;
  std::vector<std::string> Missing;  // in expected, not in actual (with repeats)
  std::vector<std::string> Extra;    // in actual, not in expected
};
TWordAgreement CompareWords(const std::vector<std::string>& expected, const std::vector<std::string>& actual);
