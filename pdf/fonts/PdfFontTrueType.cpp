#include "pdf/fonts/PdfFontTrueType.h"
#include "pdf/fonts/FontSubset.h"

#include <algorithm>

#include "platform/gdi/fonts/FontCache.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/fonts/FontShaper.h"
#include "pdf/fonts/FontSubset.h"
#include "pdf/fonts/NameTable.h"
#include "pdf/fonts/PdfTTF.h"
#include "pdf/helpers/AnsiConvert.h"

namespace {

// The name the font file itself gives (its PostScript name), with the style suffix for a
// style the face lacks and the font layer simulates.
std::string RealFontName(const TRealizedFont& font, uint8_t style) {
  std::string name = PostScriptNameFromNameTable(font.TableData(FontTableTag("name")));
  uint8_t simulated = static_cast<uint8_t>((font.SimulatedBold() ? (style & fsBold) : 0) |
                                           (font.SimulatedItalic() ? (style & fsItalic) : 0));
  if (name.empty()) return TPdfDocument::TrueTypeFontName(StringToUtf8(font.Location().FileFamily), style);
  return TPdfDocument::TrueTypeFontName(name, simulated);
}

}  // namespace

TPdfFontTrueType& TPdfFontTrueType::Create(TPdfDocument& document, TPdfFontTrueType* partner, const TLogFont& logFont,
                                           uint8_t style, int fontIndex) {
  std::unique_ptr<TPdfFontTrueType> font(new TPdfFontTrueType(document, partner, logFont, style, fontIndex));
  return static_cast<TPdfFontTrueType&>(document.RegisterFont(std::move(font)));
}

TPdfFontTrueType::TPdfFontTrueType(TPdfDocument& document, TPdfFontTrueType* partner, const TLogFont& logFont,
                                   uint8_t style, int fontIndex)
    : TPdfFontWinAnsi(document.Xref(), {}), Style(style), Document(document), LogicalFont(logFont) {
  FontIndex = fontIndex + 1;
  TPdfDictionary& d = *Dictionary;
  if (partner == nullptr) {
    FontHandle = RealizeFont(logFont);
    baseName_ = RealFontName(*FontHandle, style);
    Name = baseName_;
    AnsiHalf = this;
    d.AddItem("Type", std::make_unique<TPdfName>("Font"));
    d.AddItem("BaseFont", std::make_unique<TPdfName>(Name));
    d.AddItem("Subtype", std::make_unique<TPdfName>("TrueType"));
    d.AddItem("Encoding", std::make_unique<TPdfName>("WinAnsiEncoding"));
    TextMetric = FontHandle->TextMetric();
    OutlineMetric = FontHandle->OutlineMetric();

    // The widths of the characters code page 1252 places at 32 to 255.
    const auto& table = WinAnsiConverter().AnsiToWideTable();
    TAnsiWidths widths{};
    for (int code = 32; code < 256; ++code) widths[static_cast<size_t>(code - 32)] = static_cast<uint16_t>(FontHandle->Advance(table[static_cast<size_t>(code)]));
    DefaultWidth = widths[0];
    AnsiWidths = std::make_unique<TAnsiWidths>();
    if (TextMetric.tmPitchAndFamily & TMPF_FIXED_PITCH) {
      *AnsiWidths = widths;
    } else {
      FixedPitch = true;
      AnsiWidths->fill(DefaultWidth);
    }

    Descriptor = document.Xref().Add<TPdfDictionary>(&document.Xref());
    Descriptor->AddItem("Type", std::make_unique<TPdfName>("FontDescriptor"));
    Descriptor->AddItem("FontName", std::make_unique<TPdfName>(Name));
    Descriptor->AddItem("Ascent", std::make_unique<TPdfNumber>(OutlineMetric.otmAscent));
    Descriptor->AddItem("CapHeight", std::make_unique<TPdfNumber>(666));
    Descriptor->AddItem("Descent", std::make_unique<TPdfNumber>(OutlineMetric.otmDescent));
    Descriptor->AddItem("ItalicAngle", std::make_unique<TPdfNumber>(OutlineMetric.otmItalicAngle));
    Descriptor->AddItem("StemV", std::make_unique<TPdfNumber>(87));
    Descriptor->AddItem("Flags", std::make_unique<TPdfNumber>(32));
    const TRect& box = OutlineMetric.otmrcFontBox;
    Descriptor->AddItem("FontBBox", TPdfArray::FromIntegers(&document.Xref(), {box.Left, box.Bottom, box.Right, box.Top}));
    d.AddItem("FontDescriptor", Descriptor);
  } else {
    baseName_ = partner->baseName_;
    Name = partner->Name;
    IsUnicode = true;
    AnsiHalf = partner;
    UnicodeHalf = this;
    partner->UnicodeHalf = this;
    d.AddItem("Type", std::make_unique<TPdfName>("Font"));
    d.AddItem("BaseFont", std::make_unique<TPdfName>(Name));
    d.AddItem("Subtype", std::make_unique<TPdfName>("Type0"));
    d.AddItem("Encoding", std::make_unique<TPdfName>("Identity-H"));
    FontHandle = partner->FontHandle;
    FixedPitch = partner->FixedPitch;
    DefaultWidth = partner->DefaultWidth;
    TextMetric = partner->TextMetric;
    OutlineMetric = partner->OutlineMetric;
    const TRealizedFont& f = *FontHandle;
    TPdfTTF map(f.TableData(FontTableTag("cmap")), f.TableData(FontTableTag("head")), f.TableData(FontTableTag("hhea")),
                f.TableData(FontTableTag("hmtx")), FixedPitch);
    UsedWide = std::move(map.Chars);
    UsedWideEntries = std::move(map.Entries);
  }
  Ascent = OutlineMetric.otmAscent;
  Descent = OutlineMetric.otmDescent;
}

