// The layout of a text section: its text broken into lines around the floats of the indent
// manager, floating objects placed as the lines meet them, line heights, alignment and
// justification.
#include <algorithm>
#include <cstdint>
#include <set>

#include "html/document/floats/FloatingObj.h"
#include "html/document/forms/FormControlObj.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/inline/RunFont.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/model/PlaceholderLookup.h"
#include "html/foundation/css/DocumentLimits.h"
#include "html/foundation/layout/IndentManager.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/gdi/canvas/Canvas.h"

// The state of one layout of a section.
struct TLineLayout {
  TCanvas& Canvas;
  TIndentManager& Indents;
  int X;
  int Y;                 // the top of the next line
  int MaxWidth = 0;
  int FloatY = 0;        // floats are placed no higher than the last one
  int FirstIndent = 0;   // pixels, the first line only
  bool FirstLine = true;
  int LowestImageBottom = 0;
  int NextForcedBreak = -1;  // index of the next 8 at or after the current line start
  std::set<const TFloatingObj*> Placed{};
};

namespace {

bool IsAboveCjkLimit(const String& text, int i) { return text[i] > 0x2FFF && !IsPairHead(text, i); }

}  // namespace

int TSection::ClearDrop(const TIndentManager& indents, int y) const {
  if (ClearSide == 0) return 0;
  int left = 0, right = 0;
  indents.ClearanceLevels(left, right);
  const int level = ClearSide == 1 ? left : ClearSide == 2 ? right : std::max(left, right);
  return std::max(0, level - y - 1);
}

void TSection::EmitEmptyLine(TLineLayout& L, int start, int height) {
  auto line = std::make_unique<LineRec>();
  line->Start = start;
  line->LineHeight = height;
  line->DrawHeight = height;
  line->AvailableWidth = L.Indents.RightEdgeAt(L.Y) - L.Indents.LeftEdgeAt(L.Y);
  line->LineIndent = L.Indents.LeftEdgeAt(L.Y) - L.X;
  Lines.push_back(std::move(line));
  SectionHeight += height;
  L.Y = ClampFlowY(int64_t{L.Y} + height);
}

void TSection::MeasureObjects(TLineLayout& L, int availableHeight, int containingHeight, int availableWidth) {
  const int objectWidth =
      std::min(L.Indents.RightEdgeAt(L.Y) - L.Indents.LeftEdgeAt(L.Y), availableWidth);
  const int objectHeight = containingHeight != 0 ? containingHeight : availableHeight;
  L.MaxWidth = objectWidth;
  for (int k = 0; k < FloatingObjects().Count(); ++k) {
    TFloatingObj* object = FloatingObjects().Items(k);
    int index = 0;
    object->MeasureBox(L.Canvas, objectHeight, objectWidth, Fonts.RunAt(object->CharPos, index));
    L.MaxWidth = std::max(L.MaxWidth, object->BoxWidth);
  }
  for (int k = 0; k < FormControls().Count(); ++k) {
    TFormControlObj& control = *FormControls().Items(k);
    if (control.PercentWidth) {
      const int64_t share = static_cast<int64_t>(objectWidth) * control.Width / 100;
      const int64_t room = static_cast<int64_t>(objectWidth) - control.HSpaceLeft - control.HSpaceRight;
      control.SetWidth(static_cast<int>(std::max<int64_t>(10, std::min(share, room))));
    }
    L.MaxWidth = std::max(L.MaxWidth, control.GetWidth());
  }
}

