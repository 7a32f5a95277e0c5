// TForm2: the list-transfer window. Its memo takes a URL list (typed, pasted, or put there
// by a workflow); "Übertrage" copies the lines into the main window's URL grid.
#pragma once

#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/forms/Form.h"

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* AOwner);

  // Line i (from 0) of the memo goes into row i + 1 of the URL grid, numbered i + 1; the
  // grid gets two columns titled "Nummer" and "URL" and one row per line below them.
  void Button1Click(TComponent* Sender);

  TMemo* Memo1;
  TButton* Button1;
};
