// What the viewer control shares with its users: document kinds, options, border styles,
// its exceptions and the events it raises or hands on to the parser and the document (the
// parser's event types are declared alike here, so that users of the viewer need not
// include the parser).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/gdi/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"
#include "platform/ui/Events.h"

class TBitmap;
class TBuffer;
class TIDObject;
class TCanvas;
class TMarkupViewer;
class TStream;
class TStringList;
class TStrings;
class ThvPanel;

// Document kinds.
using THtmlFileType = uint8_t;
enum : THtmlFileType { HtmlType = 0, TextType = 1, ImgType = 2, XhtmlType = 3, OtherType = 4 };

WENDREL_DECLARE_EXCEPTION(EhtException, Exception);
WENDREL_DECLARE_EXCEPTION(EhtLoadError, EhtException);
WENDREL_DECLARE_EXCEPTION(EOutOfResources, Exception);

enum class THTMLBorderStyle { htFocused, htNone, htSingle };

// Options of the viewer (a set of these bits).
using TMarkupViewerOptions = uint32_t;
enum : TMarkupViewerOptions {
  htOverLinksActive = 1u << 0,
  htNoLinkUnderline = 1u << 1,
  htPrintTableBackground = 1u << 2,
  htPrintBackground = 1u << 3,
  htPrintMonochromeBlack = 1u << 4,
  htShowDummyCaret = 1u << 5,
  htShowVScroll = 1u << 6,
  htNoFocusRect = 1u << 7,
  htNoLinkHilite = 1u << 8,          // a press on a link does not start a selection
  htNoWheelMouse = 1u << 9,          // neither the wheel nor the middle button scroll
  htAllowHotSpotDblClick = 1u << 10,  // a double click after following a link still selects
};

enum class TProgressStage { psStarting, psRunning, psEnding };

using TGetBitmapEvent =
    std::function<void(TComponent* Sender, const String& SRC, std::unique_ptr<TBitmap>& Bitmap, TColor& Color)>;
using TGetImageEvent = std::function<void(TComponent* Sender, const String& SRC, TStream*& Stream)>;
using TGottenImageEvent = std::function<void(TComponent* Sender, const String& SRC, TStream* Stream)>;
using TFilenameExpanded = std::function<void(TComponent* Sender, String& Filename)>;
using TLinkType = std::function<void(TComponent* Sender, const String& Rel, const String& Rev, const String& Href)>;
using TMetaType =
    std::function<void(TComponent* Sender, const String& HttpEq, const String& Name, const String& Content)>;
using TMetaRefreshType = std::function<void(TComponent* Sender, int Delay, const String& URL)>;
using TSoundType = std::function<void(TComponent* Sender, const String& SRC, int Loop, bool Terminate)>;
// An include comment: the handler may hand back a buffer that follows the comment.
using TIncludeType = std::function<void(TComponent* Sender, const String& Command, TStrings& Params,
                                        std::unique_ptr<TBuffer>& IncludedDocument)>;
using TPanelCreateEvent = std::function<void(TComponent* Sender, const String& Name, ThvPanel& Panel,
                                             const String& SRC, const String& Type)>;
using TPanelDestroyEvent = std::function<void(TComponent* Sender, ThvPanel& Panel)>;
// The handler may replace the buffer that is parsed.
using TParseEvent = std::function<void(TComponent* Sender, std::unique_ptr<TBuffer>& Source)>;
using TProcessingEvent = std::function<void(TComponent* Sender, bool ProcessingOn)>;
using ThtProgressEvent = std::function<void(TComponent* Sender, TProgressStage Stage, int PercentDone)>;

// The viewer's events of loading, layout and images.
struct TViewerEvents {
  TGetBitmapEvent OnBitmapRequest;
  TGetImageEvent OnImageRequest;
  TGottenImageEvent OnImageRequested;
  TFilenameExpanded OnFilenameExpanded;
  TIncludeType OnInclude;
  TLinkType OnLink;
  TMetaType OnMeta;
  TMetaRefreshType OnMetaRefresh;
  TPanelCreateEvent OnPanelCreate;
  TPanelDestroyEvent OnPanelDestroy;
  TParseEvent OnParseBegin;
  TNotifyEvent OnParseEnd;
  TProcessingEvent OnProcessing;
  ThtProgressEvent OnProgress;
  TSoundType OnSoundRequest;
};

// Mouse, links, history and forms.

// A link was clicked: a handler that sets Handled keeps the viewer from following it.
using THotSpotClickEvent = std::function<void(TComponent* Sender, const String& SRC, bool& Handled)>;
// The pointer moved onto a link (SRC) or off it (SRC empty).
using THotSpotEvent = std::function<void(TComponent* Sender, const String& SRC)>;
// An image or other object of the document under the pointer; X and Y within the object.
using TImageClickEvent = std::function<void(TComponent* Sender, TIDObject* Obj, TMouseButton Button,
                                            TShiftState Shift, int X, int Y)>;
using TImageOverEvent = std::function<void(TComponent* Sender, TIDObject* Obj, TShiftState Shift, int X, int Y)>;

// What lay under a right click: the link, the image and the point in it, the word.
struct TRightClickParameters {
  String ClickedUrl, ClickedTarget;
  TIDObject* ClickedImage = nullptr;
  int ClickImageX = 0, ClickImageY = 0;
  String ClickedWord;
};
using TRightClickEvent = std::function<void(TComponent* Sender, TRightClickParameters& Parameters)>;
// A form was submitted; the handler takes over the results (name=value lines).
using TFormSubmitEvent =
    std::function<void(TComponent* Sender, const String& Action, const String& Target, const String& EncType,
                       const String& Method, std::unique_ptr<TStringList> Results)>;

struct TViewerLinkEvents {
  THotSpotClickEvent OnHotSpotClick;
  THotSpotEvent OnHotSpotCovered;
  TImageClickEvent OnImageClick;
  TImageOverEvent OnImageOver;
  TRightClickEvent OnRightClick;
  TMouseEvent OnMouseDouble;
  TNotifyEvent OnHistoryChange;
};

// Printing: a page's header or footer drawn by the handler into the margin above or below
// the page (Canvas, the page's number, the margin's width and height); StopPrinting ends
// the print job after this page.
using TPagePrinted =
    std::function<void(TComponent* Sender, TCanvas& Canvas, int NumPage, int W, int H, bool& StopPrinting)>;
// The same as HTML: the handler loads its header or footer into HFViewer, a hidden viewer
// that is then laid out and drawn in the margin of the page.
using ThtmlPagePrinted =
    std::function<void(TComponent* Sender, TMarkupViewer& HFViewer, int NumPage, bool& StopPrinting)>;

// The viewer's events of printing.
struct TPrintEvents {
  TPagePrinted OnPrintHeader;
  TPagePrinted OnPrintFooter;
  ThtmlPagePrinted OnPrintHTMLHeader;
  ThtmlPagePrinted OnPrintHTMLFooter;
};
