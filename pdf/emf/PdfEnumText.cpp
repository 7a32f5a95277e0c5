// TPdfEnum: fonts of the metafile and its text records as PDF text.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "pdf/document/PdfCanvas.h"
#include "pdf/emf/PdfEnum.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/objects/PdfWrite.h"
#include "pdf/text/PdfTextOutput.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/rtl/Unicode.h"

struct TPdfEnum::TTextPlacement {
  TPoint Reference;
  double Shift = 0;     // S: along the baseline, from the alignment
  double Baseline = 0;  // B: across it, from the vertical alignment
  double Advance = 0;   // A: the text's width in logical units
  double Size = 0;      // points
  bool Rotated = false;
  double Cos = 1, Sin = 0;
};

// The font is realised on a measuring device (pixels of the screen) for its metrics.
TPdfEnumObject TPdfEnum::FontEntry(TLogFont logFont) {
  TMeasureDC dc;
  dc.SelectFont(TFontHandle::Create(logFont));
  TTextMetric tm = dc.GetTextMetrics();
  TPdfEnumObject o;
  o.Kind = TPdfEnumObject::Font;
  o.FontRotation = (logFont.lfOrientation != 0 ? logFont.lfOrientation : logFont.lfEscapement) / 10;
  o.FontAscent = tm.tmAscent;
  o.FontDescent = tm.tmDescent;
  o.FontEmHeight = tm.tmHeight - tm.tmInternalLeading;
  // The family the font mapper found; the pitch stays as asked.
  if ((logFont.lfPitchAndFamily & 0xF0) == FF_DONTCARE)
    logFont.lfPitchAndFamily = static_cast<uint8_t>((tm.tmPitchAndFamily & 0xF0) | (logFont.lfPitchAndFamily & 0x0F));
  o.LogFont = logFont;
  return o;
}

namespace {

// Font heights and widths beyond this many logical units come only from broken files; the
// font is realised at most this large.
constexpr int kMaxFontUnits = 1 << 20;
// The largest font size a page takes; text beyond it is not drawn.
constexpr double kMaxFontPoints = 2000;

}  // namespace

void TPdfEnum::CreateFontEntry(const TEmfRecord& r) {
  TEmfFont font = ReadEmfFont(r);
  font.Font.lfHeight = std::clamp(font.Font.lfHeight, -kMaxFontUnits, kMaxFontUnits);
  font.Font.lfWidth = std::clamp(font.Font.lfWidth, -kMaxFontUnits, kMaxFontUnits);
  if (TPdfEnumObject* o = Entry(font.Handle)) *o = FontEntry(font.Font);
}

namespace {

// Characters whose glyphs are written one code each, so that character spacing adds up as
// counted (scripts that are shaped may write another number of glyphs).
bool CountsOneCode(char32_t ch) { return ch < 0x0590 || (ch >= 0x1E00 && ch < 0x3000); }

}  // namespace