int TSection::Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents,
                     int availableHeight, int containingHeight, int availableWidth, int /*originY*/,
                     int /*originX*/, int y) {
  SectionTop = DrawTop = ContentTop = y;
  StartCursor = cursor;
  SectionHeight = 0;
  Lines.clear();
  TextWidth = 0;
  if (Text.empty()) {
    const int height = ClearDrop(indents, y);
    SectionHeight = DrawHeight = height;
    SectionBottom = DrawBottom = y + height;
    maxWidth = 0;
    ContentWidth = 0;
    return height;
  }

  TLineLayout L{canvas, indents, x, y};
  L.FloatY = y;
  L.LowestImageBottom = y;
  L.FirstIndent = FirstLineIndentPercent != 0 ? availableWidth * FirstLineIndentPercent / 100 : FirstLineIndent;
  ContentWidth = indents.RightEdgeAt(y) - x;
  MeasureObjects(L, availableHeight, containingHeight, availableWidth);

  const int drop = ClearDrop(indents, y);
  if (drop > 0) EmitEmptyLine(L, 0, drop);

  const int length = static_cast<int>(Text.size());
  int start = 0;
  while (start < length) {
    const int remaining = length - start;
    int lineImageHeight = 0;
    const int fitted = Preformatted && !BreakWord ? remaining : FitLine(L, start, remaining, lineImageHeight);
    int count = std::max(fitted, CharUnitsAt(Text, start));
    const int gap = fitted == 0 ? indents.NextFloatBottom(L.Y) - L.Y : 0;
    if (gap < 1) {
      if (count >= remaining) {
        count = remaining;
      } else {
        bool retry = false;
        count = ChooseBreak(L, start, count, retry);
        if (retry) continue;
      }
    } else {
      const int last = start + count - 1;
      const Char c = Text[last];
      const bool breaksHere =
          ((c == u' ' || c == ObjectChar || IsAboveCjkLimit(Text, last)) && BreakCodes[last] != BreakNo) ||
          c == ForcedBreakChar;
      if (!breaksHere) {
        EmitEmptyLine(L, start, gap);
        continue;
      }
      while (start + count < length && Text[start + count] == u' ') ++count;
    }
    FinishLine(L, start, count, lineImageHeight, start + count >= length);
    start += count;
  }

  cursor = StartCursor + CursorLength;
  if (Document->FirstBaselineRequest && *Document->FirstBaselineRequest == 0 && !Lines.empty()) {
    const LineRec& first = *Lines.front();
    *Document->FirstBaselineRequest = SectionTop + first.SpaceBefore + first.LineHeight - first.Descent;
  }
  DrawHeight = std::max(L.LowestImageBottom - y, SectionHeight);
  SectionBottom = y + SectionHeight;
  DrawBottom = y + DrawHeight;
  maxWidth = L.MaxWidth;
  ReportProgress();
  return SectionHeight;
}

// Every 50th section tells the viewer how far layout has come, once a layout pass.
void TSection::ReportProgress() {
  if (Document->IsCopy || SectionNumber % 50 != 0 || ProgressPass == Document->LayoutPass ||
      Document->SectionCount <= 0)
    return;
  if (Document->Viewer)
    Document->Viewer->ReportProgress(SectionNumber * (100 - Document->ProgressStart) / Document->SectionCount +
                                     Document->ProgressStart);
  ProgressPass = Document->LayoutPass;
}

