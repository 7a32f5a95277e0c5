// The canvas that draws on the document's current page (the page added last). This holds
// its page binding; the drawing operators write to Contents().
#pragma once

class TPdfDictionary;
class TPdfDocument;
class TPdfPage;
class TPdfStream;

class TPdfCanvas {
 public:
  explicit TPdfCanvas(TPdfDocument& document);
  virtual ~TPdfCanvas() = default;

  // Makes the page current: its font resources, content stream, height and the
  // pixel-to-point factor (72 / the screen's pixels per inch).
  virtual void AttachPage(TPdfPage& page);
  // The current page; EPdfInvalidOperation "GetPage" when there is none.
  TPdfPage& GetPage() const;
  bool HasPage() const { return page_ != nullptr; }
  // Forgets the page (the document started over).
  void DetachPage();

  TPdfStream* Contents() const { return contents_; }
  TPdfDictionary* PageFonts() const { return pageFonts_; }
  float CurrentPageHeight() const { return currentPageHeight_; }
  float DeviceScale() const { return deviceScale_; }
  TPdfDocument& Doc() const { return doc_; }

 private:
  TPdfDocument& doc_;
  TPdfPage* page_ = nullptr;
  TPdfStream* contents_ = nullptr;
  TPdfDictionary* pageFonts_ = nullptr;
  float currentPageHeight_ = 0;
  float deviceScale_;
};
