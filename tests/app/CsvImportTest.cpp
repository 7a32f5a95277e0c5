// The CSV import of a ranking export, with the file chosen in the (scripted) open dialog.
#include "tests/app/AppFixture.h"

namespace {

struct TCsvCase {
  const char* name;
  std::string file;
  std::vector<std::string> urls;
};

// Cases show as their names in test listings.
void PrintTo(const TCsvCase& c, std::ostream* os) { *os << c.name; }

class CsvImportTest : public AppFixture, public ::testing::WithParamInterface<TCsvCase> {};

TEST_P(CsvImportTest, ListsTheSecondFieldOnce) {
  home.WriteFile("in/rankings.csv", GetParam().file);
  Start();
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|a", "2|b", "3|c", "4|d", "5|e", "6|f"});
  headless.AnswerFileDialog(Utf8ToString(home.PathOf("in/rankings.csv")));
  Form1->EasyAnalyzerKelvoRankings1->Click();

  std::vector<std::string> expected{"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total|"};
  for (size_t k = 0; k < GetParam().urls.size(); ++k)
    expected.push_back(std::to_string(k + 1) + "|" + GetParam().urls[k] + "||||||");
  EXPECT_EQ(GridRows(*Form1->StringGrid1), expected);
  EXPECT_TRUE(Messages().empty());
  ASSERT_FALSE(headless.Shown().empty());
  EXPECT_EQ(StringToUtf8(Form1->OpenDialog1->Filter), "CSV-Tabellen|*.csv");
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvImportTest,
    ::testing::Values(
        TCsvCase{"Plain", "Keyword,URL,Rank\r\nschuhe,http://a.example/,1\r\nstiefel,http://b.example/,2\r\n",
                 {"http://a.example/", "http://b.example/"}},
        TCsvCase{"Quotes",
                 "Keyword,URL,Rank\r\n\"schuhe, rot\",\"http://a.example/?q=1,2\",1\r\n"
                 "\"der \"\"beste\"\" Schuh\",\"http://b.example/\"\"x\"\"\",2\r\n",
                 {"http://a.example/?q=1,2", "http://b.example/\"x\""}},
        TCsvCase{"Duplicates",
                 "Keyword,URL\r\na,http://a.example/\r\nb,http://b.example/\r\nc,http://a.example/\r\n"
                 "d,HTTP://a.example/\r\n",
                 {"http://a.example/", "http://b.example/", "HTTP://a.example/"}},
        TCsvCase{"HeaderOnly", "Keyword,URL,Rank\r\n", {}},
        // Blank and short lines hold no URL and are passed over.
        TCsvCase{"ShortAndBlankLines", "Keyword,URL\r\n\r\nonly-one-field\r\na,http://a.example/\r\n",
                 {"http://a.example/"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppFixture, CancelledCsvImportChangesNothing) {
  Start();
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|kept"});
  headless.AnswerFileDialog(std::nullopt);
  Form1->EasyAnalyzerKelvoRankings1->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nummer|URL", "1|kept"}));
}

}  // namespace
