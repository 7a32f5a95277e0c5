#include "pdf/text/ShapedText.h"

#include <hb.h>
#include <unicode/ubidi.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfPage.h"
#include "pdf/fonts/FontShaper.h"
#include "pdf/fonts/PdfFontTrueType.h"
#include "pdf/objects/PdfWrite.h"
#include "pdf/text/PdfTextOutput.h"

namespace {

struct TItem {
  size_t Start, Length;
  bool RightToLeft;
  bool Complex;
};

// Scripts whose letters need shaping (joining, reordering or mark placement).
bool IsComplexScript(hb_script_t script) {
  switch (script) {
    case HB_SCRIPT_COMMON: case HB_SCRIPT_INHERITED: case HB_SCRIPT_UNKNOWN: case HB_SCRIPT_LATIN:
    case HB_SCRIPT_GREEK: case HB_SCRIPT_CYRILLIC: case HB_SCRIPT_HAN: case HB_SCRIPT_HIRAGANA:
    case HB_SCRIPT_KATAKANA: case HB_SCRIPT_HANGUL: case HB_SCRIPT_ARMENIAN: case HB_SCRIPT_GEORGIAN:
      return false;
    default:
      return true;
  }
}

bool IsNeutral(hb_script_t script) {
  return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN;
}

// The bidirectional runs in visual order, each cut into script items (visual order too).
bool Itemize(std::u16string_view text, bool rightToLeft, std::vector<TItem>& items) {
  UErrorCode error = U_ZERO_ERROR;
  std::unique_ptr<UBiDi, void (*)(UBiDi*)> bidi(ubidi_openSized(static_cast<int32_t>(text.size()), 0, &error), ubidi_close);
  if (U_FAILURE(error)) return false;
  ubidi_setPara(bidi.get(), reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                rightToLeft ? 1 : 0, nullptr, &error);
  int32_t runs = ubidi_countRuns(bidi.get(), &error);
  if (U_FAILURE(error)) return false;
  hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
  for (int32_t r = 0; r < runs; ++r) {
    int32_t start = 0, length = 0;
    bool rtl = ubidi_getVisualRun(bidi.get(), r, &start, &length) == UBIDI_RTL;
    std::vector<TItem> pieces;
    hb_script_t current = HB_SCRIPT_COMMON;
    std::u16string_view upToRunEnd = text.substr(0, static_cast<size_t>(start + length));
    for (size_t i = static_cast<size_t>(start), units = 1; i < upToRunEnd.size(); i += units) {
      hb_script_t script = hb_unicode_script(unicode, CodePointAt(upToRunEnd, i, units));
      if (pieces.empty() || (!IsNeutral(script) && !IsNeutral(current) && script != current)) {
        pieces.push_back({i, 0, rtl, false});
        current = HB_SCRIPT_COMMON;
      }
      if (!IsNeutral(script)) {
        current = script;
        pieces.back().Complex = pieces.back().Complex || IsComplexScript(script);
      }
      pieces.back().Length += units;
    }
    if (rtl) std::reverse(pieces.begin(), pieces.end());
    items.insert(items.end(), pieces.begin(), pieces.end());
  }
  return true;
}

// An item of a right-to-left run in visual order: characters reversed (a surrogate pair
// stays a pair), mirrored characters mirrored.
std::u16string Visual(std::u16string_view text, const TItem& item) {
  std::u16string_view piece = text.substr(item.Start, item.Length);
  if (!item.RightToLeft) return std::u16string(piece);
  std::vector<char32_t> chars;
  for (size_t i = 0, units = 1; i < piece.size(); i += units) chars.push_back(CodePointAt(piece, i, units));
  std::u16string visual;
  for (auto c = chars.rbegin(); c != chars.rend(); ++c) AppendCodePoint(visual, static_cast<char32_t>(u_charMirror(static_cast<UChar32>(*c))));
  return visual;
}

int MissingGlyphs(const std::vector<TShapedGlyph>& glyphs) {
  return static_cast<int>(std::count_if(glyphs.begin(), glyphs.end(), [](const TShapedGlyph& g) { return g.Glyph == 0; }));
}

void AddShapedItem(TPdfWrite& w, std::u16string_view text, const TItem& item, TPdfFontTrueType& font, TPdfCanvas& canvas) {
  float size = canvas.GetPage().FontSize;
  TPdfFontTrueType* use = &font;
  std::vector<TShapedGlyph> glyphs = font.Shaper().Shape(text, item.Start, item.Length, item.RightToLeft);
  // The family that has the first missing character serves the whole item when it lacks
  // fewer of its characters.
  auto missing = std::find_if(glyphs.begin(), glyphs.end(), [](const TShapedGlyph& g) { return g.Glyph == 0; });
  if (missing != glyphs.end()) {
    size_t units = 1;
    TPdfFontTrueType* other = FallbackFontFor(canvas, font, CodePointAt(text, missing->Cluster, units));
    if (other != nullptr) {
      std::vector<TShapedGlyph> again = other->Shaper().Shape(text, item.Start, item.Length, item.RightToLeft);
      if (MissingGlyphs(again) < MissingGlyphs(glyphs)) {
        use = other;
        glyphs = std::move(again);
      }
    }
  }
  // A cluster runs from its first unit to the next cluster's first unit.
  std::vector<uint32_t> starts;
  for (const TShapedGlyph& g : glyphs) starts.push_back(g.Cluster);
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  std::vector<bool> named(starts.size());

  canvas.SetFontAndSize(&use->MakeUnicodeFont(), size);
  w.Add('<');
  for (const TShapedGlyph& g : glyphs) {
    size_t k = static_cast<size_t>(std::lower_bound(starts.begin(), starts.end(), g.Cluster) - starts.begin());
    size_t end = k + 1 < starts.size() ? starts[k + 1] : item.Start + item.Length;
    std::u16string_view cluster = named[k] ? std::u16string_view() : text.substr(g.Cluster, end - g.Cluster);
    named[k] = true;
    w.AddHex4(use->UseShapedGlyph(g.Glyph, cluster));
  }
  w.Add("> Tj\n");
}

}  // namespace

bool AddUnicodeTextShaped(TPdfWrite& w, std::u16string_view text, TPdfFontTrueType& font, TPdfCanvas& canvas,
                          bool nextLine) {
  std::vector<TItem> items;
  if (!Itemize(text, canvas.RightToLeftText, items)) return false;
  bool complex = std::any_of(items.begin(), items.end(), [](const TItem& i) { return i.Complex; });
  bool rtl = std::any_of(items.begin(), items.end(), [](const TItem& i) { return i.RightToLeft; });
  if (!complex && !rtl) return false;
  if (complex && nextLine) {
    canvas.MoveToNextLine();
    nextLine = false;
  }
  for (const TItem& item : items) {
    if (item.Complex)
      AddShapedItem(w, text, item, font, canvas);
    else
      AddUnicodeTextPlain(w, Visual(text, item), &font, canvas, nextLine);
    nextLine = false;
  }
  if (auto* current = dynamic_cast<TPdfFontTrueType*>(canvas.GetPage().Font); current != nullptr && current->AnsiHalf != &font)
    canvas.SetFontAndSize(&font, canvas.GetPage().FontSize);
  return true;
}
