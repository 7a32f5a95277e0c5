// The text report: the original text and the keyword table as one HTML file.
#include "app/GridReports.h"
#include "app/MainForm.h"

void TForm1::Generiere1Click(TComponent*) {
  Memo3->Lines().Clear();
  for (int i = 0; i < text_ori->Lines().Count(); ++i) Memo3->Lines().Add(text_ori->Lines().Get(i));

  Memo1->Lines().Clear();
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  TStrings& report = Memo1->Lines();
  TUpdateScope update(report);
  report.Add(u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">");
  report.Add(u"<html><head><title>page-break-before</title>");
  report.Add(u"</head><body>");
  report.Add(u"<b>Inhalte</b>");
  report.Add(u"<p><a href=\"#text1\">Original-Text</a></p>");
  report.Add(u"<p><a href=\"#text2\">KW-Analyse</a></p>");
  report.Add(u"<p id=\"text1\"><b>Originaltext</b></p>");
  report.Add(u"<p><b>Beginn</b></p>");
  // Each line of the text stays a line of the file; scraped text cannot add markup.
  for (int i = 0; i < Memo3->Lines().Count(); ++i) report.Add(HtmlEscape(Memo3->Lines().Get(i)));
  report.Add(u"</br></br><b>Ende</b>");
  report.Add(u"<h2 style=\"page-break-before:always\" id=\"text2\">KW-Analyse</h2>");
  report.Add(u"<p>und ihr Text</p>");
  GridToHtmlTable(*StringGrid5, *Memo2);
  report.AddStrings(Memo2->Lines());
  report.Add(u"</body></html>");
  Memo1->Lines().SaveToFile(AppPath(u"\\report.html"));
}