// How many characters from start fit on the line at L.Y, placing the floats it meets.
int TSection::FitLine(TLineLayout& L, int start, int maxCount, int& lineImageHeight) {
  // A forced break ends the line.
  if (L.NextForcedBreak < start) {
    const size_t found = Text.find(ForcedBreakChar, static_cast<size_t>(start));
    L.NextForcedBreak = found == String::npos ? static_cast<int>(Text.size()) : static_cast<int>(found);
  }
  int limit = maxCount;
  bool forced = false;
  if (L.NextForcedBreak < start + maxCount) {
    if (L.NextForcedBreak == start) return 1;
    limit = L.NextForcedBreak - start;
    forced = true;
  }

  int left = L.Indents.LeftEdgeAt(L.Y) + (L.FirstLine ? L.FirstIndent : 0);
  int available = L.Indents.RightEdgeAt(L.Y) - left;

  // Guaranteed to fit by the widest character (with letter spacing and overhang).
  if (L.FirstLine && FloatingObjects().Count() == 0 && FormControls().Count() == 0 && Fonts.Count() == 1) {
    const TFontObj& run = *Fonts.Items(0);
    const int64_t widest = static_cast<int64_t>(run.WidestChar) + run.RunFont->SpacingPixels;
    if (widest * limit + run.ItalicOverhang <= available) return forced ? limit + 1 : limit;
  }

  const int end = start + limit;
  int used = 0;
  int textHeight = 0;
  int i = start;
  while (i < end) {
    if (const TFormControlObj* control = ControlAt(i)) {
      if (used + control->TotalWidth() > available) break;
      used += control->TotalWidth();
      ++i;
      continue;
    }
    if (Text[i] == ObjectChar) {
      if (TFloatingObj* object = FloatingObjects().FindAt(i)) {
        if (!object->Floats()) {
          if (used + object->TotalWidth() > available) break;
          used += object->TotalWidth();
          lineImageHeight = std::max(lineImageHeight, object->TotalHeight());
          ++i;
          continue;
        }
        if (L.Placed.count(object) == 0) {
          // Placed at or below the last float; the line starts again beside it.
          int floatY = std::max(L.FloatY, L.Y);
          const int width = object->TotalWidth();
          const int height = object->TotalHeight();
          int boxX = 0;
          if (object->FloatSide == AlignLeft) {
            boxX = L.Indents.PlaceLeft(floatY, width, used, textHeight);
            L.Indents.ReserveLeft(floatY, floatY + height, width);
          } else {
            boxX = L.Indents.PlaceRight(floatY, width, used, textHeight);
            L.Indents.ReserveRight(floatY, floatY + height, width);
          }
          object->FloatLeft = boxX + object->SpaceLeft - L.X;
          object->DrawTop = floatY + object->SpaceTop;
          L.FloatY = floatY;
          L.LowestImageBottom = std::max(L.LowestImageBottom, floatY + height);
          L.Placed.insert(object);
          lineImageHeight = std::max(lineImageHeight, object->BoxHeight);
          left = L.Indents.LeftEdgeAt(L.Y) + (L.FirstLine ? L.FirstIndent : 0);
          available = L.Indents.RightEdgeAt(L.Y) - left;
          used = 0;
          textHeight = 0;
          i = start;
          continue;
        }
        ++i;
        continue;
      }
    }
    const int pieceEnd = PieceEnd(i, end);
    int index = 0;
    const TFontObj* run = Fonts.RunAt(i, index);
    textHeight = std::max(textHeight, run->LineExtent);
    TDeviceContext& dc = SelectRunFont(L.Canvas, *run->RunFont);
    int pieceWidth = 0;
    int fitted = FitPiece(dc, i, pieceEnd, available - used - run->ItalicOverhang, run->RunFont->AverageWidth,
                          pieceWidth);
    if (fitted > 0 && BreakCodes[static_cast<size_t>(i + fitted - 1)] == BreakSoftHyphen &&
        used + pieceWidth + run->ItalicOverhang + HyphenWidth(L.Canvas, *run) > available) {
      fitted = CharStartOf(Text, i + fitted - 1) - i;  // the whole last character goes
    }
    if (fitted < pieceEnd - i) {
      i += fitted;
      break;
    }
    used += pieceWidth + run->ItalicOverhang;
    i = pieceEnd;
  }
  const int count = i - start;
  return forced && i == end ? count + 1 : count;
}

