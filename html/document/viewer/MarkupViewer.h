// TMarkupViewer: the window control that shows one HTML, XHTML, plain-text or image
// document. It owns the document, loads files, streams and buffers into it through the HTML
// parser, lays it out for the width of its client area with the scroll bars it needs, and
// paints the visible part through an off-screen bitmap onto its paint panel.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "html/document/paging/PageRenderer.h"
#include "html/document/paging/Printing.h"
#include "html/document/viewer/ViewerEvents.h"
#include "html/foundation/shared/FreeList.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/app/Message.h"
#include "platform/ui/controls/CustomControl.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/ScrollBar.h"

class TBuffer;
class TFontObj;
class TFormControlObj;
class TMarkupViewer;
class ThtDocument;
class TStream;
class TTimer;
class TUrlTarget;
class TStringBitmapList;

// The drawing surface of the viewer: paints the document part that its clip asks for.
class TPaintPanel : public TCustomControl {
 public:
  TPaintPanel(TMarkupViewer* viewer);

  // The mouse on the panel is the viewer's: presses, moves, releases, a double click of the
  // left button, the wheel, and the pointer leaving the panel.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClickAt(TShiftState shift, int x, int y) override;
  bool MouseWheel(TShiftState shift, int wheelDelta, int x, int y) override;
  void MouseLeave() override;

 protected:
  void Paint() override;

 private:
  TMarkupViewer& viewer_;
};

// One page of the history: its reading position (as GetPosition gives it), its kind and the
// values of its forms when it was left (nil when it had none).
class PositionObj {
 public:
  int64_t ScrollPosition = 0;
  THtmlFileType DocumentKind = HtmlType;
  std::unique_ptr<TFreeList<TStringList>> SavedFormValues;
};

class TMarkupViewer : public TMarkupViewerBase {
 public:
  // Files larger than this are refused: a document is held in memory several times over.
  static constexpr int64_t MaxDocumentBytes = int64_t(256) << 20;
  // The widest document the horizontal bar scrolls to.
  static constexpr int MaxScrollWidth = 6000;

  explicit TMarkupViewer(TComponent* AOwner);
  ~TMarkupViewer() override;

  // Loading (ViewerLoading.cpp). Nothing happens while the viewer is busy.
  // A file, optionally with a "#fragment"; the departing page goes to the history.
  void LoadDocumentFile(const String& FileName, THtmlFileType DocType = HtmlType);
  // Opens and loads a file without touching the history. A missing file, a folder, a
  // device or FIFO raise EhtLoadError "Can't locate '%s'."; a file over MaxDocumentBytes
  // raises EhtLoadError as well. The shown document and CurrentFile stay as they were.
  virtual void ReadDocumentFile(const String& FileName, THtmlFileType DocType);
  // A stream (not owned); images are shown through an IMG element that reads the stream.
  void LoadDocumentStream(const String& Name, TStream* Stream, THtmlFileType DocType);
  // A buffer, which the viewer takes over; DocType ImgType or no buffer raise EhtException.
  void LoadDocument(std::unique_ptr<TBuffer> Document, const String& Name, THtmlFileType DocType);
  // Text in memory, as a buffer of UTF-16 text.
  void LoadDocumentString(const String& Text, const String& Name = String(), THtmlFileType DocType = HtmlType);
  // Empties the document and applies the defaults before a parse.
  virtual void PrepareDocument();
  // Shows an empty document; CurrentFile is kept.
  virtual void ClearDocument();
  // Loads the current file again (its position is kept).
  void Reload();

  // Layout and scroll bars (ViewerLayout.cpp).
  void DoLayout();
  // DoLayout keeping the reading position.
  void Reformat();
  void AlignControls() override;

  // Positions and scrolling (ViewerPositions.cpp).
  void ScrollTo(int Y);
  int GetScrollPos() const;
  void SetScrollPos(int Y);
  // A reading position that survives a re-layout at another width: the position object
  // at or above the top of the view and the distance below it (see TViewerPosition).
  int64_t GetPosition();
  void SetPosition(int64_t Position);

