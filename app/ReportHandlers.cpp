// The handlers of the analysis, the reports, the chart and its popup.
#include "app/MainForm.h"
#include "platform/chart/Chart.h"

void TForm1::ConnectReportHandlers() {
  Button2->OnClick = Workflow(&TForm1::Button2Click);
  Button1->OnClick = Workflow(&TForm1::Button1Click);
  FiltereleereZeilen1->OnClick = Workflow(&TForm1::FiltereleereZeilen1Click);
  ErgebnisseExcel1->OnClick = Workflow(&TForm1::ErgebnisseExcel1Click);
  ErgebnisseExcel2->OnClick = Workflow(&TForm1::ErgebnisseExcel2Click);
  ExportExcel1->OnClick = Workflow(&TForm1::ExportExcel1Click);
  Facebook1->OnClick = Workflow(&TForm1::Facebook1Click);
  Komplettberblick1->OnClick = Workflow(&TForm1::Komplettberblick1Click);
  AuswertungFacebook1->OnClick = Workflow(&TForm1::AuswertungFacebook1Click);
  AuswertungberblickAlles1->OnClick = Workflow(&TForm1::AuswertungberblickAlles1Click);
  Balken1->OnClick = [this](TComponent* s) { Balken1Click(s); };
  Linie2->OnClick = [this](TComponent* s) { Linie2Click(s); };
  N3Dan2->OnClick = [this](TComponent* s) { N3Dan2Click(s); };
  N3Daus2->OnClick = [this](TComponent* s) { N3Daus2Click(s); };
  switch1->OnClick = [this](TComponent* s) { switch1Click(s); };
  switch21->OnClick = [this](TComponent* s) { switch21Click(s); };
  Button28->OnClick = [this](TComponent* s) { Button28Click(s); };
  Chart1->SetPopupMenu(socialsignals_diagramm);
}
