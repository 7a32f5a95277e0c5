#include "tests/support/html/VisibleWords.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "platform/rtl/Unicode.h"
#include "tests/support/Process.h"

namespace {

bool IsWordSeparator(Char c) {
  switch (c) {
    case 0x09: case 0x0A: case 0x0B: case 0x0C: case 0x0D: case 0x20: case 0x85: case 0xA0: case 0x1680:
    case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

bool IsRemoved(Char c) { return c == 0xAD || c == 0x200B; }

}  // namespace

std::vector<std::string> WordsOf(const String& text) {
  std::vector<std::string> words;
  String word;
  for (Char c : text + u" ") {
    if (IsRemoved(c)) continue;
    if (!IsWordSeparator(c)) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(StringToUtf8(word));
      word.clear();
    }
  }
  return words;
}

std::vector<std::string> ReferenceWords(const std::string& htmlPath, const std::vector<std::string>& hidden) {
  std::string command = "python3 " + ShellQuote(std::string(WENDREL_SOURCE_DIR) + "/tests/support/html/visible_words.py");
  for (const std::string& selector : hidden) command += " --hide " + ShellQuote(selector);
  std::istringstream lines(RunTool(command + " " + ShellQuote(htmlPath)));
  std::vector<std::string> words;
  for (std::string line; std::getline(lines, line);) words.push_back(line);
  return words;
}

TWordAgreement CompareWords(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  std::map<std::string, long> balance;  // expected count minus actual count
  for (const std::string& w : expected) ++balance[w];
  for (const std::string& w : actual) --balance[w];
  TWordAgreement result;
  for (const auto& [word, count] : balance) {
    for (long i = 0; i < count; ++i) result.Missing.push_back(word);
    for (long i = 0; i < -count; ++i) result.Extra.push_back(word);
  }
  const size_t larger = std::max(expected.size(), actual.size());
  if (larger > 0) {
    const size_t shared = expected.size() - result.Missing.size();
    result.Ratio = static_cast<double>(shared) / static_cast<double>(larger);
  }
  return result;
}
