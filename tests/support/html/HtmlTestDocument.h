// An HTML document for tests, fuzzing and benchmarks, loaded as the viewer loads one: the
// document with the viewer's defaults (Times New Roman 12, Courier New, margins 10 and 5,
// black on white), an image cache, and a stand-in viewer with a paint panel that resolves
// file names against the document's folder (so linked style sheets and images load). HTML
// bytes or a file are parsed into it; it is laid out at a width, painted on the raster
// device, and its visible text is taken as the viewer copies a selection of everything.
#pragma once

#include <memory>
#include <string>

#include "html/document/model/Document.h"
#include "html/foundation/images/ImageCache.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"

// The viewer side of a document without a window system: names resolve against the
// document's folder, progress and hovering are ignored, no focus rectangles.
class TTestViewer : public TMarkupViewerBase {
 public:
  TTestViewer();
  ~TTestViewer() override;

  void ResolveFileName(const String& Name, String& FullName) override;
  bool DrawsFocusRect() override { return false; }
  void HoverFormControl(TComponent*, TShiftState, int, int) override {}
  void ReportProgress(int) override {}

  String Folder;  // the folder of the document being loaded, with a trailing "/"
  TCustomControl PaintPanel{nullptr};
};

class THtmlTestDocument {
 public:
  THtmlTestDocument();
  ~THtmlTestDocument();
  THtmlTestDocument(const THtmlTestDocument&) = delete;
  THtmlTestDocument& operator=(const THtmlTestDocument&) = delete;

  // Parses the bytes as the content of a file named `name` (its folder resolves relative
  // names); whatever was loaded before is cleared first.
  void Load(const std::string& bytes, const std::string& name = "test.html");
  // Parses the file; raises the stream's exception when it cannot be read.
  void LoadFile(const std::string& path);

  // Lays the document out at the width; answers its height.
  int LayOut(int width);
  // Paints [top, top + bitmap height) of the laid-out document onto the bitmap, which is
  // first filled with the document's background colour, as the viewer's paint panel does.
  void PaintOnto(TBitmap& bitmap, int top = 0);
  // Paints the whole laid-out document screen by screen, scrolling down as a reader does.
  void PaintScreens(int screenHeight = 600);

  // The visible text: every character selected and copied through the selection sinks, as
  // the viewer copies a selection (sections end with CR LF). The selection is restored.
  String VisibleText();

  ThtDocument& Document() { return *document_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The title text of the last load.
  const String& Title() const { return title_; }

 private:
  TTestViewer viewer_;
  TStringBitmapList imageCache_;
  std::unique_ptr<ThtDocument> document_;
  TCanvas measure_;
  int width_ = 0;
  int height_ = 0;
  String title_;
};
