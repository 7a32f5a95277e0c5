// TForm3: the settings window with the SEO service's key and the search engine it is asked
// for.
#pragma once

#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/Edits.h"
#include "platform/ui/controls/ListControls.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/forms/Form.h"

class TForm3 : public TForm {
 public:
  explicit TForm3(TComponent* AOwner);

  // The key field shows the stored key ("\account.txt", line 0), so that saving without
  // typing keeps it.
  void FormShow(TComponent* Sender);
  // Writes the key field as line 0 of "\account.txt" and into the main window's key
  // field, tells the user, closes the window.
  void Button1Click(TComponent* Sender);

  TLabel* Label1;
  TMaskEdit* kelvo_api_key;
  TLabel* Label2;
  TComboBox* sengine;
  TButton* Button1;
  TMemo* Memo1;
};
