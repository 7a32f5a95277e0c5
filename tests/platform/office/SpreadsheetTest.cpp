// The spreadsheet stand-in: ranges set from blocks of texts, the .xlsx files it writes
// (read back through Python's zipfile and XML parser), their names in the export folder,
// and the opening with the desktop.
#include <gtest/gtest.h>

#include <ostream>

#include <sys/stat.h>

#include "platform/office/Spreadsheet.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/TempProgramFolder.h"
#include "tests/support/XlsxCells.h"

namespace {

TEST(Worksheet, RangeTakesTheBlockAndEmptyTextsClearCells) {
  TWorksheet sheet(u"Tabelle1");
  sheet.SetRangeValue(1, 1, 2, 3, {{u"Nr.", u"URL", u"Likes"}, {u"1", u"", u"12"}});
  sheet.SetRangeValue(2, 3, 2, 3, {{u""}});
  EXPECT_EQ(sheet.Cell(1, 2), u"URL");
  EXPECT_EQ(sheet.Cell(2, 1), u"1");
  EXPECT_EQ(sheet.Cell(2, 3), u"");
  EXPECT_EQ(sheet.Cells().size(), 4u);
}

struct BadRange {
  const char* name;
  int row1, col1, row2, col2;
  TCellBlock values;
  friend void PrintTo(const BadRange& c, std::ostream* os) { *os << c.name; }
};

class WorksheetErrors : public ::testing::TestWithParam<BadRange> {};

TEST_P(WorksheetErrors, AreRaisedAndChangeNothing) {
  TWorksheet sheet(u"Tabelle1");
  const BadRange& b = GetParam();
  EXPECT_THROW(sheet.SetRangeValue(b.row1, b.col1, b.row2, b.col2, b.values), ESpreadsheetError);
  EXPECT_TRUE(sheet.Cells().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorksheetErrors,
    ::testing::Values(BadRange{"RowZero", 0, 1, 1, 1, {{u"a"}}},
                      BadRange{"TooNarrow", 1, 1, 1, 2, {{u"a"}}},
                      BadRange{"Ragged", 1, 1, 2, 2, {{u"a", u"b"}, {u"c"}}},
                      BadRange{"TooHigh", 1, 1, 1, 1, {{u"a"}, {u"b"}}},
                      BadRange{"Reversed", 2, 1, 1, 1, {}},
                      BadRange{"BelowTheSheet", MaxSheetRows, 1, MaxSheetRows + 1, 1, {{u"a"}, {u"b"}}},
                      BadRange{"RightOfTheSheet", 1, MaxSheetColumns + 1, 1, MaxSheetColumns + 1, {{u"a"}}},
                      BadRange{"TextTooLong", 1, 1, 1, 2, {{u"a", String(MaxCellTextUnits + 1, u'x')}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Workbook, WorksheetsAreCountedFromOne) {
  TWorkbook book;
  EXPECT_EQ(book.Worksheets(1).Name(), u"Tabelle1");
  EXPECT_THROW(book.Worksheets(0), ESpreadsheetError);
  EXPECT_THROW(book.Worksheets(2), ESpreadsheetError);
}

TEST(Workbook, FileHoldsEveryTextAsWritten) {
  TTempProgramFolder home;
  TWorkbook book;
  String quoteTitle = u"\"LinkedIn";
  String controls = u"Zeile 1\r\nZeile 2\tTab";
  String longText(MaxCellTextUnits, u'\u00e4');
  book.Worksheets(1).SetRangeValue(1, 1, 3, 3,
                                   {{u"Nr.", u"URL", quoteTitle},
                                    {u"1", u"http://example.com/?a=1&b=<2>", u"Größe €"},
                                    {u"0042", controls, longText}});
  book.Worksheets(1).SetRangeValue(5, 28, 5, 28, {{u"AB5"}});
  book.SaveAs(Utf8ToString(home.PathOf("book.xlsx")));
  auto cells = ReadXlsxCells(home.PathOf("book.xlsx"));
  std::map<std::string, String> expected{{"A1", u"Nr."},
                                         {"B1", u"URL"},
                                         {"C1", quoteTitle},
                                         {"A2", u"1"},
                                         {"B2", u"http://example.com/?a=1&b=<2>"},
                                         {"C2", u"Größe €"},
                                         {"A3", u"0042"},  // texts stay texts: no number made of it
                                         {"B3", controls},
                                         {"C3", longText},
                                         {"AB5", u"AB5"}};
  EXPECT_EQ(cells, expected);
}

TEST(Workbook, UnwritableFileRaises) {
  TTempProgramFolder home;
  TWorkbook book;
  EXPECT_THROW(book.SaveAs(Utf8ToString(home.PathOf("missing/book.xlsx"))), ESpreadsheetError);
}

struct ApplicationFixture : ::testing::Test {
  TTempProgramFolder home;
  TManualClock clock{EncodeDate(2026, 12, 10) + EncodeTime(14, 5, 9, 0)};
  ScopedClock useClock{clock};
  TSpreadsheetApplication excel;
  std::vector<String> opened, notOpened;
  bool opens = true;

  void SetUp() override {
    excel.Opener = [this](const String& f) {
      opened.push_back(f);
      return opens;
    };
    excel.OnNotOpened = [this](const String& f) { notOpened.push_back(f); };
  }
};

TEST_F(ApplicationFixture, VisibleWritesEachWorkbookUnderTheExportFolderAndOpensIt) {
  excel.WorkbooksAdd().Worksheets(1).SetRangeValue(1, 1, 1, 2, {{u"Nummer", u"Original-KW"}});
  EXPECT_TRUE(opened.empty());
  excel.SetVisible(true);
  String first = Utf8ToString(home.PathOf("export/20261210_140509.xlsx"));
  EXPECT_EQ(opened, std::vector<String>{first});
  EXPECT_TRUE(notOpened.empty());
  EXPECT_EQ(ReadXlsxCells(StringToUtf8(first)).at("B1"), u"Original-KW");

  // Nothing is written twice; a second workbook in the same second gets its own name.
  excel.WorkbooksAdd();
  excel.SetVisible(true);
  ASSERT_EQ(excel.Files().size(), 2u);
  EXPECT_EQ(excel.Files()[1], Utf8ToString(home.PathOf("export/20261210_140509_2.xlsx")));
  EXPECT_TRUE(ReadXlsxCells(StringToUtf8(excel.Files()[1])).empty());
}

TEST_F(ApplicationFixture, FileThatDoesNotOpenIsReportedWithItsPath) {
  opens = false;
  excel.WorkbooksAdd();
  excel.SetVisible(true);
  ASSERT_EQ(notOpened.size(), 1u);
  EXPECT_EQ(notOpened[0], excel.Files()[0]);
}

TEST_F(ApplicationFixture, ExportFolderThatCannotBeMadeRaises) {
  home.WriteFile("export", "a file where the folder should be");
  excel.WorkbooksAdd();
  EXPECT_THROW(excel.SetVisible(true), ESpreadsheetError);
  EXPECT_TRUE(opened.empty());
}

// OpenWithDesktop runs whatever xdg-open the PATH names: here small scripts.
struct DesktopFixture : ::testing::Test {
  TTempDirectory bin;
  std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
  void TearDown() override { setenv("PATH", oldPath.c_str(), 1); }
  void FakeXdgOpen(int exitCode) {
    bin.WriteFile("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened\"\nexit " +
                                  std::to_string(exitCode) + "\n");
    chmod(bin.PathOf("xdg-open").c_str(), 0755);
    setenv("PATH", (bin.Path() + ":/usr/bin:/bin").c_str(), 1);
  }
};

TEST_F(DesktopFixture, SucceedsOnlyWhenXdgOpenExitsWithZero) {
  FakeXdgOpen(0);
  EXPECT_TRUE(OpenWithDesktop(u"/tmp/mit Leerzeichen/ä.xlsx"));
  EXPECT_EQ(bin.ReadFile("opened"), "/tmp/mit Leerzeichen/ä.xlsx");
  FakeXdgOpen(4);  // the exit code of xdg-open when no application could open the file
  EXPECT_FALSE(OpenWithDesktop(u"/tmp/a.xlsx"));
}

TEST_F(DesktopFixture, FailsWithoutXdgOpen) {
  setenv("PATH", bin.Path().c_str(), 1);
  EXPECT_FALSE(OpenWithDesktop(u"/tmp/a.xlsx"));
}

}  // namespace
