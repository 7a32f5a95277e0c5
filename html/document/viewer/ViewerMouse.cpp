// The paint panel's mouse: presses, moves and releases, selection by dragging and by double
// click, the link under the pointer with its hover state and hints, image and right-click
// events, and the start and end of middle-button scrolling.
#include <algorithm>
#include <cstdlib>

#include "html/document/floats/FloatingObj.h"
#include "html/document/forms/FormControlObj.h"
#include "html/document/forms/InputControls.h"
#include "html/document/model/Document.h"
#include "html/document/model/FontObj.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Timer.h"

void TPaintPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  viewer_.PanelMouseDown(button, shift, x, y);
}

void TPaintPanel::MouseMove(TShiftState shift, int x, int y) { viewer_.PanelMouseMove(shift, x, y); }

void TPaintPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  viewer_.PanelMouseUp(button, shift, x, y);
}

void TPaintPanel::DblClickAt(TShiftState shift, int x, int y) { viewer_.PanelDoubleClick(shift, x, y); }

bool TPaintPanel::MouseWheel(TShiftState shift, int wheelDelta, int x, int y) {
  return viewer_.MouseWheel(shift, wheelDelta, x, y);
}

void TPaintPanel::MouseLeave() { viewer_.PanelMouseLeave(); }

namespace {

bool IsWordChar(Char c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c > 0x00BF;
}

// The point within an object of the document (document coordinates in, object's out).
void PointInObject(const TIDObject* object, int x, int y, int& objectX, int& objectY) {
  objectX = x;
  objectY = y;
  if (const auto* floating = dynamic_cast<const TFloatingObj*>(object)) {
    objectX = x - floating->DrawLeft;
    objectY = y - floating->DrawTop;
  }
}

}  // namespace

int TMarkupViewer::CharacterAt(int X, int Y, bool& OnText, int& CursorX) {
  int lineHeight = 0, lineTop = 0;
  OnText = false;
  CursorX = 0;
  return DocRoot->FindCursor(DocRoot->MeasureCanvas(), X, Y + DocRoot->YOffset, OnText, lineHeight, lineTop,
                             CursorX);
}

int TMarkupViewer::GetUrlAt(int X, int Y, String& Title, TFormControlObj*& FormControl,
                            std::unique_ptr<TUrlTarget>& Link) {
  FormControl = nullptr;
  Link.reset();
  const int found = DocRoot->UrlAt(DocRoot->MeasureCanvas(), X, Y + DocRoot->YOffset, Title, FormControl, Link);
  int flags = 0;
  if ((found & UrlAtLink) && Link) flags |= UrlAtLink;
  if ((found & UrlAtFormControl) && dynamic_cast<TImageFormControlObj*>(FormControl)) flags |= UrlAtFormControl;
  else FormControl = nullptr;
  return flags;
}

bool TMarkupViewer::GetWordAt(int X, int Y, String& Word, int& First, int& Last) {
  Word.clear();
  First = Last = -1;
  bool onText = false;
  int cursorX = 0;
  int i = CharacterAt(X, Y, onText, cursorX);
  CaretPos = std::max(i, 0);
  if (i < 0) return false;
  Char ch = 0;
  TIDObject* object = nullptr;
  // The cursor lies between characters: the one under the pointer is the one before it when
  // the pointer is left of the cursor.
  if (X < cursorX && i > 0) --i;
  if (!onText && X >= cursorX) return false;
  if (!DocRoot->CharAt(i, ch, object) || !IsWordChar(ch)) return false;
  TIDObject* const owner = object;
  auto wordCharAt = [&](int index) {
    Char c = 0;
    TIDObject* o = nullptr;
    return index >= 0 && DocRoot->CharAt(index, c, o) && o == owner && IsWordChar(c);
  };
  First = Last = i;
  while (wordCharAt(First - 1)) --First;
  while (wordCharAt(Last + 1)) ++Last;
  for (int k = First; k <= Last; ++k) {
    DocRoot->CharAt(k, ch, object);
    Word += ch;
  }
  CaretPos = First;
  return true;
}

