// Fonts resolved from style properties: the family list, the description and the measured,
// cached font.
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/fonts/FirstAvailableFont.h"
#include "html/foundation/fonts/MyFont.h"
#include "html/foundation/globals/EngineSettings.h"
#include "html/foundation/globals/TextHelpers.h"
#include "platform/gdi/fonts/FontCache.h"
#include "platform/rtl/IntConvert.h"

uint8_t CharsetOfFont(uint8_t charset) {
  static int answers[256];
  static bool initialised = false;
  if (!initialised) {
    for (int& a : answers) a = -1;
    initialised = true;
  }
  const uint8_t asked = charset == 31 ? 238 : charset;
  if (answers[charset] < 0) {
    TLogFont font;
    font.lfCharSet = asked;
    answers[charset] = RealizeFont(font)->TextMetric().tmCharSet;
  }
  return static_cast<uint8_t>(answers[charset]);
}

void TProperties::FillFontInfo(ThtFontInfo& info) const {
  info.BackColor = TextBackground;
  info.Color = Values[Color].IsInt() ? Values[Color].AsInt() : 0;
  TFontStyles style = 0;
  const TPropValue& weight = Values[FontWeight];
  if (weight.IsText() ? (weight.AsText().find(u"bold") != String::npos || StrToIntDef(weight.AsText(), 0) >= 600)
                      : (weight.IsNumber() && weight.AsReal() >= 600))
    style |= fsBold;
  const String fontStyle = Values[FontStyle].TextOrEmpty();
  if (fontStyle == u"italic" || fontStyle == u"oblique") style |= fsItalic;
  const String decoration = Values[TextDecoration].TextOrEmpty();
  if (decoration == u"underline") style |= fsUnderline;
  else if (decoration == u"line-through") style |= fsStrikeOut;
  info.Style = style;
  info.Size = Values[FontSize].IsNumber() ? Values[FontSize].AsReal() : 0;
  info.Charset = Charset;
  info.LetterSpacing = Values[LetterSpacing];
  info.Name = FirstAvailableFont(Values[FontFamily].TextOrEmpty());
  if (info.Name.empty()) info.Name = FallbackFontName;
}

std::unique_ptr<TMyFont> TProperties::MakeFont() {
  if (!CachedFont) {
    ThtFontInfo info;
    FillFontInfo(info);
    TMyFont* found = EngineSettings().FontCache.FindFont(info);
    if (!found) {
      auto font = std::make_unique<TMyFont>();
      font->SetName(info.Name);
      font->SetHeight(FontHeightOfPoints(info.Size));
      font->SetStyle(info.Style);
      font->SetCharset(info.Charset);
      font->Measure();
      found = font.get();
      EngineSettings().FontCache.AddFont(std::move(font));
    }
    CachedFont = std::make_unique<TMyFont>();
    CachedFont->Assign(*found);
    CachedFont->BackColor = info.BackColor;
    CachedFont->SetColor(info.Color);
    EmHeight = CachedFont->EmPixels;
    ExHeight = CachedFont->ExPixels;
    const TPropValue& spacing = info.LetterSpacing;
    if (spacing.IsInt()) CachedFont->SpacingPixels = spacing.AsInt();
    else if (spacing.IsText() && spacing.AsText() != u"normal")
      CachedFont->SpacingPixels = LengthToPixels(spacing.AsText(), false, EmHeight, 0, ExHeight, EmHeight);
    else CachedFont->SpacingPixels = 0;
  }
  auto result = std::make_unique<TMyFont>();
  result->Assign(*CachedFont);
  return result;
}

void TProperties::CopyLinkFontInfos(TFontInfoArray& target) const {
  if (LinkFontInfos) target.CopyInfos(*LinkFontInfos);
}
