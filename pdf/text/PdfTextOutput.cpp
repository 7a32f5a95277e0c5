#include "pdf/text/PdfTextOutput.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/document/PdfPage.h"
#include "pdf/fonts/PdfFontTrueType.h"
#include "pdf/helpers/AnsiConvert.h"
#include "pdf/objects/PdfWrite.h"
#include "pdf/text/ShapedText.h"

namespace {

int WinAnsiCode(Char unit) { return WinAnsiConverter().WideCharToAnsiCode(unit); }

// One byte of a literal string: a no-break space as a space, delimiters escaped; the byte
// written is marked used in the font.
void AddLiteralByte(TPdfWrite& w, int code, TPdfFont* font) {
  if (code == 0xA0) code = ' ';
  MarkAnsiCharUsed(font, static_cast<unsigned char>(code));
  if (code == '(' || code == ')' || code == '\\') w.Add('\\');
  w.Add(static_cast<char>(code));
}

}  // namespace

void AddShowOperator(TPdfWrite& w, bool& nextLine) {
  w.Add(nextLine ? " '\n" : " Tj\n");
  nextLine = false;
}

void AddUnicodeText(TPdfWrite& w, std::u16string_view text, bool nextLine, TPdfCanvas& canvas) {
  if (text.empty() || !canvas.HasPage() || canvas.GetPage().Font == nullptr) return;
  auto* font = dynamic_cast<TPdfFontTrueType*>(canvas.GetPage().Font);
  if (font != nullptr && canvas.Doc().ShapeComplexScripts &&
      AddUnicodeTextShaped(w, text, *font->AnsiHalf, canvas, nextLine))
    return;
  AddUnicodeTextPlain(w, text, font, canvas, nextLine);
}

void AddUnicodeTextPlain(TPdfWrite& w, std::u16string_view text, TPdfFontTrueType* font, TPdfCanvas& canvas,
                         bool nextLine) {
  if (!canvas.HasPage()) return;
  TPdfPage& page = canvas.GetPage();
  if (font != nullptr) font = font->AnsiHalf;
  size_t i = 0;
  while (i < text.size()) {
    if (font == nullptr || WinAnsiCode(text[i]) >= 0) {
      if (font != nullptr) canvas.SetFontAndSize(font, page.FontSize);
      if (page.Font == nullptr) return;
      w.Add('(');
      for (; i < text.size(); ++i) {
        int code = WinAnsiCode(text[i]);
        if (code < 0 && font != nullptr) break;
        AddLiteralByte(w, code < 0 ? '?' : code, font != nullptr ? font : page.Font);
      }
      w.Add(')');
      AddShowOperator(w, nextLine);
    }
    if (i >= text.size()) break;
    for (; i < text.size() && WinAnsiCode(text[i]) < 0; ++i) AddGlyphFromChar(w, text[i], canvas, *font, nextLine);
    AddGlyphEnd(w, nextLine);
  }
  // A text that ended in the fallback family leaves the font asked for in force again.
  auto* current = dynamic_cast<TPdfFontTrueType*>(page.Font);
  if (font != nullptr && current != nullptr && current->AnsiHalf != font) canvas.SetFontAndSize(font, page.FontSize);
}

void AddGlyphFromChar(TPdfWrite& w, Char unit, TPdfCanvas& canvas, TPdfFontTrueType& font, bool& nextLine) {
  TPdfDocument& doc = canvas.Doc();
  TPdfPage& page = canvas.GetPage();
  bool open = w.RunState == 0;
  TPdfFontTrueType* use = &font;
  uint16_t glyph = font.GlyphOfWideChar(unit);
  int fallback = doc.FallbackFontEnabled ? doc.FallbackFontIndex() : -1;
  if (doc.PdfA1Mode() && glyph == 0 && doc.FallbackFontIndex() < 0)
    throw Exception(S("PDFA/1 expects font fallback to be enabled, and the required font is not available on this system"));
  if (glyph != 0 || fallback < 0) {
    if (w.RunState == 2) {
      AddGlyphEnd(w, nextLine);
      open = true;
    }
    w.RunState = 1;
  } else {
    if (w.RunState == 1) {
      AddGlyphEnd(w, nextLine);
      open = true;
    }
    w.RunState = 2;
    use = dynamic_cast<TPdfFontTrueType*>(canvas.SelectFont({}, font.Style, page.FontSize, font.LogicalFont.lfCharSet, fallback));
    glyph = use != nullptr ? use->GlyphOfWideChar(unit) : 0;
    if (use == nullptr) use = &font;
  }
  canvas.SetFontAndSize(&use->MakeUnicodeFont(), page.FontSize);
  if (open) w.Add('<');
  w.AddHex4(glyph);
}

void AddGlyphEnd(TPdfWrite& w, bool& nextLine) {
  if (w.RunState == 0) return;
  w.RunState = 0;
  w.Add('>');
  AddShowOperator(w, nextLine);
}

void AddGlyphs(TPdfWrite& w, const uint16_t* glyphs, size_t count, TPdfCanvas& canvas) {
  if (count == 0 || !canvas.HasPage()) return;
  auto* font = dynamic_cast<TPdfFontTrueType*>(canvas.GetPage().Font);
  if (font == nullptr) return;
  TPdfFontTrueType& ansi = *font->AnsiHalf;
  canvas.SetFontAndSize(&ansi.MakeUnicodeFont(), canvas.GetPage().FontSize);
  w.Add('<');
  for (size_t i = 0; i < count; ++i) w.AddHex4(ansi.UseGlyph(glyphs[i]));
  w.Add("> Tj\n");
}
