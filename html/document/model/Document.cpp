#include "html/document/model/Document.h"

#include "html/document/floats/FloatingObj.h"
#include "html/document/forms/HtmlForm.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/images/BuiltInImages.h"
#include "html/foundation/images/ImageCache.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Base64.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/app/Timer.h"

ThtDocument::ThtDocument(TMarkupViewerBase* viewer, TCustomControl* paintPanel)
    : TCell(nullptr),
      Viewer(viewer),
      PaintPanel(paintPanel),
      ownPropStack_(std::make_unique<THtmlPropStack>(this)),
      ownStyleList_(std::make_unique<THtmlStyleList>(this)) {
  TCellBasic::Document = this;
  UseQuirks = viewer && viewer->UseQuirks;
  ownStyleList_->QuirksMode = UseQuirks;
  PropStack = ownPropStack_.get();
  StyleList = ownStyleList_.get();
  TabOrderList.SetSorted(true);
  TabOrderList.Duplicates = dupAccept;
}

ThtDocument::ThtDocument(const ThtDocument& source) : ThtDocument(source, TWithoutSections{}) {
  // The lists exist now: the copies of the sections may file themselves in them.
  for (int i = 0; i < source.Count(); ++i) AddSection(source.Items(i)->CreateCopy(this), 0);
}

ThtDocument::ThtDocument(const ThtDocument& source, TWithoutSections)
    : TCell(nullptr),
      Viewer(source.Viewer),
      PaintPanel(source.PaintPanel),
      ImageCache(source.ImageCache) {
  TCellBasic::Document = this;
  // The copy's own records: converted through the source's sections they would take the
  // cursors of a source that was never laid out (one loaded only for paging) as 0.
  for (int i = 0; i < source.InlineList.Count(); ++i)
    InlineList.Add(new InlineRec(*source.InlineList.Items(i)));
  IsCopy = true;
  UseQuirks = source.UseQuirks;
  ShowImages = source.ShowImages;
  Printing = source.Printing;
  WidenBlocksToContent = source.WidenBlocksToContent;
  YOffset = source.YOffset;
  SelectionStart = source.SelectionStart;
  SelectionEnd = source.SelectionEnd;
  VisitedColor = source.VisitedColor;
  OverLinkColor = source.OverLinkColor;
  HotSpotColor = source.HotSpotColor;
  PrintTableBackground = source.PrintTableBackground;
  PrintBackground = source.PrintBackground;
  PrintMonochromeBlack = source.PrintMonochromeBlack;
  OverLinksActive = source.OverLinksActive;
  ShowDummyCaret = source.ShowDummyCaret;
  BackgroundColor = source.BackgroundColor;
  BackgroundChanged = source.BackgroundChanged;
  PreFontName = source.PreFontName;
  PrintScaleX = source.PrintScaleX;
  PrintScaleY = source.PrintScaleY;
  OnLinkFocus = source.OnLinkFocus;
  OnLinkKey = source.OnLinkKey;
  LinkDrawn = source.LinkDrawn;
  BitmapRequest = source.BitmapRequest;
  ImageRequest = source.ImageRequest;
  ImageRequested = source.ImageRequested;
  ExpandName = source.ExpandName;
  PanelPrint = source.PanelPrint;
  TabOrderList.SetSorted(true);
  TabOrderList.Duplicates = dupAccept;
  TagName = source.TagName;
}

std::unique_ptr<ThtDocument> ThtDocument::TakeOver(ThtDocument&& source) {
  // The link, tab-order and position lists refer to the runs and sections that go: emptied
  // first, they are not searched once for every one freed.
  source.LinkList.Clear();
  source.TabOrderList.Clear();
  source.HoverLink = nullptr;
  source.PositionList.Clear();
  std::vector<std::unique_ptr<TSectionBase>> sections = source.TakeAll();
  std::unique_ptr<ThtDocument> copy(new ThtDocument(source, TWithoutSections{}));
  copy->AddTakenOver(std::move(sections));
  return copy;
}

ThtDocument::~ThtDocument() {
  // Sections, runs and images leave the lists below as they are freed: free them first.
  Clear();
  IdList.Clear();
  MapList.Clear();
}