  // Properties and state (ViewerProperties.cpp).
  void SetProcessing(bool Busy);
  bool Processing() const { return HasState(vsProcessing); }
  void SetViewImages(bool Value);
  bool ViewImages() const { return viewImages_; }
  THTMLBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(THTMLBorderStyle Value);
  TColor DefBackground() const { return defBackground_; }
  void SetDefBackground(TColor Value);
  TColor DefFontColor() const { return defFontColor_; }
  void SetDefFontColor(TColor Value) { defFontColor_ = Value; }
  const String& DefFontName() const { return defFontName_; }
  void SetDefFontName(const String& Value) { defFontName_ = Value; }
  int DefFontSize() const { return defFontSize_; }
  void SetDefFontSize(int Value) { defFontSize_ = Value; }
  const String& DefPreFontName() const { return defPreFontName_; }
  void SetDefPreFontName(const String& Value);
  TColor DefHotSpotColor() const { return defHotSpotColor_; }
  void SetDefHotSpotColor(TColor Value);
  TColor DefOverLinkColor() const { return defOverLinkColor_; }
  void SetDefOverLinkColor(TColor Value);
  TColor DefVisitedLinkColor() const { return defVisitedLinkColor_; }
  void SetDefVisitedLinkColor(TColor Value);
  TMarkupViewerOptions HtOptions() const { return htOptions_; }
  void SetHtOptions(TMarkupViewerOptions Value);
  int ImageCacheCount() const { return imageCacheCount_; }
  void SetImageCacheCount(int Value);
  int MarginHeight() const { return marginHeight_; }
  void SetMarginHeight(int Value) { marginHeight_ = Value; }
  int MarginWidth() const { return marginWidth_; }
  void SetMarginWidth(int Value) { marginWidth_ = Value; }
  uint8_t CharSet() const { return charSet_; }
  void SetCharSet(uint8_t Value) { charSet_ = Value; }
  bool NoSelect() const { return noSelect_; }
  void SetNoSelect(bool Value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  const String& ServerRoot() const { return serverRoot_; }
  void SetServerRoot(const String& Value);
  // The document's SCRIPT elements go to the handler.
  void SetOnScript(TScriptEvent Handler) override;

  // TMarkupViewerBase.
  void ResolveFileName(const String& Name, String& FullName) override;
  bool DrawsFocusRect() override;
  void HoverFormControl(TComponent* Control, TShiftState Shift, int X, int Y) override;
  void ReportProgress(int Percent) override;

  // Image data for the document: the shown image file's stream while one is loaded, else
  // what OnImageRequest hands out.
  virtual void RequestImageStream(const String& SRC, TStream*& Stream);
  // A META element of the parse: OnMeta, and a refresh for OnMetaRefresh.
  virtual void ProcessMetaTag(const String& HttpEq, const String& Name, const String& Content);

  // Painting (ViewerPaint.cpp): the background, then the document, in window coordinates.
  void DrawDocumentArea(TCanvas& Canvas, const TRect& Rect);

  // Paged output (ViewerPaging.cpp), through a copy of the document: the viewer's layout,
  // scroll position and selection stay as they are, and no message is handled meanwhile.
  // The width of the widest content and the height at Width; (0, 0) for a Width below 1.
  std::pair<int, int> MeasureDocument(int Width);
  // Every page of Width x Height pixels in order, owned by the caller; none while the viewer
  // is busy or for an empty document.
  TPageMetafileList RenderPageMetafiles(int Width, int Height);
  // The same pages one at a time; nil while busy or for an empty document.
  std::unique_ptr<TPageRenderer> PageRenderer(int Width, int Height);
  // Print(Printer, FromPage, ToPage, page count or preview): no printer of this system can
  // take either, so both raise EIllegalArgument with their message.
  virtual int PrintDocument(TPrinter* Printer, bool CountOnly, int FromPage, int ToPage);
  int Print(TPrinter* Printer, int FromPage, int ToPage, TPrintMode Mode);

  // Print settings and the results of a page count or preview. No printer of this system
  // takes a print (see Print), so the results stay 0 and the events are never raised.
  double PrintMarginLeft() const { return printMarginLeft_; }
  void SetPrintMarginLeft(double Value) { printMarginLeft_ = Value; }
  double PrintMarginRight() const { return printMarginRight_; }
  void SetPrintMarginRight(double Value) { printMarginRight_ = Value; }
  double PrintMarginTop() const { return printMarginTop_; }
  void SetPrintMarginTop(double Value) { printMarginTop_ = Value; }
  double PrintMarginBottom() const { return printMarginBottom_; }
  void SetPrintMarginBottom(double Value) { printMarginBottom_ = Value; }
  int PrintMaxHPages() const { return printMaxHPages_; }
  void SetPrintMaxHPages(int Value) { printMaxHPages_ = Value; }
  double PrintScale() const { return printScale_; }
  // Kept within MinPrintScale .. MaxPrintScale.
  void SetPrintScale(double Value);
  static constexpr double MinPrintScale = 0.125, MaxPrintScale = 8.0;
  int PrintedPage = 0;  // the page being printed, from 1
  int PrintContentWidth = 0, PrintContentHeight = 0;
  double PrintWidthRatio = 0;
  TPrintEvents PrintEvents;

  ThtDocument& Document() const { return *DocRoot; }
  TPaintPanel& PaintPanel() const { return *PaintPanel_; }
  TScrollBar& VScrollBar() const { return *VScrollBar_; }
  TScrollBar& HScrollBar() const { return *HScrollBar_; }
  int BarWidth() const { return BarWidth_; }
  // The border around the panel is drawn now (single line frame).
  bool BorderShown() const { return borderShown_; }

  String CurrentFile;
  THtmlFileType CurrentDocType = HtmlType;
  String DocumentTitle, Base, BaseTarget;
  int ScrollWidth = 0;  // pixels, at most MaxScrollWidth
  int MaxVertical = 0;  // pixels
  int RefreshDelay = 0;
  String RefreshURL;
  int CodePage = 0;
  int CaretPos = 0;
  int MouseDownChar = -1;
  // False: a load parses the document and leaves its layout to the next DoLayout (Reformat,
  // a resize), showing nothing until then. For a viewer that is never shown and whose
  // documents are only paged (the pages are laid out on a printing copy).
  bool LayoutOnLoad = true;

  TViewerEvents Events;

  // The first layout of DoLayout tries a vertical bar (>= 0) or none; it follows the
  // recent documents of every viewer of the process.
  static int VBarBias;

  // State bits.
  enum TViewerState : uint16_t {
    vsBackgroundFixed = 1u << 0,
    vsPaintSuspended = 1u << 1,
    vsCreating = 1u << 2,
    vsProcessing = 1u << 3,
    vsOwnsImageCache = 1u << 4,
    vsLinkFollowed = 1u << 5,
    vsAutoScroll = 1u << 6,
    vsLeftButtonDown = 1u << 7,
    vsMiddleScroll = 1u << 8,
    vsSelecting = 1u << 9,
  };
  bool HasState(TViewerState s) const { return (state_ & s) != 0; }

  // ---- Mouse, keys, links, selection and history (ViewerMouse.cpp, ViewerAutoScroll.cpp,
  // ViewerKeys.cpp, ViewerLinks.cpp, ViewerVisited.cpp, ViewerHistory.cpp).
 public:
  // The viewer's private messages: a form submission, the start of auto-scrolling, following
  // the current link (a link's tab stop got Enter).
  static constexpr uint32_t WmFormSubmit = WM_USER + 100;
  static constexpr uint32_t WmAutoScroll = WM_USER + 102;
  static constexpr uint32_t WmFollowLink = WM_USER + 103;
  // The auto-scroll timer's interval, and the least time between two of its steps.
  static constexpr int AutoScrollInterval = 25;
  static constexpr int AutoScrollStepTime = 100;
  // The hover timer's interval: a link or image loses the hover state at its first tick
  // after the pointer left the panel.
  static constexpr int HoverInterval = 200;

  // The paint panel's mouse (panel coordinates).
  virtual void PanelMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void PanelMouseMove(TShiftState Shift, int X, int Y);
  virtual void PanelMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // A double click of the left button.
  void PanelDoubleClick(TShiftState Shift, int X, int Y);
  // The pointer left the paint panel.
  void PanelMouseLeave();
  // Moves the moving end of a drag selection to the character under the point.
  virtual void ExtendSelectionTo(int X, int Y);
  // The scrolling keys (and Ctrl+C, Ctrl+Insert: copy the selection).
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  // The wheel, also over the paint panel: True (handled) unless htNoWheelMouse is set.
  bool MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) override;
  void HandleMessage(TMessage& Message) override;

