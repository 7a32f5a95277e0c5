#include "app/TransferForm.h"

#include "app/AppForms.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "platform/rtl/IntConvert.h"

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"Form2");
  SetCaption(u"Form2");
  SetClientWidth(420);
  SetClientHeight(360);
  SetPosition(TPosition::poMainFormCenter);
  Button1 = new TButton(this);
  Button1->SetName(u"Button1");
  Button1->SetCaption(u"Übertrage");
  Button1->SetParent(this);
  Button1->SetAlign(TAlign::alBottom);
  Memo1 = new TMemo(this);
  Memo1->SetName(u"Memo1");
  Memo1->SetParent(this);
  Memo1->SetAlign(TAlign::alClient);
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  Button1->OnClick = [this](TComponent* Sender) { Form1->RunWorkflow([&] { Button1Click(Sender); }); };
}

void TForm2::Button1Click(TComponent*) {
  TStringGrid& grid = *Form1->StringGrid1;
  const TMemoLines& lines = Memo1->Lines();
  const int count = lines.Count();
  {
    TGridCellUpdates updates(grid);
    for (int i = 0; i < count; ++i) {
      grid.SetCell(1, i + 1, lines.Get(i));
      grid.SetCell(0, i + 1, IntToStr(i + 1));
    }
  }
  grid.SetColCount(2);
  grid.SetCell(0, 0, u"Nummer");
  grid.SetCell(1, 0, u"URL");
  grid.SetRowCount(count + 1);
  AutoSizeColumns(grid, 50);
}