// Every run is drawn exactly as wide as the advances the layout gave its characters, so that
// it ends where the next run starts and no space between them is covered. Spaces (a blank or
// a no-break space, which is written as one) take the advance the layout gave them through
// the word spacing: a justified line spreads its extra width over them. The other characters
// take theirs through the character spacing while the difference is within the kerning
// bounds, so that the glyphs keep their shape, else through horizontal scaling; either way
// characters of equal advances (preformatted text in a fixed-pitch font) stay in their
// columns.
TPdfEnum::TRunFit TPdfEnum::FitRun(std::u16string_view text, const std::vector<int32_t>& dx, double factorX) {
  double wantedSpaces = 0, wantedOthers = 0, fontSpaces = 0, fontOthers = 0;
  int spaces = 0, others = 0;
  bool oneCodeEach = true;
  const bool spread = canvas_.UseTextJustification;
  for (size_t i = 0, units = 1; i < text.size(); i += units) {
    const char32_t ch = CodePointAt(text, i, units);
    double wanted = 0;
    for (size_t k = i; k < i + units && k < dx.size(); ++k) wanted += dx[k];
    const double font = canvas_.UnicodeTextWidth(text.substr(i, units));
    if (font == 0 && IsInvisibleFormatting(ch)) {
      // Left out of the drawing, with the advance a fallback font may have given it on the
      // screen: the run ends that much short of its slot rather than stretch its glyphs.
    } else if (spread && (ch == u' ' || ch == 0xA0)) {
      wantedSpaces += wanted;
      fontSpaces += font;
      ++spaces;
    } else {
      wantedOthers += wanted;
      fontOthers += font;
      ++others;
      oneCodeEach = oneCodeEach && CountsOneCode(ch);
    }
  }
  wantedSpaces *= factorX;
  wantedOthers *= factorX;
  auto fit = [&](bool withSpaces) {
    TRunFit f;
    double wanted = wantedOthers, font = fontOthers;
    int count = others;
    if (!withSpaces) {
      wanted += wantedSpaces;
      font += fontSpaces;
      count += spaces;
    }
    if (font > 0 && count > 0 && wanted > 0) {
      const double h = wanted * 100 / font;
      if (h >= canvas_.KerningLow && h <= canvas_.KerningHigh && oneCodeEach) {
        f.CharSpace = (wanted - font) / count;
        if (std::abs(f.CharSpace) < 0.00005) f.CharSpace = 0;  // nothing at four decimals
      } else {
        f.Scaling = std::clamp(h, 10.0, 300.0);
      }
    }
    if (withSpaces) f.WordSpace = wantedSpaces * 100 / f.Scaling / spaces - fontSpaces / spaces - f.CharSpace;
    return f;
  };
  if (spaces > 0) {
    TRunFit f = fit(true);
    // Word spacing stretches; spaces that the layout made narrower than the font's go with
    // the other characters.
    if (f.WordSpace >= 0) return f;
  }
  return fit(false);
}

