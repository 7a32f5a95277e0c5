#include <gtest/gtest.h>

#include "tests/html/document/parser/ParserTestTools.h"

namespace {

TEST(QuirksDetection, DoctypeDecidesTheMode) {
  struct Case {
    const char* html;
    bool quirks;
  };
  const Case cases[] = {
      {"<html><body>x", true},
      {"", true},
      {"<!DOCTYPE html>", false},
      {"<!doctype HTML >", false},
      {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">", false},
      {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\">", false},
      {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">", true},
      {"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"x\">", false},
      {"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML Basic 1.1//EN\">", false},
      {"<!DOCTYPE html SYSTEM \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">", false},
      {"<!DOCTYPE html SYSTEM \"http://example.org/other.dtd\">", true},
      {"<!DOCTYPE html PUBLIC \"-//IETF//DTD HTML//EN\">", true},
      {"<?xml version=\"1.0\"?>\n<!-- c -->\n<!DOCTYPE html>", false},
      {"<html><!DOCTYPE html>", true},
      {"<!DOCTYPE svg>", true},
  };
  for (const Case& c : cases) {
    TParserOver over(c.html);
    EXPECT_EQ(over.Parser.DetectQuirksMode(), c.quirks) << c.html;
    EXPECT_EQ(over.Buffer->ReadOffset(), 0) << c.html;
  }
}

TEST(AttributeNumbers, TextToInteger) {
  struct Case {
    const char* text;
    bool ok;
    int value;  // the value starts at -7
  };
  const Case cases[] = {
      {"100", true, 100},       {"100px", true, 100},  {" 50% ", true, 50},   {"*", true, 1},
      {"3*", true, 3},          {"2.5", true, 2},      {"3.5", true, 4},      {"-2.5", true, -2},
      {"+4", true, 4},          {".6", true, 1},       {"1e3", true, 1000},   {"1e", true, 1},
      {"99999999999", true, 2147483647},             {"-99999999999", true, -2147483647},
      {"1e999", true, -7},      {"+", true, -7},       {"-.", true, -7},      {"", false, -7},
      {"abc", false, -7},       {"%", false, -7},      {"0x10", true, 0},
  };
  for (const Case& c : cases) {
    int value = -7;
    EXPECT_EQ(THtmlParser::ValueToInteger(Utf8ToString(c.text), value), c.ok) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(AttributeNumbers, TagAttributesCarryTheirValues) {
  TParserOver over("<img width=\"100px\" border=none height=30%><table border><hr border=2>");
  THtmlParser& p = over.Parser;
  p.GetChar();
  p.NextToken();
  ASSERT_EQ(p.Attributes.Count(), 3);
  EXPECT_EQ(p.Attributes.AttributeAt(0)->IntValue, 100);
  EXPECT_EQ(p.Attributes.AttributeAt(1)->IntValue, 0);
  EXPECT_EQ(p.Attributes.AttributeAt(2)->IntValue, 30);
  p.NextToken();
  EXPECT_EQ(p.Attributes.AttributeAt(0)->IntValue, 1);
  p.NextToken();
  EXPECT_EQ(p.Attributes.AttributeAt(0)->IntValue, 2);
}

struct ProgressViewer : TMarkupViewerBase {
  ProgressViewer() : TMarkupViewerBase(nullptr) {}
  void ResolveFileName(const String& name, String& fullName) override { fullName = name; }
  bool DrawsFocusRect() override { return false; }
  void HoverFormControl(TComponent*, TShiftState, int, int) override {}
  void ReportProgress(int percent) override { Reports.push_back(percent); }
  std::vector<int> Reports;
};

TEST(Progress, ReportsRiseToTheParseShareWithoutOverflow) {
  // 30 MB: offset x 75 passes 2^31 after 28.6 MB.
  TParserOver over(std::string(30'000'000, 'a'));
  ProgressViewer viewer;
  THtmlParser& p = over.Parser;
  p.Viewer = &viewer;
  p.RawMode = true;
  do p.GetChar();
  while (p.Ch != 0);
  ASSERT_FALSE(viewer.Reports.empty());
  for (size_t i = 1; i < viewer.Reports.size(); ++i) ASSERT_LE(viewer.Reports[i - 1], viewer.Reports[i]);
  EXPECT_EQ(viewer.Reports.back(), 75);
  EXPECT_EQ(viewer.Reports.size(), 30'000'000u / 4096 + 1);
}

}  // namespace
