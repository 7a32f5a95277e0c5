// An image in the text of a section (IMG elements, image inputs): its source, loading
// through the document's image cache, sizing, drawing on screen and when printing, the
// placeholder with the alternative text, the border of linked images and the hover
// animation of ACTIVE images.
#pragma once

#include <cstdint>
#include <memory>
#include <variant>

#include "html/document/floats/FloatingObj.h"
#include "html/foundation/images/ImageLoading.h"

class TAttributeList;
class TFormControlObj;
class TCellBasic;

// The font of alternative texts: Arial 8 points, not bold.
void SelectAltFont(TCanvas& canvas);

// The picture an image shows: nothing, or one of the four kinds of image. The image object
// holds what it points into (its loaded image or its animation), or it is a stock image.
using TPictureRef = std::variant<std::monostate, TBitmap*, TGIFImage*, TGpImage*, ThtMetaFile*>;

class TImageObj : public TFloatingObj {
 public:
  // From an IMG tag at the character position.
  TImageObj(ThtDocument* document, const TAttributeList& attributes, int charPos);
  // An image with no attributes: inline, bottom-aligned, no border, no size given.
  TImageObj(ThtDocument* document, const String& source);
  // For the printing copy: the shared fields, the sizes, the same picture and mask, held by
  // the copy as well, so that it draws them whatever becomes of the source.
  TImageObj(ThtDocument* document, const TImageObj& source);
  // Releases the cache entry it acquired and leaves the document's lists.
  ~TImageObj() override;

  // Fetches the picture when needed and works out the display and box sizes.
  void MeasureBox(TCanvas& canvas, int availableHeight, int availableWidth, TFontObj* fontRun) override;
  // Draws the image in its line.
  void Draw(TCanvas& canvas, int x, TFontObj* fontRun, int baselineY, int lineTopY);
  void DrawPicture(TCanvas& canvas, int x, int y);
  // The picture as a bitmap for copying out; nil for the error image and pictures that
  // cannot give one.
  TBitmap* GetBitmap();
  // 0 none, 1 pointer over the image, 2 button down.
  void SetHover(uint8_t state);
  // Whether the picture is one of the document's stock images.
  bool ShowsStockImage() const;
  // Whether the point (document coordinates) lies on the picture inside the border; the
  // picture coordinates when it does.
  bool HitsPicture(int x, int y, int& imageX, int& imageY) const;

  TPictureRef Picture;
  std::unique_ptr<TBitmap> BitmapCopy;
  uint8_t HoverState = 0;
  bool HoverAnimated = false;
  int32_t PlaceholderHeight = 0, PlaceholderWidth = 0;
  uint8_t ContainerPositioned = 0;
  int32_t ScaledHeight = 0, ScaledWidth = 0;
  String Source;
  std::shared_ptr<TImageObject> LoadedImage;  // shared with the cache
  std::shared_ptr<TBitmap> Mask;              // shared with the cache, or the stock error mask
  uint8_t Transparent = 0;  // 1 TRANSP given, 2 the mask came from a GIF
  bool IsMap = false, UsesMap = false;
  String MapName;
  TFormControlObj* FormControl = nullptr;
  TCellBasic* Cell = nullptr;
  bool Delayed = false;

 private:
  void FetchPicture();
  void UsePicture(const TImageObject& image);
  TSize PictureSize() const;
  void ComputeBox(TCanvas& canvas, TFontObj* fontRun);
  // This object's animation of a cached GIF, shared with its printing copies (which draw
  // its still frame and never animate it).
  std::shared_ptr<TGIFImage> ownGif_;
  String cacheKey_;  // the key of the cache entry this object acquired; empty when none
  bool stock_ = false;                 // the picture is a stock image of the document
  bool error_ = false;                 // ... the one of a failed load
};
