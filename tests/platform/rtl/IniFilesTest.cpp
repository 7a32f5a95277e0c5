#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Unicode.h"
#include "platform/rtl/WholeFileWrite.h"
#include "tests/platform/rtl/TempFolder.h"

namespace {

std::vector<String> Lines(const TStrings& list) {
  std::vector<String> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

}  // namespace

TEST(IniFloat, ReadsPointOrCommaAndRejectsTheRest) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"1.5", true, 1.5},   {"1,5", true, 1.5},     {" 2,54 ", true, 2.54}, {"-0.25", true, -0.25},
      {"+3", true, 3},      {"1e2", true, 100},     {".5", true, 0.5},      {"", false, 0},
      {"1.5cm", false, 0},  {"1.234,5", false, 0},  {"abc", false, 0},      {"inf", false, 0},
      {"nan", false, 0},    {"++1", false, 0},      {"--1", false, 0},      {"1 5", false, 0},
  };
  for (const auto& c : cases) {
    double value = -99;
    EXPECT_EQ(TryParseIniFloat(S(c.text), value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(IniFloat, WritesShortestTextWithPointThatReadsBackExactly) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{1, "1"}, {1.5, "1.5"}, {2.54, "2.54"}, {-0.1, "-0.1"}, {0.1 + 0.2, "0.30000000000000004"}};
  for (const auto& c : cases) {
    EXPECT_EQ(FormatIniFloat(c.value), S(c.text));
    double back = 0;
    ASSERT_TRUE(TryParseIniFloat(FormatIniFloat(c.value), back));
    EXPECT_EQ(back, c.value);
  }
}

TEST(IniFloat, FileWrittenUnderOneDecimalSeparatorReadsTheSameUnderTheOther) {
  TempFolder dir;
  TFormatSettings english;  // the other convention
  english.DecimalSeparator = u'.';
  english.ThousandSeparator = u',';
  TFormatSettings german;
  {
    ScopedFormatSettings settings(german);
    TMemIniFile ini(dir.Name("l.ini"));
    ini.WriteFloat(u"Margins", u"Left", 1.25);
    ini.UpdateFile();
  }
  dir.Write("comma.ini", "[Margins]\r\nLeft=1,25\r\n");
  for (const TFormatSettings* format : {&german, &english}) {
    ScopedFormatSettings settings(*format);
    for (const char* file : {"l.ini", "comma.ini"})
      EXPECT_EQ(TMemIniFile(dir.Name(file)).ReadFloat(u"Margins", u"Left", 0), 1.25)
          << file << " with decimal " << char(format->DecimalSeparator);
  }
  EXPECT_EQ(dir.Read("l.ini"), "[Margins]\r\nLeft=1.25\r\n\r\n");
}

TEST(MemIniFile, ReadsSectionsKeysAndTypedValues) {
  TempFolder dir;
  dir.Write("w.ini",
            "; comment\r\nbefore=ignored\r\n[Settings]\r\n  HTML = /tmp/a b.html  \r\nPDF=\r\n"
            "OpenAfterSave=0\r\nOrientation=0x1\r\nbroken line\r\n\r\n[Margins]\r\nLeft=1,5\r\n"
            "Top=2.25\r\nRight=zwei\r\nPrintPage=7\r\n[settings]\r\nPaperSize=3\r\n");
  TMemIniFile ini(dir.Name("w.ini"));
  EXPECT_EQ(ini.ReadString(u"settings", u"html", u"x"), u"/tmp/a b.html");
  EXPECT_EQ(ini.ReadString(u"Settings", u"PDF", u"x"), u"");  // present but empty
  EXPECT_EQ(ini.ReadString(u"Settings", u"before", u"x"), u"x");
  EXPECT_EQ(ini.ReadString(u"None", u"HTML", u"x"), u"x");
  EXPECT_FALSE(ini.ReadBool(u"Settings", u"OpenAfterSave", true));
  EXPECT_TRUE(ini.ReadBool(u"Margins", u"PrintPage", false));
  EXPECT_TRUE(ini.ReadBool(u"Margins", u"Left", true));  // not an integer: default
  EXPECT_EQ(ini.ReadInteger(u"Settings", u"Orientation", 0), 1);
  EXPECT_EQ(ini.ReadInteger(u"Settings", u"PaperSize", 0), 3);  // second [settings] joins the first
  EXPECT_EQ(ini.ReadInteger(u"Settings", u"HTML", -1), -1);
  EXPECT_EQ(ini.ReadFloat(u"Margins", u"Left", 1), 1.5);
  EXPECT_EQ(ini.ReadFloat(u"Margins", u"Top", 1), 2.25);
  EXPECT_EQ(ini.ReadFloat(u"Margins", u"Right", 1), 1);
  EXPECT_EQ(ini.ReadFloat(u"Margins", u"Bottom", 1), 1);

  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"Settings", u"Margins"}));
  ini.ReadSection(u"SETTINGS", list);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"HTML", u"PDF", u"OpenAfterSave", u"Orientation", u"PaperSize"}));
  EXPECT_TRUE(ini.SectionExists(u"margins"));
  EXPECT_FALSE(ini.SectionExists(u"Margin"));
  EXPECT_TRUE(ini.ValueExists(u"Margins", u"right"));
  EXPECT_FALSE(ini.ValueExists(u"Margins", u"Bottom"));
}

