// Painting a text section's lines: text pieces in their run's font and colours with the
// selection reversed, inline images and panels, the boxes of inline elements under the
// text, link focus, and the page breaks of printing copies between lines.
#include <algorithm>
#include <numeric>
#include <string_view>

#include "html/document/floats/ImageObj.h"
#include "html/document/floats/PanelObj.h"
#include "html/document/forms/FormControlObj.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/inline/RunFont.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/DocumentLimits.h"
#include "html/foundation/css/PropertyIndex.h"
#include "html/foundation/viewer/BoxBorder.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "html/foundation/viewer/ViewerDrawing.h"
#include "platform/gdi/canvas/Canvas.h"

namespace {

// Only this far outside the clip rectangle is a section or line still painted.
constexpr int ClipMargin = 40;

// A colour for printing: black on a monochrome device when asked for, and text too light to
// show on paper without its background in grey. A device of more than 256 colours answers
// -1 for its number of colours: it is not monochrome.
COLORREF PrintedColor(const ThtDocument& document, const TDeviceContext& dc, COLORREF color) {
  const int colours = dc.GetDeviceCaps(NUMCOLORS);
  if (document.PrintMonochromeBlack && colours >= 0 && colours < 3 && color != 0xFFFFFF) return 0;
  if (!document.PrintBackground && (color & 0xFF) >= 0xE0 && ((color >> 8) & 0xFF) >= 0xE0) return 0xA0A0A0;
  return color;
}

// Held to the rightmost X, as a line's width is.
int SumOf(const std::vector<int>& values, int from, int to) {
  return ClampFlowX(std::accumulate(values.begin() + from, values.begin() + to, int64_t{0}));
}

// The end of the characters from..to (indexes of advances) worth writing when the first
// starts at x: a piece that starts left of limit ends with the last character that does (a
// negative letter spacing may bring a later one back), never between the halves of a pair;
// one that starts further right is written whole, as its text may still be looked for.
int ShownEnd(const String& text, int lineStart, const std::vector<int>& advances, int from, int to, int64_t x,
             int64_t limit) {
  if (x >= limit) return to;
  int end = from;
  for (int k = from; k < to; ++k) {
    if (x < limit) end = k + 1;
    x += advances[static_cast<size_t>(k)];
  }
  if (end < to && IsPairTail(text, lineStart + end)) ++end;
  return end;
}

}  // namespace

std::vector<int> TSection::LineAdvances(TCanvas& canvas, const LineRec& line) const {
  const int length = static_cast<int>(Text.size());
  const int start = std::clamp(line.Start, 0, length);
  const int end = std::clamp(line.Start + line.CharCount, start, length);
  std::vector<int> advances(static_cast<size_t>(end - start), 0);
  int i = start;
  while (i < end) {
    if (const TFormControlObj* control = ControlAt(i)) {
      advances[static_cast<size_t>(i - start)] = control->TotalWidth();
      ++i;
      continue;
    }
    if (Text[i] == ObjectChar) {
      if (const TFloatingObj* object = FloatingObjects().FindAt(i)) {
        advances[static_cast<size_t>(i - start)] = object->Floats() ? 0 : object->TotalWidth();
        ++i;
        continue;
      }
    }
    const int pieceEnd = PieceEnd(i, end);
    int index = 0;
    const TFontObj* run = Fonts.RunAt(i, index);
    TDeviceContext& dc = SelectRunFont(canvas, *run->RunFont);
    dc.SetTextJustification(0, 0);
    const TTextFit fit =
        dc.GetTextExtentExPoint(std::u16string_view(Text).substr(static_cast<size_t>(i), static_cast<size_t>(pieceEnd - i)), -1);
    int previous = 0;
    for (int k = 0; k < pieceEnd - i && k < static_cast<int>(fit.PartialExtents.size()); ++k) {
      advances[static_cast<size_t>(i - start + k)] = fit.PartialExtents[static_cast<size_t>(k)] - previous;
      previous = fit.PartialExtents[static_cast<size_t>(k)];
    }
    i = pieceEnd;
  }
  // Justification: the line's extra pixels go to its first SpaceCount spaces, one more to
  // each of the first ExtraWidth mod SpaceCount of them.
  if (line.SpaceCount > 0 && line.ExtraWidth > 0) {
    const int share = line.ExtraWidth / line.SpaceCount, rest = line.ExtraWidth % line.SpaceCount;
    int k = 0;
    for (int j = start; j < end && k < line.SpaceCount; ++j)
      if (Text[j] == u' ') {
        advances[static_cast<size_t>(j - start)] += share + (k < rest ? 1 : 0);
        ++k;
      }
  }
  return advances;
}

