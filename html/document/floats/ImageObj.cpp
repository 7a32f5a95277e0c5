#include "html/document/floats/ImageObj.h"

#include "html/document/forms/InputControls.h"

#include <algorithm>
#include <cstdlib>

#include "html/document/floats/ImageSizing.h"
#include "html/document/model/Document.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/ui/controls/CustomControl.h"

namespace {
int32_t AbsAtMost40(int32_t value) { return static_cast<int32_t>(std::min<int64_t>(std::llabs(value), 40)); }

// A size attribute: a percentage from 0 to 100 with "%", otherwise pixels.
void TakeSizeAttribute(const TAttribute& attribute, int32_t& specified, bool& isPercent) {
  if (attribute.ValueText.find(u'%') != String::npos) {
    if (attribute.IntValue >= 0 && attribute.IntValue <= 100) {
      specified = attribute.IntValue;
      isPercent = true;
    }
  } else {
    specified = attribute.IntValue;
    isPercent = false;
  }
}
}  // namespace

void SelectAltFont(TCanvas& canvas) {
  TFont& font = canvas.Font();
  font.SetName(u"Arial");
  font.SetSize(8);
  font.SetStyle(font.Style() & ~fsBold);
}

TImageObj::TImageObj(ThtDocument* document, const TAttributeList& attributes, int charPos) : TFloatingObj(document) {
  CharPos = charPos;
  bool hspaceGiven = false;
  for (int i = 0; i < attributes.Count(); ++i) {
    const TAttribute& a = *attributes.AttributeAt(i);
    switch (a.Symbol) {
      case ActiveAttrSy: HoverAnimated = true; break;
      case AlignAttrSy: {
        const String align = UpperCaseText(a.ValueText);
        if (align == u"TOP") VertAlignKind = 1;
        else if (align == u"MIDDLE" || align == u"ABSMIDDLE") VertAlignKind = 2;
        else if (align == u"LEFT" || align == u"RIGHT") {
          FloatSide = align == u"LEFT" ? 5 : 6;
          VertAlignKind = 0;
        }
        break;
      }
      case AltAttrSy:
        SetAlt(a.ValueText);
        TitleText = AltText;
        break;
      case BorderAttrSy:
        NoBorder = a.IntValue == 0;
        BorderSize = std::clamp(a.IntValue, 0, 10);
        break;
      case HeightAttrSy: TakeSizeAttribute(a, SpecHeight, HeightIsPercent); break;
      case WidthAttrSy: TakeSizeAttribute(a, SpecWidth, WidthIsPercent); break;
      case HSpaceAttrSy:
        SpaceLeft = AbsAtMost40(a.IntValue);
        hspaceGiven = true;
        break;
      case VSpaceAttrSy: SpaceTop = AbsAtMost40(a.IntValue); break;
      case IsMapAttrSy: IsMap = true; break;
      case NameAttrSy:
        if (Document) Document->IdList.Register(a.ValueText, this);
        break;
      case SrcAttrSy: Source = TrimText(a.ValueText); break;
      case TranspAttrSy: Transparent = 1; break;
      case UseMapAttrSy:
        UsesMap = true;
        MapName = UpperCaseText(TrimText(a.ValueText));
        if (MapName.size() > 1 && MapName[0] == u'#') MapName.erase(0, 1);
        break;
      default: break;
    }
  }
  TAttribute* attribute = nullptr;
  if (attributes.FindSymbol(TitleAttrSy, attribute)) TitleText = attribute->ValueText;
  if (attributes.FindSymbol(IdAttrSy, attribute) && Document) Document->IdList.Register(attribute->ValueText, this);
  if (!hspaceGiven && Document && Document->UseQuirks) {
    if (FloatSide == 5) {
      SpaceRight = 3;
      SpaceLeft = 0;
    } else if (FloatSide == 6) {
      SpaceLeft = 3;
      SpaceRight = 0;
    }
  }
}

TImageObj::TImageObj(ThtDocument* document, const String& source) : TFloatingObj(document) {
  NoBorder = true;
  Source = source;
}

