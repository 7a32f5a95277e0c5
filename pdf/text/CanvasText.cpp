// Text output and measurement of TPdfCanvas.
#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/document/PdfPage.h"
#include "pdf/fonts/PdfFontTrueType.h"
#include "platform/rtl/Unicode.h"
#include "pdf/helpers/AnsiConvert.h"
#include "pdf/helpers/TextHelpers.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/text/PdfTextOutput.h"

void TPdfCanvas::DrawTextAt(double x, double y, std::string_view text) {
  if (contents_ == nullptr) return;
  TPdfWrite& w = contents_->Writer();
  w.Add("BT\n").AddRealWithSpace(x).AddRealWithSpace(y).Add("Td\n");
  ShowText(text);
  w.Add("ET\n");
}

void TPdfCanvas::ShowText(std::string_view text, bool nextLine) {
  if (contents_ == nullptr || text.empty() || page_->Font == nullptr) return;
  TPdfWrite& w = contents_->Writer();
  if (doc_.CharSet() == 0 || IsSevenBitText(text)) {
    if (page_->Font->IsUnicode) SetFontAndSize(static_cast<TPdfFontTrueType*>(page_->Font)->AnsiHalf, page_->FontSize);
    TPdfFont* font = page_->Font;
    w.Add('(');
    for (char c : text) {
      auto code = static_cast<unsigned char>(c);
      if (code == 0xA0) code = ' ';
      font->MarkAnsiCharUsed(code);
      if (code == '(' || code == ')' || code == '\\') w.Add('\\');
      w.Add(static_cast<char>(code));
    }
    w.Add(')');
    AddShowOperator(w, nextLine);
  } else if (dynamic_cast<TPdfFontTrueType*>(page_->Font) != nullptr) {
    AddUnicodeText(w, ConverterForCodePage(w.CodePage()).AnsiToWideString(text), nextLine, *this);
  } else {
    w.Add('<').AddHexBytes(text).Add('>');
    AddShowOperator(w, nextLine);
  }
}

float TPdfCanvas::UnicodeTextWidth(std::u16string_view text) {
  if (page_ == nullptr || page_->Font == nullptr || text.empty()) return 0;
  float sum = 0;
  if (auto* font = dynamic_cast<TPdfFontTrueType*>(page_->Font)) {
    TPdfFontTrueType& ansi = *font->AnsiHalf;
    for (size_t i = 0, units = 1; i < text.size(); i += units) {
      char32_t ch = CodePointAt(text, i, units);
      if (IsInvisibleFormatting(ch) && !ansi.HasGlyph(ch)) continue;  // left out when drawn
      int w = ansi.WidthOfWideChar(ch);
      if (w == 0 && !ansi.HasGlyph(ch))
        if (TPdfFontTrueType* other = FallbackFontFor(*this, ansi, ch)) w = other->WidthOfWideChar(ch);
      sum += static_cast<float>(w == 0 ? 600 : w);
    }
  } else {
    std::string ansi = ConverterForCodePage(doc_.Environment().AnsiCodePage).WideToAnsiText(text);
    for (size_t i = 0; i < ansi.size(); ++i) sum += static_cast<float>(page_->Font->WidthOfAnsiChar(ansi, static_cast<int>(i + 1)));
  }
  return sum * page_->FontSize / 1000;
}