void TPdfEnum::DrawTextRecord(const TEmfRecord& r) {
  const TPdfEnumState& s = Cur();
  TEmfText record = ReadEmfText(r);
  const TPoint reference = record.Reference;
  const uint32_t options = record.Options;
  const TRect rect = record.Rect;
  const std::u16string& text = record.Text;

  // Opaque background, drawn even without text.
  if ((options & ETO_OPAQUE) && s.FontRotation == 0 && !TPdfCanvas::NormalizeRect(rect).IsEmpty())
    FillRectWithBrush(rect, s.BkColor);
  if (text.empty()) return;

  TTextPlacement t;
  t.Reference = reference;
  double factorX = std::abs(canvas_.WorldFactorX), factorY = std::abs(canvas_.WorldFactorY);
  t.Size = (s.LogFont.lfHeight < 0 ? -static_cast<double>(s.LogFont.lfHeight) : s.FontEmHeight) * factorY;
  if (!(t.Size > 0) || t.Size > kMaxFontPoints || factorX == 0) return;
  if (canvas_.SelectFontByLogFont(s.LogFont, static_cast<float>(t.Size)) == nullptr) return;

  bool glyphs = (options & ETO_GLYPH_INDEX) != 0;
  double measured = glyphs ? 0 : std::lround(canvas_.UnicodeTextWidth(text) / factorX);
  double advance = measured;
  if (!record.Dx.empty()) {
    advance = 0;
    for (int32_t dx : record.Dx) advance += dx;
  }
  t.Advance = advance;

  const TRunFit fit = record.Dx.empty() || measured == 0 ? TRunFit{} : FitRun(text, record.Dx, factorX);
  if (fit.CharSpace != 0) canvas_.SetCharSpace(static_cast<float>(fit.CharSpace));
  if (fit.WordSpace != 0) canvas_.SetWordSpace(static_cast<float>(fit.WordSpace));
  if (fit.Scaling != 100) canvas_.SetHorizontalScaling(static_cast<float>(fit.Scaling));

  uint32_t horizontal = s.TextAlign & TA_HORZ_MASK, vertical = s.TextAlign & TA_VERT_MASK;
  t.Shift = horizontal == TA_CENTER ? advance / 2 : horizontal == TA_RIGHT ? advance : 0;
  t.Baseline = vertical == TA_BASELINE ? 0 : vertical == TA_BOTTOM ? s.FontDescent * 0.95 : -s.FontAscent * 0.95;

  SetFillColorIfChanged(s.TextColor);
  canvas_.RightToLeftText = (options & ETO_RTLREADING) != 0;

  bool clipped = (options & ETO_CLIPPED) && !TPdfCanvas::NormalizeRect(rect).IsEmpty();
  if (clipped) {
    TRect n = Bounded(rect);
    canvas_.SaveState();
    double x, y, w, h;
    canvas_.RectToBox(n, x, y, w, h);
    canvas_.AppendRectangle(x, y, w, h);
    canvas_.ClipToPath();
    canvas_.EndPath();
  }

  TPdfWrite& out = canvas_.Contents()->Writer();
  out.Add("BT\n");
  if (s.FontRotation != 0) {
    double a = s.FontRotation * std::numbers::pi / 180;
    t.Rotated = true;
    t.Cos = std::cos(a);
    t.Sin = std::sin(a);
    double x = std::lround(reference.X - (t.Shift * t.Cos + t.Baseline * t.Sin));
    double y = std::lround(reference.Y - (t.Baseline * t.Cos - t.Shift * t.Sin));
    canvas_.SetTextMatrix(t.Cos, t.Sin, -t.Sin, t.Cos, canvas_.MapX(x), canvas_.MapY(y));
  } else {
    out.AddRealWithSpace(canvas_.MapX(reference.X - t.Shift)).AddRealWithSpace(canvas_.MapY(reference.Y - t.Baseline));
    out.Add("Td\n");
  }
  if (glyphs) {
    std::vector<uint16_t> ids(text.begin(), text.end());
    AddGlyphs(out, ids.data(), ids.size(), canvas_);
  } else {
    AddUnicodeText(out, text, false, canvas_);
  }
  out.Add("ET\n");

  if (s.LogFont.lfUnderline) DrawTextLine(t, t.Size / 8 / factorX);
  if (s.LogFont.lfStrikeOut) DrawTextLine(t, -t.Size / 3 / factorX);

  if (clipped) {
    canvas_.RestoreState();
    ForgetGraphicsState();
  }
  // After the clip's "Q", which brings back the spacing in force at its "q".
  if (fit.WordSpace != 0) canvas_.SetWordSpace(0);
  if (fit.CharSpace != 0) canvas_.SetCharSpace(0);
  if (fit.Scaling != 100) canvas_.SetHorizontalScaling(100);
}

// A line under (offset > 0) or through the text along its whole advance, in the text colour
// and a fifteenth of the font size wide.
void TPdfEnum::DrawTextLine(const TTextPlacement& t, double offset) {
  SetStrokeColorIfChanged(Cur().TextColor);
  SetDashIfChanged({});
  float width = static_cast<float>(t.Size / 15);
  if (width != lastPenWidth_) {
    canvas_.SetLineWidth(width);
    lastPenWidth_ = width;
  }
  double x0, y0, dx, dy;
  if (!t.Rotated) {
    x0 = t.Reference.X - t.Shift;
    y0 = t.Reference.Y - t.Baseline + offset;
    dx = t.Advance;
    dy = 0;
  } else {
    double d = t.Baseline - offset;
    x0 = t.Reference.X - t.Shift * t.Cos - d * t.Sin;
    y0 = t.Reference.Y + t.Shift * t.Sin - d * t.Cos;
    dx = t.Advance * t.Cos;
    dy = -t.Advance * t.Sin;
  }
  canvas_.MoveToS(x0, y0);
  canvas_.LineToS(x0 + dx, y0 + dy);
  canvas_.Stroke();
}
