#include "app/ScraperForm.h"

#include <algorithm>

#include "app/AppForms.h"
#include "app/FeedText.h"
#include "app/MainForm.h"
#include "platform/net/HttpClient.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/app/Application.h"

namespace {

template <class T>
T* Make(TForm4* form, TWinControl* parent, const char16_t* name, const String& caption = String()) {
  T* c = new T(form);
  c->SetName(name);
  c->SetParent(parent);
  if (!caption.empty()) c->SetText(caption);
  return c;
}

}  // namespace

TForm4::TForm4(TComponent* AOwner) : TForm(AOwner), IdHTTP1(std::make_unique<TIdHTTP>()) {
  SetName(u"Form4");
  SetCaption(u"FB-Page-Scraper");
  SetClientWidth(640);
  SetClientHeight(480);
  SetPosition(TPosition::poMainFormCenter);
  BuildControls();
  Button1->OnClick = [this](TComponent* Sender) { Form1->RunWorkflow([&] { Button1Click(Sender); }); };
  Button2->OnClick = [this](TComponent* Sender) { Button2Click(Sender); };
}

TForm4::~TForm4() = default;

void TForm4::BuildControls() {
  PageControl1 = Make<TPageControl>(this, this, u"PageControl1");
  PageControl1->SetAlign(TAlign::alClient);
  Ergebnis = new TTabSheet(this);
  Ergebnis->SetName(u"Ergebnis");
  Ergebnis->SetCaption(u"Ergebnis");
  Ergebnis->SetPageControl(PageControl1);
  TabSheet2 = new TTabSheet(this);
  TabSheet2->SetName(u"TabSheet2");
  TabSheet2->SetCaption(u"TabSheet2");
  TabSheet2->SetPageControl(PageControl1);
  TabSheet2->SetTabVisible(false);
  // The sheets take the area below the tabs and follow every resize.
  PageControl1->OnResize = [this](TComponent*) {
    for (TTabSheet* sheet : {Ergebnis, TabSheet2})
      sheet->SetBounds(0, 0, std::max(0, PageControl1->Width() - 4), std::max(0, PageControl1->Height() - 28));
  };
  PageControl1->OnResize(PageControl1);

  auto* bar = Make<TPanel>(this, Ergebnis, u"Panel1");
  bar->SetAlign(TAlign::alBottom);
  bar->SetHeight(64);
  fb_site = Make<TEdit>(this, bar, u"fb_site", u"fb_site");
  fb_site->SetBounds(8, 8, 200, 21);
  Button1 = Make<TButton>(this, bar, u"Button1", u"Crawle");
  Button1->SetBounds(216, 6, 90, 25);
  Button2 = Make<TButton>(this, bar, u"Button2", u"Übertrag");
  Button2->SetBounds(312, 6, 90, 25);
  Button3 = Make<TButton>(this, bar, u"Button3", u"Button3");
  Button3->SetBounds(408, 6, 90, 25);
  Button4 = Make<TButton>(this, bar, u"Button4", u"Übertrag");
  Button4->SetBounds(504, 6, 90, 25);
  all_messages_without_likes =
      Make<TRadioButton>(this, bar, u"all_messages_without_likes", u"all_messages_without_likes");
  all_messages_without_likes->SetBounds(8, 38, 200, 17);
  all_messages_likes = Make<TRadioButton>(this, bar, u"all_messages_likes", u"all_messages_likes");
  all_messages_likes->SetBounds(216, 38, 200, 17);
  Memo1 = Make<TMemo>(this, Ergebnis, u"Memo1");
  Memo1->SetAlign(TAlign::alClient);
  Memo2 = Make<TMemo>(this, Ergebnis, u"Memo2");
  Memo2->SetVisible(false);
  Memo3 = Make<TMemo>(this, Ergebnis, u"Memo3");
  Memo3->SetVisible(false);

  StringGrid1 = Make<TStringGrid>(this, TabSheet2, u"StringGrid1");
  StringGrid1->SetAlign(TAlign::alClient);
  // Column 2 holds the like entries beside the messages.
  StringGrid1->SetColCount(3);
  StringGrid1->SetCell(0, 0, u"Nummer");
  StringGrid1->SetCell(1, 0, u"Nachricht");
}

void TForm4::Button1Click(TComponent*) {
  Memo2->SetText(IdHTTP1->Get(PageFeedUrl(fb_site->Text())));
  Memo2->Lines().SaveToFile(Form1->AppPath(u"\\facebook_tmp.txt"));
  Memo1->SetText(NormalizeFeedText(Memo2->Text()));
  // From here on Memo2 holds the message log of the scan.
  Memo2->Lines().Clear();
  ParseFeedPosts();
  Memo2->Lines().SaveToFile(Form1->AppPath(u"\\fb_tmp_messages.txt"));

  Memo1->Lines().Clear();
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  for (int row = 1; row < StringGrid1->RowCount(); ++row) {
    const String& message = StringGrid1->CellRef(1, row);
    if (!message.empty()) Memo1->Lines().Add(message);
  }
}

void TForm4::Button2Click(TComponent*) {
  // An empty result would replace the user's text with nothing.
  if (Trim(Memo1->Text()).empty()) {
    ShowMessage(u"Keine Nachrichten zum Übertragen: der Text unter \"Texte\" bleibt unverändert.");
    return;
  }
  Form1->text_ori->SetText(Memo1->Text());
  Close();
}
