// Hit tests over a text section's laid-out lines, and the mapping between points, cursor
// positions and source positions. A position never falls between the halves of a pair.
#include <algorithm>

#include "html/document/floats/ImageObj.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/forms/InputControls.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/foundation/shared/ImageMaps.h"
#include "platform/rtl/IntConvert.h"

namespace {

// A point this far left or right of a line still finds a cursor on it.
constexpr int LineSlack = 10;

// The units of the whole characters from the line's start whose running width stays within
// width.
int UnitsThatFit(const String& text, int lineStart, const std::vector<int>& advances, int width) {
  const int count = static_cast<int>(advances.size());
  int used = 0, k = 0;
  while (k < count) {
    const int units = std::min(CharUnitsAt(text, lineStart + k), count - k);
    int advance = 0;
    for (int u = 0; u < units; ++u) advance += advances[static_cast<size_t>(k + u)];
    if (used + advance > width) break;
    used += advance;
    k += units;
  }
  return k;
}

int WidthOf(const std::vector<int>& advances, int count) {
  int width = 0;
  for (int k = 0; k < count && k < static_cast<int>(advances.size()); ++k) width += advances[static_cast<size_t>(k)];
  return width;
}

}  // namespace

int TSection::UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
                    std::unique_ptr<TUrlTarget>& target) {
  title.clear();
  control = nullptr;
  target.reset();
  TImageObj* image = nullptr;
  TMapItem* map = nullptr;
  bool usesMap = false, isMap = false;
  int position = 0, imageY = 0, imageX = 0;
  if (FloatingObjects().HitImageMap(x, y, image, map, usesMap, isMap, position, imageY, imageX)) {
    int flags = 0;
    Document->HoverImage = image;
    const String& text = !image->TitleText.empty() ? image->TitleText : image->AltText;
    if (!text.empty()) {
      title = text;
      flags |= UrlAtTitle;
    }
    if (image->FormControl) {
      control = image->FormControl;
      if (auto* imageControl = dynamic_cast<TImageFormControlObj*>(control)) {
        imageControl->ClickX = imageX;
        imageControl->ClickY = imageY;
      }
      return flags | UrlAtFormControl;
    }
    if (map) {
      String areaTitle;
      if (map->HitTest(imageX, imageY, target, areaTitle)) {
        flags |= UrlAtLink;
        if (!areaTitle.empty()) {
          title = areaTitle;
          flags |= UrlAtTitle;
        }
      }
      return flags;
    }
    int index = 0;
    TFontObj* run = Fonts.RunAt(position, index);
    if (run && !run->GetUrl().empty()) {
      target = std::make_unique<TUrlTarget>(*run->LinkTarget);
      if (isMap) target->LinkUrl += u"?" + IntToStr(imageX) + u"," + IntToStr(imageY);
      Document->HoverLink = run;
      flags |= UrlAtLink;
    }
    return flags;
  }

  for (const auto& line : Lines) {
    if (!(line->DrawY < y && y <= line->DrawY + line->LineHeight)) continue;
    if (x < line->DrawX) return 0;
    const std::vector<int> advances = LineAdvances(canvas, *line);
    const int n = UnitsThatFit(Text, line->Start, advances, x - line->DrawX);
    if (n >= line->CharCount) return 0;
    const int at = line->Start + n;
    if (Text[at] == ObjectChar) return 0;
    int index = 0;
    TFontObj* run = Fonts.RunAt(at, index);
    if (!run) return 0;
    int flags = 0;
    if (!run->GetUrl().empty()) {
      target = std::make_unique<TUrlTarget>(*run->LinkTarget);
      Document->HoverLink = run;
      flags |= UrlAtLink;
    }
    if (!run->RunTitle().empty()) {
      title = run->RunTitle();
      flags |= UrlAtTitle;
    }
    return flags;
  }
  return 0;
}

bool TSection::ObjectAt(int x, int y, TIDObject*& object) {
  int imageY = 0, imageX = 0;
  TImageObj* image = nullptr;
  if (!FloatingObjects().HitImage(x, y, imageY, imageX, image)) return false;
  object = image;
  return true;
}