int TSection::Draw(TCanvas& canvas, const TRect& clip, TIndentManager&, int x, int, int) {
  const int bottom = SectionTop + SectionHeight;
  if (Text.empty() || Lines.empty()) return bottom;
  const int yOffset = Document->YOffset;
  if (SectionTop + DrawHeight - yOffset + ClipMargin < clip.Top || SectionTop - yOffset - ClipMargin >= clip.Bottom)
    return bottom;
  TDeviceContext& dc = canvas.Handle();
  const uint32_t oldAlign = dc.SetTextAlign(TA_BASELINE | TA_LEFT);
  const int oldMode = dc.GetBkMode();
  int y = SectionTop;
  size_t first = 0;
  bool stopsBelowPage = false;
  if (Document->Printing && IndexLines()) {
    // A line that ends at or above both the page top (+ 1) and the page bottom neither
    // draws nor moves the page bottom; none of the lines before `first` reaches that far.
    const int64_t reach =
        std::min(int64_t{yOffset} + clip.Top + 1, int64_t{Document->PageBottom}) - tallestLine_;
    first = static_cast<size_t>(
        std::partition_point(Lines.begin(), Lines.end(), [reach](const auto& line) { return line->Top < reach; }) -
        Lines.begin());
    if (first < Lines.size()) y = Lines[first]->Top;
    // Below the page bottom every later line only keeps the page bottom where it is, unless
    // it is drawn across it (a line taller than the page, a forced cut, a table break).
    stopsBelowPage =
        !Document->TableBreak && !Document->PageCutForced && tallestLine_ < clip.Bottom - clip.Top;
  }
  for (size_t i = first; i < Lines.size(); ++i) {
    const auto& line = Lines[i];
    const int lineTop = y;
    if (stopsBelowPage && lineTop > Document->PageBottom) break;
    const int height = line->TotalHeight();
    y += height;
    if (!Document->Printing) {
      if (lineTop + line->DrawHeight - yOffset + ClipMargin < clip.Top || lineTop - yOffset - ClipMargin >= clip.Bottom)
        continue;
    } else {
      if (lineTop + line->DrawHeight > Document->PageBottom) {
        const bool tallerThanPage = line->DrawHeight >= clip.Bottom - clip.Top;
        if (!tallerThanPage && !Document->TableBreak && !Document->PageCutForced) {
          Document->PageBottom = std::min(Document->PageBottom, lineTop);
          continue;
        }
      }
      // Above the page: everything the line draws, its floating images too, ends there. (A
      // line of no height holding only a float would otherwise count as above a page that
      // starts at its top, and the image would be on no page.)
      if (lineTop + line->DrawHeight - 1 <= yOffset + clip.Top) continue;
    }
    DrawLine(canvas, *line, x, lineTop, clip.Right);
    Document->NothingPaintedYet = false;
  }
  dc.SetBkMode(oldMode);
  dc.SetTextAlign(oldAlign);
  return bottom;
}

bool TSection::IndexLines() {
  constexpr size_t kIndexedLines = 64;
  if (Lines.size() < kIndexedLines) return false;
  if (indexedPass_ == Document->LayoutPass) return linesIndexed_;
  indexedPass_ = Document->LayoutPass;
  linesIndexed_ = true;
  tallestLine_ = 0;
  int y = SectionTop;
  for (const auto& line : Lines) {
    line->Top = y;
    tallestLine_ = std::max(tallestLine_, line->DrawHeight);
    if (line->TotalHeight() < 0 || line->DrawHeight < 0) linesIndexed_ = false;
    y += line->TotalHeight();
  }
  return linesIndexed_;
}

