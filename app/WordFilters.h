// The blacklist of the word filters: a word is blacklisted when it equals one of the
// blacklist's lines (case-sensitive). A word that only occurs inside a longer blacklisted
// word ("Auto" beside "Autobahn") passes; empty lines of the blacklist name no word.
#pragma once

#include <unordered_set>

#include "platform/rtl/Strings.h"
#include "platform/rtl/Types.h"

class TBlacklist {
 public:
  explicit TBlacklist(const TStrings& lines);
  bool Contains(const String& word) const { return words_.count(word) != 0; }

 private:
  std::unordered_set<String> words_;
};
