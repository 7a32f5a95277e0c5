// The header sort of the working grids, the list popups and the report menu's "Export",
// used as a user would.
#include "tests/app/AppFixture.h"

namespace {

// Releases the mouse over the middle of a cell of row 0 (or lower by dy).
void ReleaseOverTitle(TStringGrid* grid, int col, int dy = 0) {
  TRect r = grid->CellRect(col, 0);
  grid->MouseUp(TMouseButton::mbLeft, 0, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2 + dy);
}

TEST_F(AppFixture, HeaderSortSortsTheClickedGridOnly) {
  Start();
  FillGrid(*Form1->StringGrid1, {"Nr.|URL|Likes", "1|b|10", "2|a|9", "Summe: ||19"});
  FillGrid(*Form1->StringGrid7, {"Nummer|Original-KW|KW-1", "0|zebra|z1", "1|apfel|a1", "2|Mango|m1"});
  const std::vector<std::string> urlGrid = GridRows(*Form1->StringGrid1);

  ReleaseOverTitle(Form1->StringGrid7, 1);
  EXPECT_EQ(GridRows(*Form1->StringGrid7), (std::vector<std::string>{"Nummer|Original-KW|KW-1", "1|apfel|a1",
                                                                     "2|Mango|m1", "0|zebra|z1"}));
  EXPECT_EQ(GridRows(*Form1->StringGrid1), urlGrid);

  // Numbers sort as numbers; the sum row stays last.
  ReleaseOverTitle(Form1->StringGrid1, 2);
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nr.|URL|Likes", "2|a|9", "1|b|10", "Summe: ||19"}));
}

TEST_F(AppFixture, ReportMenuExportShowsTheExportWindow) {
  Start();
  auto* exportWindow = new TForm(&app);  // the program makes the export window after the others
  MainForm = exportWindow;
  ASSERT_EQ(Form1->Export2->Parent(), Form1->Report1);
  EXPECT_EQ(Form1->Export2->Caption(), u"Export");
  EXPECT_FALSE(exportWindow->Visible());
  Form1->Export2->Click();
  EXPECT_TRUE(exportWindow->Visible());
  MainForm = nullptr;
}

TEST_F(AppFixture, HeaderSortNeedsTheTitleRowAndAColumn) {
  Start();
  FillGrid(*Form1->StringGrid4, {"Nr.|Hashtag / KW|Summe", "1|b|2", "2|a|1"});
  const std::vector<std::string> before = GridRows(*Form1->StringGrid4);
  ReleaseOverTitle(Form1->StringGrid4, 1, Form1->StringGrid4->RowHeights(0));  // in row 1
  TRect last = Form1->StringGrid4->CellRect(2, 0);
  Form1->StringGrid4->MouseUp(TMouseButton::mbLeft, 0, last.Right + 30, 5);  // right of the last column
  Form1->StringGrid4->MouseUp(TMouseButton::mbLeft, 0, last.Right, 5);       // on a grid line
  EXPECT_EQ(GridRows(*Form1->StringGrid4), before);

  // A grid without fixed rows keeps its title row in place too.
  Form1->StringGrid4->SetRowCount(1);
  FillGrid(*Form1->StringGrid4, {"Nr.|Hashtag / KW|Summe", "1|b|2", "2|a|1"});
  ASSERT_EQ(Form1->StringGrid4->FixedRows(), 0);
  ReleaseOverTitle(Form1->StringGrid4, 1);
  EXPECT_EQ(GridRows(*Form1->StringGrid4), (std::vector<std::string>{"Nr.|Hashtag / KW|Summe", "2|a|1", "1|b|2"}));
}

TEST_F(AppFixture, KeywordPopupPassesKeywordsOn) {
  Start();
  TStringGrid* keywords = Form1->StringGrid5;
  FillGrid(*keywords, {"Nr.|Keyword|Summe|KW-Dichte|WDF", "1|schuh|3|0,5|0,2", "2|stiefel|12|0,25|0,1"});
  keywords->UserSelectCell(1, 2);

  headless.AnswerPopup({3, 0, 0});  // Analyse > Hashtaganalyse > Wort
  Form1->PopupMenu4->Popup(keywords, 0, 0);
  EXPECT_EQ(Form1->Tag->Text(), u"stiefel");
  EXPECT_FALSE(Form1->CategoryPanel5->Collapsed());
  EXPECT_TRUE(Form1->CategoryPanel3->Collapsed());

  headless.AnswerPopup({3, 1, 1});  // Analyse > G-Suggest > Liste
  Form1->PopupMenu4->Popup(keywords, 0, 0);
  EXPECT_EQ(StringToUtf8(Form1->Memo8->Text()), "Keyword\r\nschuh\r\nstiefel\r\n");
  EXPECT_FALSE(Form1->CategoryPanel3->Collapsed());
  EXPECT_TRUE(Form1->CategoryPanel5->Collapsed());

  headless.AnswerPopup({0});  // Sortiere: KW-Summe (numbers, not texts)
  Form1->PopupMenu4->Popup(keywords, 0, 0);
  EXPECT_EQ(StringToUtf8(keywords->Cells(1, 1)), "schuh");
  headless.AnswerPopup({1});  // Sortiere: KW-Dichte
  Form1->PopupMenu4->Popup(keywords, 0, 0);
  EXPECT_EQ(StringToUtf8(keywords->Cells(1, 1)), "stiefel");
}

TEST_F(AppFixture, ListPopupsMoveAndClearTheLists) {
  Start();
  Form1->Memo5->UserSetText(u"tag1\r\ntag2");
  headless.AnswerPopup({1});  // zu Google-Suchvorschlag
  Form1->PopupMenu3->Popup(Form1->Memo5, 0, 0);
  EXPECT_EQ(Form1->Memo8->Text(), u"tag1\r\ntag2");
  EXPECT_FALSE(Form1->CategoryPanel3->Collapsed());

  Form1->Memo8->UserSetText(u"kw");
  Form1->CategoryPanel5->Collapse();
  headless.AnswerPopup({1});  // zur Hashtag-Analyse: no panel changes
  Form1->PopupMenu5->Popup(Form1->Memo8, 0, 0);
  EXPECT_EQ(Form1->Memo5->Text(), u"kw");
  EXPECT_TRUE(Form1->CategoryPanel5->Collapsed());

  Form1->Memo6->UserSetText(u"stays");
  headless.AnswerPopup({0});  // Liste löschen, opened on Memo6, empties Memo5
  Form1->PopupMenu3->Popup(Form1->Memo6, 0, 0);
  EXPECT_EQ(Form1->Memo5->Text(), u"");
  EXPECT_EQ(Form1->Memo6->Text(), u"stays");
  headless.AnswerPopup({0});
  Form1->PopupMenu5->Popup(Form1->Memo8, 0, 0);
  EXPECT_EQ(Form1->Memo8->Text(), u"");
}

}  // namespace