void TSection::DrawLine(TCanvas& canvas, LineRec& line, int x, int lineTop, int clipRight) {
  const int yOffset = Document->YOffset;
  const int textTop = lineTop + line.SpaceBefore;
  const int baseline = textTop + line.LineHeight - line.Descent;  // document Y
  line.DrawX = x + line.LineIndent;
  line.DrawY = textTop;
  const std::vector<int> advances = LineAdvances(canvas, line);
  if (line.BordersPending) {
    MeasureBorders(canvas, line, advances, lineTop);
    line.BordersPending = false;
  }
  DrawBorders(canvas, line);

  const int length = static_cast<int>(Text.size());
  int selStart = Document->SelectionStart - StartCursor, selEnd = Document->SelectionEnd - StartCursor;
  if (selStart >= selEnd) {
    selStart = selEnd = -1;
  } else {
    // A selection boundary never falls between the halves of a pair.
    selStart = CharStartOf(Text, std::clamp(selStart, 0, length));
    selEnd = CharBoundaryAtOrAfter(Text, std::clamp(selEnd, 0, length));
  }

  // The dummy caret stands at an empty selection: before the character there, or after the
  // text when the selection sits at the end of the document.
  int caret = -1;
  bool caretAtEnd = false;
  if (Document->ShowDummyCaret && Document->SelectionStart == Document->SelectionEnd) {
    caret = CharStartOf(Text, std::clamp(Document->SelectionStart - StartCursor, -1, length));
    caretAtEnd = caret == CursorLength && StartCursor + CursorLength >= Document->CursorLength &&
                 &line == Lines.back().get();
  }

  const int start = line.Start, end = line.Start + static_cast<int>(advances.size());
  int writeLimit = end;  // a trailing space or forced break is not written
  if (end > start && (Text[end - 1] == u' ' || Text[end - 1] == ForcedBreakChar)) --writeLimit;
  TDeviceContext& dc = canvas.Handle();
  const bool focusRects = Document->Viewer && Document->Viewer->DrawsFocusRect();
  int penX = line.DrawX;
  int i = start;
  while (i < end) {
    const int advance = advances[static_cast<size_t>(i - start)];
    if (TFormControlObj* control = ControlAt(i)) {
      DrawControl(canvas, *control, line, penX, lineTop);
      penX = ClampFlowX(int64_t{penX} + advance);
      ++i;
      continue;
    }
    if (Text[i] == ObjectChar) {
      if (TFloatingObj* object = FloatingObjects().FindAt(i)) {
        int index = 0;
        TFontObj* run = Fonts.RunAt(i, index);
        if (auto* image = dynamic_cast<TImageObj*>(object)) {
          if (image->Floats()) {
            Document->ImageDrawList.AddImage(image, canvas, run, baseline, image->DrawTop, x + image->FloatLeft);
          } else {
            dc.SetTextJustification(0, 0);
            image->Draw(canvas, penX + image->SpaceLeft, run, baseline, textTop);
          }
        } else if (auto* panel = dynamic_cast<TPanelObj*>(object)) {
          int left = x + panel->FloatLeft, top = panel->DrawTop;
          if (!panel->Floats()) {
            left = penX + panel->SpaceLeft;
            if (panel->VertAlignKind == AlignTop)
              top = textTop + panel->SpaceTop;
            else if (panel->VertAlignKind == AlignMiddle)  // centred on the line's text, where the line made room
              top = baseline + line.Descent - panel->TotalHeight() + (panel->TotalHeight() - line.LineHeight) / 2 +
                    panel->SpaceTop;
            else
              top = baseline - panel->BoxHeight - panel->SpaceBottom;
          }
          panel->DrawLeft = left;
          panel->DrawTop = top;
          panel->Shown = true;
          if (Document->IsCopy) {
            if (!Document->NoOutput) panel->Draw(canvas, left, top - yOffset);
          } else {
            panel->Panel->SetBounds(left, top - yOffset, panel->BoxWidth, panel->BoxHeight);
            panel->Panel->SetVisible(panel->Panel->ShowInDocument);
          }
        }
        penX = ClampFlowX(int64_t{penX} + advance);
        ++i;
        continue;
      }
    }

    int pieceEnd = PieceEnd(i, end);
    const bool selected = i >= selStart && i < selEnd;
    if (selected) pieceEnd = std::min(pieceEnd, selEnd);
    else if (selStart > i && selStart < pieceEnd) pieceEnd = selStart;
    if (caret > i && caret < pieceEnd) pieceEnd = caret;
    int index = 0;
    TFontObj* run = Fonts.RunAt(i, index);
    const TMyFont& font = *run->RunFont;
    SelectRunFont(canvas, font);
    const int width = SumOf(advances, i - start, pieceEnd - start);
    const int writeEnd = std::min(pieceEnd, writeLimit);
    const bool hyphen = line.Hyphenated && pieceEnd == end;

    COLORREF textColor = ColorToRGB(font.Color());
    if (Document->Printing) textColor = PrintedColor(*Document, dc, textColor);
    const bool hasBack = font.BackColor != clNone;
    const COLORREF backColor = hasBack ? ColorToRGB(font.BackColor) : 0;
    if (selected) {
      dc.SetBkMode(OPAQUE);
      dc.SetBkColor(textColor);
      dc.SetTextColor(hasBack ? backColor : textColor ^ 0xFFFFFF);
    } else {
      dc.SetBkMode(hasBack ? OPAQUE : TRANSPARENT);
      if (hasBack) dc.SetBkColor(backColor);
      dc.SetTextColor(textColor);
    }
    int textY = baseline - yOffset;
    if (run->ScriptKind == AlignSuper) textY -= run->CellHeight / 3;
    else if (run->ScriptKind == AlignSub) textY += run->BelowBaseline / 2 + 1;

    // What starts right of the clip rectangle shows nowhere: a word of millions of letters
    // on one line writes only the letters that reach into it.
    const int shownEnd = start + ShownEnd(Text, start, advances, i - start, writeEnd - start, penX,
                                           int64_t{clipRight} + ClipMargin);
    if (!Document->NoOutput && (shownEnd > i || (hyphen && shownEnd == writeEnd))) {
      std::u16string text(Text.substr(static_cast<size_t>(i), static_cast<size_t>(std::max(shownEnd - i, 0))));
      std::vector<int> dx(advances.begin() + (i - start), advances.begin() + (i - start) + static_cast<long>(text.size()));
      if (hyphen && shownEnd == writeEnd) {
        text += u'-';
        dx.push_back(dc.GetTextExtentPoint32(u"-").cx);
      }
      dc.SetTextJustification(0, 0);
      dc.ExtTextOut(penX, textY, 0, nullptr, text, dx.data());
    }

    if (caret == i && !Document->NoOutput) DrawCaret(canvas, penX, textY);
    // The piece's cell: a font height from its ascent down to its descent.
    const TRect pieceRect{penX, textY + run->BelowBaseline - run->CellHeight, penX + width + 1, textY + run->BelowBaseline};
    if (run->HasFocus && focusRects && !run->LinkTarget->LinkUrl.empty()) {
      canvas.Font().SetColor(clBlack);
      dc.SetTextColor(0);
      canvas.DrawFocusRect(pieceRect);
    }
    if (Document->IsCopy && Document->LinkDrawn && !run->LinkTarget->LinkUrl.empty())
      Document->LinkDrawn(Document->PageNumber, pieceRect, run->LinkTarget->FrameTarget, run->LinkTarget->LinkUrl);
    penX = ClampFlowX(int64_t{penX} + width);
    i = pieceEnd;
    if (i == end && caretAtEnd && !Document->NoOutput)  // after the written text
      DrawCaret(canvas, line.DrawX + SumOf(advances, 0, writeLimit - start), textY);
  }
  dc.SetTextJustification(0, 0);
}

