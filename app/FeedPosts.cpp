// The scan of the normalised feed behind the page scraper's crawl.
#include "app/AppForms.h"
#include "app/FeedText.h"
#include "app/MainForm.h"
#include "app/ScraperForm.h"
#include "app/SharedRoutines.h"
#include "platform/rtl/StrUtils.h"

namespace {

bool Holds(const String& line, const char16_t* marker) { return Pos(marker, line) > 0; }

}  // namespace

void TForm4::ParseFeedPosts() {
  TStringGrid& grid = *StringGrid1;
  {
    TGridCellUpdates updates(grid);
    for (int row = 0; row < grid.RowCount(); ++row) grid.ClearRow(row);
  }
  grid.SetRowCount(1);
  grid.SetCell(0, 0, u"Nummer");
  grid.SetCell(1, 0, u"Nachricht");

  const TMemoLines& lines = Memo1->Lines();
  const int count = lines.Count();
  auto line = [&](int index) { return index < count ? lines.Get(index) : String(); };
  TMemoLines& log = Memo2->Lines();
  int b = 0;
  for (int i = 0; i < count; ++i) {
    const String current = lines.Get(i);
    if (!Holds(current, kMessageMarker)) continue;
    if (!Holds(current, kCommentMarker)) {
      log.Add(current);
      Memo3->SetText(StringReplace(StringReplace(current, u"\"\"", u"\r\n", rfReplaceAll), kMessageOpener, u"",
                                   rfReplaceAll));
      grid.SetCell(1, grid.RowCount(), Memo3->Lines().Count() > 0 ? Memo3->Lines().Get(0) : String());
      if (Holds(line(i + 2), kLikesMarker)) {
        log.Add(u"geliked!");
        b = i + 3;
        bool liked = false;
        // The like entries run up to the paging line of the likes (or the end of the text).
        while (b < count && !Holds(lines.Get(b), kPagingMarker)) {
          log.Add(u"==>" + lines.Get(b));
          Memo3->SetText(StringReplace(StringReplace(lines.Get(b), kNameSeparator, u"\r\n", rfReplaceAll),
                                       kClosingQuote, u"", rfReplaceAll));
          Memo3->Lines().SaveToFile(Form1->AppPath(u"\\tmp_likes.txt"));
          grid.SetCell(2, grid.RowCount(), Memo3->Lines().Count() > 2 ? Memo3->Lines().Get(2) : String());
          grid.SetRowCount(grid.RowCount() + 1);
          liked = true;
          ++b;
        }
        // Likes without an entry still leave the message its row.
        if (!liked) grid.SetRowCount(grid.RowCount() + 1);
      } else {
        grid.SetRowCount(grid.RowCount() + 1);
      }
    }
    if (Holds(line(b + 3), kCommentsMarker)) {
      log.Add(u"kommentiert!");
      b += 5;
      while (b < count && !Holds(lines.Get(b), kPagingMarker)) {
        log.Add(lines.Get(b));
        ++b;
      }
    } else {
      b += 3;
    }
  }
}