// The count of the line when not everything fits: count characters fit.
int TSection::ChooseBreak(TLineLayout& L, int start, int count, bool& retry) {
  const int length = static_cast<int>(Text.size());
  const int last = start + count - 1;  // never the first half of a pair
  const int next = start + count;
  const Char lastChar = Text[last];
  const char lastCode = BreakCodes[static_cast<size_t>(last)];
  auto afterSpaces = [&](int k) {
    while (k < length && Text[k] == u' ') ++k;
    return k;
  };

  if (((lastChar == u' ' || lastChar == FormControlChar || lastChar == ObjectChar ||
        IsAboveCjkLimit(Text, last)) && lastCode != BreakNo) || lastChar == ForcedBreakChar)
    return afterSpaces(next) - start;
  if (Text[next] == u' ' && BreakCodes[static_cast<size_t>(next)] != BreakNo) return afterSpaces(next) - start;
  if ((Text[next] == FormControlChar || Text[next] == ObjectChar) && lastCode != BreakNo) return count;

  // Back to the last place where a break is allowed.
  int k = last;
  for (; k >= start; --k) {
    const char code = BreakCodes[static_cast<size_t>(k)];
    if (code == BreakNo) continue;
    if (code == BreakAfter || code == BreakSoftHyphen || IsBreakCharAt(Text, k) || BreaksBeforeAt(Text, k + 1)) break;
  }
  const bool startsWithObject = (Text[start] == FormControlChar || Text[start] == ObjectChar) &&
                                BreakCodes[static_cast<size_t>(start)] != BreakNo;
  if (k > start || (k == start && startsWithObject)) return afterSpaces(k + 1) - start;

  if (BreakWord) return count;

  // The word is longer than the line: it goes whole, below a float that narrows the line.
  int w = last;
  while (w < length - 1) {
    const Char c = Text[w];
    const char code = BreakCodes[static_cast<size_t>(w)];
    if (StaysBeforeBreak(c) || code == BreakAfter || code == BreakSoftHyphen) break;
    const int s = w + 1;
    const Char n = Text[s];
    if (BreakCodes[static_cast<size_t>(s)] != BreakNo &&
        (n == FormControlChar || n == ObjectChar || n == ForcedBreakChar || n == u' ' || BreaksBeforeAt(Text, s)))
      break;
    ++w;
  }
  int end = afterSpaces(w + 1);
  if (end < length && Text[end] == ForcedBreakChar) ++end;
  const int floatBottom = L.Indents.NextFloatBottom(L.Y);
  if (floatBottom > L.Y) {
    EmitEmptyLine(L, start, floatBottom - L.Y);
    retry = true;
    return 0;
  }
  L.MaxWidth = std::max(L.MaxWidth, TextWidthOf(L.Canvas, start, end - start, true));
  return end - start;
}

