// Measuring the characters of a text section: widths, how many fit, and the narrowest and
// widest the section can be laid out.
#include <algorithm>
#include <string_view>

#include "html/document/floats/FloatingObj.h"
#include "html/document/forms/FormControlObj.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/inline/RunFont.h"
#include "html/document/inline/Section.h"
#include "html/document/model/PlaceholderLookup.h"
#include "html/foundation/css/DocumentLimits.h"
#include "platform/gdi/canvas/Canvas.h"

namespace {

std::u16string_view Slice(const String& text, int from, int to) {
  return std::u16string_view(text).substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

}  // namespace

// The end of the piece that starts at from: the next font run or object, at most end.
int TSection::PieceEnd(int from, int end) const {
  int pieceEnd = std::min(end, from + Fonts.RunLengthAt(from, static_cast<int>(Text.size())));
  const int distance = FloatingObjects().DistanceToNext(from);
  if (distance > 0 && distance != NothingFollows) pieceEnd = std::min(pieceEnd, from + distance);
  const int next = IndexAtOrAfter(FormControls(), from + 1);
  if (next < FormControls().Count()) pieceEnd = std::min(pieceEnd, FormControls().Items(next)->CharPos);
  return std::max(pieceEnd, from + 1);
}

TFormControlObj* TSection::ControlAt(int i) const {
  return Text[static_cast<size_t>(i)] == FormControlChar ? FormControls().ControlAt(i) : nullptr;
}

// Measured in slices a little longer than the width can hold, so that a long text costs no
// more than the part that fits; a slice never ends inside a surrogate pair.
int TSection::FitPiece(TDeviceContext& dc, int from, int to, int width, int averageWidth, int& used) const {
  used = 0;
  int position = from;
  while (position < to) {
    const int room = width - used;
    if (room < 0) break;  // (a negative extent would let everything fit)
    const int estimate = room / std::max(1, averageWidth) + 16;
    int stop = std::min(to, position + estimate);
    if (stop < to && IsPairTail(Text, stop)) ++stop;
    const TTextFit fit = dc.GetTextExtentExPoint(Slice(Text, position, stop), room);
    if (fit.Fit < stop - position) {
      if (fit.Fit > 0) used += fit.PartialExtents[static_cast<size_t>(fit.Fit - 1)];
      return position + fit.Fit - from;
    }
    used += fit.Extent.cx;
    position = stop;
  }
  return position - from;
}

int TSection::HyphenWidth(TCanvas& canvas, const TFontObj& run) const {
  return SelectRunFont(canvas, *run.RunFont).GetTextExtentPoint32(u"-").cx;
}

int TSection::TextWidthOf(TCanvas& canvas, int start, int count, bool ignoreTrailing) const {
  const int length = static_cast<int>(Text.size());
  start = std::clamp(start, 0, length);
  int end = std::clamp(start + std::max(count, 0), start, length);
  if (ignoreTrailing)
    while (end > start && (Text[end - 1] == ForcedBreakChar || Text[end - 1] == u' ')) --end;
  int width = 0;
  int i = start;
  while (i < end) {
    if (const TFormControlObj* control = ControlAt(i)) {
      width = ClampFlowX(int64_t{width} + control->TotalWidth());
      ++i;
      continue;
    }
    if (Text[i] == ObjectChar) {
      if (const TFloatingObj* object = FloatingObjects().FindAt(i)) {
        if (!object->Floats()) width = ClampFlowX(int64_t{width} + object->TotalWidth());
        ++i;
        continue;
      }
    }
    const int pieceEnd = PieceEnd(i, end);
    int index = 0;
    const TFontObj* run = Fonts.RunAt(i, index);
    width = ClampFlowX(int64_t{width} +
                       SelectRunFont(canvas, *run->RunFont).GetTextExtentPoint32(Slice(Text, i, pieceEnd)).cx +
                       run->ItalicOverhang);
    i = pieceEnd;
  }
  return width;
}

int TSection::CountThatFits(TCanvas& canvas, int width, int maxCount, int start) {
  if (fitCache_.Start == start && fitCache_.Width == width && fitCache_.MaxCount == maxCount)
    return fitCache_.Answer;
  const int length = static_cast<int>(Text.size());
  const int end = std::clamp(start + maxCount, start, length);
  int used = 0;
  int i = start;
  while (i < end) {
    if (const TFormControlObj* control = ControlAt(i)) {
      if (used + control->TotalWidth() > width) break;
      used += control->TotalWidth();
      ++i;
      continue;
    }
    if (Text[i] == ObjectChar) {
      if (const TFloatingObj* object = FloatingObjects().FindAt(i)) {
        if (!object->Floats()) {
          if (used + object->TotalWidth() > width) break;
          used += object->TotalWidth();
        }
        ++i;
        continue;
      }
    }
    const int pieceEnd = PieceEnd(i, end);
    int index = 0;
    const TFontObj* run = Fonts.RunAt(i, index);
    TDeviceContext& dc = SelectRunFont(canvas, *run->RunFont);
    int pieceWidth = 0;
    const int fitted =
        FitPiece(dc, i, pieceEnd, width - used - run->ItalicOverhang, run->RunFont->AverageWidth, pieceWidth);
    if (fitted < pieceEnd - i) {
      i += fitted;
      break;
    }
    used += pieceWidth + run->ItalicOverhang;
    i = pieceEnd;
  }
  fitCache_ = {start, width, maxCount, i - start};
  return i - start;
}

void TSection::MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  // Controls are sized again before every layout: only text alone keeps its cached widths.
  if (CachedMinWidth >= 1 && FloatingObjects().Count() == 0 && FormControls().Count() == 0) {
    minWidth = CachedMinWidth;
    maxWidth = CachedMaxWidth;
    return;
  }
  minWidth = 0;
  maxWidth = 0;
  for (int k = 0; k < FloatingObjects().Count(); ++k) {
    TFloatingObj* object = FloatingObjects().Items(k);
    int index = 0;
    object->MeasureBox(canvas, 0, 0, Fonts.RunAt(object->CharPos, index));
    if (object->WidthIsPercent) continue;
    if (!object->Floats()) {
      minWidth = std::max(minWidth, object->BoxWidth);
    } else {
      maxWidth = ClampFlowX(int64_t{maxWidth} + object->TotalWidth());
      minWidth = std::max(minWidth, object->TotalWidth());
      if (object->CharPos >= 0 && object->CharPos < static_cast<int>(BreakCodes.size()))
        BreakCodes[static_cast<size_t>(object->CharPos)] = BreakYes;
    }
  }

