// Fuzzes the readers of the runtime library's files and lists: text-file decoding and line
// splitting, comma and delimited text, ini files, and Base64. Input: one selector byte,
// then the bytes to read. Besides the sanitizers it checks that what is read, written and
// read again comes back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/rtl/Base64.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/TextFiles.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::vector<String> Lines(const TStrings& list) {
  std::vector<String> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

// UTF-8 cannot hold a lone surrogate (from a broken UTF-16 file); it is written as U+FFFD.
String WithoutLoneSurrogates(String s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const bool high = s[i] >= 0xD800 && s[i] <= 0xDBFF;
    const bool low = s[i] >= 0xDC00 && s[i] <= 0xDFFF;
    if (high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
      ++i;
    else if (high || low)
      s[i] = 0xFFFD;
  }
  return s;
}

void FuzzTextFile(std::string_view bytes) {
  TStringList list;
  list.SetText(DecodeTextFileBytes(bytes));
  TStringList again;
  again.SetText(DecodeTextFileBytes(EncodeTextFileBytes(list.Text())));
  Check(again.Text() == WithoutLoneSurrogates(list.Text()));
  list.Sort();
  TStringList unique;
  unique.SetSorted(true);
  unique.AddStrings(list);
  Check(unique.Count() <= list.Count());
}

void FuzzDelimited(std::string_view bytes, bool strict) {
  TStringList list;
  list.StrictDelimiter = strict;
  if (strict) list.Delimiter = u';';
  list.SetDelimitedText(DecodeTextFileBytes(bytes));
  TStringList again;
  again.StrictDelimiter = strict;
  again.Delimiter = list.Delimiter;
  again.SetDelimitedText(list.DelimitedText());
  Check(Lines(again) == Lines(list));
}

void FuzzIni(std::string_view bytes) {
  TStringList text;
  text.SetText(DecodeTextFileBytes(bytes));
  TMemIniFile ini(u"");
  ini.SetStrings(text);
  TStringList written;
  ini.GetStrings(written);
  TMemIniFile reread(u"");
  reread.SetStrings(written);
  TStringList writtenAgain;
  reread.GetStrings(writtenAgain);
  Check(Lines(writtenAgain) == Lines(written));
  TStringList sections;
  ini.ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i) {
    ini.ReadInteger(sections[i], u"Orientation", 0);
    ini.ReadFloat(sections[i], u"Left", 1);
  }
}

void FuzzBase64(std::string_view bytes) {
  const std::string decoded = DecodeBase64(bytes);
  Check(DecodeBase64(EncodeBase64(decoded)) == decoded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 5) {
    case 0:
      FuzzTextFile(bytes);
      break;
    case 1:
      FuzzDelimited(bytes, false);
      break;
    case 2:
      FuzzDelimited(bytes, true);
      break;
    case 3:
      FuzzIni(bytes);
      break;
    default:
      FuzzBase64(bytes);
      break;
  }
  return 0;
}