// A 1-pixel wide bar as high as the selected font, in the text colour, on the baseline.
void TSection::DrawCaret(TCanvas& canvas, int x, int baselineY) const {
  TDeviceContext& dc = canvas.Handle();
  const TTextMetric tm = dc.GetTextMetrics();
  dc.FillRect(TRect{x, baselineY - tm.tmAscent, x + 1, baselineY + tm.tmDescent}, CreateSolidBrush(dc.GetTextColor()));
}

// The border boxes of the inline elements that overlap the line: left at the X of the first
// character inside, right after the last (the line end when the element goes on), top and
// bottom from the fonts and inline objects of the characters inside.
void TSection::MeasureBorders(TCanvas&, LineRec& line, const std::vector<int>& advances, int lineTop) {
  line.Borders.clear();
  line.BorderOriginX = line.DrawX;
  const int lineStart = StartCursor + line.Start, lineEnd = lineStart + line.CharCount;
  TInlineList& list = Document->InlineList;
  const int baseline = lineTop + line.SpaceBefore + line.LineHeight - line.Descent;
  for (int k = 0; k < list.Count(); ++k) {
    const int from = list.StartOf(k), to = list.EndOf(k);
    if (from >= lineEnd || to <= lineStart || from >= to) continue;
    BorderRec border;
    border.OpenStart = from < lineStart;
    border.OpenEnd = to > lineEnd;
    border.StartIndex = std::max(from, lineStart) - StartCursor;
    border.EndIndex = std::min(to, lineEnd) - StartCursor;
    border.Box = list.Items(k)->Box;
    const int first = border.StartIndex - line.Start, last = border.EndIndex - line.Start;
    int left = line.DrawX + SumOf(advances, 0, first);
    int right = border.OpenEnd ? line.DrawX + SumOf(advances, 0, static_cast<int>(advances.size()))
                               : left + SumOf(advances, first, last);
    int top = baseline, bottom = baseline;
    for (int i = border.StartIndex; i < border.EndIndex; ++i) {
      if (Text[i] == ObjectChar) {
        if (const TFloatingObj* object = FloatingObjects().FindAt(i)) {
          if (!object->Floats()) {
            top = std::min(top, baseline - object->TotalHeight());
            continue;
          }
        }
      }
      int index = 0;
      const TFontObj* run = Fonts.RunAt(i, index);
      bottom = std::max(bottom, baseline + run->BelowBaseline);
      top = std::min(top, baseline + run->BelowBaseline - run->CellHeight);
    }
    border.Rect = TRect{left, top, right, bottom};
    line.Borders.push_back(border);
  }
}

