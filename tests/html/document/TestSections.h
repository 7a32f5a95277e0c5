// Sections for the tests of cells and the document: they answer the queries from fixed
// values, so that a cell's walks over them can be followed.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "html/document/model/Document.h"
#include "html/foundation/layout/IndentManager.h"

// A section of fixed height holding `length` cursor positions on one line of fixed height.
class TFixedSection : public TSectionBase {
 public:
  TFixedSection(ThtDocument* document, int height, int length = 0) : TSectionBase(document), length_(length) {
    SectionHeight = height;
  }

  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override {
    if (OnLayout) OnLayout(indents, y);
    const int height = TSectionBase::Layout(canvas, x, cursor, maxWidth, indents, availableHeight, containingHeight,
                                            availableWidth, originY, originX, y);
    CursorLength = length_;
    cursor += length_;
    maxWidth = MaxWidth;
    return height;
  }
  // Cursor positions lie on this section's top line, 10 pixels apart.
  bool CursorToXY(TCanvas&, int cursor, int& x, int& y) override {
    if (cursor < StartCursor || cursor >= StartCursor + CursorLength) return false;
    x = (cursor - StartCursor) * 10;
    y = SectionTop;
    return true;
  }
  // Source positions are 100 + cursor.
  int SourceToCursor(int source, bool) override {
    const int cursor = source - 100;
    return cursor >= StartCursor && cursor < StartCursor + CursorLength ? cursor : -1;
  }
  int UrlAt(TCanvas&, int, int y, String& title, TFormControlObj*& control,
            std::unique_ptr<TUrlTarget>& target) override {
    control = nullptr;
    target.reset();
    if (y < SectionTop || y >= SectionTop + SectionHeight) {
      title = u"stale";  // the cell clears it before asking the next section
      return 0;
    }
    title = Title;
    return UrlFlags;
  }
  void CopySelection() override { ++CopyCalls; }
  void MinMaxWidth(TCanvas&, int& minWidth, int& maxWidth) override {
    minWidth = MinWidth;
    maxWidth = MaxWidth;
  }
  int WidestLine() const override { return MaxWidth; }
  std::optional<bool> DropDefaultBottomMargin() override {
    if (!IsBlock) return std::nullopt;
    const bool dropped = BottomMarginIsDefault;
    BottomMarginIsDefault = false;
    return dropped;
  }
  bool IsAbsolute() const override { return Absolute; }

  std::function<void(TIndentManager&, int)> OnLayout;
  int MinWidth = 0, MaxWidth = 0;
  int UrlFlags = 0;
  String Title;
  int CopyCalls = 0;
  bool Absolute = false;
  bool IsBlock = false, BottomMarginIsDefault = false;

 private:
  int length_;
};

// A text section as the parser leaves it: with or without content to keep.
class TTextLikeSection : public TSectionBase {
 public:
  TTextLikeSection(ThtDocument* document, bool empty, int* freed) : TSectionBase(document), empty_(empty), freed_(freed) {}
  ~TTextLikeSection() override {
    if (freed_) ++*freed_;
  }
  void CloseText(int endSource) override { ClosedAt = endSource; }
  bool IsEmptyText() const override { return empty_; }
  int ClosedAt = -1;

 private:
  bool empty_;
  int* freed_;
};
