// The root of a parsed HTML document: the top-level sections, and everything
// document-wide that sections, cells, font runs and images file themselves in (ids,
// positions, links, panels, animated images, image maps, the image cache shared with the
// viewer, inline border boxes), the property stack and style sheet of parsing, layout of the
// whole document, painting with the scroll offset, and the animation timer of GIF images.
// A printing copy shares the image cache and the inline border list of its source.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "html/document/floats/PanelObj.h"
#include "html/document/floats/PrintedPictures.h"
#include "html/document/forms/HtmlForm.h"
#include "html/document/model/Cells.h"
#include "html/document/model/DrawList.h"
#include "html/document/model/FontList.h"
#include "html/document/model/InlineList.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/document/style/HtmlStyleList.h"
#include "html/foundation/css/BoxValues.h"
#include "html/foundation/fonts/SharedMyFonts.h"
#include "html/foundation/images/ImageLoading.h"
#include "html/foundation/shared/IdObjects.h"
#include "html/foundation/shared/ImageMaps.h"
#include "html/foundation/shared/SelectionSinks.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/rtl/StringList.h"

class TCustomControl;
class TStream;
class TMarkupViewerBase;
class TProperties;
class TPropStack;
class TStringBitmapList;
class TStyleList;
class TFloatingObj;
class TGIFImage;
class THtmlTable;
class TTimer;
class ThvPanel;

// OBJECT: the viewer may take the element's panel (WantPanel), then the content is skipped.
using TObjectTagEvent = std::function<void(TComponent* Sender, ThvPanel* Panel, const TStringList& Attributes,
                                           const TStringList& Params, bool& WantPanel)>;
// A style sheet (LINK) by name: a stream the caller keeps, or nil to read the file.
using TStreamRequestEvent = std::function<void(TComponent* Sender, const String& Url, TStream*& Stream)>;

class ThtDocument : public TCell {
 public:
  // viewer and paintPanel may be nil (a document without a window, as in measuring).
  ThtDocument(TMarkupViewerBase* viewer, TCustomControl* paintPanel);
  // The printing copy: copies of the sections, the source's options, offsets, colours,
  // viewer and handlers, and the source's image cache and inline border list (shared).
  // Its form, animation, map, missing-image, panel and draw lists start empty; it has no
  // style sheet, links, ids or tab stops of its own, and never animates.
  explicit ThtDocument(const ThtDocument& source);
  // The printing copy of a document that is not needed again (one loaded only to be paged,
  // or a printing copy to be paged at another size): the copy takes the sections over one
  // at a time, and inside them the sections of blocks and cells and the rows of tables,
  // freeing each part of the source as soon as it is copied, so that the two never both
  // hold the whole document. The source is left empty. Only for a document whose copies
  // draw nothing through it: see CanBeTakenOver.
  static std::unique_ptr<ThtDocument> TakeOver(ThtDocument&& source);
  // No panels and no form controls: the copies of those draw through the source's.
  bool CanBeTakenOver() const { return PanelList.Count() == 0 && AllFormControls.Count() == 0; }
  ThtDocument& operator=(const ThtDocument&) = delete;
  // Frees the sections first: they leave the document's lists as they go.
  ~ThtDocument() override;

  // Empties the document for the next load: sections, lists, background, selection, hover
  // state, the animation timer; a printing copy keeps the shared lists of its source.
  void Clear() override;
  // The viewer's defaults: the default style sheet, font sizes, link colours, hover
  // tracking and the background colour.
  void SetDefaults(const String& fontName, const String& preFontName, int marginWidth, int marginHeight,
                   uint8_t charset, int codePage, bool underlineLinks, bool overLinksActive,
                   TColor backgroundColor, TColor overLinkColor, TColor visitedColor, TColor hotSpotColor,
                   TColor fontColor, double fontSize);
  // Stores the colour and tells the viewer.
  void SetBackground(TColor color);
  // A new background image by name; it is looked up on the next LoadBackground.
  void SetBackgroundImage(const String& name, const TBackgroundPos& position);
  // The vertical scroll position; the next paint checks again which panels are visible.
  void SetYOffset(int y);

