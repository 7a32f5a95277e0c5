#include "platform/gdi/fonts/RealizedFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H
#include FT_ADVANCES_H

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <iterator>

#include "platform/gdi/fonts/FontCache.h"
#include "platform/gdi/fonts/FreeTypeLibrary.h"
#include "platform/gdi/fonts/SfntCollection.h"
#include "platform/rtl/Unicode.h"

namespace {

// The em height a logical font of height 0 gets: 12 points at 96 pixels per inch.
constexpr double kDefaultEmPixels = 16;

int RoundHalfUp(double v) { return static_cast<int>(std::floor(v + 0.5)); }

uint8_t FamilyFromPanose(const TT_OS2* os2, bool fixedWidth) {
  if (fixedWidth) return FF_MODERN;
  if (!os2) return FF_DONTCARE;
  const FT_Byte* p = os2->panose;
  if (p[0] == 3) return FF_SCRIPT;
  if (p[0] == 4 || p[0] == 5) return FF_DECORATIVE;
  if (p[0] != 2) return FF_DONTCARE;
  if (p[3] == 9) return FF_MODERN;
  if (p[1] >= 11 && p[1] <= 13) return FF_SWISS;
  if (p[1] >= 2 && p[1] <= 10) return FF_ROMAN;
  return FF_DONTCARE;
}

// Characters that may be drawn by a fallback font when a font lacks them: not controls,
// blanks or halves of surrogate pairs.
bool MayFallBack(char32_t c) {
  return c > 32 && !(c >= 0x7F && c <= 0x9F) && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
}

uint64_t NextFontSerial() {
  static std::atomic<uint64_t> serial{0};
  return ++serial;
}

}  // namespace

