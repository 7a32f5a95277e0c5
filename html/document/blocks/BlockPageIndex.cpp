// Drawing a block's content for one page of a printing copy without walking the whole draw
// list. The copy is laid out once and drawn page by page; most sections of a long document
// lie on other pages and their Draw returns at once, but walking (and sorting) every one for
// every page made paging cost pages x sections. Sections whose drawing and page breaks keep
// within rows known from the layout (text sections, plain blocks and list items that page
// within their extent) are found by position; every other section is drawn on every page.
#include <algorithm>
#include <limits>
#include <typeinfo>

#include "html/document/blocks/BlockPageIndex.h"
#include "html/document/blocks/ListItem.h"
#include "html/document/blocks/PreFormated.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"

namespace {
// Wider than the margins by which a text section (40 pixels) and a block (64 pixels) look
// beyond the page for what they draw.
constexpr int64_t kRowsMargin = 72;
// Draw lists shorter than this are walked whole.
constexpr size_t kIndexedLength = 16;
}  // namespace

bool TBlock::KeepsToRows(TSectionBase& section, int64_t& top, int64_t& bottom) {
  const std::type_info& type = typeid(section);
  if (type == typeid(TSection) || type == typeid(TPreFormated)) {
    // Draws its lines only when the section reaches into the page with its clip margin.
    top = int64_t{section.SectionTop} - kRowsMargin;
    bottom = int64_t{section.SectionTop} + section.DrawHeight + kRowsMargin;
    return true;
  }
  if (type != typeid(TBlock) && type != typeid(TBlockLI)) return false;
  auto& block = static_cast<TBlock&>(section);
  if (!block.IsStatic() || block.Floats() || block.PageBreakBefore || block.PageBreakAfter ||
      block.PageBreakInside || !block.PagesWithinItsExtent())
    return false;
  // The extent TBlock::Draw pages within, the border box, and a list item's marker.
  top = std::min({int64_t{block.SectionTop}, int64_t{block.DrawTop},
                  int64_t{block.SectionTop} + block.ClearDrop + block.BoxAt(MarginTop)}) -
        kRowsMargin;
  bottom = std::max({int64_t{block.SectionBottom}, int64_t{block.DrawBottom},
                     int64_t{block.SectionTop} + block.DrawHeight,
                     int64_t{block.SectionBottom} - block.BoxAt(MarginBottom)}) +
           kRowsMargin;
  if (type == typeid(TBlockLI)) {
    const int64_t baseline = static_cast<TBlockLI&>(block).FirstBaseline;
    if (baseline > 0) {
      top = std::min(top, baseline - kRowsMargin);
      bottom = std::max(bottom, baseline + kRowsMargin);
    }
  }
  return true;
}

void TBlock::BuildPageIndex() {
  if (!pageIndex_) pageIndex_ = std::make_unique<TPageIndex>();
  TPageIndex& index = *pageIndex_;
  const size_t n = DrawList.size();
  index.Pass = Document->LayoutPass;
  index.ReachDown.assign(n, std::numeric_limits<int64_t>::min());
  index.ReachUp.assign(n, std::numeric_limits<int64_t>::max());
  index.NextUnbounded.assign(n + 1, static_cast<uint32_t>(n));
  std::vector<int64_t> tops(n), bottoms(n);
  std::vector<bool> bounded(n);
  for (size_t i = 0; i < n; ++i) bounded[i] = KeepsToRows(*DrawList[i], tops[i], bottoms[i]);
  int64_t down = std::numeric_limits<int64_t>::min();
  for (size_t i = 0; i < n; ++i) {
    if (bounded[i]) down = std::max(down, bottoms[i]);
    index.ReachDown[i] = down;
  }
  int64_t up = std::numeric_limits<int64_t>::max();
  for (size_t i = n; i-- > 0;) {
    if (bounded[i]) up = std::min(up, tops[i]);
    index.ReachUp[i] = up;
    index.NextUnbounded[i] = bounded[i] ? index.NextUnbounded[i + 1] : static_cast<uint32_t>(i);
  }
}

void TBlock::DrawPagePart(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int contentX, int xRef,
                          int yRef) {
  // The list of this layout; sections are never freed between the layout and the pages.
  if (drawListPass_ != Document->LayoutPass || DrawList.size() != static_cast<size_t>(ContentCell->Count()))
    BuildDrawList();
  const size_t n = DrawList.size();
  if (n < kIndexedLength) {
    for (TSectionBase* section : DrawList) section->Draw(canvas, clip, indents, contentX, xRef, yRef);
    return;
  }
  if (!pageIndex_ || pageIndex_->Pass != Document->LayoutPass) BuildPageIndex();
  const TPageIndex& index = *pageIndex_;
  const int64_t pageTop = int64_t{clip.Top} + Document->YOffset;
  const int64_t pageBottom = int64_t{clip.Bottom} + Document->YOffset;
  // Entries before `first` end above the page, entries from `last` on begin below it.
  const size_t first =
      static_cast<size_t>(std::lower_bound(index.ReachDown.begin(), index.ReachDown.end(), pageTop) -
                          index.ReachDown.begin());
  const size_t last =
      static_cast<size_t>(std::lower_bound(index.ReachUp.begin(), index.ReachUp.end(), pageBottom) -
                          index.ReachUp.begin());
  auto next = [&](size_t from) {
    const size_t start = std::max(from, first);
    const size_t inRange = start < last ? start : n;
    return std::min(static_cast<size_t>(index.NextUnbounded[from]), inRange);
  };
  // A block that moves to the next page leaves SkipDraw for the next block drawn: the
  // entries after it are drawn one by one until one has taken it.
  for (size_t i = Document->SkipDraw ? 0 : next(0); i < n;) {
    DrawList[i]->Draw(canvas, clip, indents, contentX, xRef, yRef);
    ++i;
    if (!Document->SkipDraw) i = next(i);
  }
}