TImageObj::TImageObj(ThtDocument* document, const TImageObj& source)
    : TFloatingObj(document, source),
      Picture(source.Picture),
      PlaceholderHeight(source.PlaceholderHeight),
      PlaceholderWidth(source.PlaceholderWidth),
      ScaledHeight(source.ScaledHeight),
      ScaledWidth(source.ScaledWidth),
      Source(source.Source),
      LoadedImage(source.LoadedImage),
      Mask(source.Mask),
      Transparent(source.Transparent),
      IsMap(source.IsMap),
      ownGif_(source.ownGif_),
      stock_(source.stock_),
      error_(source.error_) {
  SizeKnown = source.SizeKnown;
  SpecWidth = source.SpecWidth;
  SpecHeight = source.SpecHeight;
  WidthIsPercent = source.WidthIsPercent;
  HeightIsPercent = source.HeightIsPercent;
}

TImageObj::~TImageObj() {
  if (auto* control = dynamic_cast<TImageFormControlObj*>(FormControl); control && control->ImageObj == this)
    control->ImageObj = nullptr;
  if (!Document) return;
  Document->ImageDrawList.RemoveImage(this);
  if (ownGif_)
    while (Document->AnimatedImages.Extract(ownGif_.get())) {
    }
  if (LoadedImage && !cacheKey_.empty() && Document->ImageCache)
    Document->ImageCache->ReleaseImage(cacheKey_);
}

bool TImageObj::ShowsStockImage() const { return stock_; }

void TImageObj::UsePicture(const TImageObject& image) {
  if (const auto* bitmap = std::get_if<std::unique_ptr<TBitmap>>(&image)) Picture = bitmap->get();
  else if (const auto* gp = std::get_if<std::unique_ptr<TGpImage>>(&image)) Picture = gp->get();
  else if (const auto* meta = std::get_if<std::unique_ptr<ThtMetaFile>>(&image)) Picture = meta->get();
  else if (const auto* gif = std::get_if<std::unique_ptr<TGIFImage>>(&image)) {
    ownGif_ = TGIFImage::CreateFrom(**gif);  // each image animates on its own
    Picture = ownGif_.get();
    if (HoverAnimated) ownGif_->SetAnimating(false);
    else Document->AnimatedImages.Add(ownGif_.get());
  }
}

void TImageObj::FetchPicture() {
  const String key = UpperCaseText(TrimText(Source));
  if (!key.empty() && Document->MissingImages.IndexOf(key) >= 0) Delayed = true;
  if (!Delayed) {
    uint8_t transparency = Transparent;
    std::shared_ptr<TBitmap> mask;
    bool fromCache = false;
    bool comesLater = false;
    String key;
    std::shared_ptr<TImageObject> image = Document->GetImage(Source, transparency, mask, fromCache, key, &comesLater);
    if (image) {
      cacheKey_ = key;
      LoadedImage = image;
      UsePicture(*image);
      Mask = mask;
      if (transparency == itrMask && std::holds_alternative<TBitmap*>(Picture)) Transparent = 2;
      return;
    }
    Delayed = comesLater;
  }
  if (!Delayed) {
    Picture = &ThtDocument::ErrorImage();
    Mask = std::shared_ptr<TBitmap>(std::shared_ptr<TBitmap>(), &ThtDocument::ErrorMask());  // not owned: stock
    Transparent = 1;
    stock_ = error_ = true;
    return;
  }
  Picture = &ThtDocument::PlaceholderImage();
  Mask.reset();
  stock_ = true;
  Document->MissingImages.AddObject(key, static_cast<TFloatingObj*>(this));
}

TSize TImageObj::PictureSize() const {
  if (!Document->ShowImages) {
    const TBitmap& placeholder = ThtDocument::PlaceholderImage();
    return {placeholder.Width(), placeholder.Height()};
  }
  struct {
    TSize operator()(std::monostate) const { return {0, 0}; }
    TSize operator()(TBitmap* b) const { return {b->Width(), b->Height()}; }
    TSize operator()(TGIFImage* g) const { return {g->FrameWidth, g->FrameHeight}; }
    TSize operator()(TGpImage* g) const { return {g->GetWidth(), g->GetHeight()}; }
    TSize operator()(ThtMetaFile* m) const { return {m->Width(), m->Height()}; }
  } sizeOf;
  return std::visit(sizeOf, Picture);
}

