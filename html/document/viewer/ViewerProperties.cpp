// The viewer's construction, its published properties and its answers to the document.
#include <algorithm>

#include "html/document/floats/PanelObj.h"
#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/images/ImageCache.h"
#include "platform/ui/app/Screen.h"
#include "platform/ui/app/Timer.h"

int TMarkupViewer::VBarBias = 0;

TMarkupViewer::TMarkupViewer(TComponent* AOwner) : TMarkupViewerBase(AOwner) {
  SetState(vsCreating, true);
  SetBounds(Left(), Top(), 150, 150);
  SetCursor(TCursor::crIBeam);
  SetTabStop(true);
  PaintPanel_ = new TPaintPanel(this);
  PaintPanel_->SetParent(this);
  PaintPanel_->SetCursor(TCursor::crIBeam);
  VScrollBar_ = new TScrollBar(this);
  VScrollBar_->SetKind(TScrollBarKind::sbVertical);
  VScrollBar_->SetVisible(false);
  VScrollBar_->SetSmallChange(16);
  VScrollBar_->SetParent(this);
  VScrollBar_->OnScroll = [this](TComponent*, TScrollCode, int& position) { VScrollHandler(position); };
  HScrollBar_ = new TScrollBar(this);
  HScrollBar_->SetKind(TScrollBarKind::sbHorizontal);
  HScrollBar_->SetVisible(false);
  HScrollBar_->SetSmallChange(15);
  HScrollBar_->SetParent(this);
  HScrollBar_->OnScroll = [this](TComponent*, TScrollCode, int& position) { HScrollHandler(position); };
  BarWidth_ = VScrollBar_->Width();

  DocRoot = std::make_unique<ThtDocument>(this, PaintPanel_);
  DocRoot->BackgroundChanged = [this] { BackgroundChanged(); };
  DocRoot->ImageRequest = [this](const String& src, TStream*& stream) { RequestImageStream(src, stream); };
  DocRoot->ImageRequested = [this](const String& src, TStream* stream) {
    if (Events.OnImageRequested) Events.OnImageRequested(this, src, stream);
  };
  DocRoot->BitmapRequest = [this](const String& src, std::unique_ptr<TBitmap>& bitmap, TColor& color) {
    if (Events.OnBitmapRequest) Events.OnBitmapRequest(this, src, bitmap, color);
  };
  DocRoot->PanelCreate = [this](const String& name, ThvPanel& panel, const String& src, const String& type) {
    if (Events.OnPanelCreate) Events.OnPanelCreate(this, name, panel, src, type);
  };
  DocRoot->PanelDestroy = [this](ThvPanel& panel) {
    if (Events.OnPanelDestroy) Events.OnPanelDestroy(this, panel);
  };
  DocRoot->OnControlEnter = [this](TFormControlObj& control) { ControlEntered(control); };
  DocRoot->OnLinkFocus = [this](TFontObj& run) { LinkEntered(run); };
  DocRoot->OnLinkKey = [this](TFontObj& run, uint16_t& key, uint32_t shift) { LinkKeyDown(run, key, shift); };
  DocRoot->OnControlKeyDown = [this](uint16_t& key, TShiftState shift) { KeyDown(key, shift); };
  DocRoot->ShowImages = true;
  SetDefBackground(clBtnFace);
  SetDefHotSpotColor(defHotSpotColor_);
  SetDefOverLinkColor(defOverLinkColor_);
  SetDefVisitedLinkColor(defVisitedLinkColor_);
  SetDefPreFontName(defPreFontName_);
  SetHtOptions(htOptions_);
  ApplyDefaults();
  HoverTimer = new TTimer(this);
  HoverTimer->SetEnabled(false);
  HoverTimer->SetInterval(HoverInterval);
  HoverTimer->SetOnTimer([this](TComponent*) { HoverTimerTick(); });
  AutoScrollTimer = new TTimer(this);
  AutoScrollTimer->SetEnabled(false);
  AutoScrollTimer->SetInterval(AutoScrollInterval);
  AutoScrollTimer->SetOnTimer([this](TComponent*) { AutoScrollTick(); });
  SetState(vsCreating, false);
}

TMarkupViewer::~TMarkupViewer() {
  HoverTimer->SetEnabled(false);
  AutoScrollTimer->SetEnabled(false);
  // The document's sections and panels refer to the paint panel: they go first.
  DocRoot->Clear();
  DocRoot.reset();
  ownImageCache_.reset();
  DestroyComponents();
}

void TMarkupViewer::SetProcessing(bool Busy) {
  if (Busy == Processing()) return;
  SetState(vsProcessing, Busy);
  if (Events.OnProcessing) Events.OnProcessing(this, Busy);
}

