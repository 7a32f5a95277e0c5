// The hidden crawl of one fixed page: the feed's links, its like lines and the links of
// its posts through the link extractor.
#include <memory>

#include "app/FeedText.h"
#include "app/LinkExtractor.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "platform/net/HttpClient.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/app/Application.h"

namespace {

// The page whose feed the hidden crawl reads.
constexpr const char16_t* kFixedPage = u"tarnwick";

bool Holds(const String& line, const char16_t* marker) { return Pos(marker, line) > 0; }

// Lines that end a paging member without a next page become "]"; a run of "}" lines is
// shortened: two in a row become one, three in a row "}}}}". Only "}" lines are dropped.
void CondenseFeedLines(TStrings& lines) {
  for (int i = 0; i < lines.Count(); ++i) {
    const String line = lines.Get(i);
    if (Holds(line, kPagingMarker) && !Holds(line, kNextPageMarker)) lines.Put(i, u"]");
    if (i + 1 < lines.Count() && lines.Get(i) == u"}" && lines.Get(i + 1) == u"}") {
      if (i + 2 < lines.Count() && lines.Get(i + 2) == u"}") lines.Put(i, u"}}}}");
      lines.Delete(i + 1);
      if (i + 2 < lines.Count() && lines.Get(i + 2) == u"}") lines.Delete(i + 2);
    }
  }
}

String BreakBefore(const String& text, const String& pattern) {
  return StringReplace(text, pattern, u"\r\n" + pattern, rfReplaceAll);
}

}  // namespace

void TForm1::Button8Click(TComponent*) {
  const auto client = std::make_unique<TIdHTTP>();
  Memo2->SetText(client->Get(PageFeedUrl(kFixedPage)));
  Memo2->Lines().SaveToFile(AppPath(u"\\facebook_tmp.txt"));
  Memo2->SetText(NormalizeFeedText(Memo2->Text()));
  Memo2->Lines().SaveToFile(AppPath(u"\\facebook_tmp.txt"));

  CondenseFeedLines(Memo2->Lines());
  String text = Memo2->Text();
  for (const char16_t* pattern : {u"http://", u"\\n", u"https://", kPictureOpener}) text = BreakBefore(text, pattern);
  Memo2->SetText(text);
  Memo2->Lines().SaveToFile(AppPath(u"\\tmp_fb.txt"));

  // The plain links: lines with an address that is no picture, icon or link member.
  const TMemoLines& lines = Memo2->Lines();
  Memo1->Lines().Clear();
  for (int i = 0; i < lines.Count(); ++i) {
    const String line = lines.Get(i);
    if (Holds(line, u"http") && !Holds(line, u".jpg") && !Holds(line, kIconOpener) && !Holds(line, u".gif") &&
        !Holds(line, kLinkMember))
      Memo1->Lines().Add(line);
  }
  Memo1->Lines().SaveToFile(AppPath(u"\\tmp_fb_plain.txt"));
  {
    TGridCellUpdates updates(*StringGrid1);
    for (int row = 0; row < StringGrid1->RowCount(); ++row) StringGrid1->ClearRow(row);
    for (int a = 0; a < Memo1->Lines().Count(); ++a) {
      StringGrid1->SetCell(0, a, IntToStr(a));
      StringGrid1->SetCell(1, a, Memo1->Lines().Get(a));
    }
  }
  StringGrid1->SetColCount(2);
  StringGrid1->SetRowCount(std::max(1, Memo1->Lines().Count()));

  // The like lines: each line with the likes marker up to its first empty member, and when
  // the likes go on two lines further, the lines up to the next "]".
  Memo3->Lines().Clear();
  for (int i = 0; i < lines.Count(); ++i) {
    const String line = lines.Get(i);
    if (!Holds(line, kLikesMarker)) continue;
    const int cut = Pos(u"\"\"", line);
    Memo3->Lines().Add(cut > 0 ? Copy(line, 1, cut - 1) : line);
    if (i + 2 < lines.Count() && Holds(lines.Get(i + 2), kLikesMarker))
      for (int k = i + 1; k < lines.Count() && !Holds(lines.Get(k), u"]"); ++k) Memo3->Lines().Add(lines.Get(k));
  }
  Memo3->Lines().SaveToFile(AppPath(u"\\tmp_msg.txt"));
  Memo2->SetText(Memo3->Text());
  ExtractPageLinks();
}

void TForm1::ExtractPageLinks() {
  Memo1->Lines().Clear();
  const auto extractor = std::make_unique<TExtractLinksFromTextFile>();
  extractor->SourceFileName = AppPath(u"\\tmp_fb.txt");
  extractor->ExtractLinks();
  for (const auto& link : extractor->LinkList) {
    ShowMessage(link->LinkUrl);
    Memo1->Lines().Add(link->LinkCaption + u":" + link->LinkUrl);
  }
}
