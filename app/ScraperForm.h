// TForm4: the page scraper window ("FB-Page-Scraper"). "Crawle" reads the posts of the page
// named in fb_site and lists their messages, one per line; "Übertrag" hands them to the
// main window's text analysis and closes the window.
#pragma once

#include <memory>

#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/CheckBoxes.h"
#include "platform/ui/controls/Edits.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/PageControl.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/grid/StringGrid.h"

class TIdHTTP;

class TForm4 : public TForm {
 public:
  explicit TForm4(TComponent* AOwner);
  ~TForm4() override;

  // Crawl: the feed goes to "\facebook_tmp.txt", its normalised text through
  // ParseFeedPosts, the message log to "\fb_tmp_messages.txt", and the messages into Memo1.
  // A failed request raises its error before anything is parsed.
  void Button1Click(TComponent* Sender);
  // text_ori of the main window := the text of Memo1; the window closes.
  void Button2Click(TComponent* Sender);
  // Scans the lines of Memo1: each post's message (a line with the message marker that is
  // no comment) goes into column 1 of a new row of StringGrid1, its like entries into
  // column 2 of that row and the rows below; the messages, likes and comments are logged
  // in Memo2.
  void ParseFeedPosts();

  TPageControl* PageControl1;
  TTabSheet* Ergebnis;
  TMemo* Memo1;
  TEdit* fb_site;
  TButton* Button1;
  TButton* Button2;
  // Controls without a function of their own.
  TButton* Button3;
  TButton* Button4;
  TRadioButton* all_messages_without_likes;
  TRadioButton* all_messages_likes;
  // Hidden: the normalised feed and the message log, a scratch memo, and the post grid.
  TMemo* Memo2;
  TMemo* Memo3;
  TTabSheet* TabSheet2;
  TStringGrid* StringGrid1;

  std::unique_ptr<TIdHTTP> IdHTTP1;

 private:
  void BuildControls();
};
