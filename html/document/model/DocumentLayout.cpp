// Layout and painting of the whole document, the tab order it gives, and the timer that
// animates its GIF images.
#include <algorithm>

#include "html/document/forms/HtmlForm.h"
#include "html/document/model/Document.h"
#include "html/document/model/TabControl.h"
#include "html/foundation/gif/GifImage.h"
#include "platform/ui/app/Timer.h"
#include "platform/ui/controls/CustomControl.h"

namespace {
// The first tick after a layout, and the ticks after it.
constexpr int FirstAnimationDelay = 50;
constexpr int AnimationInterval = 40;
}  // namespace

int ThtDocument::DoLogic(TCanvas& canvas, int y, int width, int availableHeight, int& scrollWidth, int& cursor) {
  return Layout(canvas, y, cursor, scrollWidth, availableHeight, availableHeight, width);
}

void ThtDocument::SizeFormControls(TCanvas& canvas) {
  for (int i = 0; i < FormList.Count(); ++i) FormList.Items(i)->SetSizes(canvas);
}

void ThtDocument::GiveTabOrder() {
  int number = 0;
  for (int i = 0; i < TabOrderList.Count(); ++i)
    if (auto* target = static_cast<TTabOrderTarget*>(TabOrderList.Objects(i))) target->TakeTabOrder(number++);
  TabOrderList.Clear();
}

int ThtDocument::Layout(TCanvas& canvas, int y, int& cursor, int& maxWidth, int availableHeight,
                        int containingHeight, int availableWidth) {
  ++LayoutPass;
  TableDepth = 0;
  FinalPass = false;
  if (AnimationTimer) AnimationTimer->SetEnabled(false);
  SizeFormControls(canvas);
  InlineList.NeedsConverting = true;
  if (TabOrderList.Count() > 0) GiveTabOrder();
  AbsoluteOriginWidth = availableWidth;

  const int height = TCell::Layout(canvas, y, cursor, maxWidth, availableHeight, containingHeight, availableWidth);

  for (int i = 0; i < AnimatedImages.Count(); ++i) {
    TGIFImage& gif = *AnimatedImages.Items(i);
    gif.SetAnimating(false);
    if (!IsCopy) gif.SetAnimating(true);
  }
  if (!IsCopy) {
    if (!AnimationTimer) {
      AnimationTimer = std::make_unique<TTimer>(nullptr);
      AnimationTimer->SetEnabled(false);
      AnimationTimer->SetInterval(FirstAnimationDelay);
      AnimationTimer->SetOnTimer([this](TComponent*) { AnimationTick(); });
    }
    EnableAnimationTimer();
    if (AllFormControls.Count() > 0 && PaintPanel && PaintPanel->Showing()) AllFormControls.ActivateTabbing();
    if (PositionList.Count() == 0) AddToPositionList();
  }
  return height;
}

void ThtDocument::EnableAnimationTimer() {
  if (AnimationTimer) AnimationTimer->SetEnabled(AnimatedImages.Count() > 0);
}

void ThtDocument::AnimationTick() {
  if (IsCopy) return;
  const int backgroundFrame = BackgroundGif ? BackgroundGif->FrameIndex : 0;
  if (PaintPanel) {
    for (int i = 0; i < AnimatedImages.Count(); ++i) {
      TGIFImage& gif = *AnimatedImages.Items(i);
      if (gif.Drawn) gif.CheckAdvance(*PaintPanel);
    }
    if (BackgroundGif && BackgroundGif->FrameIndex != backgroundFrame) PaintPanel->Invalidate();
  }
  if (AnimationTimer && AnimationTimer->Interval() != AnimationInterval) AnimationTimer->SetInterval(AnimationInterval);
}

int ThtDocument::Draw(TCanvas& canvas, const TRect& clip, int width, int x, int y, int xRef, int yRef) {
  PageBottom = YOffset + clip.Bottom;
  TableBreak = false;
  NothingPaintedYet = true;
  TableDepth = 0;
  SkipDraw = false;
  if (AnimationTimer) AnimationTimer->SetEnabled(false);
  for (int i = 0; i < AnimatedImages.Count(); ++i) AnimatedImages.Items(i)->Drawn = false;
  if (BackgroundGif && !IsCopy) BackgroundGif->Drawn = true;

  ImageDrawList.Clear();
  const int bottom = TCell::Draw(canvas, clip, width, x, y, xRef, yRef);
  ImageDrawList.DrawImages();
  ImageDrawList.Clear();

  if (PositionsChanged && !IsCopy && PaintPanel && PaintPanel->Showing()) AllFormControls.ActivateTabbing();
  if (PositionsChanged)
    for (int i = 0; i < PanelList.Count(); ++i) {
      TPanelObj& panel = *PanelList.Items(i);
      if (!panel.Shown && panel.Panel) panel.Panel->Hide();
    }
  PositionsChanged = false;
  HorizontallyScrolled = false;
  EnableAnimationTimer();
  return bottom;
}