void TMarkupViewer::SetViewImages(bool Value) {
  if (Processing() || Value == viewImages_) return;
  viewImages_ = Value;
  struct TScope {
    TMarkupViewer& viewer;
    TCursor cursor;
    ~TScope() {
      Screen.SetCursor(cursor);
      viewer.SetProcessing(false);
    }
  } scope{*this, Screen.Cursor()};
  Screen.SetCursor(TCursor::crHourGlass);
  SetProcessing(true);
  DocRoot->ShowImages = Value;
  if (DocRoot->Count() > 0) {
    DocRoot->LoadBackground();
    const int64_t position = GetPosition();
    DoLayout();
    SetPosition(position);
    PaintPanel_->Invalidate();
  }
}

void TMarkupViewer::SetBorderStyle(THTMLBorderStyle Value) {
  borderStyle_ = Value;
  UpdateBorder();
  if (!HasState(vsCreating)) PlaceScrollBars();
}

void TMarkupViewer::UpdateBorder() {
  const bool shown = borderStyle_ == THTMLBorderStyle::htSingle ||
                     (borderStyle_ == THTMLBorderStyle::htFocused && Focused());
  if (shown == borderShown_) return;
  borderShown_ = shown;
  Invalidate();
}

void TMarkupViewer::SetDefBackground(TColor Value) {
  if (Processing()) return;
  defBackground_ = Value;
  DocRoot->SetBackground(Value);
  PaintPanel_->SetColor(Value);
  PaintPanel_->Invalidate();
}

void TMarkupViewer::SetDefPreFontName(const String& Value) {
  defPreFontName_ = Value;
  if (LowerCaseText(Value) != LowerCaseText(DocRoot->PreFontName)) DocRoot->PreFontName = Value;
}

void TMarkupViewer::SetDefHotSpotColor(TColor Value) {
  defHotSpotColor_ = Value;
  DocRoot->HotSpotColor = Value;
}

void TMarkupViewer::SetDefOverLinkColor(TColor Value) {
  defOverLinkColor_ = Value;
  DocRoot->OverLinkColor = Value;
}

void TMarkupViewer::SetDefVisitedLinkColor(TColor Value) {
  defVisitedLinkColor_ = Value;
  DocRoot->VisitedColor = Value;
}

void TMarkupViewer::SetHtOptions(TMarkupViewerOptions Value) {
  htOptions_ = Value;
  DocRoot->OverLinksActive = (Value & htOverLinksActive) != 0;
  DocRoot->PrintTableBackground = (Value & (htPrintTableBackground | htPrintBackground)) != 0;
  DocRoot->PrintBackground = (Value & htPrintBackground) != 0;
  DocRoot->PrintMonochromeBlack = (Value & htPrintMonochromeBlack) != 0;
  DocRoot->ShowDummyCaret = (Value & htShowDummyCaret) != 0;
}

void TMarkupViewer::SetImageCacheCount(int Value) {
  imageCacheCount_ = std::clamp(Value, 0, 20);
  if (DocRoot->ImageCache) DocRoot->ImageCache->SetMaxAge(imageCacheCount_);
}

void TMarkupViewer::SetNoSelect(bool Value) {
  noSelect_ = Value;
  if (Value) {
    DocRoot->SelectionStart = DocRoot->SelectionEnd = -1;
    PaintPanel_->Invalidate();
  }
}

void TMarkupViewer::SetScrollBars(TScrollStyle Value) {
  if (Value == scrollBars_) return;
  scrollBars_ = Value;
  if (HasState(vsCreating) || Processing()) return;
  SetProcessing(true);
  struct TScope {
    TMarkupViewer& viewer;
    ~TScope() { viewer.SetProcessing(false); }
  } scope{*this};
  DoLayout();
  Invalidate();
  PaintPanel_->Invalidate();
}

void TMarkupViewer::SetServerRoot(const String& Value) {
  String root = TrimText(Value);
  while (!root.empty() && (root.back() == u'\\' || root.back() == u'/')) root.pop_back();
  serverRoot_ = root;
}

void TMarkupViewer::SetOnScript(TScriptEvent Handler) {
  TViewerBase::SetOnScript(Handler);
  DocRoot->OnScript = std::move(Handler);
}

bool TMarkupViewer::DrawsFocusRect() { return (htOptions_ & htNoFocusRect) == 0; }

void TMarkupViewer::ReportProgress(int Percent) {
  if (Events.OnProgress) Events.OnProgress(this, TProgressStage::psRunning, Percent);
}
