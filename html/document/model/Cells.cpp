#include "html/document/model/Cells.h"

#include <algorithm>

#include "html/document/model/Document.h"
#include "html/foundation/css/DocumentLimits.h"

TCellBasic::TCellBasic(ThtDocument* document) : Document(document) {}

TCellBasic::TCellBasic(ThtDocument* document, const TCellBasic& source) : Document(document) {
  TagName = source.TagName;
  for (int i = 0; i < source.Count(); ++i) AddSection(source.Items(i)->CreateCopy(document), 0);
}

void TCellBasic::AddTakenOver(std::vector<std::unique_ptr<TSectionBase>> sections) {
  for (std::unique_ptr<TSectionBase>& section : sections) {
    AddSection(section->TakeCopy(Document), 0);
    section.reset();
  }
}

void TCellBasic::AddSection(TSectionBase* section, int endSourcePosition) {
  if (!section) return;
  section->CloseText(endSourcePosition);
  if (section->IsEmptyText()) {
    delete section;  // leaves the link and id lists on its way out
    return;
  }
  Add(section);
  section->Document = Document;
}

bool TCellBasic::DropLastDefaultBottomMargin() {
  for (int i = Count() - 1; i >= 0; --i)
    if (const std::optional<bool> dropped = Items(i)->DropDefaultBottomMargin()) return *dropped;
  return false;
}

bool TCellBasic::ObjectAt(int x, int y, TIDObject*& object) {
  object = nullptr;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->ObjectAt(x, y, object)) return true;
  return false;
}

int TCellBasic::FindCursor(TCanvas& canvas, int x, int y, bool& onText, int& lineHeight, int& lineTop,
                           int& cursorX) {
  for (int i = 0; i < Count(); ++i) {
    const int result = Items(i)->FindCursor(canvas, x, y, onText, lineHeight, lineTop, cursorX);
    if (result >= 0) return result;
  }
  return -1;
}

int TCellBasic::CursorToSource(int cursor) {
  for (int i = 0; i < Count(); ++i) {
    const int result = Items(i)->CursorToSource(cursor);
    if (result >= 0) return result;
  }
  return -1;
}

int TCellBasic::FindString(int fromCursor, const String& text, bool matchCase) {
  for (int i = 0; i < Count(); ++i) {
    const int result = Items(i)->FindString(fromCursor, text, matchCase);
    if (result >= 0) return result;
  }
  return -1;
}

int TCellBasic::FindStringBack(int fromCursor, const String& text, bool matchCase) {
  for (int i = Count() - 1; i >= 0; --i) {
    const int result = Items(i)->FindStringBack(fromCursor, text, matchCase);
    if (result >= 0) return result;
  }
  return -1;
}

void TCellBasic::AddToPositionList() {
  for (int i = 0; i < Count(); ++i) Items(i)->AddToPositionList();
}

bool TCellBasic::CharAt(int cursor, Char& ch, TIDObject*& object) {
  ch = 0;
  object = nullptr;
  if (cursor < StartCursor || cursor > StartCursor + CursorLength) return false;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->CharAt(cursor, ch, object)) return true;
  return false;
}

void TCellBasic::CopySelection() {
  if (!Document || Document->SelectionStart >= Document->SelectionEnd) return;
  for (int i = 0; i < Count(); ++i) {
    TSectionBase* section = Items(i);
    if (section->StartCursor >= Document->SelectionEnd) break;
    if (section->StartCursor + section->CursorLength > Document->SelectionStart) section->CopySelection();
  }
}

int TCellBasic::Layout(TCanvas& canvas, int y, int& cursor, int& maxWidth, int availableHeight,
                       int containingHeight, int availableWidth) {
  CellTop = y;
  StartCursor = cursor;
  maxWidth = 0;
  int height = 0;
  int i = 0;
  while (i < Count()) {
    TSectionBase* section = Items(i);
    int sectionMax = 0;
    try {
      height = ClampFlowY(int64_t{height} + section->Layout(canvas, 0, cursor, sectionMax, *IndentManager,
                                                            availableHeight, containingHeight, availableWidth, 0, 0,
                                                            ClampFlowY(int64_t{y} + height)));
    } catch (const EProcessError&) {
      Delete(i);
      continue;
    }
    maxWidth = std::max(maxWidth, sectionMax);
    ++i;
  }
  CursorLength = cursor - StartCursor;
  return height;
}

int TCellBasic::Draw(TCanvas& canvas, const TRect& clip, int, int x, int y, int xRef, int yRef) {
  int bottom = y;
  for (int i = 0; i < Count(); ++i) bottom = Items(i)->Draw(canvas, clip, *IndentManager, x, xRef, yRef);
  return bottom;
}

