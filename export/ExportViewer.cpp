// The export window's viewer: a TMarkupViewer set up the way the window shows documents,
// and the pages of its document for the PDF, made one at a time.
#include "export/HtmlView.h"
#include "html/document/paging/DocumentMeasure.h"
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
  void LoadDocumentFile(const String& fileName) override { viewer_->LoadDocumentFile(fileName); }
  TSize MeasureDocument(int width) override {
    auto [w, h] = MeasureDocumentCopy(viewer_->Document(), width);
    return {w, h};
  }
  void RenderEachPage(int width, int height, const TTakePage& take) override {
    // A viewer in the middle of a load has no document to page.
    if (viewer_->Processing()) return;
    TPageRenderer renderer(viewer_->Document(), width, height);
    while (std::unique_ptr<TMetafile> page = renderer.NextPage()) take(std::move(page));
  }
  int CountPages(int width, int height) override {
    if (viewer_->Processing()) return 0;
    return ::CountPages(viewer_->Document(), width, height);
  }

 private:
  TMarkupViewer* viewer_;
};

}  // namespace

THtmlViewFactory HtmlViewFactory = [](TWinControl& parent) -> std::unique_ptr<THtmlView> {
  return std::make_unique<TMarkupHtmlView>(parent);
};
