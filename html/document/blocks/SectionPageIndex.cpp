// Drawing a block's content or a table cell's for one page of a printing copy without walking
// every section. The copy is laid out once and drawn page by page; most sections of a long
// document lie on other pages and their Draw returns at once, but walking (and sorting) every
// one for every page made paging cost pages x sections. Sections whose drawing and page
// breaks keep within rows known from the layout (text sections, plain blocks and list items
// that page within their extent) are found by position; every other section is drawn on
// every page.
#include <algorithm>
#include <limits>
#include <typeinfo>

#include "html/document/blocks/SectionPageIndex.h"

#include "html/document/blocks/Block.h"
#include "html/document/blocks/ListItem.h"
#include "html/document/blocks/PreFormated.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"

namespace {
// Wider than the margins by which a text section (40 pixels) and a block (64 pixels) look
// beyond the page for what they draw.
constexpr int64_t kRowsMargin = 72;
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

void TSectionPageIndex::Build(std::vector<TSectionBase*> sections, int32_t pass) {
  sections_ = std::move(sections);
  pass_ = pass;
  const size_t n = sections_.size();
  reachDown_.assign(n, std::numeric_limits<int64_t>::min());
  reachUp_.assign(n, std::numeric_limits<int64_t>::max());
  nextUnbounded_.assign(n + 1, static_cast<uint32_t>(n));
  std::vector<int64_t> tops(n), bottoms(n);
  std::vector<bool> bounded(n);
  for (size_t i = 0; i < n; ++i) bounded[i] = TBlock::KeepsToRows(*sections_[i], tops[i], bottoms[i]);
  int64_t down = std::numeric_limits<int64_t>::min();
  for (size_t i = 0; i < n; ++i) {
    if (bounded[i]) down = std::max(down, bottoms[i]);
    reachDown_[i] = down;
  }
  int64_t up = std::numeric_limits<int64_t>::max();
  for (size_t i = n; i-- > 0;) {
    if (bounded[i]) up = std::min(up, tops[i]);
    reachUp_[i] = up;
    nextUnbounded_[i] = bounded[i] ? nextUnbounded_[i + 1] : static_cast<uint32_t>(i);
  }
}

void TSectionPageIndex::DrawPage(ThtDocument& document, TCanvas& canvas, const TRect& clip, TIndentManager& indents,
                                 int x, int xRef, int yRef) const {
  const size_t n = sections_.size();
  if (n < IndexedLength) {
    for (TSectionBase* section : sections_) section->Draw(canvas, clip, indents, x, xRef, yRef);
    return;
  }
  const int64_t pageTop = int64_t{clip.Top} + document.YOffset;
  const int64_t pageBottom = int64_t{clip.Bottom} + document.YOffset;
  // Sections before `first` end above the page, sections from `last` on begin below it.
  const size_t first =
      static_cast<size_t>(std::lower_bound(reachDown_.begin(), reachDown_.end(), pageTop) - reachDown_.begin());
  const size_t last =
      static_cast<size_t>(std::lower_bound(reachUp_.begin(), reachUp_.end(), pageBottom) - reachUp_.begin());
  auto next = [&](size_t from) {
    const size_t start = std::max(from, first);
    const size_t inRange = start < last ? start : n;
    return std::min(static_cast<size_t>(nextUnbounded_[from]), inRange);
  };
  // A block that moves to the next page leaves SkipDraw for the next block drawn: the
  // sections after it are drawn one by one until one has taken it.
  for (size_t i = document.SkipDraw ? 0 : next(0); i < n;) {
    sections_[i]->Draw(canvas, clip, indents, x, xRef, yRef);
    ++i;
    if (!document.SkipDraw) i = next(i);
  }
}

void TBlock::DrawPagePart(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int contentX, int xRef,
                          int yRef) {
  // The list of this layout; sections are never freed between the layout and the pages.
  if (drawListPass_ != Document->LayoutPass || DrawList.size() != static_cast<size_t>(ContentCell->Count()))
    BuildDrawList();
  if (!pageIndex_) pageIndex_ = std::make_unique<TSectionPageIndex>();
  if (!pageIndex_->IsFor(Document->LayoutPass, DrawList.size())) pageIndex_->Build(DrawList, Document->LayoutPass);
  pageIndex_->DrawPage(*Document, canvas, clip, indents, contentX, xRef, yRef);
}