void TSection::DrawBorders(TCanvas& canvas, const LineRec& line) const {
  const int dx = line.DrawX - line.BorderOriginX, dy = -Document->YOffset;
  for (const BorderRec& border : line.Borders) {
    const TIntBoxArray& box = border.Box;
    const TRect inner{border.Rect.Left + dx, border.Rect.Top + dy, border.Rect.Right + dx, border.Rect.Bottom + dy};
    const auto value = [&](int property) { return box[BoxEntry(property)]; };
    const auto width = [&](int property, bool open) { return open ? 0 : std::max(0, value(property)); };
    const TColor background = static_cast<TColor>(value(BackgroundColor));
    if (background != clNone && background != static_cast<TColor>(UnsetSentinel))
      FillRectColor(canvas, inner.Left, inner.Top, inner.Right, inner.Bottom, background);
    const TRect outer{inner.Left - width(BorderLeftWidth, border.OpenStart), inner.Top - width(BorderTopWidth, false),
                      inner.Right + width(BorderRightWidth, border.OpenEnd),
                      inner.Bottom + width(BorderBottomWidth, false)};
    if (outer == inner) continue;
    const std::array<TColor, 4> colors{
        static_cast<TColor>(value(BorderLeftColor)), static_cast<TColor>(value(BorderTopColor)),
        static_cast<TColor>(value(BorderRightColor)), static_cast<TColor>(value(BorderBottomColor))};
    const auto style = [&](int property, bool open) {
      return open ? static_cast<uint8_t>(bssNone) : static_cast<uint8_t>(std::max(0, value(property)));
    };
    const std::array<uint8_t, 4> styles{style(BorderLeftStyle, border.OpenStart), style(BorderTopStyle, false),
                                        style(BorderRightStyle, border.OpenEnd), style(BorderBottomStyle, false)};
    PaintBoxBorder(canvas, outer, inner, colors, styles, clNone, Document->Printing);
  }
}
