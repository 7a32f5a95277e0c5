// Names of documents: the kind a file name stands for, and how the names in a document
// (links, images) become file names.
#include <gtest/gtest.h>

#include "html/document/viewer/FileTypes.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Unicode.h"

namespace {

TEST(FileTypes, ExtensionsNameTheDocumentKind) {
  struct Case {
    const char16_t* name;
    THtmlFileType kind;
  };
  for (const Case& c : std::initializer_list<Case>{
           {u"/a/index.HTM", HtmlType},  {u"page.shtml", HtmlType}, {u"style.css", HtmlType},
           {u"x.xhtml", XhtmlType},      {u"x.XHT", XhtmlType},     {u"logo.Jpeg", ImgType},
           {u"icon.bmp", ImgType},       {u"notes.txt", TextType},  {u"archive.zip", OtherType},
           {u"/a.htm/noextension", OtherType}, {u"", OtherType},
       })
    EXPECT_EQ(GetFileType(c.name), c.kind) << StringToUtf8(c.name);
}

struct ResolveCase {
  const char16_t* name;
  const char16_t* base;
  const char16_t* serverRoot;
  const char16_t* expected;
};

class ResolveFileNameTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveFileNameTest, MapsDocumentNamesToPosixPaths) {
  const ResolveCase& c = GetParam();
  TMarkupViewer viewer(nullptr);
  viewer.CurrentFile = u"/docs/guide/index.html";
  viewer.Base = c.base;
  viewer.SetServerRoot(c.serverRoot);
  String full;
  viewer.ResolveFileName(c.name, full);
  EXPECT_EQ(StringToUtf8(full), StringToUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, ResolveFileNameTest,
    ::testing::Values(
        // Relative names start from the shown file's folder; "." and ".." are resolved.
        ResolveCase{u"pics/a.png", u"", u"", u"/docs/guide/pics/a.png"},
        ResolveCase{u"../other/b.html", u"", u"", u"/docs/other/b.html"},
        ResolveCase{u"pics\\win.png", u"", u"", u"/docs/guide/pics/win.png"},
        ResolveCase{u"a%20b.html", u"", u"", u"/docs/guide/a b.html"},
        // A fragment stays with the name, for the loader to split off.
        ResolveCase{u"ch2.html#sec3", u"", u"", u"/docs/guide/ch2.html#sec3"},
        // Absolute names, file URLs and drive letters.
        ResolveCase{u"/srv/x/../y.html", u"", u"", u"/srv/y.html"},
        ResolveCase{u"file:///home/u/r%C3%A9sum%C3%A9.html", u"", u"", u"/home/u/r\u00e9sum\u00e9.html"},
        ResolveCase{u"FILE:/tmp/a.html#top", u"", u"", u"/tmp/a.html#top"},
        ResolveCase{u"C:\\reports\\x.html", u"", u"", u"/reports/x.html"},
        // URLs of other protocols stay as they are.
        ResolveCase{u"http://127.0.0.1/p.html", u"", u"", u"http://127.0.0.1/p.html"},
        // A root-relative name starts at the server root.
        ResolveCase{u"/img/x.gif", u"", u" /var/www/ ", u"/var/www/img/x.gif"},
        // The BASE element: a folder, a web address, or "DosPath" (the name stays relative).
        ResolveCase{u"x.gif", u"file:///opt/site/", u"", u"/opt/site/x.gif"},
        ResolveCase{u"x.gif", u"http://127.0.0.1/site/", u"", u"http://127.0.0.1/site/x.gif"},
        ResolveCase{u"x.gif", u"DOSPATH", u"", u"x.gif"}));

TEST(ResolveFileName, OnFilenameExpandedHasTheLastWord) {
  TMarkupViewer viewer(nullptr);
  viewer.CurrentFile = u"/docs/index.html";
  viewer.Events.OnFilenameExpanded = [](TComponent*, String& name) { name += u".gz"; };
  String full;
  viewer.ResolveFileName(u"a.html", full);
  EXPECT_EQ(full, u"/docs/a.html.gz");
}

}  // namespace