  for (int k = 0; k < FormControls().Count(); ++k) {
    const TFormControlObj& control = *FormControls().Items(k);
    if (!control.PercentWidth) minWidth = std::max(minWidth, control.TotalWidth());
  }

  // The widest stretch between forced breaks.
  const int length = static_cast<int>(Text.size());
  int pieceStart = 0;
  for (int i = 0; i <= length; ++i) {
    if (i < length && Text[i] != ForcedBreakChar) continue;
    int width = TextWidthOf(canvas, pieceStart, i - pieceStart, i == length);
    if (pieceStart == 0) {
      if (FirstLineIndentPercent != 0)
        width = ClampFlowX(int64_t{width} * 100 / (100 - FirstLineIndentPercent));
      else
        width += FirstLineIndent;
    }
    maxWidth = std::max(maxWidth, width);
    pieceStart = i + 1;
  }

  auto unitsAt = [&](int i) { return CharUnitsAt(Text, i); };
  auto codeOf = [&](int i) { return BreakCodes[static_cast<size_t>(i + unitsAt(i) - 1)]; };  // of the whole character
  auto isBreakChar = [&](int i) { return IsBreakCharAt(Text, i + unitsAt(i) - 1); };
  if (BreakWord) {
    for (int i = 0; i < length; i += unitsAt(i)) minWidth = std::max(minWidth, TextWidthOf(canvas, i, unitsAt(i), false));
  } else {
    // The widest word.
    int i = 0;
    while (i < length && Text[i] == u' ') ++i;
    while (i < length) {
      const Char c = Text[i];
      if (c == FormControlChar || c == ObjectChar || c == ForcedBreakChar || c == u' ') {
        ++i;
        continue;
      }
      int end = i + unitsAt(i);
      if (!(isBreakChar(i) && codeOf(i) == BreakYes)) {
        int j = i;
        while (true) {
          const int next = j + unitsAt(j);
          const char code = codeOf(j);
          if (code == BreakAfter || code == BreakSoftHyphen || next >= length) {
            end = next;
            break;
          }
          if ((isBreakChar(next) || BreaksBeforeAt(Text, next)) && codeOf(next) == BreakYes) {
            end = StaysBeforeBreak(Text[next]) ? next + 1 : next;
            break;
          }
          j = next;
        }
      }
      int width = TextWidthOf(canvas, i, end - i, false);
      const int last = CharStartOf(Text, end - 1);
      if (codeOf(last) == BreakSoftHyphen) {
        int index = 0;
        width += HyphenWidth(canvas, *Fonts.RunAt(last, index));
      }
      minWidth = std::max(minWidth, width);
      i = end;
    }
  }
  CachedMinWidth = minWidth;
  CachedMaxWidth = maxWidth;
}
