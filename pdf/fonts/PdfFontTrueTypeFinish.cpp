// Completion of a TrueType font pair when the document is saved: widths of the codes used,
// the descendant CID font with its glyph widths, the ToUnicode maps of both halves, and the
// font program.
#include <algorithm>
#include <cstdio>

#include "platform/gdi/fonts/RealizedFont.h"
#include "platform/rtl/Unicode.h"
#include "pdf/document/PdfDocument.h"
#include "pdf/fonts/FontSubset.h"
#include "pdf/fonts/PdfFontTrueType.h"
#include "pdf/helpers/AnsiConvert.h"

namespace {

std::string Hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
  return text;
}

}  // namespace

void TPdfFontTrueType::FinishFontObjects() {
  if (IsUnicode)
    FinishUnicodeFont();
  else
    FinishWinAnsiFont();
}

void TPdfFontTrueType::FinishUnicodeFont() {
  TPdfFontTrueType& ansi = *AnsiHalf;
  TPdfXref& xref = Document.Xref();
  if (cidFont_ == nullptr) {
    cidFont_ = xref.Add<TPdfDictionary>(&xref);
    auto descendants = std::make_unique<TPdfArray>(&xref);
    descendants->AddItem(cidFont_);
    Dictionary->AddItem("DescendantFonts", std::move(descendants));
  }
  TPdfDictionary& cid = *cidFont_;
  cid.AddItem("Type", std::make_unique<TPdfName>("Font"));
  cid.AddItem("Subtype", std::make_unique<TPdfName>("CIDFontType2"));
  cid.AddItem("BaseFont", std::make_unique<TPdfName>(ansi.Name));
  cid.AddItem("CIDSystemInfo", std::make_unique<TPdfRawText>("<<\n/Ordering(Identity)/Registry(Adobe)/Supplement 0\n>>"));
  Dictionary->AddItem("BaseFont", std::make_unique<TPdfName>(ansi.Name));

  const std::vector<char32_t>& chars = ansi.UsedWide;
  const std::vector<uint32_t>& entries = ansi.UsedWideEntries;
  if (!entries.empty()) {
    FirstChar = static_cast<int32_t>(entries.front() >> 16);
    LastChar = static_cast<int32_t>(entries.back() >> 16);
  }
  cid.AddItem("DW", std::make_unique<TPdfNumber>(ansi.DefaultWidth));
  if (Document.PdfA1Mode() || !ansi.FixedPitch) {
    std::string w = "[";
    for (uint32_t entry : entries)
      if (entry != 0) w += std::to_string(entry >> 16) + "[" + std::to_string(entry & 0xFFFF) + "]";
    for (const auto& [glyph, text] : ansi.ShapedGlyphs)
      w += std::to_string(glyph) + "[" + std::to_string(FontHandle->GlyphAdvance(glyph)) + "]";
    for (size_t i = 0; i < ansi.UndrawableChars.size(); ++i)
      w += std::to_string(ansi.FirstUndrawableCode + i) + "[" + std::to_string(ansi.DefaultWidth) + "]";
    cid.AddItem("W", std::make_unique<TPdfRawText>(w + "]"));
  }
  cid.AddItem("FontDescriptor", ansi.Descriptor);

  if (toUnicode_ == nullptr) {
    toUnicode_ = Document.CreateStream();
    Dictionary->AddItem("ToUnicode", toUnicode_);
  }
  toUnicode_->ClearContent();
  std::string map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n/CIDSystemInfo\n<<\n/Registry (" +
                    ResourceName + "+0)\n/Ordering (UCS)\n/Supplement 0\n>> def\n/CMapName /" + ResourceName +
                    "+0 def\n/CMapType 2 def\n1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
  // Glyph and text pairs: the used characters in character order (an entry of 0 has no
  // glyph), then the glyphs of shaped clusters, then the codes of characters no font draws.
  std::vector<std::pair<uint32_t, std::u16string>> pairs;
  for (size_t i = 0; i < entries.size(); ++i) {
    std::u16string text;
    AppendCodePoint(text, chars[i]);
    pairs.emplace_back(entries[i] == 0 ? 0 : entries[i] >> 16, std::move(text));
  }
  for (const auto& [glyph, text] : ansi.ShapedGlyphs) pairs.emplace_back(text.empty() ? 0u : glyph, text);
  for (size_t i = 0; i < ansi.UndrawableChars.size(); ++i) {
    std::u16string text;
    AppendCodePoint(text, ansi.UndrawableChars[i]);
    pairs.emplace_back(static_cast<uint32_t>(ansi.FirstUndrawableCode + i), std::move(text));
  }
  for (size_t block = 0; block < pairs.size(); block += 99) {
    size_t end = std::min(pairs.size(), block + 99);
    std::string lines;
    int count = 0;
    for (size_t i = block; i < end; ++i) {
      if (pairs[i].first == 0) continue;
      ++count;
      lines += "<" + Hex4(pairs[i].first) + "> <";
      for (Char c : pairs[i].second) lines += Hex4(c);
      lines += ">\n";
    }
    map += std::to_string(count) + " beginbfchar\n" + lines + "endbfchar\n";
  }
  map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend";
  toUnicode_->Writer().Add(map);
}

void TPdfFontTrueType::FinishWinAnsiFont() {
  FirstChar = 0;
  LastChar = -1;
  for (int code = 32; code < 256; ++code)
    if (UsedAnsiChars.test(static_cast<size_t>(code))) {
      FirstChar = code;
      break;
    }
  for (int code = 255; code >= 32; --code)
    if (UsedAnsiChars.test(static_cast<size_t>(code))) {
      LastChar = code;
      break;
    }
  // A font that pages refer to needs its widths even when only glyph runs used its pair.
  if (LastChar < FirstChar) FirstChar = LastChar = 32;
  std::string w = "[";
  for (int code = FirstChar; code <= LastChar; ++code)
    w += UsedAnsiChars.test(static_cast<size_t>(code)) || FirstChar == LastChar ? std::to_string(WidthOfCode(static_cast<unsigned char>(code))) + " " : "0 ";
  Dictionary->AddItem("FirstChar", std::make_unique<TPdfNumber>(FirstChar));
  Dictionary->AddItem("LastChar", std::make_unique<TPdfNumber>(LastChar));
  Dictionary->AddItem("Widths", std::make_unique<TPdfRawText>(w + "]"));

  Name = baseName_;
  if (WantsEmbedding()) Embed();
  if (FontFile) WriteWinAnsiToUnicode();
  Dictionary->AddItem("BaseFont", std::make_unique<TPdfName>(Name));
  Descriptor->AddItem("FontName", std::make_unique<TPdfName>(Name));
}

// The characters of the codes used: an embedded subset's glyph names are not to be relied
// on, so text extraction reads the characters from this map.
void TPdfFontTrueType::WriteWinAnsiToUnicode() {
  if (toUnicode_ == nullptr) {
    toUnicode_ = Document.CreateStream();
    Dictionary->AddItem("ToUnicode", toUnicode_);
  }
  toUnicode_->ClearContent();
  const auto& table = WinAnsiConverter().AnsiToWideTable();
  std::vector<int> codes;
  for (int code = FirstChar; code <= LastChar; ++code)
    if ((UsedAnsiChars.test(static_cast<size_t>(code)) || FirstChar == LastChar) && table[static_cast<size_t>(code)] != 0)
      codes.push_back(code);
  std::string map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n/CIDSystemInfo\n<<\n/Registry (" +
                    ResourceName + "+0)\n/Ordering (UCS)\n/Supplement 0\n>> def\n/CMapName /" + ResourceName +
                    "+0 def\n/CMapType 2 def\n1 begincodespacerange\n<00> <FF>\nendcodespacerange\n";
  for (size_t block = 0; block < codes.size(); block += 99) {
    const size_t end = std::min(codes.size(), block + 99);
    map += std::to_string(end - block) + " beginbfchar\n";
    for (size_t i = block; i < end; ++i) {
      char line[32];
      std::snprintf(line, sizeof line, "<%02X> <%04X>\n", codes[i], static_cast<unsigned>(table[static_cast<size_t>(codes[i])]));
      map += line;
    }
    map += "endbfchar\n";
  }
  map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend";
  toUnicode_->Writer().Add(map);
}

bool TPdfFontTrueType::WantsEmbedding() const {
  if (Document.PdfA1Mode()) return true;
  if (!Document.EmbedTrueTypeFonts) return false;
  const std::string& family = Document.TrueTypeFontNames().at(static_cast<size_t>(FontIndex - 1));
  for (const std::string& excluded : Document.EmbedExcludedFonts)
    if (excluded == family) return false;
  return true;
}

void TPdfFontTrueType::Embed() {
  std::string file = FontHandle->FileData();
  // Only TrueType outlines go into a /FontFile2 stream.
  if (file.empty() || !HasTrueTypeOutlines(file)) return;
  if (!Document.EmbedWholeFonts) {
    const auto& table = WinAnsiConverter().AnsiToWideTable();
    std::vector<char32_t> keep(UsedWide.begin(), UsedWide.end());
    for (int code = FirstChar; code <= LastChar; ++code)
      if (UsedAnsiChars.test(static_cast<size_t>(code))) keep.push_back(table[static_cast<size_t>(code)]);
    std::sort(keep.begin(), keep.end());
    keep.erase(std::unique(keep.begin(), keep.end()), keep.end());
    std::vector<uint16_t> glyphs;
    for (const auto& shaped : ShapedGlyphs) glyphs.push_back(shaped.first);
    std::string subset = SubsetTrueTypeFont(file, keep, glyphs);
    if (!subset.empty()) {
      file = std::move(subset);
      Name = SubsetTag(file) + "+" + baseName_;
    }
  }
  if (FontFile == nullptr) {
    FontFile = Document.CreateStream();
    Descriptor->AddItem("FontFile2", FontFile);
  }
  FontFile->ClearContent();
  FontFile->Writer().Add(file);
  FontFile->Attributes().AddItem("Length1", std::make_unique<TPdfNumber>(static_cast<int64_t>(file.size())));
}
