#include "html/document/paging/PageRenderer.h"

#include "html/document/model/Document.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/metafile/MetafileCanvas.h"

TPageRenderer::TPageRenderer(const ThtDocument& document, int width, int height, TPageBlockWidth blockWidth)
    : TPageRenderer(std::make_unique<ThtDocument>(document), width, height, blockWidth) {}

TPageRenderer::TPageRenderer(std::unique_ptr<ThtDocument> copy, int width, int height, TPageBlockWidth blockWidth)
    : copy_(std::move(copy)),
      viewer_(copy_->Viewer),
      width_(width),
      height_(height),
      blockWidth_(blockWidth),
      page_{0, 0, width, height} {
  copy_->NoOutput = false;
  copy_->Printing = true;
  copy_->WidenBlocksToContent = blockWidth == TPageBlockWidth::WidenToContent;
  if (viewer_) {
    viewerRecordBefore_ = viewer_->TablePartRec;
    viewer_->TablePartRec = nullptr;
  }
  firstPageNumber_ = copy_->PageNumber;
  done_ = NothingToPage();
}

std::unique_ptr<TPageRenderer> TPageRenderer::Resized(std::unique_ptr<TPageRenderer> used, int width, int height,
                                                     TPageBlockWidth blockWidth) {
  std::unique_ptr<ThtDocument> copy = std::move(used->copy_);
  used.reset();  // sets the viewer's part record back before the tables of the copy go
  // Paging moved the copy's offset; a copy of the source starts at its top.
  copy->YOffset = 0;
  return std::make_unique<TPageRenderer>(ThtDocument::TakeOver(std::move(*copy)), width, height, blockWidth);
}

bool TPageRenderer::NothingToPage() const { return copy_->Count() == 0 || width_ < 1 || height_ < 1; }

void TPageRenderer::Rewind() {
  // Only the record carried to the next page can be in the middle of a table; every other
  // table finished its part on the pages already made.
  if (TTablePartRec* record = PartRecord()) record->PartKind = tpNormal;
  if (viewer_) viewer_->TablePartRec = nullptr;
  copy_->PrintedTable = nullptr;
  copy_->PageNumber = firstPageNumber_;
  pageTop_ = 0;
  done_ = NothingToPage();
}

TPageRenderer::~TPageRenderer() {
  // The records belong to the tables of the copy, which goes now.
  if (viewer_) viewer_->TablePartRec = viewerRecordBefore_;
}

TTablePartRec* TPageRenderer::PartRecord() const { return viewer_ ? viewer_->TablePartRec : nullptr; }

TPageRenderer::TPartState TPageRenderer::SavePartState() const {
  TPartState state;
  state.Record = PartRecord();
  if (state.Record) {
    state.Kind = state.Record->PartKind;
    state.Start = state.Record->PartStart;
    state.Height = state.Record->PartHeight;
  }
  return state;
}

void TPageRenderer::RestorePartState(const TPartState& state) {
  TTablePartRec* now = PartRecord();
  // A table that began to be paged on the page starts again from its first kind.
  if (now && now != state.Record) now->PartKind = tpNormal;
  if (!viewer_) return;
  viewer_->TablePartRec = state.Record;
  if (state.Record) {
    state.Record->PartKind = state.Kind;
    state.Record->PartStart = state.Start;
    state.Record->PartHeight = state.Height;
  }
}

std::unique_ptr<TMetafile> TPageRenderer::NextPage() { return done_ ? nullptr : Advance(true); }

bool TPageRenderer::SkipPage() {
  if (done_) return false;
  Advance(false);
  return true;
}

std::unique_ptr<TMetafile> TPageRenderer::Advance(bool record) {
  done_ = true;  // stays so when the page raises
  const TPartState before = SavePartState();
  std::unique_ptr<TMetafile> page = MakePage(false, record);
  int next = copy_->PageBottom;
  if (next <= pageTop_) {
    // Nothing could end this page below its top: draw it again with nothing moving.
    RestorePartState(before);
    page = MakePage(true, record);
    next = copy_->PageBottom > pageTop_ ? copy_->PageBottom : pageTop_ + height_;
  }
  ++copy_->PageNumber;
  pageTop_ = next;
  done_ = pageTop_ >= documentHeight_;
  return page;
}

std::unique_ptr<TMetafile> TPageRenderer::MakePage(bool cutForced, bool record) {
  if (!record) {
    TCanvas canvas(std::make_unique<TMeasureDC>());
    DrawPage(canvas, cutForced);
    return nullptr;
  }
  auto metafile = std::make_unique<TMetafile>();
  metafile->SetWidth(width_);
  metafile->SetHeight(height_);
  TMetafileCanvas canvas(*metafile);
  DrawPage(canvas, cutForced);
  canvas.Close();
  return metafile;
}

void TPageRenderer::LayOut() {
  if (laidOut_) return;
  // On a canvas that records nothing: the fonts every run selects while it is measured
  // would otherwise all go into the first page's metafile.
  TCanvas canvas(std::make_unique<TMeasureDC>());
  int cursor = 0;
  neededWidth_ = 0;
  documentHeight_ = copy_->DoLogic(canvas, 0, width_, height_, neededWidth_, cursor);
  laidOut_ = true;
}

TSize TPageRenderer::Measure() {
  if (width_ < 1) return {0, 0};
  LayOut();
  return {neededWidth_, documentHeight_};
}

void TPageRenderer::DrawPage(TCanvas& canvas, bool cutForced) {
  LayOut();
  copy_->SetYOffset(pageTop_);
  FillBackground(canvas, TRect{0, 0, width_ + 1, height_});
  if (cutForced) {
    // The document as it lies between the page's top and its full height.
    copy_->PageCutForced = true;
    DrawInto(canvas, page_, width_);
    copy_->PageCutForced = false;
    FillBelowPageBottom(canvas);
  } else {
    DrawBands(canvas);
  }
}

void TPageRenderer::DrawInto(TCanvas& canvas, const TRect& rect, int clipWidth) {
  copy_->Draw(canvas, rect, clipWidth, 0, 0, 0, 0);
}

void TPageRenderer::FillBackground(TCanvas& canvas, const TRect& rect) {
  if (rect.Top >= rect.Bottom) return;
  canvas.Brush().SetColor(static_cast<TColor>(ResolveColor(copy_->BackgroundColor)));
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(rect);
}

void TPageRenderer::FillBelowPageBottom(TCanvas& canvas) {
  FillBackground(canvas, TRect{0, copy_->PageBottom - copy_->YOffset, width_ + 1, height_ + 1});
}

TPageMetafileList RenderPageMetafiles(const ThtDocument& document, int width, int height) {
  TPageMetafileList pages;
  TPageRenderer renderer(document, width, height);
  while (std::unique_ptr<TMetafile> page = renderer.NextPage()) pages.push_back(std::move(page));
  return pages;
}

int CountPages(const ThtDocument& document, int width, int height) {
  TPageRenderer renderer(document, width, height);
  int count = 0;
  while (renderer.SkipPage()) ++count;
  return count;
}
