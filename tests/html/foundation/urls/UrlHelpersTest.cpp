#include "html/foundation/urls/UrlHelpers.h"

#include <gtest/gtest.h>

#include "platform/rtl/Unicode.h"

namespace {

struct Pair {
  const char* input;
  const char* expected;
};

TEST(UrlBase, DirectoryPartOfAUrl) {
  const Pair cases[] = {
      {"s://h/dir/page.html?x=/y", "s://h/dir/"},
      {"page.html", "page.html/"},
      {"s://h", "s://"},
      {"  s://h/a/b.html  ", "s://h/a/"},
      {"dir/sub/page.html", "dir/sub/"},
      {"s://h/dir/?q=/x", "s://h/dir/"},
  };
  for (const Pair& c : cases) EXPECT_EQ(StringToUtf8(UrlBase(S(c.input))), c.expected) << c.input;
}

TEST(JoinDosPath, ExactlyOneBackslash) {
  EXPECT_EQ(JoinDosPath(u"C:\\a\\", u"\\b"), u"C:\\a\\b");
  EXPECT_EQ(JoinDosPath(u"C:\\a\\", u"b"), u"C:\\a\\b");
  EXPECT_EQ(JoinDosPath(u"C:\\a", u"\\b"), u"C:\\a\\b");
  EXPECT_EQ(JoinDosPath(u"C:\\a", u"b"), u"C:\\a\\b");
  EXPECT_EQ(JoinDosPath(u"", u"b"), u"\\b");
  EXPECT_EQ(JoinDosPath(u"", u"\\b"), u"\\b");
}

TEST(IsFullUrl, SchemeBeforeAnySlashOrMailtoOrData) {
  EXPECT_TRUE(IsFullUrl(u"http://h/x"));
  EXPECT_TRUE(IsFullUrl(u"MAILTO:a@b"));
  EXPECT_TRUE(IsFullUrl(u"data:image/png;base64,xx"));
  EXPECT_FALSE(IsFullUrl(u"dir/x://y"));
  EXPECT_FALSE(IsFullUrl(u"page.html?u=http://h/"));
  EXPECT_FALSE(IsFullUrl(u"/abs/path"));
}

TEST(GetProtocol, LowerCaseSchemeOrDefaults) {
  const Pair cases[] = {
      {"S://x", "s"}, {"HTTPS://h/p", "https"}, {"/path", "http"}, {"http:rel", "http"},
      {"Mailto:a@b", "mailto"}, {"data:text/plain,x", "data"}, {"page.html", ""},
      {"page.html?next=ftp://h", ""},
  };
  for (const Pair& c : cases) EXPECT_EQ(StringToUtf8(GetProtocol(S(c.input))), c.expected) << c.input;
}

TEST(CombineUrl, ResolvesAgainstTheBase) {
  struct Case {
    const char* base;
    const char* relative;
    const char* expected;
  };
  const Case cases[] = {
      {"s://h/a/b", "../c.css", "s://h/a/c.css"},
      {"s://h/a/b", "/c.css", "s://h/c.css"},
      {"s://h/a/b", "//o/x.css", "s://o/x.css"},
      {"s://h/a/b/", "c.css", "s://h/a/b/c.css"},
      {"s://h/a/b/", "./c/./d.css", "s://h/a/b/c/d.css"},
      {"s://h/a/b/", "../../c.css", "s://h/c.css"},
      {"s://h/a", "../../../c.css", "s://h/c.css"},
      {"s://h", "x.css", "s://h/x.css"},
      {"file:///C:/site/css/", "../img/a.gif", "file:///C:/site/img/a.gif"},
      {"file:///C:/site/css/", "/img/a.gif", "file:///C:/img/a.gif"},
      {"dir/sub/", "../x.css", "dir/x.css"},
      {"styles", "x.css", "styles/x.css"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StringToUtf8(CombineUrl(S(c.base), S(c.relative))), c.expected) << c.base << " + " << c.relative;
}

TEST(SplitUrlFragment, SplitsAtTheFirstHash) {
  String address, fragment;
  SplitUrlFragment(u"page.html#top#more", address, fragment);
  EXPECT_EQ(address, u"page.html");
  EXPECT_EQ(fragment, u"#top#more");
  SplitUrlFragment(u"page.html", address, fragment);
  EXPECT_EQ(address, u"page.html");
  EXPECT_EQ(fragment, u"");
}

TEST(DecodeUrlEscapes, Utf8SequencesAndMalformedEscapes) {
  struct Case {
    String input;
    String expected;
  };
  const Case cases[] = {
      {u"a%20b", u"a b"},
      {u"%C3%A9", u"\u00E9"},
      {u"%E2%82%AC", u"\u20AC"},
      {u"%F0%9F%98%80!", u"\U0001F600!"},
      {u"%zz", u"%zz"},
      {u"100%", u"100%"},
      {u"%4", u"%4"},
      {u"%%41", u"%A"},
      {u"%C3", u"%C3"},            // lead without its continuation
      {u"%C3%41", u"%C3A"},        // no continuation byte: left, the next escape decoded
      {u"%C0%AF", u"%C0%AF"},      // over-long "/"
      {u"%ED%A0%80", u"%ED%A0%80"},  // a surrogate
      {u"%00x", u"%00x"},
      {u"%41%42%43", u"ABC"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeUrlEscapes(c.input), c.expected) << StringToUtf8(c.input);
}

TEST(UrlToDosPath, FileUrlsBecomeWindowsPaths) {
  const Pair cases[] = {
      {"file:///C|/x/y.html", "C:\\x\\y.html"},
      {"file://server/share", "server\\share"},
      {"file:/C:/x", "C:\\x"},
      {"file:///C:/a%20b/c.html", "C:\\a b\\c.html"},
      {"img/a.gif", "img\\a.gif"},
      {"a%20b.gif", "a b.gif"},
  };
  for (const Pair& c : cases) EXPECT_EQ(StringToUtf8(UrlToDosPath(S(c.input))), c.expected) << c.input;
}

TEST(UrlToDosPathWithBase, BaseOnlyForRootedRelativePaths) {
  EXPECT_EQ(UrlToDosPathWithBase(u"/img/a.gif", u"C:\\site"), u"C:\\site\\img\\a.gif");
  EXPECT_EQ(UrlToDosPathWithBase(u"//srv/img/a.gif", u"C:\\site"), u"\\\\srv\\img\\a.gif");
  EXPECT_EQ(UrlToDosPathWithBase(u"file:///D|/img/a.gif", u"C:\\site"), u"D:\\img\\a.gif");
  EXPECT_EQ(UrlToDosPathWithBase(u"img/a.gif", u"C:\\site"), u"img\\a.gif");
  EXPECT_EQ(UrlToDosPathWithBase(u"/img/a.gif", u""), u"\\img\\a.gif");
}

TEST(UrlToFileSystemPath, PosixPathsForTheFileSystem) {
  const Pair cases[] = {
      {"file:///home/u/a%20b.html", "/home/u/a b.html"},
      {"file:/home/u/a.html", "/home/u/a.html"},
      {"file:///C|/x/y.html", "/x/y.html"},
      {"file:///C:/x/y.html", "/x/y.html"},
      {"C:\\site\\img\\a.gif", "/site/img/a.gif"},
      {"img\\a.gif", "img/a.gif"},
      {"/tmp/a.html", "/tmp/a.html"},
      {"file://server/share/a.html", "//server/share/a.html"},
  };
  for (const Pair& c : cases) EXPECT_EQ(StringToUtf8(UrlToFileSystemPath(S(c.input))), c.expected) << c.input;
}

}  // namespace