TEST(MemIniFile, WritesOnlyOnUpdateFileAndReadsBack) {
  TempFolder dir;
  const String name = dir.Name("neu.ini");
  {
    TMemIniFile ini(name);
    ini.WriteString(u"Settings", u"HTML", S("/home/u/Grüße.html"));
    ini.WriteBool(u"Settings", u"OpenAfterSave", true);
    ini.WriteFloat(u"Margins", u"Left", 2.5);
    ini.WriteInteger(u"Settings", u"PaperSize", -4);
  }
  EXPECT_FALSE(FileExists(name));
  TMemIniFile ini(name);
  ini.WriteString(u"Settings", u"HTML", S("/home/u/Grüße.html"));
  ini.WriteBool(u"Settings", u"OpenAfterSave", true);
  ini.WriteFloat(u"Margins", u"Left", 2.5);
  ini.WriteInteger(u"Settings", u"PaperSize", -4);
  ini.UpdateFile();
  EXPECT_EQ(dir.Read("neu.ini"),
            "[Settings]\r\nHTML=/home/u/Gr\xFC\xDF" "e.html\r\nOpenAfterSave=1\r\nPaperSize=-4\r\n\r\n"
            "[Margins]\r\nLeft=2.5\r\n\r\n");
  TMemIniFile back(name);
  EXPECT_EQ(back.ReadString(u"Settings", u"HTML", {}), S("/home/u/Grüße.html"));
  EXPECT_EQ(back.ReadFloat(u"Margins", u"Left", 0), 2.5);
  EXPECT_EQ(back.ReadInteger(u"Settings", u"PaperSize", 0), -4);
}

TEST(MemIniFile, EraseSectionAndDeleteKey) {
  TempFolder dir;
  TMemIniFile ini(dir.Name("e.ini"));
  ini.WriteString(u"A", u"x", u"1");
  ini.WriteString(u"A", u"y", u"2");
  ini.WriteString(u"B", u"z", u"3");
  ini.DeleteKey(u"a", u"X");
  ini.DeleteKey(u"none", u"x");
  ini.EraseSection(u"b");
  TStringList lines;
  ini.GetStrings(lines);
  EXPECT_EQ(Lines(lines), (std::vector<String>{u"[A]", u"y=2", u""}));
}

TEST(MemIniFile, ValueWithCharactersBeyondAnsiSurvivesAsUtf8) {
  TempFolder dir;
  {
    TMemIniFile ini(dir.Name("u.ini"));
    ini.WriteString(u"Settings", u"PDF", S("/tmp/Жук.pdf"));
    ini.UpdateFile();
  }
  EXPECT_EQ(dir.Read("u.ini").substr(0, 3), "\xEF\xBB\xBF");
  TMemIniFile back(dir.Name("u.ini"));
  EXPECT_EQ(back.ReadString(u"Settings", u"PDF", {}), S("/tmp/Жук.pdf"));
}

// A value is one line of the file: one that would add lines, sections or keys, or that the
// file would give back as another value, is refused and leaves the file as it was.
TEST(MemIniFile, RefusesValuesAndNamesThatWouldNotReadBackAsThemselves) {
  struct Case {
    const char16_t* section;
    const char16_t* key;
    String value;
  };
  const Case refused[] = {
      {u"Settings", u"HTML", u"inj\n[Margins]\nLeft=-3\n.html"},
      {u"Settings", u"HTML", u"a\rb"},
      {u"Settings", u"HTML", u" lead.html"},
      {u"Settings", u"HTML", u"trail.html\t"},
      {u"Settings", u"HTML", String(u"raw") + Char(0xDCFF) + u".html"},  // a byte that is not UTF-8
      {u"Settings", u"HTML", String(u"half") + Char(0xD800)},
      {u"Settings", u"a=b", u"1"},
      {u"Settings", u";note", u"1"},
      {u"Settings", u"", u"1"},
      {u"Sec\ntion", u"key", u"1"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(StringToUtf8(String(c.section) + u"|" + c.key + u"|" + c.value));
    TempFolder dir;
    TMemIniFile ini(dir.Name("s.ini"));
    ini.WriteString(u"Settings", u"HTML", u"old.html");
    EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EIniFileException);
    ini.UpdateFile();
    EXPECT_EQ(dir.Read("s.ini"), "[Settings]\r\nHTML=old.html\r\n\r\n");
  }
  // Inside a value, "=", "[" and ";" are text like any other.
  TempFolder dir;
  {
    TMemIniFile ini(dir.Name("s.ini"));
    ini.WriteString(u"Settings", u"HTML", u"[a]=b; c#d.html");
    ini.UpdateFile();
  }
  EXPECT_EQ(TMemIniFile(dir.Name("s.ini")).ReadString(u"Settings", u"HTML", {}), u"[a]=b; c#d.html");
}

// The file is replaced as a whole: a settings file kept behind a symbolic link stays one.
TEST(MemIniFile, UpdateFileWritesThroughALinkAndSaysWhyItCannotWrite) {
  TempFolder dir;
  std::filesystem::create_directory(dir.Path("real"));
  std::filesystem::create_symlink("real/s.ini", dir.Path("s.ini"));
  TMemIniFile ini(dir.Name("s.ini"));
  ini.WriteString(u"A", u"x", u"1");
  ini.UpdateFile();
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("s.ini")));
  EXPECT_EQ(dir.Read("real/s.ini"), "[A]\r\nx=1\r\n\r\n");

  TMemIniFile lost(dir.Name("no/such/s.ini"));
  lost.WriteString(u"A", u"x", u"1");
  try {
    lost.UpdateFile();
    ADD_FAILURE() << "no error";
  } catch (const EFileWriteError& e) {
    EXPECT_EQ(e.Step(), TFileWriteStep::CreateTemporary);
    EXPECT_EQ(e.ErrorCode(), ENOENT);
    EXPECT_EQ(e.Path(), dir.Name("no/such/"));
  }
}
