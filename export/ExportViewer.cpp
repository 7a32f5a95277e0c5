// The export window's viewer: a TMarkupViewer set up the way the window shows documents,
// and the pages of its document for the PDF, made one at a time. The printing copy laid
// out to measure or count the pages is kept, and the pages are drawn from it when they are
// asked for at the size it was laid out for. A document loaded only to be paged is used up
// by its first printing copy (see TKeepSpent).
#include "export/HtmlView.h"
#include "html/document/model/Document.h"
#include "html/document/paging/PageRenderer.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/gdi/Colors.h"

namespace {

class TMarkupHtmlView : public THtmlView {
 public:
  explicit TMarkupHtmlView(TWinControl& parent) : viewer_(new TMarkupViewer(&parent)) {
    viewer_->SetName(u"Viewer");
    viewer_->SetParent(&parent);
    viewer_->SetDefFontName(u"Times New Roman");
    viewer_->SetDefPreFontName(u"Courier New");
    viewer_->SetDefBackground(clWindow);
    viewer_->SetNoSelect(true);
  }
  TControl& Control() override { return *viewer_; }
  void LoadDocumentFile(const String& fileName) override { Load(fileName, true); }
  void LoadDocumentFileForPaging(const String& fileName) override { Load(fileName, false); }
  TSize MeasureDocument(int width, int height) override {
    if (!spent_) measured_.reset();
    // A viewer in the middle of a load has no document to page.
    if (viewer_->Processing() || width < 1) return {0, 0};
    std::unique_ptr<TPageRenderer> renderer = RendererFor(width, height, TPageBlockWidth::WidenToContent);
    if (!renderer) return {0, 0};
    const TSize size = renderer->Measure();
    measured_ = std::move(renderer);
    return size;
  }
  void RenderEachPage(int width, int height, TPageBlockWidth blockWidth, const TTakePage& take) override {
    std::unique_ptr<TPageRenderer> renderer = RendererFor(width, height, blockWidth);
    if (!renderer) return;
    const TKeepSpent keep{*this, renderer};
    while (std::unique_ptr<TMetafile> page = renderer->NextPage()) take(std::move(page));
  }
  int CountPages(int width, int height, TPageBlockWidth blockWidth) override {
    std::unique_ptr<TPageRenderer> renderer = RendererFor(width, height, blockWidth);
    if (!renderer) return 0;
    const TKeepSpent keep{*this, renderer};
    int count = 0;
    while (renderer->SkipPage()) ++count;
    // The pages come next, drawn from the same layout.
    renderer->Rewind();
    measured_ = std::move(renderer);
    return count;
  }

 private:
  // A document loaded only to be paged, without panels or form controls, is spent by its
  // first printing copy, which takes its sections over (ThtDocument::TakeOver): the view keeps its last
  // renderer from then on, and pages at another size come from a copy of that one's copy.
  // On every way out the renderer of a spent document goes back, rewound.
  struct TKeepSpent {
    TMarkupHtmlView& view;
    std::unique_ptr<TPageRenderer>& renderer;
    ~TKeepSpent() {
      if (!view.spent_ || !renderer) return;
      renderer->Rewind();
      view.measured_ = std::move(renderer);
    }
  };

  void Load(const String& fileName, bool layout) {
    measured_.reset();
    spent_ = false;
    pagingOnly_ = !layout;
    struct TLayoutScope {
      TMarkupViewer& viewer;
      ~TLayoutScope() { viewer.LayoutOnLoad = true; }
    } scope{*viewer_};
    viewer_->LayoutOnLoad = layout;
    viewer_->LoadDocumentFile(fileName);
  }
  // The measured copy when it was laid out for these pages (it is used up), else a new one.
  std::unique_ptr<TPageRenderer> RendererFor(int width, int height, TPageBlockWidth blockWidth) {
    std::unique_ptr<TPageRenderer> measured = std::move(measured_);
    if (viewer_->Processing()) return nullptr;
    if (measured && measured->Width() == width && measured->Height() == height &&
        measured->BlockWidth() == blockWidth)
      return measured;
    if (spent_) return measured ? TPageRenderer::Resized(std::move(measured), width, height, blockWidth) : nullptr;
    measured.reset();
    ThtDocument& document = viewer_->Document();
    if (!pagingOnly_ || !document.CanBeTakenOver())
      return std::make_unique<TPageRenderer>(document, width, height, blockWidth);
    spent_ = true;
    return std::make_unique<TPageRenderer>(ThtDocument::TakeOver(std::move(document)), width, height, blockWidth);
  }

  TMarkupViewer* viewer_;
  std::unique_ptr<TPageRenderer> measured_;
  bool pagingOnly_ = false;
  bool spent_ = false;
};

}  // namespace

THtmlViewFactory HtmlViewFactory = [](TWinControl& parent) -> std::unique_ptr<THtmlView> {
  return std::make_unique<TMarkupHtmlView>(parent);
};
