// Cutting a document into page metafiles of Width x Height screen pixels.
//
// The pages are drawn from a printing copy of the document, laid out once on a measuring
// canvas; the document itself keeps its layout, scroll position and selection. Every
// page is filled with the document's background colour, the copy is drawn with the page's
// top at Y 0, and what lies below the page bottom is filled again. The drawing code chooses
// the page bottom: a section that the bottom would cut moves it up to its own top and waits
// for the next page (see ThtDocument::PageBottom), and a table with header or footer rows
// hands the loop the bands to draw through its part record (TablePartRec.h).
//
// Paging always ends and drops nothing: a page whose bottom does not get below its top (an
// element that may move but is taller than the page) is drawn again with nothing moving,
// cut at the full page height.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "html/document/paging/PageBlockWidth.h"
#include "html/foundation/shared/TablePartRec.h"
#include "platform/gdi/geometry/Geometry.h"

class TCanvas;
class TMarkupViewerBase;
class TMetafile;
class ThtDocument;

class TPageRenderer {
 public:
  // Makes the printing copy; nothing is laid out or drawn yet.
  TPageRenderer(const ThtDocument& document, int width, int height,
                TPageBlockWidth blockWidth = TPageBlockWidth::WidenToContent);
  // Pages a printing copy that the caller made (ThtDocument::TakeOver).
  TPageRenderer(std::unique_ptr<ThtDocument> copy, int width, int height,
                TPageBlockWidth blockWidth = TPageBlockWidth::WidenToContent);
  // The same document paged at another size or block width, for a renderer whose source is
  // gone: the used renderer is freed and its copy taken over by a new one (ThtDocument::TakeOver).
  // The pages are those of a copy of the source made for these pages.
  static std::unique_ptr<TPageRenderer> Resized(std::unique_ptr<TPageRenderer> used, int width, int height,
                                                TPageBlockWidth blockWidth);
  // Frees the copy; the viewer's TablePartRec, which may refer into it, is set back.
  ~TPageRenderer();
  TPageRenderer(const TPageRenderer&) = delete;
  TPageRenderer& operator=(const TPageRenderer&) = delete;

  // The next page, owned by the caller; nil once the document is done. An exception passes
  // on with the page under construction freed; the renderer is done after it.
  std::unique_ptr<TMetafile> NextPage();
  // Goes past the next page as NextPage would, drawing it on a measuring canvas that records
  // nothing; false once the document is done.
  bool SkipPage();
  bool Done() const { return done_; }
  // Lays the copy out for the pages unless that is done, and answers the width of its widest
  // content (not capped to the page width) and its height. The pages are then drawn from
  // this layout: measuring first costs no second layout.
  TSize Measure();
  // Starts again at the first page of the same layout (after counting the pages, say).
  void Rewind();
  int Width() const { return width_; }
  int Height() const { return height_; }
  TPageBlockWidth BlockWidth() const { return blockWidth_; }

 private:
  struct TPartState {
    TTablePartRec* Record = nullptr;
    uint8_t Kind = 0;
    int32_t Start = 0, Height = 0;
  };

  // One page: recorded into a metafile, or (record false) drawn on a measuring canvas.
  std::unique_ptr<TMetafile> Advance(bool record);
  std::unique_ptr<TMetafile> MakePage(bool cutForced, bool record);
  void DrawPage(TCanvas& canvas, bool cutForced);
  void LayOut();
  bool NothingToPage() const;
  // The bands of one page, by the kind of the table part record (TablePartPasses.cpp).
  void DrawBands(TCanvas& canvas);
  void DrawInto(TCanvas& canvas, const TRect& rect, int clipWidth);
  void FillBackground(TCanvas& canvas, const TRect& rect);
  void FillBelowPageBottom(TCanvas& canvas);
  TTablePartRec* PartRecord() const;
  TPartState SavePartState() const;
  void RestorePartState(const TPartState& state);

  std::unique_ptr<ThtDocument> copy_;
  TMarkupViewerBase* viewer_;
  TTablePartRec* viewerRecordBefore_ = nullptr;
  int width_, height_;
  TPageBlockWidth blockWidth_;
  TRect page_;
  int pageTop_ = 0;
  int documentHeight_ = 0;
  int neededWidth_ = 0;
  int firstPageNumber_ = 0;
  bool laidOut_ = false;
  bool done_ = false;
};

using TPageMetafileList = std::vector<std::unique_ptr<TMetafile>>;

// Every page of the document in page order, owned by the caller. An exception while a page
// is made frees the pages made so far and passes on.
TPageMetafileList RenderPageMetafiles(const ThtDocument& document, int width, int height);
// How many pages RenderPageMetafiles makes, found without recording any of them (the
// layout and the drawing calls on a measuring canvas).
int CountPages(const ThtDocument& document, int width, int height);