void TMarkupViewer::SetPanelCursor(TCursor Value) {
  if (PaintPanel_->Cursor() != Value) PaintPanel_->SetCursor(Value);
}

void TMarkupViewer::PanelMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  mouseX_ = X;
  mouseY_ = Y;
  pointerOnPanel_ = true;
  MouseDown(Button, Shift, X, Y);
  if (CanFocus() && !Focused()) SetFocus();
  SetState(vsLinkFollowed, false);
  if (HasState(vsMiddleScroll)) {
    // Any press ends middle-button scrolling.
    SetState(vsMiddleScroll, false);
    StopAutoScroll();
    SetPanelCursor(Cursor());
    return;
  }
  if (Button == TMouseButton::mbMiddle) {
    if (htOptions_ & htNoWheelMouse) return;
    SetState(vsMiddleScroll, true);
    DragStartY = Y;
    SetPanelCursor(TCursor::crScrollUpDown);
    return;
  }
  if (Button != TMouseButton::mbLeft) return;
  SetState(vsLeftButtonDown, true);
  bool onLink = false;
  if (htOptions_ & htNoLinkHilite) {
    String title;
    TFormControlObj* control = nullptr;
    std::unique_ptr<TUrlTarget> link;
    onLink = (GetUrlAt(X, Y, title, control, link) & UrlAtLink) != 0;
  }
  SetState(vsSelecting, !onLink);
  bool onText = false;
  int cursorX = 0;
  MouseDownChar = CharacterAt(X, Y, onText, cursorX);
  if (MouseDownChar >= 0) {
    ThtDocument& document = *DocRoot;
    if (document.SelectionStart < document.SelectionEnd || (Shift & ssShift)) PaintPanel_->Invalidate();
    if ((Shift & ssShift) && !noSelect_) {
      document.SelectionStart = std::min(CaretPos, MouseDownChar);
      document.SelectionEnd = std::max(CaretPos, MouseDownChar);
    } else {
      document.SelectionStart = document.SelectionEnd = CaretPos = MouseDownChar;
    }
  }
  DocRoot->LeftButtonDown = true;
  DocRoot->SetHoverImagePressed(true);
}

void TMarkupViewer::PanelMouseMove(TShiftState Shift, int X, int Y) {
  mouseX_ = X;
  mouseY_ = Y;
  pointerOnPanel_ = X >= 0 && Y >= 0 && X < PaintPanel_->Width() && Y < PaintPanel_->Height();
  MouseMove(Shift, X, Y);
  if (HasState(vsMiddleScroll)) {
    if (!HasState(vsAutoScroll) && std::abs(Y - DragStartY) > 20) StartAutoScroll();
    return;
  }

  TCursor cursor = TCursor::crArrow;
  String url, target, title;
  TFormControlObj* control = nullptr;
  std::unique_ptr<TUrlTarget> link;
  const int flags = GetUrlAt(X, Y, title, control, link);
  HoverTitle = title;
  if (flags & UrlAtLink) {
    cursor = TCursor::crHandPoint;
    url = link->LinkUrl;
    target = link->FrameTarget;
    LinkAttributes.SetText(link->AttrText);
    LinkText = LinkTextAt(link->StartPos, link->EndPos);
  }
  if (flags & UrlAtFormControl) cursor = TCursor::crHandPoint;

  TIDObject* object = nullptr;
  const int documentY = Y + DocRoot->YOffset;
  if ((LinkEvents.OnImageClick || LinkEvents.OnImageOver) && DocRoot->ObjectAt(X, documentY, object) && object) {
    if (cursor != TCursor::crHandPoint) cursor = TCursor::crArrow;
    int objectX = 0, objectY = 0;
    PointInObject(object, X, documentY, objectX, objectY);
    Raise(LinkEvents.OnImageOver, this, object, Shift, objectX, objectY);
  } else {
    bool onText = false;
    int cursorX = 0;
    CharacterAt(X, Y, onText, cursorX);
    if (onText && cursor != TCursor::crHandPoint) cursor = Cursor();
  }

  SetPanelCursor(cursor);
  if (PaintPanel_->Hint() != HoverTitle) PaintPanel_->SetHint(HoverTitle);
  const bool hovering = cursor == TCursor::crHandPoint || DocRoot->HoverImage;
  if (hovering != HoverTimer->Enabled()) HoverTimer->SetEnabled(hovering);

  if (url != LinkUrl || target != LinkTarget) {
    LinkUrl = url;
    LinkTarget = target;
    Raise(LinkEvents.OnHotSpotCovered, this, url);
  }

  if (Shift & ssLeft) {
    if (!HasState(vsAutoScroll) && HasState(vsLeftButtonDown) && (Y <= 0 || Y >= PaintPanel_->Height()))
      StartAutoScroll();
    if (!noSelect_) ExtendSelectionTo(X, Y);
  }
}