  // The document's hit test at the point (panel coordinates): flags 1 a link (Link is made),
  // 2 an image form control (FormControl); the title of what is there.
  int GetUrlAt(int X, int Y, String& Title, TFormControlObj*& FormControl, std::unique_ptr<TUrlTarget>& Link);
  // The word under the point and the cursor range of its characters; CaretPos becomes the
  // character under the point.
  bool GetWordAt(int X, int Y, String& Word, int& First, int& Last);

  // Follows LinkUrl: OnHotSpotClick first; a fragment scrolls, another HTML, text or image
  // file is loaded, web addresses and other kinds of file are not followed.
  void HandleLinkClick();
  // Scrolls to the element with that id or anchor name (any case); False when none.
  bool PositionTo(const String& Dest);
  void AddVisitedLink(const String& URL);
  void MarkVisitedLinks();
  int VisitedMaxCount() const { return visitedMaxCount_; }
  void SetVisitedMaxCount(int Value);

  // Records the departing page and the one shown now (index 0: the newest).
  void BumpHistory(const String& OldFile, const String& OldTitle, int64_t OldPos,
                   std::unique_ptr<TFreeList<TStringList>> FormValues, THtmlFileType OldType);
  void ClearHistory();
  int HistoryMaxCount() const { return historyMaxCount_; }
  void SetHistoryMaxCount(int Value);
  int HistoryIndex() const { return historyIndex_; }
  // Shows the page of that history entry again at its position (the page left keeps its
  // position and form values in its entry). A file that cannot be loaded raises and changes
  // nothing.
  void SetHistoryIndex(int Value);

