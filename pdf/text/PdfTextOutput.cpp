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
  size_t i = 0, units = 1;
  while (i < text.size()) {
    if (font == nullptr || WinAnsiCode(text[i]) >= 0) {
      if (font != nullptr) canvas.SetFontAndSize(font, page.FontSize);
      if (page.Font == nullptr) return;
      w.Add('(');
      for (; i < text.size(); i += units) {
        int code = WinAnsiCode(text[i]);
        if (code < 0 && font != nullptr) break;
        units = 1;
        if (code < 0) CodePointAt(text, i, units);  // a surrogate pair is one "?"
        AddLiteralByte(w, code < 0 ? '?' : code, font != nullptr ? font : page.Font);
      }
      w.Add(')');
      AddShowOperator(w, nextLine);
    }
    if (i >= text.size()) break;
    for (; i < text.size() && WinAnsiCode(text[i]) < 0; i += units)
      AddGlyphFromChar(w, CodePointAt(text, i, units), canvas, *font, nextLine);
    AddGlyphEnd(w, nextLine);
  }
  // A text that ended in a fallback family leaves the font asked for in force again.
  auto* current = dynamic_cast<TPdfFontTrueType*>(page.Font);
  if (font != nullptr && current != nullptr && current->AnsiHalf != font) canvas.SetFontAndSize(font, page.FontSize);
}

TPdfFontTrueType* FallbackFontFor(TPdfCanvas& canvas, TPdfFontTrueType& font, char32_t ch) {
  TPdfDocument& doc = canvas.Doc();
  TPdfFontTrueType& ansi = *font.AnsiHalf;
  if (!doc.FallbackFontEnabled) return nullptr;
  auto cached = ansi.FallbackFonts.find(ch);
  if (cached != ansi.FallbackFonts.end() && cached->second.first == doc.FallbackFontIndex()) return cached->second.second;
  auto candidate = [&](int index) -> TPdfFontTrueType* {
    if (index < 0 || index == ansi.FontIndex - 1) return nullptr;
    auto* other = dynamic_cast<TPdfFontTrueType*>(
        canvas.SelectFont({}, ansi.Style, canvas.GetPage().FontSize, ansi.LogicalFont.lfCharSet, index));
    return other != nullptr && other->HasGlyph(ch) ? other : nullptr;
  };
  TPdfFontTrueType* found = candidate(doc.FallbackFontIndex());
  if (found == nullptr && doc.Environment().FallbackFamily) {
    String family = doc.Environment().FallbackFamily(ansi.LogicalFont, ch);
    if (!family.empty()) found = candidate(doc.FindTrueTypeFont(StringToUtf8(family)));
  }
  ansi.FallbackFonts[ch] = {doc.FallbackFontIndex(), found};
  return found;
}

void AddGlyphFromChar(TPdfWrite& w, char32_t ch, TPdfCanvas& canvas, TPdfFontTrueType& font, bool& nextLine) {
  TPdfDocument& doc = canvas.Doc();
  TPdfPage& page = canvas.GetPage();
  if (IsInvisibleFormatting(ch) && !font.HasGlyph(ch)) return;
  TPdfFontTrueType* use = &font;
  uint16_t glyph = font.GlyphOfWideChar(ch);
  if (glyph == 0) {
    if (TPdfFontTrueType* other = FallbackFontFor(canvas, font, ch)) {
      use = other;
      glyph = other->GlyphOfWideChar(ch);
    } else if (doc.PdfA1Mode() && doc.FallbackFontIndex() < 0) {
      throw Exception(S("PDFA/1 expects font fallback to be enabled, and the required font is not available on this system"));
    } else {
      glyph = font.UseUndrawableChar(ch);
    }
  }
  TPdfFontTrueType& unicode = use->MakeUnicodeFont();
  // A run goes on only in the font it was opened in.
  if (w.RunState != 0 && page.Font != &unicode) AddGlyphEnd(w, nextLine);
  bool open = w.RunState == 0;
  w.RunState = use == &font ? 1 : 2;
  canvas.SetFontAndSize(&unicode, page.FontSize);
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