int TCellBasic::UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
                      std::unique_ptr<TUrlTarget>& target) {
  title.clear();
  control = nullptr;
  target.reset();
  for (int i = 0; i < Count(); ++i) {
    title.clear();
    const int flags = Items(i)->UrlAt(canvas, x, y, title, control, target);
    if (flags != 0) return flags;
  }
  return 0;
}

void TCellBasic::MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  minWidth = maxWidth = 0;
  for (int i = 0; i < Count(); ++i) {
    int sectionMin = 0, sectionMax = 0;
    Items(i)->MinMaxWidth(canvas, sectionMin, sectionMax);
    minWidth = std::max(minWidth, sectionMin);
    maxWidth = std::max(maxWidth, sectionMax);
  }
}

TCell::TCell(ThtDocument* document) : TCellBasic(document) { IndentManager = &ownIndents_; }

TCell::TCell(ThtDocument* document, const TCell& source) : TCellBasic(document, source) {
  IndentManager = &ownIndents_;
}

namespace {
// The cell's own edges and ownership of the indent manager, for the time of one layout.
class TCellEdges {
 public:
  TCellEdges(TIndentManager& indents, const void* owner, int width, int y)
      : indents_(indents), previousOwner_(indents.CurrentOwner) {
    indents_.CurrentOwner = owner;
    left_ = indents_.PushLeftBlock(0, y);
    right_ = indents_.PushRightBlock(width, y);
  }
  ~TCellEdges() {
    indents_.DropLeft(left_);
    indents_.DropRight(right_);
    indents_.CurrentOwner = previousOwner_;
  }
  TCellEdges(const TCellEdges&) = delete;
  TCellEdges& operator=(const TCellEdges&) = delete;

 private:
  TIndentManager& indents_;
  const void* previousOwner_;
  int left_ = 0, right_ = 0;
};
}  // namespace

int TCell::Layout(TCanvas& canvas, int y, int& cursor, int& maxWidth, int availableHeight, int containingHeight,
                  int availableWidth) {
  TIndentManager& indents = *IndentManager;
  indents.BeginLayout(0, availableWidth);
  int height = 0;
  {
    TCellEdges edges(indents, this, availableWidth, y);
    height = TCellBasic::Layout(canvas, y, cursor, maxWidth, availableHeight, containingHeight, availableWidth);
  }
  height = std::max(height, indents.LowestFloatBottom() - CellTop);
  indents.FreeEmptyLists();
  return height;
}

void TCell::BeginDraw(int width, int x, int y) {
  IndentManager->MoveOrigin(x);
  IndentManager->AreaWidth = width;
  DrawYY = y;
}

int TCell::Draw(TCanvas& canvas, const TRect& clip, int width, int x, int y, int xRef, int yRef) {
  BeginDraw(width, x, y);
  return TCellBasic::Draw(canvas, clip, width, x, y, xRef, yRef);
}

int TBlockCell::DoLayout(TCanvas& canvas, int x, int& cursor, int& maxWidth, int containingHeight,
                         int blockHeight, int contentWidth, int originY, int originX, int y, bool clipsOverflow) {
  CellTop = y;
  StartCursor = cursor;
  TotalHeight = MaxTextWidth = MaxSectionBottom = MaxDrawBottom = 0;
  MinDrawTop = NoDrawTopYet;
  int widest = 0;
  for (int i = 0; i < Count(); ++i) {
    TSectionBase* section = Items(i);
    int sectionMax = 0;
    TotalHeight =
        ClampFlowY(int64_t{TotalHeight} + section->Layout(canvas, x, cursor, sectionMax, *IndentManager,
                                                          containingHeight, blockHeight, contentWidth, originY,
                                                          originX, ClampFlowY(int64_t{y} + TotalHeight)));
    widest = std::max(widest, sectionMax);
    MaxTextWidth = std::max(MaxTextWidth, section->WidestLine());
    if (!section->IsAbsolute()) MaxSectionBottom = std::max(MaxSectionBottom, section->SectionBottom);
    MinDrawTop = std::min(MinDrawTop, section->DrawTop);
    MaxDrawBottom = std::max(MaxDrawBottom, section->DrawBottom);
  }
  maxWidth = clipsOverflow ? contentWidth : widest;
  CursorLength = cursor - StartCursor;
  return TotalHeight;
}

TCellObjCell::TCellObjCell(ThtDocument* document, const TCellObjCell& source)
    : TCell(document, source), HotRect(source.HotRect) {
  if (source.linkTexts_) linkTexts_ = std::make_unique<TCellLinkTexts>(*source.linkTexts_);
}

TCellLinkTexts& TCellObjCell::LinkTexts() {
  if (!linkTexts_) linkTexts_ = std::make_unique<TCellLinkTexts>();
  return *linkTexts_;
}

const String& TCellObjCell::NoText() {
  static const String empty;
  return empty;
}
