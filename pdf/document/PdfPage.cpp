#include "pdf/document/PdfPage.h"

#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/objects/PdfExceptions.h"

TPdfPage::TPdfPage(TPdfDocument& document) : TPdfDictionary(&document.Xref()), Document(document) {
  MediaBoxArray = AddItem("MediaBox", TPdfArray::FromIntegers(nullptr, {0, 0, document.PageWidth(), document.PageHeight()}));
}

void TPdfPage::SetPageWidth(int32_t width) { static_cast<TPdfNumber*>(MediaBoxArray->Item(2))->Value = width; }
void TPdfPage::SetPageHeight(int32_t height) { static_cast<TPdfNumber*>(MediaBoxArray->Item(3))->Value = height; }
int32_t TPdfPage::PageWidthOf() const { return static_cast<int32_t>(static_cast<TPdfNumber*>(MediaBoxArray->Item(2))->Value); }
int32_t TPdfPage::PageHeightOf() const { return static_cast<int32_t>(static_cast<TPdfNumber*>(MediaBoxArray->Item(3))->Value); }

void TPdfPage::SetFontSize(float size) {
  if (!(size >= 0 && size <= 2000)) throw EPdfInvalidValue(S("SetFontSize"));
  FontSize = size;
}

void TPdfPage::SetHorizontalScaling(float percent) {
  if (!(percent >= 10 && percent <= 300)) throw EPdfInvalidValue(S("SetHorizontalScaling"));
  HorizontalScaling = percent;
}

void TPdfPage::SetWordSpace(float points) {
  if (!(points >= 0)) throw EPdfInvalidValue(S("SetWordSpace"));
  WordSpace = points;
}

float TPdfPage::TextWidth(std::string_view text) const {
  if (Font == nullptr || text.empty()) return 0;
  float sum = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    float w = static_cast<float>(Font->WidthOfAnsiChar(text, static_cast<int>(i + 1))) * FontSize / 1000;
    if (HorizontalScaling != 0 && HorizontalScaling != 100) w = w * HorizontalScaling / 100;
    if (w > 0)
      w += CharSpace;
    else
      w = 0;
    if (text[i] == ' ' && WordSpace > 0 && i + 1 < text.size()) w += WordSpace;
    sum += w;
  }
  return sum - CharSpace;
}