int ThtDocument::SourceToCursor(int sourcePosition, bool backward) {
  const int cursor = TCell::SourceToCursor(sourcePosition, backward);
  return cursor >= 0 ? cursor : CursorLength;
}

bool ThtDocument::CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) {
  if (cursor < CursorLength) return TCell::CursorToXY(canvas, cursor, x, y);
  if (CursorLength <= 0 || !TCell::CursorToXY(canvas, CursorLength - 1, x, y)) return false;
  x += 15;
  return true;
}

namespace {
// The bytes of an image written into its source ("data:image/...;base64,..."); false for
// any other source. Line breaks written as "%0A" are line breaks, which the decoder skips.
bool DataUriBytes(const String& source, std::string& bytes) {
  static const String prefix = u"data:image/", marker = u";base64,";
  if (source.compare(0, prefix.size(), prefix) != 0) return false;
  const size_t at = source.find(marker);
  if (at == String::npos || at < 10) return false;
  std::string text;
  text.reserve(source.size() - at);
  for (size_t i = at + marker.size(); i < source.size(); ++i) {
    if (source.compare(i, 3, u"%0A") == 0) {
      text += '\n';
      i += 2;
    } else if (source[i] < 0x80) {
      text += static_cast<char>(source[i]);
    }
  }
  bytes = DecodeBase64(text);
  return true;
}
}  // namespace

TStream* ThtDocument::WaitStream() {
  static TMemoryStream wait;
  return &wait;
}

TStream* ThtDocument::NoImageStream() {
  static TMemoryStream none;
  return &none;
}

std::shared_ptr<TImageObject> ThtDocument::GetImage(const String& source, uint8_t& transparency,
                                                    std::shared_ptr<TBitmap>& mask, bool& fromCache, String& key,
                                                    bool* delayed) {
  mask = nullptr;
  fromCache = false;
  if (delayed) *delayed = false;
  key = UpperCaseText(TrimText(source));
  if (key.empty() || !ImageCache) return nullptr;
  int index = ImageCache->IndexOf(key);
  if (index >= 0) {
    TBitmapItem& item = ImageCache->ItemAt(index);
    std::shared_ptr<TImageObject> image = ImageCache->AcquireImage(index);
    fromCache = true;
    if (const auto* bitmap = std::get_if<std::unique_ptr<TBitmap>>(image.get())) {
      if (item.Transparency == itrMask) {
        transparency = item.Transparency;
      } else if (transparency == itrLowerLeft && !item.ImageMask) {
        item.ImageMask = ExtractImageMask(**bitmap, false, 0);
        if (item.ImageMask) item.Transparency = itrLowerLeft;
      }
    }
    mask = item.ImageMask;
    return image;
  }

  String fileName = TrimText(source);
  std::string inlineBytes;
  const bool inlineImage = DataUriBytes(fileName, inlineBytes);
  std::unique_ptr<TBitmap> loadedMask;
  TImageObject image;
  try {
    if (inlineImage) {
      TStringStream stream(std::move(inlineBytes));
      image = ReadImageStream(&stream, transparency, loadedMask);
    } else {
      if (BitmapRequest) {
        std::unique_ptr<TBitmap> bitmap;
        TColor color = clNone;
        BitmapRequest(fileName, bitmap, color);
        if (bitmap) {
          if (color != clNone) {
            loadedMask = ExtractImageMask(*bitmap, true, color);
            transparency = itrMask;
          } else if (transparency == itrLowerLeft) {
            loadedMask = ExtractImageMask(*bitmap, false, 0);
          }
          image = std::move(bitmap);
        }
      }
      TStream* stream = nullptr;
      if (IsEmptyImage(image) && ImageRequest) ImageRequest(fileName, stream);
      if (stream == WaitStream()) {
        if (delayed) *delayed = true;
        return nullptr;
      }
      if (stream == NoImageStream()) return nullptr;
      if (stream) {
        image = ReadImageStream(stream, transparency, loadedMask);
        if (ImageRequested) ImageRequested(fileName, stream);
      } else if (IsEmptyImage(image)) {
        if (Viewer) {
          String resolved;
          Viewer->ResolveFileName(fileName, resolved);
          if (!resolved.empty()) fileName = resolved;
        }
        image = ReadImageFile(fileName, transparency, loadedMask);
      }
    }
  } catch (const Exception&) {
    return nullptr;  // a broken or unreadable image shows the error image
  }
  if (IsEmptyImage(image)) return nullptr;
  AddImageItem(*ImageCache, key, std::make_unique<TBitmapItem>(std::move(image), std::move(loadedMask), transparency));
  index = ImageCache->IndexOf(key);
  TBitmapItem& item = ImageCache->ItemAt(index);
  mask = item.ImageMask;
  return item.Image;
}