int TSection::FindCursor(TCanvas& canvas, int x, int y, bool& onText, int& lineHeight, int& lineTop, int& cursorX) {
  onText = false;
  if (y <= ContentTop) return -1;
  int top = ContentTop, before = 0;
  const LineRec* found = nullptr;
  for (const auto& line : Lines) {
    if (y < top + line->TotalHeight()) {
      found = line.get();
      break;
    }
    top += line->TotalHeight();
    before += line->CharCount;
  }
  if (!found) return -1;
  const LineRec& line = *found;
  if (x < line.DrawX - LineSlack || x > line.DrawX + line.AvailableWidth + LineSlack) return -1;
  onText = true;
  lineHeight = line.LineHeight;
  lineTop = top + line.SpaceBefore;
  if (x < line.DrawX) {
    onText = false;
    cursorX = line.DrawX;
    return StartCursor + before;
  }
  const std::vector<int> advances = LineAdvances(canvas, line);
  int n = UnitsThatFit(Text, line.Start, advances, x - line.DrawX);
  cursorX = line.DrawX + WidthOf(advances, n);
  if (n < line.CharCount) {
    const int units = std::min(CharUnitsAt(Text, line.Start + n), line.CharCount - n);
    const int advance = WidthOf(std::vector<int>(advances.begin() + n, advances.begin() + n + units), units);
    if (x > cursorX + advance / 2) {
      n += units;
      cursorX += advance;
    }
  }
  if (n >= line.CharCount) onText = false;
  return StartCursor + before + n;
}

bool TSection::CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) {
  if (Lines.empty() || CursorLength <= 0 || cursor < StartCursor || cursor > StartCursor + CursorLength) return false;
  int remaining = CharStartOf(Text, std::min(cursor - StartCursor, static_cast<int>(Text.size())));
  int top = ContentTop;
  for (const auto& line : Lines) {
    if (line->CharCount > remaining) {
      x = line->DrawX + WidthOf(LineAdvances(canvas, *line), remaining);
      y = top;
      return true;
    }
    remaining -= line->CharCount;
    top += line->TotalHeight();
  }
  return false;
}

int TSection::CursorToSource(int cursor) {
  if (Text.empty() || cursor < StartCursor || cursor >= StartCursor + CursorLength || SourceRuns.empty()) return -1;
  const int d = cursor - StartCursor;
  auto run = std::upper_bound(SourceRuns.begin(), SourceRuns.end(), d,
                              [](int value, const IndexObj& r) { return value < r.CharIndex; });
  if (run == SourceRuns.begin()) return -1;
  --run;
  return run->SourcePosition + (d - run->CharIndex);
}

int TSection::SourceToCursor(int sourcePosition, bool backward) {
  const int length = static_cast<int>(Text.size());
  if (length == 0 || SourceRuns.empty()) return -1;
  const size_t count = SourceRuns.size();
  // The source position of the last character of run k.
  auto lastSourceOf = [&](size_t k) {
    const int end = k + 1 < count ? SourceRuns[k + 1].CharIndex : length;
    return SourceRuns[k].SourcePosition + (end - 1 - SourceRuns[k].CharIndex);
  };
  const int lastSource = lastSourceOf(count - 1);
  if (!backward) {
    if (sourcePosition > lastSource) return -1;
    if (sourcePosition <= SourceRuns[0].SourcePosition) return StartCursor;
  } else {
    if (sourcePosition < SourceRuns[0].SourcePosition) return -1;
    if (sourcePosition > lastSource) return StartCursor + CharStartOf(Text, length - 1);
  }
  for (size_t k = 0; k < count; ++k) {
    const IndexObj& run = SourceRuns[k];
    const int runLast = lastSourceOf(k);
    if (sourcePosition >= run.SourcePosition && sourcePosition <= runLast)
      return StartCursor + CharStartOf(Text, run.CharIndex + (sourcePosition - run.SourcePosition));
    if (k + 1 < count && sourcePosition > runLast && sourcePosition < SourceRuns[k + 1].SourcePosition) {
      // In the gap between two runs.
      const int index = backward ? SourceRuns[k + 1].CharIndex - 1 : SourceRuns[k + 1].CharIndex;
      return StartCursor + CharStartOf(Text, index);
    }
  }
  return -1;
}

bool TSection::CharAt(int cursor, Char& ch, TIDObject*& object) {
  object = nullptr;
  const int index = cursor - StartCursor;
  if (index < 0 || index >= static_cast<int>(Text.size())) return false;
  ch = Text[static_cast<size_t>(index)];
  object = this;
  return true;
}