TRealizedFont::TRealizedFont(const TLogFont& font)
    : serial_(NextFontSerial()), logFont_(font), location_(ResolveFont(font)) {
  {
    std::lock_guard<std::mutex> lock(FreeTypeLibraryMutex());
    if (FT_New_Face(FreeTypeLibrary(), location_.FilePath.c_str(), location_.FaceIndex, &face_) != 0)
      throw EFontError(S("Schriftdatei kann nicht gelesen werden: ") + Utf8ToString(location_.FilePath));
  }
  if (!FT_IS_SCALABLE(face_) || face_->units_per_EM == 0) {
    std::lock_guard<std::mutex> lock(FreeTypeLibraryMutex());
    FT_Done_Face(face_);
    throw EFontError(S("Schrift ist nicht skalierbar: ") + Utf8ToString(location_.FilePath));
  }
  unitsPerEm_ = face_->units_per_EM;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
  const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face_, FT_SFNT_POST));
  const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HEAD));

  long winAscent = os2 && os2->version != 0xFFFF ? os2->usWinAscent : face_->ascender;
  long winDescent = os2 && os2->version != 0xFFFF ? os2->usWinDescent : -face_->descender;
  if (winAscent + winDescent <= 0) {
    winAscent = face_->bbox.yMax;
    winDescent = -face_->bbox.yMin;
  }

  // A positive height is the cell height (ascent + descent), a negative one the em height.
  if (font.lfHeight < 0)
    ppemY_ = -static_cast<double>(font.lfHeight);
  else if (font.lfHeight > 0)
    ppemY_ = static_cast<double>(font.lfHeight) * unitsPerEm_ / static_cast<double>(winAscent + winDescent);
  else
    ppemY_ = kDefaultEmPixels;
  long avgWidthUnits = os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : unitsPerEm_ / 2;
  ppemX_ = font.lfWidth > 0 ? static_cast<double>(font.lfWidth) * unitsPerEm_ / avgWidthUnits : ppemY_;

  bool faceBold = (face_->style_flags & FT_STYLE_FLAG_BOLD) != 0 || (os2 && os2->usWeightClass >= 600);
  bool faceItalic = (face_->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  simulatedBold_ = font.lfWeight >= FW_SEMIBOLD && !faceBold;
  simulatedItalic_ = font.lfItalic && !faceItalic;

  TTextMetric& tm = textMetric_;
  tm.tmAscent = ScaleY(winAscent);
  tm.tmDescent = font.lfHeight > 0 ? font.lfHeight - tm.tmAscent : ScaleY(winDescent);
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max(0, tm.tmHeight - RoundHalfUp(ppemY_));
  if (hhea) {
    long gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
    tm.tmExternalLeading = std::max(0, ScaleY(gap));
  }
  tm.tmAveCharWidth = ScaleX(avgWidthUnits);
  tm.tmMaxCharWidth = ScaleX(hhea ? hhea->advance_Width_Max : face_->max_advance_width);
  int faceWeight = faceBold ? FW_BOLD : FW_NORMAL;
  if (os2 && os2->version != 0xFFFF) faceWeight = os2->usWeightClass;
  tm.tmWeight = simulatedBold_ ? static_cast<int>(FW_BOLD) : faceWeight;
  tm.tmItalic = (faceItalic || font.lfItalic) ? 1 : 0;
  tm.tmUnderlined = font.lfUnderline ? 1 : 0;
  tm.tmStruckOut = font.lfStrikeOut ? 1 : 0;
  bool fixedWidth = FT_IS_FIXED_WIDTH(face_) || (post && post->isFixedPitch);
  bool glyf = false;
  {
    FT_ULong length = 0;
    glyf = FT_Load_Sfnt_Table(face_, TTAG_glyf, 0, nullptr, &length) == 0;
  }
  tm.tmPitchAndFamily = static_cast<uint8_t>((fixedWidth ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                             (glyf ? TMPF_TRUETYPE : 0) | FamilyFromPanose(os2, fixedWidth));
  bool symbol = face_->charmap && face_->charmap->encoding == FT_ENCODING_MS_SYMBOL;
  uint8_t charset = font.lfCharSet == DEFAULT_CHARSET ? static_cast<uint8_t>(ANSI_CHARSET) : font.lfCharSet;
  tm.tmCharSet = symbol ? static_cast<uint8_t>(SYMBOL_CHARSET) : charset;
  FT_UInt glyph = 0;
  FT_ULong first = FT_Get_First_Char(face_, &glyph);
  FT_ULong last = first;
  for (FT_ULong c = first; glyph != 0; c = FT_Get_Next_Char(face_, c, &glyph))
    if (c <= 0xFFFF) last = c;
  tm.tmFirstChar = static_cast<Char>(first <= 0xFFFF ? first : 0);
  tm.tmLastChar = static_cast<Char>(last);
  tm.tmBreakChar = os2 && os2->version >= 2 && os2->usBreakChar ? static_cast<Char>(os2->usBreakChar) : u' ';
  tm.tmDefaultChar = os2 && os2->version >= 2 ? static_cast<Char>(os2->usDefaultChar) : tm.tmFirstChar;

  TOutlineTextMetric& otm = outlineMetric_;
  otm.otmTextMetrics = tm;
  otm.otmEMSquare = static_cast<unsigned>(unitsPerEm_);
  if (os2 && os2->version != 0xFFFF) {
    otm.otmAscent = ScaleY(os2->sTypoAscender);
    otm.otmDescent = ScaleY(os2->sTypoDescender);
    otm.otmLineGap = static_cast<unsigned>(std::max(0, ScaleY(os2->sTypoLineGap)));
    otm.otmsCapEmHeight = static_cast<unsigned>(std::max(0, ScaleY(os2->version >= 2 ? os2->sCapHeight : 0)));
    otm.otmsXHeight = static_cast<unsigned>(std::max(0, ScaleY(os2->version >= 2 ? os2->sxHeight : 0)));
    otm.otmsStrikeoutSize = static_cast<unsigned>(std::max(0, ScaleY(os2->yStrikeoutSize)));
    otm.otmsStrikeoutPosition = ScaleY(os2->yStrikeoutPosition);
    otm.otmfsType = os2->fsType;
  } else {
    otm.otmAscent = ScaleY(face_->ascender);
    otm.otmDescent = ScaleY(face_->descender);
  }
  if (post) {
    otm.otmItalicAngle = RoundHalfUp(static_cast<double>(post->italicAngle) / 65536.0);
    otm.otmsUnderscoreSize = ScaleY(post->underlineThickness);
    otm.otmsUnderscorePosition = ScaleY(post->underlinePosition);
  }
  if (head) otm.otmrcFontBox = {ScaleX(head->xMin), ScaleY(head->yMax), ScaleX(head->xMax), ScaleY(head->yMin)};
  if (hhea) {
    otm.otmMacAscent = ScaleY(hhea->Ascender);
    otm.otmMacDescent = ScaleY(hhea->Descender);
  }
  if (otm.otmsStrikeoutSize == 0) {
    otm.otmsStrikeoutSize = static_cast<unsigned>(std::max(1, otm.otmsUnderscoreSize));
    otm.otmsStrikeoutPosition = otm.otmAscent / 3;
  }
  asciiAdvances_.assign(0x300, -1);
}

TRealizedFont::~TRealizedFont() {
  std::lock_guard<std::mutex> lock(FreeTypeLibraryMutex());
  FT_Done_Face(face_);
}

int TRealizedFont::ScaleX(long units) const { return RoundHalfUp(static_cast<double>(units) * ppemX_ / unitsPerEm_); }
int TRealizedFont::ScaleY(long units) const { return RoundHalfUp(static_cast<double>(units) * ppemY_ / unitsPerEm_); }

unsigned TRealizedFont::GlyphIndex(char32_t codePoint) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return FT_Get_Char_Index(face_, codePoint);
}

int TRealizedFont::DesignAdvance(unsigned glyph) const {
  FT_Fixed advance = 0;
  if (FT_Get_Advance(face_, glyph, FT_LOAD_NO_SCALE, &advance) != 0) return 0;
  return static_cast<int>(advance);
}

int TRealizedFont::GlyphAdvance(unsigned glyph) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ScaleX(DesignAdvance(glyph));
}