void TMarkupViewer::ExtendSelectionTo(int X, int Y) {
  if (!HasState(vsSelecting) || MouseDownChar < 0) return;
  Y = std::clamp(Y, 0, PaintPanel_->Height());
  bool onText = false;
  int cursorX = 0;
  const int i = CharacterAt(X, Y, onText, cursorX);
  if (i < 0) return;
  if (!noSelect_) {
    DocRoot->SelectionStart = std::min(MouseDownChar, i);
    DocRoot->SelectionEnd = std::max(MouseDownChar, i);
    PaintPanel_->Invalidate();
  }
  CaretPos = i;
}

void TMarkupViewer::PanelMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  mouseX_ = X;
  mouseY_ = Y;
  if (HasState(vsMiddleScroll)) {
    // A middle click without moving keeps the mode until the next press.
    if (Button != TMouseButton::mbMiddle || Y != DragStartY) {
      SetState(vsMiddleScroll, false);
      StopAutoScroll();
      SetPanelCursor(Cursor());
    }
    return;
  }
  MouseUp(Button, Shift, X, Y);

  const int documentY = Y + DocRoot->YOffset;
  if (LinkEvents.OnImageClick || LinkEvents.OnRightClick) {
    TIDObject* object = nullptr;
    if (!DocRoot->ObjectAt(X, documentY, object)) object = nullptr;
    int objectX = 0, objectY = 0;
    PointInObject(object, X, documentY, objectX, objectY);
    if (object) Raise(LinkEvents.OnImageClick, this, object, Button, Shift, objectX, objectY);
    if (Button == TMouseButton::mbRight && LinkEvents.OnRightClick) {
      TRightClickParameters parameters;
      if (dynamic_cast<TFloatingObj*>(object)) {
        parameters.ClickedImage = object;
        parameters.ClickImageX = objectX;
        parameters.ClickImageY = objectY;
      }
      String title;
      TFormControlObj* control = nullptr;
      std::unique_ptr<TUrlTarget> link;
      if (GetUrlAt(X, Y, title, control, link) & UrlAtLink) {
        parameters.ClickedUrl = link->LinkUrl;
        parameters.ClickedTarget = link->FrameTarget;
      }
      int first = 0, last = 0;
      GetWordAt(X, Y, parameters.ClickedWord, first, last);
      HoverTimer->SetEnabled(false);
      Raise(LinkEvents.OnRightClick, this, parameters);
      HoverTimer->SetEnabled(true);
    }
  }

  if (Button != TMouseButton::mbLeft) return;
  // The release ends edge scrolling, also with Shift held.
  StopAutoScroll();
  DocRoot->LeftButtonDown = false;
  const bool wasDown = HasState(vsLeftButtonDown);
  SetState(vsLeftButtonDown, false);
  if (Shift & ssShift) {
    SetState(vsSelecting, false);
    return;
  }
  ExtendSelectionTo(X, Y);
  SetState(vsSelecting, false);
  DocRoot->SetHoverImagePressed(false);
  if (!wasDown || DocRoot->SelectionStart < DocRoot->SelectionEnd) return;

  String title;
  TFormControlObj* control = nullptr;
  std::unique_ptr<TUrlTarget> link;
  const int flags = GetUrlAt(X, Y, title, control, link);
  if (flags & UrlAtFormControl) {
    static_cast<TImageFormControlObj*>(control)->ImageClick();
  } else if (flags & UrlAtLink) {
    LinkUrl = link->LinkUrl;
    LinkTarget = link->FrameTarget;
    LinkAttributes.SetText(link->AttrText);
    LinkText = LinkTextAt(link->StartPos, link->EndPos);
    FocusLink(*link);
    if (!(htOptions_ & htAllowHotSpotDblClick)) SetState(vsLinkFollowed, true);
    HandleLinkClick();
  }
}