  // Lays the whole document out from Y for the width: the height it needs (scrollWidth:
  // the widest content). Gives form controls and link tab stops their tab order, restarts
  // the animations and the timer, and fills the position list.
  int DoLogic(TCanvas& canvas, int y, int width, int availableHeight, int& scrollWidth, int& cursor);
  // Sizes the form controls for their fonts on the canvas, as every layout does first. The
  // printing copies draw the document's own controls at these sizes.
  void SizeFormControls(TCanvas& canvas);
  int Layout(TCanvas& canvas, int y, int& cursor, int& maxWidth, int availableHeight, int containingHeight,
             int availableWidth) override;
  // Paints what lies in the clip rectangle (window coordinates; document Y = window Y +
  // YOffset) and answers the bottom of the content. PageBottom becomes YOffset + clip bottom.
  int Draw(TCanvas& canvas, const TRect& clip, int width, int x, int y, int xRef, int yRef) override;

  // The last entry of the position list at or above y, with its Y and index; nil when every
  // entry lies below y.
  TSectionBase* FindSectionAtY(int y, int& sectionY, int& index);
  // Selection text: the number of characters of the selection; the characters copied into
  // buffer (at most size, including a terminating 0), answering the count.
  int SelectionLength();
  int SelectionText(Char* buffer, int size);
  // Link hover from the point (document coordinates): remembers the link and the image under
  // the point and gives them the hover state. leftButtonDown: the image looks pressed.
  int UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
            std::unique_ptr<TUrlTarget>& target) override;
  void SetHoverImagePressed(bool pressed);
  void ClearHover();
  // Empties the panel list and the form control list (the parser does when BODY opens
  // before any section).
  void ClearPanelsAndControls();
  // The current data of every form (for restoring the fields after a reload); nil when the
  // document has no form.
  std::unique_ptr<TFreeList<TStringList>> FormData();

  // The character position after all text answers the end (CursorLength).
  int SourceToCursor(int sourcePosition, bool backward) override;
  // A cursor at or past the end is placed 15 pixels right of the last character.
  bool CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) override;

  // The image of a source from the image cache, or loaded (from the file, or from the
  // source itself for "data:image/...;base64,...") and filed there under its key (the
  // upper-cased, trimmed source). transparency: in, what the caller asks
  // for (1: a mask from the lower-left colour); out, what the image has. Nil when the
  // source is empty or the image cannot be loaded.
  // delayed (when given): set when the image handler said that the image comes later.
  // The image and its mask are shared with the cache: every document and printing copy that
  // draws them holds them.
  std::shared_ptr<TImageObject> GetImage(const String& source, uint8_t& transparency, std::shared_ptr<TBitmap>& mask,
                                         bool& fromCache, String& key, bool* delayed = nullptr);
  // Looks the background image up once the parse named it (images shown, not done yet):
  // BackgroundImage and BackgroundMask; an animated one becomes BackgroundGif. An image that
  // comes later waits in MissingImages under its name.
  void LoadBackground();
  // The stock images, one of each for the whole program (they outlive every document and
  // copy that shows them, and nothing draws into them): in place of a failed load (with its
  // mask) and of one not shown.
  static TBitmap& ErrorImage();
  static TBitmap& ErrorMask();
  static TBitmap& PlaceholderImage();
  static bool IsStockImage(const TBitmap* bitmap);

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
  bool PositionsChanged = false;      // scrolled vertically since the last paint
  bool HorizontallyScrolled = false;  // scrolled sideways since the last paint
  TColor VisitedColor = clPurple, OverLinkColor = clBlue, HotSpotColor = clBlue;
  bool PrintTableBackground = false;
  String PreFontName;
  bool OverLinksActive = false;  // links get the hover state (option or a ":hover" rule)
  bool ShowDummyCaret = false;  // paint a caret at an empty selection (viewer option)
  bool LeftButtonDown = false;   // while set a hovered image looks pressed
  // Paging and painting state, reset at every paint: the Y where a printed page ends (lines
  // that would be cut move it up to their top; a table row that moves it sets TableBreak),
  // and whether anything has been painted on the page yet.
  int32_t PageBottom = 0;
  bool TableBreak = false;
  // Set while a page that could not end below its top is drawn again: nothing moves to the
  // next page, every section is drawn across the page bottom.
  bool PageCutForced = false;
  bool NothingPaintedYet = true;
  int32_t TableDepth = 0;
  // Set by an outermost table while it places the cells of a row: nested tables then lay
  // their cells out at their final place. Cleared by every layout.
  bool FinalPass = false;
  // The table being continued across pages, nil when none.
  THtmlTable* PrintedTable = nullptr;
  bool SkipDraw = false;
  bool Printing = false;
  // Whether a block of automatic width widens past its containing width to hold what cannot
  // wrap (a long preformatted line, a wide table), as on screen. Pages laid out at the
  // printable width clear it: paragraphs then wrap on the page, and only what cannot wrap
  // runs past the right margin.
  bool WidenBlocksToContent = true;
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
  // The width of the box that absolutely placed boxes are placed from while they lay out:
  // the document's width, or that of the nearest positioned block around them.
  int32_t AbsoluteOriginWidth = 0;
  // The background: the image by name and placement.
  String BackgroundName;
  TBackgroundPos BackgroundPosition{};
  bool BackgroundProcessed = false;
  TGIFImage* BackgroundGif = nullptr;  // an animated background: the one in BackgroundImage
  std::shared_ptr<TImageObject> BackgroundImage;  // shared with the cache
  std::shared_ptr<TBitmap> BackgroundMask;         // shared with the cache
  std::function<void()> BackgroundChanged;
  bool TooManyLinks = false;
  int32_t PageNumber = 0;
  bool NoBreak = false;  // the parser is inside a no-break element

  // The parser's property stack and the document's style sheet: the document's own (a
  // printing copy has none); a caller may point them elsewhere.
  TPropStack* PropStack = nullptr;
  TStyleList* StyleList = nullptr;

  // Lists.
  TIDObjectList IdList;
  TFreeList<TSectionBase> PositionList{false};
  TLinkList LinkList;
  TStringList TabOrderList;                    // TabOrderKey keys with the tab-stop windows
  TFreeList<TPanelObj> PanelList{false};
  TFreeList<TGIFImage> AnimatedImages{false};
  TStringList MissingImages;                   // upper-cased source, the waiting TFloatingObj*
                                               // (the document itself for its background)
  TFreeList<TMapItem> MapList{true};
  TFreeList<ThtmlForm> FormList{true};         // owns the forms, which own their controls
  TFormControlObjList AllFormControls{false};  // every control, in order of creation
  // The form that new controls join; the parser sets it at FORM and clears it at its end.
  // A control made while it is nil makes an implicit form, which stays current.
  ThtmlForm* CurrentForm = nullptr;
  TDrawList ImageDrawList;
  // A printing copy's pictures as its pages hold them.
  TPrintedPictures PrintedPictures;
  TStringBitmapList* ImageCache = nullptr;     // the viewer's, shared
  // The fonts of the runs, one of each (TFontObj::RunFont); emptied with the sections.
  TSharedMyFonts SharedFonts;

 private:
  std::unique_ptr<THtmlPropStack> ownPropStack_;
  std::unique_ptr<THtmlStyleList> ownStyleList_;
  // A printing copy of the source's options, handlers and inline records, without sections.
  struct TWithoutSections {};
  ThtDocument(const ThtDocument& source, TWithoutSections);

 public:
  // The document's own; a printing copy converts a copy of the source's records through
  // its own sections.
  TInlineList InlineList{this};
  // Created by the first layout of a screen document; ticks while animated images exist.
  std::unique_ptr<TTimer> AnimationTimer;

  // Hover state.
  TFontObj* HoverLink = nullptr;
  TFloatingObj* HoverImage = nullptr;

  // The viewer's side of link tab stops: a link got the keyboard focus; a key went to a
  // link (Enter follows it, others are the viewer's keys). Unassigned: nothing happens.
  std::function<void(TFontObj& run)> OnLinkFocus;
  std::function<void(TFontObj& run, uint16_t& key, uint32_t shift)> OnLinkKey;
  // A shown panel of a printing copy: the host draws the panel (the screen document's, sized
  // to the box) into a bitmap of the box's size. A copy takes its source's handler.
  std::function<void(ThvPanel& panel, TBitmap& bitmap)> PanelPrint;

  // The viewer's side of form controls (unassigned: nothing happens). A form is submitted
  // with its attributes and the name=value lines, which the receiver takes over.
  std::function<void(const String& action, const String& target, const String& encType, const String& method,
                     std::unique_ptr<TStringList> results)>
      OnFormSubmit;
  // A control got the focus (the viewer scrolls it into view).
  std::function<void(TFormControlObj& control)> OnControlEnter;
  // Focus, blur, click and change of a control with the text of its ONFOCUS, ONBLUR,
  // ONCLICK or ONCHANGE attribute.
  std::function<void(TFormControlObj& control, const String& text)> OnObjectFocus, OnObjectBlur, OnObjectClick,
      OnObjectChange;
  // The browse button of a file field: fileName is the edit's text and becomes it again.
  std::function<void(TFormControlObj& edit, String& fileName)> OnFileBrowse;
  // A key that a form control does not handle itself (the viewer's key handling).
  std::function<void(uint16_t& key, TShiftState shift)> OnControlKeyDown;
  // Image handlers of the viewer; unassigned, images are files. BitmapRequest may hand over a
  // bitmap and its transparent colour (clNone: none); ImageRequest may hand out a stream
  // (not owned), WaitStream() when the image comes later, NoImageStream() when there is none;
  // ImageRequested gets the stream an image was read from. ExpandName may rewrite the name
  // of a linked file before it is asked for: the background image (with image handlers)
  // and a style sheet of a LINK element (with a stream handler).
  std::function<void(const String& source, std::unique_ptr<TBitmap>& bitmap, TColor& color)> BitmapRequest;
  std::function<void(const String& source, TStream*& stream)> ImageRequest;
  std::function<void(const String& source, TStream* stream)> ImageRequested;
  std::function<void(String& name)> ExpandName;
  static TStream* WaitStream();
  static TStream* NoImageStream();
  // The host's side of PANEL windows: one was made (not for OBJECT elements), one goes.
  std::function<void(const String& name, ThvPanel& panel, const String& source, const String& type)> PanelCreate;
  std::function<void(ThvPanel& panel)> PanelDestroy;

  // Parsing's hooks into the viewer (unassigned: parsing goes on without them): SCRIPT
  // elements, OBJECT elements, style sheets of LINK elements asked for by name, and the
  // character set and code page the text is read in (at the start and after a META charset).
  TScriptEvent OnScript;
  TObjectTagEvent OnObjectTag;
  TStreamRequestEvent OnStreamRequest;
  std::function<void(uint8_t charset, int codePage)> OnCharsetChange;
  // Printing copies: a link was drawn on page PageNumber in the rectangle.
  std::function<void(int pageNumber, const TRect& rect, const String& target, const String& url)> LinkDrawn;

 private:
  void AnimationTick();
  void ForgetBackgroundImage();
  void EnableAnimationTimer();
  void GiveTabOrder();
  int CopySelectionInto(SelTextCount& sink);

  std::unique_ptr<TCanvas> measureCanvas_;
  String backgroundKey_;  // the cache key of BackgroundImage
};
