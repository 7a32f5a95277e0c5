// What a printing copy keeps of a list of sections drawn one after the other (a block's draw
// list, a table cell's sections) to find, for each page, the part of the list that can paint
// on the page or change its paging (see SectionPageIndex.cpp).
#pragma once

#include <cstdint>
#include <vector>

class TCanvas;
class TIndentManager;
class TSectionBase;
class ThtDocument;
struct TRect;

class TSectionPageIndex {
 public:
  // Lists shorter than this are walked whole, and need no index.
  static constexpr size_t IndexedLength = 16;

  // Whether the index was built from this document layout and a list of this length.
  bool IsFor(int32_t pass, size_t count) const { return pass == pass_ && count == sections_.size(); }
  // Indexes the sections of one layout, in drawing order; they must live as long as it.
  void Build(std::vector<TSectionBase*> sections, int32_t pass);
  // Draws, in order, the sections that can paint on the page of the clip (in the document's
  // Y less its offset) or move the page's bottom.
  void DrawPage(ThtDocument& document, TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef,
                int yRef) const;

 private:
  int32_t pass_ = -1;
  std::vector<TSectionBase*> sections_;
  // Per section, in document Y: the lowest bottom among the sections that keep to rows of
  // their own, up to this one (never decreasing), and the highest top among them from this
  // one to the end (never decreasing either).
  std::vector<int64_t> reachDown_, reachUp_;
  // Per section (and one past the end): the first section at or after it that may paint or
  // page anywhere, so that every page draws it.
  std::vector<uint32_t> nextUnbounded_;
};
