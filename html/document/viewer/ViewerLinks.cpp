// Following links (a fragment of the shown page, another HTML, text or image file), the
// current link of a tab stop, scrolling a focused form control or link into view, the
// selected text and the clipboard, and the deferred form submission.
#include <algorithm>
#include <vector>

#include "html/document/forms/FormControlObj.h"
#include "html/document/model/Document.h"
#include "html/document/model/FontObj.h"
#include "html/document/viewer/FileTypes.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/urls/UrlHelpers.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Clipboard.h"

void TMarkupViewer::HandleLinkClick() {
  bool handled = false;
  Raise(LinkEvents.OnHotSpotClick, this, LinkUrl, handled);
  if (handled) return;
  const int64_t position = GetPosition();
  String address, fragment;
  SplitUrlFragment(LinkUrl, address, fragment);
  if (address.empty()) {
    if (PositionTo(fragment)) BumpHistory(CurrentFile, DocumentTitle, position, nullptr, CurrentDocType);
    return;
  }
  String fileName;
  ResolveFileName(address, fileName);
  if (IsRemoteAddress(fileName)) return;
  const THtmlFileType kind = GetFileType(fileName);
  switch (kind) {
    case TextType:
    case ImgType: LoadDocumentFile(fileName + fragment, kind); break;
    case HtmlType:
    case XhtmlType:
      if (fileName != CurrentFile) {
        LoadDocumentFile(fileName + fragment, kind);
        AddVisitedLink(fileName + fragment);
      } else if (PositionTo(fragment)) {
        BumpHistory(CurrentFile, DocumentTitle, position, nullptr, HtmlType);
      }
      break;
    default: break;  // a kind of file the viewer does not show
  }
}

bool TMarkupViewer::PositionTo(const String& Dest) {
  String name = Dest;
  if (!name.empty() && name[0] == u'#') name.erase(0, 1);
  if (name.empty()) return false;
  TIDObject* object = DocRoot->IdList.Find(UpperCaseText(name));
  if (!object) return false;
  ScrollTo(object->AnchorY());
  HScrollBar_->SetPosition(0);
  AddVisitedLink(CurrentFile + u"#" + name);
  return true;
}

String TMarkupViewer::SelText() {
  const int length = DocRoot->SelectionLength();
  if (length <= 0) return String();
  std::vector<Char> buffer(static_cast<size_t>(length) + 1);
  const int count = DocRoot->SelectionText(buffer.data(), length + 1) - 1;
  return String(buffer.data(), static_cast<size_t>(std::clamp(count, 0, length)));
}

String TMarkupViewer::LinkTextAt(int SourceStart, int SourceEnd) {
  if (SourceStart < 0 || SourceEnd < 0 || SourceStart >= SourceEnd) return String();
  ThtDocument& document = *DocRoot;
  const int savedStart = document.SelectionStart, savedEnd = document.SelectionEnd;
  struct TRestore {
    ThtDocument& document;
    int start, end;
    ~TRestore() {
      document.SelectionStart = start;
      document.SelectionEnd = end;
    }
  } restore{document, savedStart, savedEnd};
  const int first = document.SourceToCursor(SourceStart, false);
  const int last = document.SourceToCursor(SourceEnd, true);
  if (first < 0 || last < first) return String();
  document.SelectionStart = first;
  document.SelectionEnd = last;
  const String text = SelText();
  int x = 0, y = 0;
  if (document.CursorToXY(document.MeasureCanvas(), first, x, y)) {
    LinkTextX = x;
    LinkTextY = y - GetScrollPos();
  }
  return text;
}

void TMarkupViewer::CopyToClipboard() {
  const String text = SelText();
  if (!text.empty()) Clipboard().SetAsText(text);
}

void TMarkupViewer::SetOnFormSubmit(TFormSubmitEvent Handler) {
  onFormSubmit_ = std::move(Handler);
  if (onFormSubmit_)
    DocRoot->OnFormSubmit = [this](const String& action, const String& target, const String& encType,
                                   const String& method, std::unique_ptr<TStringList> results) {
      SubmitForm(action, target, encType, method, std::move(results));
    };
  else
    DocRoot->OnFormSubmit = nullptr;
}

void TMarkupViewer::SubmitForm(const String& Action, const String& Target, const String& EncType,
                               const String& Method, std::unique_ptr<TStringList> Results) {
  SubmitAction = Action;
  SubmitTarget = Target;
  SubmitEncType = EncType;
  SubmitMethod = Method;
  SubmitResults = std::move(Results);
  if (Application) Application->PostMessage(this, WmFormSubmit, 0, 0);
  else DeliverFormSubmission();
}

void TMarkupViewer::DeliverFormSubmission() {
  std::unique_ptr<TStringList> results = std::move(SubmitResults);
  if (!results || !onFormSubmit_) return;
  Raise(onFormSubmit_, this, SubmitAction, SubmitTarget, SubmitEncType, SubmitMethod, std::move(results));
}

void TMarkupViewer::ControlEntered(TFormControlObj& Control) {
  const int y = Control.YValue, top = GetScrollPos(), height = PaintPanel_->Height();
  if (y < top || y > top + height - 20) SetScrollPos(y - height / 2);
  Invalidate();
}

void TMarkupViewer::LinkEntered(TFontObj& Run) {
  if (!FocusGuard) {
    const int y = Run.LinkTop, top = GetScrollPos(), height = PaintPanel_->Height();
    if (y < top) SetScrollPos(y);
    else if (y > top + height - 30) SetScrollPos(y - height / 2);
  }
  Invalidate();
  PaintPanel_->Invalidate();
}

void TMarkupViewer::LinkKeyDown(TFontObj& Run, uint16_t& Key, TShiftState Shift) {
  if (Key != VK_RETURN) {
    KeyDown(Key, Shift);
    return;
  }
  // Enter follows the link, from the message loop (the tab stop may go with the document).
  const TUrlTarget* target = Run.LinkTarget;
  if (!target) return;
  LinkUrl = target->LinkUrl;
  LinkTarget = target->FrameTarget;
  LinkAttributes.SetText(target->AttrText);
  LinkText = LinkTextAt(target->StartPos, target->EndPos);
  if (Application) Application->PostMessage(this, WmFollowLink, 0, 0);
  else HandleLinkClick();
}