TPdfFontTrueType& TPdfFontTrueType::MakeUnicodeFont() {
  TPdfFontTrueType& ansi = *AnsiHalf;
  if (ansi.UnicodeHalf == nullptr) Create(Document, &ansi, ansi.LogicalFont, ansi.Style, ansi.FontIndex - 1);
  return *ansi.UnicodeHalf;
}

int TPdfFontTrueType::UseWideChar(char32_t ch) {
  TPdfFontTrueType& ansi = *AnsiHalf;
  auto at = std::lower_bound(ansi.UsedWide.begin(), ansi.UsedWide.end(), ch);
  int index = static_cast<int>(at - ansi.UsedWide.begin());
  if (at != ansi.UsedWide.end() && *at == ch) return index;
  ansi.UsedWide.insert(at, ch);
  TPdfFontTrueType& uni = MakeUnicodeFont();
  auto found = std::lower_bound(uni.UsedWide.begin(), uni.UsedWide.end(), ch);
  uint32_t entry = found != uni.UsedWide.end() && *found == ch
                       ? uni.UsedWideEntries[static_cast<size_t>(found - uni.UsedWide.begin())]
                       : 0;
  ansi.UsedWideEntries.insert(ansi.UsedWideEntries.begin() + index, entry);
  return index;
}

uint16_t TPdfFontTrueType::UseGlyph(uint16_t glyph) {
  TPdfFontTrueType& ansi = *AnsiHalf;
  if (glyph == 0) return 0;
  for (uint32_t entry : ansi.UsedWideEntries)
    if (entry >> 16 == glyph) return glyph;
  TPdfFontTrueType& uni = MakeUnicodeFont();
  for (size_t i = 0; i < uni.UsedWideEntries.size(); ++i)
    if (uni.UsedWideEntries[i] >> 16 == glyph) return static_cast<uint16_t>(UsedEntry(UseWideChar(uni.UsedWide[i])) >> 16);
  return 0;
}

int TPdfFontTrueType::WidthOfWideChar(char32_t ch) {
  TPdfFontTrueType& ansi = *AnsiHalf;
  int code = ch <= 0xFFFF ? WinAnsiConverter().WideCharToAnsiCode(static_cast<Char>(ch)) : -1;
  if (code >= 0) return ansi.WidthOfCode(static_cast<unsigned char>(code));
  return static_cast<int>(UsedEntry(UseWideChar(ch)) & 0xFFFF);
}

bool TPdfFontTrueType::HasGlyph(char32_t ch) const { return FontHandle->GlyphIndex(ch) != 0; }

TPdfFontTrueType::~TPdfFontTrueType() = default;

uint16_t TPdfFontTrueType::UseShapedGlyph(uint16_t glyph, std::u16string_view clusterText) {
  TPdfFontTrueType& ansi = *AnsiHalf;
  if (glyph == 0) return 0;
  MakeUnicodeFont();
  for (uint32_t entry : ansi.UsedWideEntries)
    if (entry >> 16 == glyph) return glyph;
  auto [at, added] = ansi.ShapedGlyphs.emplace(glyph, clusterText);
  // A glyph first seen as a further glyph of a cluster takes the text of a later cluster
  // that starts with it.
  if (!added && at->second.empty()) at->second = clusterText;
  return glyph;
}

uint16_t TPdfFontTrueType::UseUndrawableChar(char32_t ch) {
  TPdfFontTrueType& ansi = *AnsiHalf;
  MakeUnicodeFont();
  if (ansi.FirstUndrawableCode == 0) ansi.FirstUndrawableCode = std::max(1u, GlyphCount(ansi.FontHandle->FileData()));
  auto at = std::find(ansi.UndrawableChars.begin(), ansi.UndrawableChars.end(), ch);
  const size_t index = static_cast<size_t>(at - ansi.UndrawableChars.begin());
  if (ansi.FirstUndrawableCode + index > 0xFFFF) return 0;
  if (at == ansi.UndrawableChars.end()) ansi.UndrawableChars.push_back(ch);
  return static_cast<uint16_t>(ansi.FirstUndrawableCode + index);
}

const TFontShaper& TPdfFontTrueType::Shaper() {
  TPdfFontTrueType& ansi = *AnsiHalf;
  if (!ansi.shaper_) ansi.shaper_ = std::make_unique<TFontShaper>(ansi.FontHandle->FileData());
  return *ansi.shaper_;
}