void ThtDocument::LoadBackground() {
  if (!ShowImages || BackgroundProcessed || BackgroundName.empty() || BackgroundImage) return;
  String name = BackgroundName;
  if ((BitmapRequest || ImageRequest) && ExpandName) ExpandName(name);
  uint8_t transparency = itrNone;
  std::shared_ptr<TBitmap> mask;
  bool fromCache = false, delayed = false;
  String key;
  std::shared_ptr<TImageObject> image = GetImage(name, transparency, mask, fromCache, key, &delayed);
  if (image) {
    BackgroundImage = image;
    BackgroundMask = mask;
    backgroundKey_ = key;
    if (const auto* gif = std::get_if<std::unique_ptr<TGIFImage>>(image.get()); gif && !IsCopy) {
      BackgroundGif = gif->get();
      AnimatedImages.Add(BackgroundGif);
      BackgroundGif->SetAnimating(true);
    }
  } else if (delayed) {
    MissingImages.AddObject(UpperCaseText(TrimText(name)), this);
  }
  BackgroundProcessed = true;
}

void ThtDocument::ForgetBackgroundImage() {
  if (BackgroundImage && ImageCache) ImageCache->ReleaseImage(backgroundKey_);
  if (BackgroundGif) AnimatedImages.Extract(BackgroundGif);
  BackgroundImage.reset();
  BackgroundMask.reset();
  BackgroundGif = nullptr;
  backgroundKey_.clear();
}

TBitmap& ThtDocument::ErrorImage() {
  static TBitmap image(BrokenImageBitmap());
  return image;
}

TBitmap& ThtDocument::ErrorMask() {
  static TBitmap mask(BrokenImageMask());
  return mask;
}

TBitmap& ThtDocument::PlaceholderImage() {
  static TBitmap image(PendingImageBitmap());
  return image;
}

bool ThtDocument::IsStockImage(const TBitmap* bitmap) {
  return bitmap && (bitmap == &ErrorImage() || bitmap == &PlaceholderImage());
}

TCanvas& ThtDocument::MeasureCanvas() {
  if (PaintPanel) return PaintPanel->Canvas();
  if (!measureCanvas_) measureCanvas_ = std::make_unique<TCanvas>(std::make_unique<TMeasureDC>());
  return *measureCanvas_;
}

void ThtDocument::OpenInlineBorder(int sourcePosition, const TProperties& properties) {
  auto* rec = new InlineRec;
  rec->OwnerId = properties.SerialNumber;
  rec->StartSource = sourcePosition;
  TVMarginArray values;
  ReadBoxValues(properties, values);
  int autoCount = 0;
  ConvertBoxValues(values, 200, 200, rec->Box, autoCount, 0, properties.ExHeight, properties.EmHeight);
  InlineList.Add(rec);
  InlineList.NeedsConverting = true;
}

void ThtDocument::CloseInlineBorder(int sourcePosition, const TProperties& properties) {
  for (int i = InlineList.Count() - 1; i >= 0; --i)
    if (InlineList.Items(i)->OwnerId == properties.SerialNumber) {
      InlineList.Items(i)->EndSource = sourcePosition;
      InlineList.NeedsConverting = true;
      return;
    }
}

void ThtDocument::ForgetSection(const TSectionBase* section) {
  IdList.RemoveObject(section);
  while (PositionList.Extract(const_cast<TSectionBase*>(section))) {
  }
}

void ThtDocument::ForgetFloatingObj(const TFloatingObj* object) {
  IdList.RemoveObject(object);
  if (HoverImage == object) HoverImage = nullptr;
  for (int i = MissingImages.Count() - 1; i >= 0; --i)
    if (MissingImages.Objects(i) == object) MissingImages.Delete(i);
}
