#include <gtest/gtest.h>

#include "platform/rtl/NativeNames.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/rtl/TempFolder.h"

namespace {

// Every name comes back byte for byte; UTF-8 reads as its characters, and only the bytes
// that are not part of well-formed UTF-8 are held apart.
TEST(NativeNames, NamesThatAreNotUtf8ComeBackByteForByte) {
  struct Case {
    std::string bytes;
    String readable;
  };
  const Case cases[] = {
      {"plain.html", u"plain.html"},
      {"Gr\xC3\xBC\xC3\x9F" "e.html", u"Grüße.html"},
      {"\xFF.html", u"\\xFF.html"},
      {"out\xE9.pdf", u"out\\xE9.pdf"},
      {"\xC3", u"\\xC3"},                        // a sequence cut short
      {"\xE0\x80\x80", u"\\xE0\\x80\\x80"},      // over-long
      {"\xED\xA0\x80", u"\\xED\\xA0\\x80"},      // an encoded surrogate
      {"\xF0\x9F\x98\x80\x80", u"\U0001F600\\x80"},
      {"a\nb\t.html", u"a\\x0Ab\\x09.html"},  // control characters keep a message on one line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const String name = FileNameFromNative(c.bytes);
    EXPECT_EQ(NativeFileName(name), c.bytes);
    EXPECT_EQ(ReadableFileName(name), c.readable);
  }
  // Text of the program itself goes to the file system as UTF-8.
  EXPECT_EQ(NativeFileName(S("Köln.pdf")), "K\xC3\xB6ln.pdf");
}

TEST(NativeNames, FilesWithSuchNamesAreFoundOpenedAndRemoved) {
  TempFolder dir;
  dir.Write("\xFF.html", "<p>x</p>");
  const String name = FileNameFromNative(dir.Path("\xFF.html"));
  EXPECT_TRUE(FileExists(name));
  EXPECT_FALSE(FileExists(Utf8ToString(dir.Path("\xFF.html"))));
  { TFileStream file(name, fmOpenRead); EXPECT_EQ(file.Size(), 8); }
  EXPECT_TRUE(DeleteFile(name));
  EXPECT_FALSE(FileExists(name));
}

}  // namespace
