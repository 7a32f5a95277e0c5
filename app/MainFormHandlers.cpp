// The small handlers of the main window: menus that show windows or toggle the side
// panels, the keyword grid's popup, the list popups, the hidden sort buttons and the
// header sort of the working grids.
#include "app/AppForms.h"
#include "app/MainForm.h"
#include "app/ScraperForm.h"
#include "app/SettingsForm.h"
#include "app/SharedRoutines.h"
#include "platform/ui/app/Application.h"

void TForm1::Einstellungen1Click(TComponent*) { Form3->Show(); }

void TForm1::Beenden1Click(TComponent*) { Application->Terminate(); }

void TForm1::Export2Click(TComponent*) {
  if (MainForm) MainForm->Show();
}

void TForm1::einblenden2Click(TComponent*) { CategoryPanelGroup1->SetVisible(true); }

void TForm1::ausblenden2Click(TComponent*) { CategoryPanelGroup1->SetVisible(false); }

void TForm1::Button22Click(TComponent*) { Form4->Show(); }

void TForm1::Button10Click(TComponent*) { ExchangeSortGridRows(*StringGrid1, 3); }

void TForm1::Button17Click(TComponent*) { SortGridRowsByColumn(*StringGrid4, 2); }

void TForm1::Button21Click(TComponent*) { SortGridRowsByColumn(*StringGrid5, 3); }

void TForm1::SortiereKWSumme1Click(TComponent*) { SortGridRowsByColumn(*StringGrid5, 2); }

void TForm1::SortiereKWDichte1Click(TComponent*) { SortGridRowsByColumn(*StringGrid5, 3); }

void TForm1::SortiereWDF1Click(TComponent*) { SortGridRowsByColumn(*StringGrid5, 4); }

void TForm1::WortHashtaganalyse1Click(TComponent*) {
  Tag->SetText(StringGrid5->Cells(StringGrid5->Col(), StringGrid5->Row()));
  CategoryPanel3->Collapse();
  CategoryPanel5->Expand();
}

void TForm1::ListeHashtaganalyse1Click(TComponent*) {
  Memo5->Lines().Assign(StringGrid5->Cols(1));
  CategoryPanel3->Collapse();
  CategoryPanel5->Expand();
}

void TForm1::Wort1Click(TComponent*) {
  Edit2->SetText(StringGrid5->Cells(StringGrid5->Col(), StringGrid5->Row()));
  CategoryPanel3->Expand();
  CategoryPanel5->Collapse();
}

void TForm1::ListeClick(TComponent*) {
  Memo8->Lines().Assign(StringGrid5->Cols(1));
  CategoryPanel3->Expand();
  CategoryPanel5->Collapse();
}

void TForm1::Listelschen1Click(TComponent*) { Memo5->Lines().Clear(); }

void TForm1::zuGoogleSuchvorschlag1Click(TComponent*) {
  Memo8->SetText(Memo5->Text());
  CategoryPanel3->Expand();
  CategoryPanel5->Collapse();
}

void TForm1::Listelschen2Click(TComponent*) { Memo8->Lines().Clear(); }

void TForm1::zurHashtagAnalyse1Click(TComponent*) { Memo5->SetText(Memo8->Text()); }

void TForm1::StringGrid1MouseUp(TComponent* Sender, TMouseButton, TShiftState, int X, int Y) {
  auto* grid = dynamic_cast<TStringGrid*>(Sender);
  if (!grid || Y < 0 || Y >= grid->RowHeights(0)) return;
  int column = -1;
  for (int i = 0; i < grid->ColCount() && column < 0; ++i) {
    TRect r = grid->CellRect(i, 0);
    if (r.Left < X && X < r.Right) column = i;
  }
  if (column < 0) return;
  int last = grid->RowCount() - 1;
  if (last >= 1 && grid->CellRef(0, last) == u"Summe: ") --last;
  SortGridRows(*grid, column, 1, last);
}
