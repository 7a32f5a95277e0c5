// The document root as far as sections, cells, font runs and images need it: the lists
// and caches they file themselves in, and the flags of screen, printing and measuring
// passes. Layout and painting of the whole document belong to the viewer's document.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "html/document/floats/PanelObj.h"
#include "html/document/model/Cells.h"
#include "html/document/model/DrawList.h"
#include "html/document/model/FontList.h"
#include "html/document/model/InlineList.h"
#include "html/foundation/images/ImageLoading.h"
#include "html/foundation/shared/IdObjects.h"
#include "html/foundation/shared/ImageMaps.h"
#include "html/foundation/shared/SelectionSinks.h"
#include "platform/rtl/StringList.h"

class TCustomControl;
class TMarkupViewerBase;
class TProperties;
class TPropStack;
class TStringBitmapList;
class TStyleList;
class TFloatingObj;

class ThtDocument : public TCell {
 public:
  // viewer and paintPanel may be nil (a document without a window, as in measuring).
  ThtDocument(TMarkupViewerBase* viewer, TCustomControl* paintPanel);
  // Frees the sections first: they leave the document's lists as they go.
  ~ThtDocument() override;

  // The character position after all text answers the end (CursorLength).
  int SourceToCursor(int sourcePosition, bool backward) override;
  // A cursor at or past the end is placed 15 pixels right of the last character.
  bool CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) override;

  // The image of a source from the image cache, or loaded from the file and filed there
  // under its key (the upper-cased, trimmed source). transparency: in, what the caller asks
  // for (1: a mask from the lower-left colour); out, what the image has. Nil when the
  // source is empty or the image cannot be loaded.
  const TImageObject* GetImage(const String& source, uint8_t& transparency, TBitmap*& mask, bool& fromCache,
                               String& key);
  // The stock images: in place of a failed load (with its mask) and of one not shown.
  TBitmap& ErrorImage();
  TBitmap& ErrorMask();
  TBitmap& PlaceholderImage();
  bool IsStockImage(const TBitmap* bitmap) const;

  // A canvas for measuring: the paint panel's, or the document's own without a window.
  TCanvas& MeasureCanvas();

  // Inline border boxes: a record with the element's box values opens at the source
  // position; closing finds the last open record of the same property set.
  void OpenInlineBorder(int sourcePosition, const TProperties& properties);
  void CloseInlineBorder(int sourcePosition, const TProperties& properties);

  // Everything that refers to an object leaves these lists when the object goes.
  void ForgetSection(const TSectionBase* section);
  void ForgetFloatingObj(const TFloatingObj* object);

  // Flags and state.
  bool UseQuirks = false;
  bool ShowImages = true;
  bool Printing = false;
  bool IsCopy = false;    // a printing copy
  bool NoOutput = false;  // paint without producing output (measuring passes)
  int32_t YOffset = 0;
  int32_t SelectionStart = 0, SelectionEnd = 0;
  SelTextCount* SelectionSink = nullptr;  // set only while a selection is copied
  TColor BackgroundColor = clWhite;
  bool PrintBackground = false;
  bool PrintMonochromeBlack = false;
  double PrintScaleX = 1.0, PrintScaleY = 1.0;
  TMarkupViewerBase* Viewer;     // not owned
  TCustomControl* PaintPanel;    // not owned
  int32_t SectionCount = 0;
  int32_t LayoutPass = 0;
  int32_t ProgressStart = 0;
  int32_t* FirstBaselineRequest = nullptr;
  bool TooManyLinks = false;
  int32_t PageNumber = 0;
  // Paging of a printing copy: the Y where the page ends (lines that would be cut move it
  // up to their top; a table row that moves it sets TableBreak), and whether anything has
  // been painted on the page yet.
  int32_t PageBottom = 0;
  bool TableBreak = false;
  bool NothingPaintedYet = true;
  bool ShowDummyCaret = false;  // paint a caret at an empty selection (viewer option)
  bool NoBreak = false;  // the parser is inside a no-break element

  // The parser's property stack and the document's style sheet; the document that owns
  // them sets them (nil while there is none).
  TPropStack* PropStack = nullptr;
  TStyleList* StyleList = nullptr;

  // Lists.
  TIDObjectList IdList;
  TFreeList<TSectionBase> PositionList{false};
  TLinkList LinkList;
  TStringList TabOrderList;                    // "%.5d%.3d" keys with the tab-stop windows
  TFreeList<TPanelObj> PanelList{false};
  TFreeList<TGIFImage> AnimatedImages{false};
  TStringList MissingImages;                   // upper-cased source, the waiting TFloatingObj*
  TFreeList<TMapItem> MapList{true};
  TDrawList ImageDrawList;
  TStringBitmapList* ImageCache = nullptr;     // the viewer's, shared
  TInlineList InlineList{this};

  // Hover state.
  TFontObj* HoverLink = nullptr;
  TFloatingObj* HoverImage = nullptr;

  // The viewer's side of link tab stops: a link got the keyboard focus; a key went to a
  // link (Enter follows it, others are the viewer's keys). Unassigned: nothing happens.
  std::function<void(TFontObj& run)> OnLinkFocus;
  std::function<void(TFontObj& run, uint16_t& key, uint32_t shift)> OnLinkKey;
  // Printing copies: a link was drawn on page PageNumber in the rectangle.
  std::function<void(int pageNumber, const TRect& rect, const String& target, const String& url)> LinkDrawn;

 private:
  std::unique_ptr<TBitmap> errorImage_, errorMask_, placeholderImage_;
  std::unique_ptr<TCanvas> measureCanvas_;
};
