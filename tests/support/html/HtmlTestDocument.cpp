#include "tests/support/html/HtmlTestDocument.h"

#include <vector>

#include "html/document/parser/HtmlParser.h"
#include "html/foundation/charsets/Buffer.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"

TTestViewer::TTestViewer() : TMarkupViewerBase(nullptr) { PaintPanel.SetParent(this); }

TTestViewer::~TTestViewer() { PaintPanel.SetParent(nullptr); }

void TTestViewer::ResolveFileName(const String& Name, String& FullName) {
  if (const size_t scheme = Name.find(u"://"); scheme != String::npos && scheme > 0 && Name.find(u"file://") != 0) {
    FullName = Name;  // a web address stays as it is and loads nothing
    return;
  }
  String path = Name.starts_with(u"file://") ? Name.substr(7) : Name;
  path = path.substr(0, path.find_first_of(u"#?"));
  FullName = ExpandFileName(path.starts_with(u"/") ? path : Folder + path);
}

THtmlTestDocument::THtmlTestDocument()
    : document_(std::make_unique<ThtDocument>(&viewer_, &viewer_.PaintPanel)),
      measure_(std::make_unique<TMeasureDC>()) {
  document_->ImageCache = &imageCache_;
}

THtmlTestDocument::~THtmlTestDocument() = default;

void THtmlTestDocument::Load(const std::string& bytes, const std::string& name) {
  TStringStream stream(bytes);
  const String fileName = ExpandFileName(Utf8ToString(name));
  std::unique_ptr<TBuffer> buffer = TBuffer::CreateFromStream(stream, fileName);
  viewer_.Folder = ExtractFilePath(fileName);

  bool quirks = false;
  {
    THtmlParser probe(buffer.get());
    quirks = probe.DetectQuirksMode();
  }
  document_->UseQuirks = quirks;
  viewer_.UseQuirks = quirks;
  document_->Clear();
  document_->SetDefaults(u"Times New Roman", u"Courier New", 10, 5, 1, 0, true, false, clWhite, clBlue, clPurple,
                         clBlue, clBlack, 12);

  THtmlParser parser(buffer.get());
  parser.ParseHtml(document_.get());
  parser.GetTitleText(title_);
  width_ = height_ = 0;
}

void THtmlTestDocument::LoadFile(const std::string& path) {
  TFileStream file(Utf8ToString(path), fmOpenRead | fmShareDenyWrite);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  file.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  Load(bytes, path);
}

int THtmlTestDocument::LayOut(int width) {
  int scrollWidth = 0, cursor = 0;
  width_ = width;
  height_ = document_->DoLogic(measure_, 0, width, 600, scrollWidth, cursor);
  return height_;
}

void THtmlTestDocument::PaintOnto(TBitmap& bitmap, int top) {
  const TRect area{0, 0, bitmap.Width(), bitmap.Height()};
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(document_->BackgroundColor);
  canvas.FillRect(area);
  document_->SetYOffset(top);
  document_->Draw(canvas, area, width_, 0, 0, 0, 0);
  document_->SetYOffset(0);
}

void THtmlTestDocument::PaintScreens(int screenHeight) {
  TBitmap screen(width_, screenHeight, pf24bit);
  for (int top = 0; top < height_; top += screenHeight) PaintOnto(screen, top);
}

String THtmlTestDocument::VisibleText() {
  ThtDocument& document = *document_;
  const int start = document.SelectionStart, end = document.SelectionEnd;
  document.SelectionStart = 0;
  document.SelectionEnd = document.CursorLength;
  const int length = document.SelectionLength();
  std::vector<Char> buffer(static_cast<size_t>(length) + 1);
  const int copied = document.SelectionText(buffer.data(), static_cast<int>(buffer.size()));
  document.SelectionStart = start;
  document.SelectionEnd = end;
  return String(buffer.data(), copied > 0 ? static_cast<size_t>(copied - 1) : 0);
}