void TMarkupViewer::PanelDoubleClick(TShiftState Shift, int X, int Y) {
  mouseX_ = X;
  mouseY_ = Y;
  // Where the window system reports the second press of a double click as a press too, the
  // release that follows neither moves the word's selection nor clicks a link.
  SetState(vsSelecting, false);
  SetState(vsLeftButtonDown, false);
  DocRoot->SetHoverImagePressed(true);
  if (Processing() || HasState(vsLinkFollowed)) return;
  if (!noSelect_) {
    String word;
    int first = 0, last = 0;
    if (GetWordAt(X, Y, word, first, last)) {
      DocRoot->SelectionStart = first;
      DocRoot->SelectionEnd = last + 1;
      PaintPanel_->Invalidate();
    }
  }
  Raise(LinkEvents.OnMouseDouble, this, TMouseButton::mbLeft, Shift | ssDouble, X, Y);
}

void TMarkupViewer::PanelMouseLeave() { pointerOnPanel_ = false; }

void TMarkupViewer::FocusLink(const TUrlTarget& Link) {
  TLinkList& links = DocRoot->LinkList;
  for (int i = 0; i < links.Count(); ++i) {
    TFontObj* run = links.Items(i);
    if (!run->LinkTarget || run->LinkTarget->Serial != Link.Serial || !run->FocusControl) continue;
    if (run->FocusControl->CanFocus()) {
      FocusGuard = true;
      struct TGuardScope {
        bool& guard;
        ~TGuardScope() { guard = false; }
      } scope{FocusGuard};
      run->FocusControl->SetFocus();
    }
    return;
  }
}

void TMarkupViewer::HoverTimerTick() {
  if (pointerOnPanel_) return;
  DocRoot->ClearHover();
  HoverTimer->SetEnabled(false);
  if (LinkUrl.empty()) return;
  LinkUrl.clear();
  LinkTarget.clear();
  Raise(LinkEvents.OnHotSpotCovered, this, String());
}

void TMarkupViewer::HoverFormControl(TComponent* Control, TShiftState Shift, int X, int Y) {
  HoverTitle.clear();
  int panelX = X, panelY = Y;
  if (auto* window = dynamic_cast<TControl*>(Control)) {
    panelX += window->Left();
    panelY += window->Top();
  }
  for (int i = 0; i < DocRoot->AllFormControls.Count(); ++i) {
    TFormControlObj* control = DocRoot->AllFormControls.Items(i);
    if (control->Window() == Control) {
      HoverTitle = control->Title;
      break;
    }
  }
  if (HoverTitle.empty()) {
    TFormControlObj* control = nullptr;
    std::unique_ptr<TUrlTarget> link;
    GetUrlAt(panelX, panelY, HoverTitle, control, link);
  }
  if (PaintPanel_->Hint() != HoverTitle) PaintPanel_->SetHint(HoverTitle);
  MouseMove(Shift, panelX, panelY);
}