int TRealizedFont::CachedAdvance(char32_t codePoint) const {
  if (codePoint < asciiAdvances_.size() && asciiAdvances_[codePoint] >= 0) return asciiAdvances_[codePoint];
  if (codePoint >= asciiAdvances_.size()) {
    auto it = otherAdvances_.find(codePoint);
    if (it != otherAdvances_.end()) return it->second;
  }
  const unsigned glyph = FT_Get_Char_Index(face_, codePoint);
  if (glyph == 0 && MayFallBack(codePoint)) return -1;
  int advance = ScaleX(DesignAdvance(glyph));
  if (codePoint < asciiAdvances_.size())
    asciiAdvances_[codePoint] = advance;
  else
    otherAdvances_[codePoint] = advance;
  return advance;
}

int TRealizedFont::FallbackAdvance(char32_t codePoint) const {
  const bool invisible = IsInvisibleFormatting(codePoint);
  const TRealizedFont* fallback = invisible ? nullptr : FallbackFont(codePoint);
  const int fallbackAdvance = fallback ? fallback->Advance(codePoint) : 0;
  std::lock_guard<std::mutex> lock(mutex_);
  const int advance = fallback ? fallbackAdvance : invisible ? 0 : ScaleX(DesignAdvance(0));
  if (codePoint < asciiAdvances_.size())
    asciiAdvances_[codePoint] = advance;
  else
    otherAdvances_[codePoint] = advance;
  return advance;
}

int TRealizedFont::Advance(char32_t codePoint) const {
  int advance;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    advance = CachedAdvance(codePoint);
  }
  return advance >= 0 ? advance : FallbackAdvance(codePoint);
}

std::vector<int> TRealizedFont::Advances(std::u16string_view text) const {
  std::vector<int> advances(text.size(), 0);
  std::vector<std::pair<size_t, char32_t>> lacking;  // measured with the fallback fonts, without the lock
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < text.size(); ++i) {
      char32_t c = text[i];
      const size_t at = i;
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      }
      advances[at] = CachedAdvance(c);
      if (advances[at] < 0) lacking.emplace_back(at, c);
    }
  }
  for (const auto& [at, c] : lacking) advances[at] = FallbackAdvance(c);
  return advances;
}

const TRealizedFont* TRealizedFont::FallbackFont(char32_t codePoint) const {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!MayFallBack(codePoint) || FT_Get_Char_Index(face_, codePoint) != 0) return nullptr;
    auto it = fallbackFor_.find(codePoint);
    if (it != fallbackFor_.end()) return it->second;
  }
  // Resolving and realising take other locks: not under this font's own.
  std::shared_ptr<const TRealizedFont> font;
  const String family = FallbackFamilyForChar(logFont_, codePoint);
  if (!family.empty()) {
    TLogFont fallback = logFont_;
    fallback.lfFaceName = family;
    fallback.lfHeight = -std::max(1, RoundHalfUp(ppemY_));  // the same em size
    fallback.lfWidth = 0;
    font = RealizeFont(fallback);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (font && std::find(fallbackFonts_.begin(), fallbackFonts_.end(), font) == fallbackFonts_.end())
    fallbackFonts_.push_back(font);
  return fallbackFor_.emplace(codePoint, font.get()).first->second;
}

TABC TRealizedFont::AbcWidths(char32_t codePoint) const {
  int advance = Advance(codePoint);
  std::lock_guard<std::mutex> lock(mutex_);
  TABC abc;
  if (FT_Load_Glyph(face_, FT_Get_Char_Index(face_, codePoint), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0) {
    abc.abcB = static_cast<unsigned>(advance);
    return abc;
  }
  const FT_Glyph_Metrics& m = face_->glyph->metrics;
  abc.abcA = ScaleX(m.horiBearingX);
  int b = ScaleX(m.horiBearingX + m.width) - abc.abcA;
  abc.abcB = static_cast<unsigned>(std::max(0, b));
  abc.abcC = advance - abc.abcA - static_cast<int>(abc.abcB);
  return abc;
}

std::string TRealizedFont::TableData(uint32_t tag) const {
  // GetFontData tags hold the first character in the low byte; FreeType's the other way round.
  FT_ULong ftTag = (tag & 0xFF) << 24 | (tag >> 8 & 0xFF) << 16 | (tag >> 16 & 0xFF) << 8 | (tag >> 24 & 0xFF);
  std::lock_guard<std::mutex> lock(mutex_);
  FT_ULong length = 0;
  if (FT_Load_Sfnt_Table(face_, ftTag, 0, nullptr, &length) != 0) return {};
  std::string data(length, '\0');
  if (length > 0 && FT_Load_Sfnt_Table(face_, ftTag, 0, reinterpret_cast<FT_Byte*>(data.data()), &length) != 0) return {};
  return data;
}

std::string TRealizedFont::FileData() const {
  std::ifstream in(location_.FilePath, std::ios::binary);
  if (!in) throw EFontError(S("Schriftdatei kann nicht gelesen werden: ") + Utf8ToString(location_.FilePath));
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (IsFontCollection(data)) return ExtractCollectionMember(data, location_.FaceIndex);
  return data;
}
