// The keyword analysis of the text on the tab "Texte" and the hashtag marks of its rows.
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/GridClearing.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "app/WordFilters.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/IntConvert.h"

namespace {

const char16_t* const kKeywordTitles[] = {u"Nr.", u"Keyword", u"Summe", u"KW-Dichte", u"WDF"};

// The text with one word per line: full stops, exclamation and question marks and blanks
// end words (a blank right after one of those marks ends no further word), commas go; the
// text's own line breaks stay.
String SplitIntoWordLines(const String& text) {
  String words;
  words.reserve(text.size() + text.size() / 4);
  for (size_t i = 0; i < text.size(); ++i) {
    const Char c = text[i];
    switch (c) {
      case u'.': case u'!': case u'?':
        words += u"\r\n";
        if (i + 1 < text.size() && text[i + 1] == u' ') ++i;
        break;
      case u' ': words += u"\r\n"; break;
      case u',': break;
      default: words += c;
    }
  }
  return words;
}

}  // namespace

void TForm1::Button19Click(TComponent*) {
  ClearGridRows(*StringGrid5);
  StringGrid5->SetRowCount(1);
  StringGrid5->SetColCount(5);
  for (int c = 0; c < 5; ++c) StringGrid5->SetCell(c, 0, kKeywordTitles[c]);

  Memo4->SetText(SplitIntoWordLines(text_ori->Text()));
  Memo4->Lines().SaveToFile(AppPath(u"\\tmp_tags_single_plain.txt"));
  Memo1->Lines().SetTextOf(Memo4->Lines());

  // One pass over the word lines counts each word and takes its first occurrence in order:
  // the distinct words, which Memo5 shows (Memo4's lines de-duplicated).
  const TMemoLines& lines = Memo4->Lines();
  const int N = lines.Count();
  std::unordered_map<std::u16string_view, int> counts;
  counts.reserve(N);
  std::vector<String> distinct;
  for (int i = 0; i < N; ++i) {
    const String& line = lines.Line(i);
    if (++counts[line] == 1) distinct.push_back(line);
  }
  Memo5->Lines().SetLines(std::move(distinct));

  const TMemoLines& words = Memo5->Lines();
  if (words.Count() > 0) {
    const int least = StrToInt(minimum->Text());
    const int leastFrequency = StrToInt(kwhaeuf->Text());
    const int leastLength = StrToInt(Zeichenanzahl->Text());
    const TBlacklist blacklist(Memo9->Lines());
    // ln(N) is 0 for a text of one word line; that text is rated as one of two lines, so
    // its word gets the WDF ln 2 / ln 2 = 1.
    const double lnN = std::log(static_cast<double>(N < 2 ? 2 : N));
    TGridCellUpdates updates(*StringGrid5);
    for (int i = 0; i < words.Count(); ++i) {
      const String& w = words.Line(i);
      const int n = counts.at(w);
      if (n < least) continue;
      ShowStatus(u" " + minimum->Text() + u" / " + IntToStr(n));
      if (blacklist.Contains(w) || n < leastFrequency || static_cast<int>(w.size()) < leastLength) continue;
      const int row = StringGrid5->RowCount();
      StringGrid5->SetCell(0, row, IntToStr(row));
      StringGrid5->SetCell(1, row, w);
      StringGrid5->SetCell(2, row, IntToStr(n));
      StringGrid5->SetCell(3, row, FloatToStr(RoundDecimals(2, static_cast<double>(n) / N * 100)));
      StringGrid5->SetCell(4, row, FloatToStr(RoundDecimals(1, std::log(n + 1.0) / lnN)));
      StringGrid5->SetRowCount(row + 1);
    }
  }
  ShowStatus(u" Textanalysemodus fertig gestellt");
  ComboBox1->Items().Assign(StringGrid4->Cols(1));
  AutoSizeColumns(*StringGrid5, 40);
  Memo5->Lines().Clear();
}

void TForm1::Button27Click(TComponent*) {
  StringGrid5->SetColCount(6);
  StringGrid5->SetCell(5, 0, u"G-Hashtags");
  const String hashtags = StringGrid4->Cols(1).Text();
  TGridCellUpdates updates(*StringGrid5);
  for (int r = 1; r < StringGrid5->RowCount(); ++r)
    StringGrid5->SetCell(5, r, hashtags.find(StringGrid5->CellRef(1, r)) != String::npos ? u"X" : u"N/A");
}
