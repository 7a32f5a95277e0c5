// The document's state between loads: emptying it, the viewer's defaults, background,
// scroll offset, position search, selection text and link hover.
#include "html/document/floats/ImageObj.h"
#include "html/document/forms/FormControlObj.h"
#include "html/document/forms/HtmlForm.h"
#include "html/document/model/Document.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/gif/GifImage.h"
#include "platform/ui/app/Timer.h"
#include "platform/ui/controls/CustomControl.h"

void ThtDocument::Clear() {
  // The link, tab-order and position lists own nothing and refer to every link run and
  // every section: emptied first, they are not searched once for every run and section
  // freed below. Then the sections: they and their images and panels leave every other list
  // of the document as they are freed. What else was filed (anchors, maps, waiting images)
  // goes next.
  LinkList.Clear();
  TabOrderList.Clear();
  HoverLink = nullptr;
  PositionList.Clear();
  TCell::Clear();
  SharedFonts.Clear();
  if (!IsCopy) {
    IdList.Clear();
    InlineList.Clear();
  }
  ForgetBackgroundImage();
  BackgroundName.clear();
  BackgroundProcessed = false;
  AnimatedImages.Clear();
  AnimationTimer.reset();
  SelectionStart = SelectionEnd = 0;
  MapList.Clear();
  MissingImages.Clear();
  HoverImage = nullptr;
  PanelList.Clear();
  ImageDrawList.Clear();
  if (!IsCopy && ownStyleList_) {
    ownStyleList_->Clear();
    ownStyleList_->QuirksMode = UseQuirks;
  }
  // The forms free their controls, and the controls their windows.
  FormList.Clear();
  AllFormControls.Clear();
  CurrentForm = nullptr;
}

void ThtDocument::SetDefaults(const String& fontName, const String& preFontName, int marginWidth, int marginHeight,
                              uint8_t charset, int codePage, bool underlineLinks, bool overLinksActive,
                              TColor backgroundColor, TColor overLinkColor, TColor visitedColor, TColor hotSpotColor,
                              TColor fontColor, double fontSize) {
  if (StyleList)
    StyleList->BuildDefaultSheet(fontName, preFontName, fontSize, fontColor, hotSpotColor, visitedColor,
                                 overLinkColor, underlineLinks, codePage, charset, marginHeight, marginWidth);
  SetFontSizeTables(fontSize);
  PreFontName = preFontName;
  OverLinkColor = overLinkColor;
  VisitedColor = visitedColor;
  HotSpotColor = hotSpotColor;
  OverLinksActive = overLinksActive;
  SetBackground(backgroundColor);
}

void ThtDocument::SetBackground(TColor color) {
  BackgroundColor = color;
  if (BackgroundChanged) BackgroundChanged();
}

void ThtDocument::SetBackgroundImage(const String& name, const TBackgroundPos& position) {
  ForgetBackgroundImage();
  BackgroundName = name;
  BackgroundPosition = position;
  BackgroundProcessed = false;
}

void ThtDocument::SetYOffset(int y) {
  YOffset = y;
  PositionsChanged = true;
  // Panels leave the list as they are freed: every entry is a live panel.
  for (int i = 0; i < PanelList.Count(); ++i) PanelList.Items(i)->Shown = false;
  for (int i = 0; i < AllFormControls.Count(); ++i) AllFormControls.Items(i)->Shown = false;
}

void ThtDocument::ClearPanelsAndControls() {
  PanelList.Clear();
  AllFormControls.Clear();
}

std::unique_ptr<TFreeList<TStringList>> ThtDocument::FormData() {
  if (FormList.Count() == 0) return nullptr;
  auto data = std::make_unique<TFreeList<TStringList>>(true);
  for (int i = 0; i < FormList.Count(); ++i) data->Add(FormList.Items(i)->GetFormData().release());
  return data;
}

TSectionBase* ThtDocument::FindSectionAtY(int y, int& sectionY, int& index) {
  TSectionBase* found = nullptr;
  index = -1;
  sectionY = 0;
  for (int i = 0; i < PositionList.Count(); ++i) {
    TSectionBase* section = PositionList.Items(i);
    if (section->AnchorY() > y) continue;
    found = section;
    sectionY = section->AnchorY();
    index = i;
  }
  return found;
}

namespace {
// The document's sink for the time of one selection copy, also when copying fails.
class TSinkInUse {
 public:
  TSinkInUse(SelTextCount*& slot, SelTextCount& sink) : slot_(slot) { slot_ = &sink; }
  ~TSinkInUse() { slot_ = nullptr; }
  TSinkInUse(const TSinkInUse&) = delete;
  TSinkInUse& operator=(const TSinkInUse&) = delete;

 private:
  SelTextCount*& slot_;
};
}  // namespace

int ThtDocument::CopySelectionInto(SelTextCount& sink) {
  TSinkInUse use(SelectionSink, sink);
  CopySelection();
  return sink.Finish();
}

int ThtDocument::SelectionLength() {
  if (SelectionStart >= SelectionEnd) return 0;
  SelTextCount sink;
  return CopySelectionInto(sink);
}

int ThtDocument::SelectionText(Char* buffer, int size) {
  if (SelectionStart >= SelectionEnd) {
    if (size <= 0 || !buffer) return 0;
    buffer[0] = 0;
    return 1;
  }
  SelTextBuf sink(buffer, size);
  return CopySelectionInto(sink);
}

namespace {
void SetImageHover(TFloatingObj* object, uint8_t state) {
  if (auto* image = dynamic_cast<TImageObj*>(object)) image->SetHover(state);
}
}  // namespace

int ThtDocument::UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
                       std::unique_ptr<TUrlTarget>& target) {
  TFontObj* const oldLink = HoverLink;
  TFloatingObj* const oldImage = HoverImage;
  HoverLink = nullptr;
  HoverImage = nullptr;
  const int flags = TCellBasic::UrlAt(canvas, x, y, title, control, target);
  if (OverLinksActive && HoverLink != oldLink) {
    if (oldLink) oldLink->SetLinkHover(LinkList, false);
    if (HoverLink) HoverLink->SetLinkHover(LinkList, true);
    if (PaintPanel) PaintPanel->Invalidate();
  }
  if (oldImage && oldImage != HoverImage) SetImageHover(oldImage, 0);
  if (HoverImage) SetImageHover(HoverImage, LeftButtonDown ? 2 : 1);
  return flags;
}

void ThtDocument::SetHoverImagePressed(bool pressed) {
  if (!HoverImage) return;
  SetImageHover(HoverImage, pressed ? 2 : 1);
  if (PaintPanel) PaintPanel->Invalidate();
}

void ThtDocument::ClearHover() {
  if ((HoverLink || HoverImage) && PaintPanel) PaintPanel->Invalidate();
  if (HoverLink) HoverLink->SetLinkHover(LinkList, false);
  if (HoverImage) SetImageHover(HoverImage, 0);
  HoverLink = nullptr;
  HoverImage = nullptr;
}
