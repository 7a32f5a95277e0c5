// The charset-name registry: charset names as they appear in documents (META charset, XML
// declaration), mapped to code pages.
#pragma once

#include <string>
#include <vector>

#include "platform/rtl/Types.h"

struct TBuffCodePageName {
  std::string CharsetName;  // lower case
  int CodePage = 0;
};

class TBuffCodePageNameList {
 public:
  TBuffCodePageNameList();
  int Count() const { return static_cast<int>(entries_.size()); }
  const TBuffCodePageName& operator[](int i) const { return entries_.at(static_cast<size_t>(i)); }
  // The entry of exactly this name, ignoring case; null when absent.
  const TBuffCodePageName* Find(const String& name) const;

 private:
  std::vector<TBuffCodePageName> entries_;  // sorted by name
};

// The singleton; null after ShutDownCharsetRegistries.
TBuffCodePageNameList* CodePageNames();
// The entry of a charset name: the whole name (blanks around it cut off), else the part
// before the first ";" or blank, else the value of a "charset=" parameter (of a media type
// such as "text/html; charset=utf-8"); case is ignored. Null when none matches.
const TBuffCodePageName* FindCodePageName(const String& name);
// The code page of a charset name, or -1.
int CodePageOfCharsetName(const String& name);
