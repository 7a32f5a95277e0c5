// Layout for the client area: which scroll bars the document needs, the layout at the
// width they leave, and the placing of the paint panel and the bars.
#include <algorithm>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"

namespace {
// The single-line frame around the paint panel, both sides together.
constexpr int FrameSize = 2;
}  // namespace

TMarkupViewer::TClientArea TMarkupViewer::GetClientArea(int ContentWidth, int ContentHeight) const {
  TClientArea area;
  const int border = borderStyle_ == THTMLBorderStyle::htNone ? 0 : FrameSize;
  area.Offset = border / 2;
  area.Width = Width() - border;
  area.Height = Height() - border;
  const bool showVScroll = (htOptions_ & htShowVScroll) != 0;
  switch (scrollBars_) {
    case TScrollStyle::ssNone: break;
    case TScrollStyle::ssHorizontal:
      area.HBar = area.Width < ContentWidth;
      if (area.HBar) area.Height -= BarWidth_;
      break;
    case TScrollStyle::ssVertical:
      area.VBar = showVScroll || area.Height < ContentHeight;
      if (area.VBar) area.Width -= BarWidth_;
      break;
    case TScrollStyle::ssBoth:
      area.VBar = showVScroll || area.Height < ContentHeight;
      if (area.VBar) area.Width -= BarWidth_;
      area.HBar = area.Width < ContentWidth;
      if (area.HBar) area.Height -= BarWidth_;
      if (!area.VBar && area.Height < ContentHeight) {
        area.VBar = true;
        area.Width -= BarWidth_;
      }
      break;
  }
  return area;
}

void TMarkupViewer::LayoutAt(int Width, int Height) {
  ScrollWidth = 0;
  int cursor = 0;
  MaxVertical = DocRoot->DoLogic(PaintPanel_->Canvas(), 0, std::max(Width, 0), Height, ScrollWidth, cursor);
}

void TMarkupViewer::DoLayout() {
  struct TSuspendPaint {
    TMarkupViewer& viewer;
    bool was;
    ~TSuspendPaint() { viewer.SetState(vsPaintSuspended, was); }
  } suspend{*this, HasState(vsPaintSuspended)};
  SetState(vsPaintSuspended, true);

  const TClientArea area = GetClientArea(0, 0);
  // The full width: a bar that is always shown is taken off once, by the layouts below.
  const int w = area.VBar ? area.Width + BarWidth_ : area.Width, h = area.Height;
  if (scrollBars_ == TScrollStyle::ssNone || scrollBars_ == TScrollStyle::ssHorizontal) {
    LayoutAt(w, h);
  } else {
    const bool showVScroll = (htOptions_ & htShowVScroll) != 0;
    bool needed = area.VBar;  // the verdict of the last check
    auto check = [&] { return needed = GetClientArea(ScrollWidth, MaxVertical).VBar; };
    if (VBarBias >= 0) {
      LayoutAt(w - BarWidth_, h);
      if (!showVScroll && MaxVertical > 0 && !(check() && MaxVertical > 2 * h)) {
        LayoutAt(w, h);
        if (check()) LayoutAt(w - BarWidth_, h);
      }
    } else if (showVScroll) {
      LayoutAt(w - BarWidth_, h);
    } else {
      LayoutAt(w, h);
      if (check()) {
        LayoutAt(w - BarWidth_, h);
        if (!check()) LayoutAt(w, h);
      }
    }
    if (MaxVertical > 0 && !showVScroll) VBarBias += needed ? 1 : -1;
  }
  PlaceScrollBars();
}

void TMarkupViewer::PlaceScrollBars() {
  ScrollWidth = std::min(ScrollWidth, MaxScrollWidth);
  const TClientArea area = GetClientArea(ScrollWidth, MaxVertical);
  const int w = std::max(area.Width, 0), h = std::max(area.Height, 0);
  PaintPanel_->SetBounds(area.Offset, area.Offset, w, h);

  auto setRange = [](TScrollBar& bar, int page, int maximum) {
    // The page never exceeds the maximum on the way.
    if (page < bar.Max()) {
      bar.SetPageSize(page);
      bar.SetMax(maximum);
    } else {
      bar.SetMax(maximum);
      bar.SetPageSize(page);
    }
  };
  HScrollBar_->SetVisible(area.HBar);
  HScrollBar_->SetBounds(area.Offset, area.Offset + h, w, BarWidth_);
  HScrollBar_->SetLargeChange(std::max(16, w - HScrollBar_->SmallChange()));
  HScrollBar_->SetEnabled(w < ScrollWidth);
  setRange(*HScrollBar_, std::min(w, ScrollWidth), ScrollWidth);

  VScrollBar_->SetVisible(area.VBar);
  VScrollBar_->SetBounds(area.Offset + w, area.Offset, BarWidth_, h);
  VScrollBar_->SetLargeChange(std::max(16, h - VScrollBar_->SmallChange()));
  VScrollBar_->SetEnabled(h < MaxVertical);
  setRange(*VScrollBar_, std::min(h, MaxVertical), MaxVertical);
}

void TMarkupViewer::Reformat() {
  if (Processing()) return;
  SetProcessing(true);
  struct TScope {
    TMarkupViewer& viewer;
    ~TScope() {
      if (viewer.Events.OnProgress) viewer.Events.OnProgress(&viewer, TProgressStage::psEnding, 100);
      viewer.SetProcessing(false);
    }
  } scope{*this};
  const int64_t position = GetPosition();
  DocRoot->ProgressStart = 0;
  if (Events.OnProgress) Events.OnProgress(this, TProgressStage::psStarting, 0);
  DoLayout();
  SetPosition(position);
  PaintPanel_->Invalidate();
}

void TMarkupViewer::AlignControls() {
  TMarkupViewerBase::AlignControls();
  if (HasState(vsCreating) || !DocRoot) return;
  if (Processing()) PlaceScrollBars();
  else Reformat();
  ScrollTo(VScrollBar_->Position());
  int x = std::clamp(HScrollBar_->Position(), 0, std::max(0, HScrollBar_->Max() - PaintPanel_->Width()));
  HScrollBar_->SetPosition(x);
}
