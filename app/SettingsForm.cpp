#include "app/SettingsForm.h"

#include "app/AppForms.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "platform/rtl/Paths.h"
#include "platform/ui/Layout.h"
#include "platform/ui/app/Application.h"

namespace {

template <class T>
T* Add(TForm3* form, const char16_t* name, const String& caption = String()) {
  T* c = new T(form);
  c->SetName(name);
  c->SetParent(form);
  if (!caption.empty()) c->SetText(caption);
  return c;
}

}  // namespace

TForm3::TForm3(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"Form3");
  SetCaption(u"Einstellungen");
  Label1 = Add<TLabel>(this, u"Label1", u"KELVOAPI");
  kelvo_api_key = Add<TMaskEdit>(this, u"kelvo_api_key");
  kelvo_api_key->SetWidth(240);
  Label2 = Add<TLabel>(this, u"Label2", u"Suchmaschine / KELVO");
  Label2->SetWidth(240);
  sengine = Add<TComboBox>(this, u"sengine");
  sengine->SetStyle(TComboBoxStyle::csDropDownList);
  sengine->Items().SetText(u"google.de\r\ngoogle.at\r\ngoogle.ch\r\ngoogle.com\r\n");
  sengine->SetItemIndex(0);
  Button1 = Add<TButton>(this, u"Button1", u"Speichern");
  Memo1 = Add<TMemo>(this, u"Memo1");
  Memo1->SetVisible(false);
  SetClientWidth(256);
  SetClientHeight(LayOutTopToBottom(*this));
  SetPosition(TPosition::poMainFormCenter);
  OnShow = [this](TComponent* Sender) { FormShow(Sender); };
  Button1->OnClick = [this](TComponent* Sender) { Button1Click(Sender); };
}

void TForm3::FormShow(TComponent*) {
  String account = Form1->AppPath(u"\\account.txt");
  if (FileExists(account)) kelvo_api_key->SetText(LoadFirstLine(account));
}

void TForm3::Button1Click(TComponent*) {
  SaveFirstLine(Form1->AppPath(u"\\account.txt"), kelvo_api_key->Text());
  // The main window's key field shows the saved key too: the SEO import, which saves that
  // field before it asks, must not put an older or empty key back.
  Form1->kelvo_api_key->SetText(kelvo_api_key->Text());
  ShowMessage(u"Einstellungen gespeichert");
  Close();
}