void TSection::FinishLine(TLineLayout& L, int start, int count, int lineImageHeight, bool lastLine) {
  const int length = static_cast<int>(Text.size());
  const int end = start + count;
  auto line = std::make_unique<LineRec>();
  line->Start = start;

  // A blank line of preformatted text (nothing but the final space) keeps its font's height.
  bool empty = !(count == 1 && Text[start] == ForcedBreakChar) && !(Preformatted && length == 1);
  for (int k = start; k < end && empty; ++k) {
    const Char c = Text[k];
    if (!(c == FormControlChar || c == ObjectChar || c == ForcedBreakChar || (c == u' ' && k == length - 1)))
      empty = false;
  }
  int fontHeight = 0;
  int descent = 0;
  int runIndex = 0;
  Fonts.RunAt(start, runIndex);
  const int firstRun = std::max(runIndex, 0);
  auto forEachRunOfLine = [&](auto&& f) {
    for (int r = firstRun; r < Fonts.Count(); ++r) {
      TFontObj* run = Fonts.Items(r);
      if (r > firstRun && run->StartPos >= end) break;
      f(*run);
    }
  };
  if (!empty)
    forEachRunOfLine([&](TFontObj& run) {
      int runDescent = 0;
      fontHeight = std::max(fontHeight, run.ExtentAndDescent(runDescent));
      descent = std::max(descent, runDescent);
    });
  line->LineHeight = fontHeight;
  line->Descent = descent;

  if (LineHeight >= 0) {
    const int surplus = LineHeight - fontHeight;
    if (surplus > 0) {
      line->SpaceBefore = surplus;
    } else {
      line->SpaceBefore = surplus / 2;
      line->SpaceAfter = surplus - surplus / 2;
    }
  }

  for (int k = IndexAtOrAfter(FloatingObjects(), start); k < FloatingObjects().Count(); ++k) {
    TFloatingObj* object = FloatingObjects().Items(k);
    if (object->CharPos >= end) break;
    if (object->Floats()) continue;
    object->DrawTop = L.Y;
    const int height = object->TotalHeight();
    switch (object->VertAlignKind) {
      case AlignTop:
        line->SpaceAfter = std::max(line->SpaceAfter, height - line->LineHeight);
        break;
      case AlignMiddle: {
        if (line->LineHeight == 0) {
          int index = 0;
          line->LineHeight = Fonts.RunAt(object->CharPos, index)->LineExtent;
        }
        const int below = (height - line->LineHeight) / 2;
        line->SpaceAfter = std::max(line->SpaceAfter, below);
        line->SpaceBefore = std::max(line->SpaceBefore, height - line->LineHeight - below);
        break;
      }
      default:
        line->SpaceBefore = std::max(line->SpaceBefore, height + line->Descent - line->LineHeight);
        break;
    }
  }

  for (int k = IndexAtOrAfter(FormControls(), start); k < FormControls().Count(); ++k) {
    TFormControlObj& control = *FormControls().Items(k);
    if (control.CharPos >= end) break;
    const int height = control.GetHeight(), textHeight = line->LineHeight;
    const int margins = control.VSpaceTop + control.VSpaceBottom;
    switch (control.VerticalAlign) {
      case AlignTop:
        line->SpaceAfter = std::max(line->SpaceAfter, height + margins - textHeight);
        break;
      case AlignMiddle: {
        const int d = (height - textHeight) / 2;
        line->SpaceAfter = std::max(line->SpaceAfter, control.VSpaceBottom + d);
        line->SpaceBefore = std::max(line->SpaceBefore, height - textHeight - d + control.VSpaceTop);
        break;
      }
      case AlignBaseline:
        line->SpaceBefore = std::max(line->SpaceBefore, height + margins + line->Descent - textHeight);
        break;
      default:
        line->SpaceBefore = std::max(line->SpaceBefore, height + margins - textHeight);
        break;
    }
    if (!Document->IsCopy) control.YValue = L.Y;
  }

  if (!Document->IsCopy) forEachRunOfLine([&](TFontObj& run) { SetLinkTop(run, L.Y); });

  line->CharCount = count;
  line->Hyphenated = BreakCodes[static_cast<size_t>(end - 1)] == BreakSoftHyphen;

  const int left = L.Indents.LeftEdgeAt(L.Y) + (L.FirstLine ? L.FirstIndent : 0);
  const int right = L.Indents.RightEdgeAt(L.Y);
  int width = TextWidthOf(L.Canvas, start, count, true);
  if (line->Hyphenated) {
    int index = 0;
    width += HyphenWidth(L.Canvas, *Fonts.RunAt(end - 1, index));
  }
  TextWidth = std::max(TextWidth, width);

  switch (Justify) {
    case 2:
      line->LineIndent = (right + left - width) / 2 - L.X;
      break;
    case 3:
      line->LineIndent = right - L.X - width;
      break;
    default:
      line->LineIndent = left - L.X;
      break;
  }
  if (Justify == 4 && !lastLine) {
    // Spaces at the end of the line are not drawn, so they take no share.
    int textEnd = end;
    while (textEnd > start && (Text[textEnd - 1] == u' ' || Text[textEnd - 1] == ForcedBreakChar)) --textEnd;
    line->SpaceCount = static_cast<int>(std::count(Text.begin() + start, Text.begin() + textEnd, u' '));
    line->ExtraWidth = line->SpaceCount > 0 ? std::max(0, right - left - width) : 0;
  }
  line->AvailableWidth = right - left;
  line->BordersPending = Document->InlineList.Count() > 0;  // its border boxes are made at the first paint

  const int total = line->TotalHeight();
  line->DrawHeight = std::max(lineImageHeight, total);
  SectionHeight = ClampFlowY(int64_t{SectionHeight} + total);
  L.Y = ClampFlowY(int64_t{L.Y} + total);
  L.FirstLine = false;
  Lines.push_back(std::move(line));
}