void TImageObj::MeasureBox(TCanvas& canvas, int availableHeight, int availableWidth, TFontObj* fontRun) {
  if (!Document) return;
  if (Document->ShowImages && std::holds_alternative<std::monostate>(Picture)) FetchPicture();

  if (!SizeKnown || WidthIsPercent || HeightIsPercent) {
    const TSize own = PictureSize();
    TImageSizeRequest request;
    request.ImageWidth = own.cx;
    request.ImageHeight = own.cy;
    request.SpecWidth = SpecWidth;
    request.SpecHeight = SpecHeight;
    request.WidthIsPercent = WidthIsPercent;
    request.HeightIsPercent = HeightIsPercent;
    request.AvailableWidth = static_cast<int32_t>(std::max<int64_t>(0, int64_t{availableWidth} - 2 * BorderSize));
    request.AvailableHeight = static_cast<int32_t>(std::max<int64_t>(0, int64_t{availableHeight} - 2 * BorderSize));
    const TImageSize size = ComputeImageSize(request);
    ScaledWidth = size.Width;
    ScaledHeight = size.Height;
    const bool bothGiven = SpecWidth >= 0 && SpecHeight >= 0;
    if (size.Fixed && (bothGiven || !(stock_ || !Document->ShowImages))) SizeKnown = true;
  }
  ComputeBox(canvas, fontRun);
}

void TImageObj::ComputeBox(TCanvas& canvas, TFontObj* fontRun) {
  int32_t width = ScaledWidth, height = ScaledHeight;
  if (!Document->ShowImages || stock_) {
    if (SpecWidth >= 0 || SpecHeight >= 0) {
      PlaceholderWidth = ScaledWidth;
      PlaceholderHeight = ScaledHeight;
    } else if (!AltText.empty()) {
      SelectAltFont(canvas);
      canvas.TextExtent(String());  // selects the font
      TRect rect{0, 0, 0, 0};
      canvas.Handle().DrawText(AltText + u"\r\n", rect, DT_CALCRECT | DT_NOPREFIX);
      PlaceholderWidth = rect.Right - rect.Left + 26;
      PlaceholderHeight = std::max(rect.Bottom - rect.Top, 24);
    } else {
      PlaceholderWidth = std::max(ScaledWidth, 24);
      PlaceholderHeight = std::max(ScaledHeight, 24);
    }
    width = PlaceholderWidth;
    height = PlaceholderHeight;
  }
  if (fontRun && !fontRun->GetUrl().empty() && !NoBorder) BorderSize = std::max(BorderSize, 1);
  BoxWidth = static_cast<int32_t>(std::min<int64_t>(int64_t{width} + 2 * BorderSize, INT32_MAX));
  BoxHeight = static_cast<int32_t>(std::min<int64_t>(int64_t{height} + 2 * BorderSize, INT32_MAX));
}

bool TImageObj::HitsPicture(int x, int y, int& imageX, int& imageY) const {
  imageX = x - DrawLeft;
  imageY = y - DrawTop;
  return imageX >= 0 && imageX < BoxWidth - 2 * BorderSize && imageY >= 0 && imageY < BoxHeight - 2 * BorderSize;
}

TBitmap* TImageObj::GetBitmap() {
  if (error_) return nullptr;
  if (auto* gif = std::get_if<TGIFImage*>(&Picture)) return (*gif)->GetStillBitmap();
  if (auto* bitmap = std::get_if<TBitmap*>(&Picture)) {
    if (!BitmapCopy) BitmapCopy = std::make_unique<TBitmap>(**bitmap);
    return BitmapCopy.get();
  }
  if (auto* gp = std::get_if<TGpImage*>(&Picture)) {
    if (!dynamic_cast<TGpBitmap*>(*gp) || !LoadedImage) return nullptr;
    if (!BitmapCopy) BitmapCopy = ImageToBitmap(*LoadedImage, (*gp)->GetWidth(), (*gp)->GetHeight());
    return BitmapCopy.get();
  }
  if (auto* meta = std::get_if<ThtMetaFile*>(&Picture)) return (*meta)->GetWhiteBitmap();
  return nullptr;
}

void TImageObj::SetHover(uint8_t state) {
  if (state == HoverState) return;
  HoverState = state;
  if (!HoverAnimated || !ownGif_ || !Document) return;
  TGIFImage& gif = *ownGif_;
  if (state != 0) {
    if (gif.FrameCount == 2) gif.SetFrameIndex(2);
    else if (gif.FrameCount == 3) gif.SetFrameIndex(state == 2 ? 3 : 2);
    else {
      gif.SetAnimating(true);
      if (Document->AnimatedImages.IndexOf(&gif) < 0) Document->AnimatedImages.Add(&gif);
    }
  } else {
    gif.SetAnimating(false);
    if (gif.FrameCount <= 3) gif.SetFrameIndex(1);
    while (Document->AnimatedImages.Extract(&gif)) {
    }
  }
  if (Document->PaintPanel) Document->PaintPanel->Invalidate();
}
