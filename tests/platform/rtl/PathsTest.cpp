#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/rtl/TempFolder.h"

namespace {

// Sets or clears WENDREL_HOME for one test and puts the old value back afterwards.
class HomeVariable {
 public:
  explicit HomeVariable(const char* value) {
    if (const char* old = std::getenv("WENDREL_HOME")) old_ = old;
    if (value)
      setenv("WENDREL_HOME", value, 1);
    else
      unsetenv("WENDREL_HOME");
  }
  ~HomeVariable() {
    if (old_)
      setenv("WENDREL_HOME", old_->c_str(), 1);
    else
      unsetenv("WENDREL_HOME");
  }

 private:
  std::optional<std::string> old_;
};

}  // namespace

TEST(Paths, SystemLiteralsBecomePosixPaths) {
  struct Case {
    String path, expected;
  };
  const Case cases[] = {
      {u"\\projekte\\projekte.txt", u"/projekte/projekte.txt"},
      {u"/opt/wendrel/\\projekte", u"/opt/wendrel/projekte"},  // folder meets literal
      {u"/opt/wendrel//config\\\\limits.txt", u"/opt/wendrel/config/limits.txt"},
      {u"relative\\urls.txt", u"relative/urls.txt"},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(SystemPath(c.path), c.expected) << StringToUtf8(c.path);
}

TEST(Paths, ProgramFolderIsExecutableFolderUnlessHomeIsSet) {
  {
    HomeVariable home(nullptr);
    const auto expected = std::filesystem::canonical(WENDREL_BUILD_DIR "/platform/rtl").string() + "/";
    EXPECT_EQ(ProgramFolder(), Utf8ToString(expected));
  }
  {
    HomeVariable home("/srv/wendrel");
    EXPECT_EQ(ProgramFolder(), u"/srv/wendrel/");
    EXPECT_EQ(ProgramPath(u"\\projekte\\projekte.txt"), u"/srv/wendrel/projekte/projekte.txt");
    EXPECT_EQ(SystemPath(ProgramFolder() + u"\\projekte"), u"/srv/wendrel/projekte");
  }
  {
    HomeVariable home("/srv/wendrel/");
    EXPECT_EQ(ProgramFolder(), u"/srv/wendrel/");
  }
  {
    HomeVariable home("");
    EXPECT_NE(ProgramFolder(), u"/");
  }
}

TEST(Paths, NameParts) {
  struct Case {
    String name, path, file, ext, changed;  // changed: ChangeFileExt(name, ".ini")
  };
  const Case cases[] = {
      {u"/opt/w/wendrel", u"/opt/w/", u"wendrel", u"", u"/opt/w/wendrel.ini"},
      {u"/opt/w/report.tar.gz", u"/opt/w/", u"report.tar.gz", u".gz", u"/opt/w/report.tar.ini"},
      {u"/opt/w.d/readme", u"/opt/w.d/", u"readme", u"", u"/opt/w.d/readme.ini"},
      {u"/home/u/.config", u"/home/u/", u".config", u".config", u"/home/u/.ini"},
      {u"name.", u"", u"name.", u".", u"name.ini"},
      {u"/opt/w/", u"/opt/w/", u"", u"", u"/opt/w/.ini"},
      {u"", u"", u"", u"", u".ini"},
  };
  for (const auto& c : cases) {
    const std::string n = StringToUtf8(c.name);
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << n;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << n;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << n;
    EXPECT_EQ(ChangeFileExt(c.name, u".ini"), c.changed) << n;
  }
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a/"), u"/a/");
}

TEST(Paths, ExpandFileName) {
  const String cwd = Utf8ToString(std::filesystem::current_path().string());
  struct Case {
    String name, expected;
  };
  const Case cases[] = {
      {u"/a/b/../c/./d.txt", u"/a/c/d.txt"},
      {u"/a//b/", u"/a/b/"},
      {u"/../x", u"/x"},
      {u"/a/..", u"/"},
      {u"x.txt", cwd + u"/x.txt"},
      {u"./sub/../y", cwd + u"/y"},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandFileName(c.name), c.expected) << StringToUtf8(c.name);
}

TEST(Files, ExistsCreateDeleteRename) {
  TempFolder dir;
  dir.Write("file.txt", "x");
  EXPECT_TRUE(FileExists(dir.Name("file.txt")));
  EXPECT_FALSE(DirectoryExists(dir.Name("file.txt")));
  EXPECT_TRUE(DirectoryExists(dir.Name()));
  EXPECT_FALSE(FileExists(dir.Name()));
  EXPECT_FALSE(FileExists(dir.Name("none")));

  // A doubled separator where a folder meets a name works like a single one.
  EXPECT_TRUE(FileExists(dir.Name() + u"/file.txt"));

  EXPECT_TRUE(CreateDir(dir.Name("one")));
  EXPECT_FALSE(CreateDir(dir.Name("one")));
  EXPECT_FALSE(CreateDir(dir.Name("two/three")));  // one level only

  EXPECT_TRUE(RenameFile(dir.Name("file.txt"), dir.Name("one/moved.txt")));
  EXPECT_FALSE(FileExists(dir.Name("file.txt")));
  EXPECT_EQ(dir.Read("one/moved.txt"), "x");
  EXPECT_FALSE(RenameFile(dir.Name("none"), dir.Name("other")));

  EXPECT_FALSE(DeleteFile(dir.Name("one")));  // folders are not files
  EXPECT_TRUE(DeleteFile(dir.Name("one/moved.txt")));
  EXPECT_FALSE(DeleteFile(dir.Name("one/moved.txt")));
}

TEST(Files, ForceDirectories) {
  TempFolder dir;
  EXPECT_TRUE(ForceDirectories(dir.Name("reporting/facebook/projekt/")));
  EXPECT_TRUE(DirectoryExists(dir.Name("reporting/facebook/projekt")));
  EXPECT_TRUE(ForceDirectories(dir.Name("reporting")));  // exists already
  dir.Write("plain", "x");
  EXPECT_FALSE(ForceDirectories(dir.Name("plain/sub")));
  EXPECT_TRUE(ForceDirectories(Utf8ToString(std::filesystem::relative(dir.Path("rel/a")).string())));
  EXPECT_TRUE(DirectoryExists(dir.Name("rel/a")));
  try {
    ForceDirectories(u"");
    ADD_FAILURE() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), u"Verzeichnis kann nicht erstellt werden");
  }
}

// The folder that could not be made is named with the system's reason for the step that
// failed (here a file stands where a folder should), not for a later one.
TEST(Files, RequireDirectoriesGivesTheReason) {
  TempFolder dir;
  dir.Write("plain", "x");
  RequireDirectories(dir.Name("made/sub"));
  EXPECT_TRUE(DirectoryExists(dir.Name("made/sub")));
  try {
    RequireDirectories(dir.Name("plain/sub"));
    ADD_FAILURE() << "no exception";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), u"Verzeichnis " + dir.Name("plain/sub") + S(" kann nicht erstellt werden. Die Datei ist bereits vorhanden."));
  }
}
