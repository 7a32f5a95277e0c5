// The content-stream operators of TPdfCanvas.
#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/document/PdfPage.h"
#include "pdf/objects/PdfExceptions.h"
#include "pdf/objects/PdfStream.h"
#include "platform/rtl/Unicode.h"

namespace {

// Reals with their separating space.
void Reals(TPdfWrite& w, std::initializer_list<double> values) {
  for (double v : values) w.AddRealWithSpace(v);
}

}  // namespace

void TPdfCanvas::SaveState() {
  if (contents_ == nullptr) return;
  contents_->Writer().Add("q\n");
  savedStates_.push_back({page_->Font, page_->FontSize, page_->WordSpace, page_->CharSpace, page_->HorizontalScaling});
}

void TPdfCanvas::RestoreState() {
  if (contents_ == nullptr) return;
  contents_->Writer().Add("Q\n");
  // An unmatched restore leaves the state unknown: everything is written again.
  TTextState s{nullptr, 0, 0, 0, 0};
  if (!savedStates_.empty()) {
    s = savedStates_.back();
    savedStates_.pop_back();
  }
  page_->Font = s.Font;
  page_->FontSize = s.FontSize;
  page_->WordSpace = s.WordSpace;
  page_->CharSpace = s.CharSpace;
  page_->HorizontalScaling = s.HorizontalScaling;
}

void TPdfCanvas::ConcatToCTM(double a, double b, double c, double d, double e, double f, int decimals) {
  if (contents_ == nullptr) return;
  TPdfWrite& w = contents_->Writer();
  for (double v : {a, b, c, d, e, f}) w.AddRealFixed(v, decimals);
  w.Add("cm\n");
}

void TPdfCanvas::SetDash(const std::vector<int>& dash, int phase) {
  if (contents_ == nullptr) return;
  TPdfWrite& w = contents_->Writer();
  w.Add('[');
  if (!dash.empty() && dash[0] != 0)
    for (int v : dash) w.AddIntegerWithSpace(v);
  w.Add("] ").AddInteger(phase).Add(" d\n");
}

void TPdfCanvas::SetLineWidth(double width) {
  if (contents_ == nullptr) return;
  contents_->Writer().AddRealWithSpace(width).Add("w\n");
}

void TPdfCanvas::MoveTo(double x, double y) {
  if (contents_ == nullptr) return;
  Reals(contents_->Writer(), {x, y});
  contents_->Writer().Add("m\n");
}

void TPdfCanvas::LineTo(double x, double y) {
  if (contents_ == nullptr) return;
  Reals(contents_->Writer(), {x, y});
  contents_->Writer().Add("l\n");
}

void TPdfCanvas::CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  if (contents_ == nullptr) return;
  Reals(contents_->Writer(), {x1, y1, x2, y2, x3, y3});
  contents_->Writer().Add("c\n");
}

void TPdfCanvas::AppendRectangle(double x, double y, double w, double h) {
  if (contents_ == nullptr) return;
  Reals(contents_->Writer(), {x, y, w, h});
  contents_->Writer().Add("re\n");
}

void TPdfCanvas::ClosePath() {
  if (contents_ != nullptr) contents_->Writer().Add("h\n");
}
void TPdfCanvas::EndPath() {
  if (contents_ != nullptr) contents_->Writer().Add("n\n");
}
void TPdfCanvas::Stroke() {
  if (contents_ != nullptr) contents_->Writer().Add("S\n");
}
void TPdfCanvas::Fill() {
  if (contents_ != nullptr) contents_->Writer().Add("f\n");
}
void TPdfCanvas::FillStroke() {
  if (contents_ != nullptr) contents_->Writer().Add("B\n");
}
void TPdfCanvas::ClipToPath() {
  if (contents_ != nullptr) contents_->Writer().Add("W\n");
}
void TPdfCanvas::MoveToNextLine() {
  if (contents_ != nullptr) contents_->Writer().Add("T*\n");
}

void TPdfCanvas::SetFillColor(int32_t color) {
  if (contents_ != nullptr) contents_->Writer().AddColor(color).Add("rg\n");
}

void TPdfCanvas::SetStrokeColor(int32_t color) {
  if (contents_ != nullptr) contents_->Writer().AddColor(color).Add("RG\n");
}

void TPdfCanvas::SetWordSpace(float points) {
  if (contents_ == nullptr || points == page_->WordSpace) return;
  page_->SetWordSpace(points);
  contents_->Writer().AddRealWithSpace(points).Add("Tw\n");
}

void TPdfCanvas::SetCharSpace(float points) {
  if (contents_ == nullptr || points == page_->CharSpace) return;
  page_->CharSpace = points;
  if (points == 0)
    contents_->Writer().Add("0 Tc\n");
  else
    contents_->Writer().AddRealFixed(points, 4).Add("Tc\n");
}

void TPdfCanvas::SetHorizontalScaling(float percent) {
  if (contents_ == nullptr || percent == page_->HorizontalScaling) return;
  page_->SetHorizontalScaling(percent);
  contents_->Writer().AddReal(percent).Add(" Tz\n");
}

void TPdfCanvas::SetFontAndSizeOp(std::string_view resourceName, float size) {
  if (contents_ == nullptr) return;
  contents_->Writer().Add('/').Add(resourceName).Add(' ').AddRealWithSpace(size).Add("Tf\n");
}

void TPdfCanvas::SetFontAndSize(TPdfFont* font, float size) {
  if (contents_ == nullptr || font == nullptr || (font == page_->Font && size == page_->FontSize)) return;
  if (pageFonts_ != nullptr && pageFonts_->ValueByName(font->ResourceName) == nullptr)
    pageFonts_->AddItem(font->ResourceName, font->Dictionary);
  SetFontAndSizeOp(font->ResourceName, size);
  page_->Font = font;
  page_->SetFontSize(size);
}

void TPdfCanvas::SetTextMatrix(double a, double b, double c, double d, double x, double y) {
  if (contents_ == nullptr) return;
  Reals(contents_->Writer(), {a, b, c, d, x, y});
  contents_->Writer().Add("Tm\n");
}

void TPdfCanvas::ExecuteXObject(std::string_view name) {
  if (contents_ != nullptr) contents_->Writer().Add('/').Add(name).Add(" Do\n");
}

void TPdfCanvas::UseXObject(std::string_view name) {
  if (contents_ == nullptr) return;
  TPdfXObject* xobject = doc_.GetXObject(name);
  if (xobject == nullptr) throw EPdfInvalidValue(Utf8ToString("DrawXObject: unknown " + std::string(name)));
  auto* resources = page_->ValueAs<TPdfDictionary>("Resources");
  auto* xobjects = resources != nullptr ? resources->ValueAs<TPdfDictionary>("XObject") : nullptr;
  if (xobjects == nullptr) throw EPdfInvalidValue(S("DrawXObject: no XObject"));
  if (xobjects->ValueByName(name) == nullptr) xobjects->AddItem(name, xobject);
}

void TPdfCanvas::DrawXObject(double x, double y, double w, double h, std::string_view name) {
  if (contents_ == nullptr) return;
  UseXObject(name);
  SaveState();
  ConcatToCTM(w, 0, 0, h, x, y, 6);
  ExecuteXObject(name);
  RestoreState();
}