  // The selected text; the text between two source positions (LinkTextX, LinkTextY become
  // where it starts on the panel).
  String SelText();
  String LinkTextAt(int SourceStart, int SourceEnd);
  // The selected text onto the clipboard (nothing when the selection is empty).
  void CopyToClipboard();

  // With a handler the document's forms are submitted to it, later, from the message loop.
  void SetOnFormSubmit(TFormSubmitEvent Handler);
  void SubmitForm(const String& Action, const String& Target, const String& EncType, const String& Method,
                  std::unique_ptr<TStringList> Results);
  // A form control or a link got the keyboard focus: it is scrolled into view.
  void ControlEntered(TFormControlObj& Control);
  void LinkEntered(TFontObj& Run);
  // A key on a link's tab stop: Enter follows the link (from the message loop), other keys
  // are the viewer's.
  void LinkKeyDown(TFontObj& Run, uint16_t& Key, TShiftState Shift);

  // Drops the hover state once the pointer has left the panel.
  void HoverTimerTick();
  // One pass of auto-scrolling (edge dragging or middle-button mode).
  void AutoScrollTick();

  String LinkUrl, LinkTarget;
  TStringList LinkAttributes;
  String LinkText;
  int LinkTextX = 0, LinkTextY = 0;
  String HoverTitle;
  int DragStartY = 0;
  TTimer* HoverTimer = nullptr;       // owned as a component
  TTimer* AutoScrollTimer = nullptr;  // owned as a component
  TStringList Visited;
  TStringList History, TitleHistory;
  TFreeList<PositionObj> PositionHistory{true};
  TViewerLinkEvents LinkEvents;

 private:
  void DeliverFormSubmission();
  void StartAutoScroll();
  void StopAutoScroll();
  bool AutoScrollWanted() const;
  void SetPanelCursor(TCursor Value);
  // The cursor position of the document under the point (panel coordinates), -1 when none;
  // whether the point is on text, and the X of that cursor position.
  int CharacterAt(int X, int Y, bool& OnText, int& CursorX);
  void TakeLinkUnderPoint(int X, int Y);
  void FocusLink(const TUrlTarget& Link);
  void FollowLinkFile(const String& Address, const String& Fragment);
  String ResolvedLinkUrl(const TFontObj& Run);

  int visitedMaxCount_ = 50;
  int historyMaxCount_ = 0;
  int historyIndex_ = 0;
  bool FocusGuard = false;
  bool pointerOnPanel_ = false;
  int mouseX_ = 0, mouseY_ = 0;  // the last point of the mouse on the panel
  uint64_t lastAutoScrollStep_ = 0;
  int wheelRest_ = 0;  // wheel movement short of a notch
  TFormSubmitEvent onFormSubmit_;
  String SubmitAction, SubmitTarget, SubmitEncType, SubmitMethod;
  std::unique_ptr<TStringList> SubmitResults;
  // ---- end of mouse, keys, links, selection and history.
 protected:
  void Paint() override;

 private:
  friend class TPaintPanel;
  struct TClientArea {
    int Offset = 0, Width = 0, Height = 0;
    bool HBar = false, VBar = false;
  };
  TClientArea GetClientArea(int ContentWidth, int ContentHeight) const;
  void LayoutAt(int Width, int Height);
  void PlaceScrollBars();
  void VScrollHandler(int& ScrollPos);
  void HScrollHandler(int& ScrollPos);
  void BackgroundChanged();
  void UpdateBorder();
  void FinishParse(const String& Title, const String& BaseHref, const String& BaseTargetName);
  void ParseInto(THtmlFileType DocType);
  void ApplyDefaults();
  void StopSound();
  void SetState(TViewerState s, bool on) { state_ = on ? (state_ | s) : (state_ & ~s); }
  bool EffectiveQuirks(TBuffer& buffer, THtmlFileType DocType) const;

  uint16_t state_ = 0;
  std::unique_ptr<ThtDocument> DocRoot;
  std::unique_ptr<TStringBitmapList> ownImageCache_;
  TPaintPanel* PaintPanel_ = nullptr;
  TScrollBar* VScrollBar_ = nullptr;
  TScrollBar* HScrollBar_ = nullptr;
  int BarWidth_ = 17;
  bool borderShown_ = false;
  std::unique_ptr<TBuffer> SourceBuffer;
  TStream* ImageStream = nullptr;

  THTMLBorderStyle borderStyle_ = THTMLBorderStyle::htFocused;
  TColor defBackground_ = clBtnFace;
  TColor defFontColor_ = clBtnText;
  String defFontName_ = u"Times New Roman";
  String defPreFontName_ = u"Courier New";
  int defFontSize_ = 12;
  TColor defHotSpotColor_ = clBlue, defOverLinkColor_ = clBlue, defVisitedLinkColor_ = clPurple;
  TMarkupViewerOptions htOptions_ = htPrintTableBackground | htPrintMonochromeBlack;
  int imageCacheCount_ = 5;
  int marginHeight_ = 5, marginWidth_ = 10;
  uint8_t charSet_ = 1;
  bool noSelect_ = false;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  String serverRoot_;
  bool viewImages_ = true;
  // Margins in centimetres.
  double printMarginLeft_ = 2.0, printMarginRight_ = 2.0, printMarginTop_ = 2.0, printMarginBottom_ = 2.0;
  int printMaxHPages_ = 2;
  double printScale_ = 1.0;
};
