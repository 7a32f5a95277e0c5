// Loading: files, streams, buffers and strings into the document, the defaults applied
// before a parse, META handling and the image stream of a shown image file.
#include <sys/stat.h>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/images/ImageCache.h"
#include "html/foundation/urls/UrlHelpers.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/NativeNames.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Screen.h"
#include "platform/ui/app/Timer.h"

namespace {

// Raises the load error unless the name is a regular file that can be read whole.
void CheckLoadableFile(const String& fileName) {
  struct stat info {};
  if (fileName.empty() || ::stat(NativeFileName(fileName).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    throw EhtLoadError(Format(u"Can't locate '%s'.", {fileName}));
  if (info.st_size > TMarkupViewer::MaxDocumentBytes)
    throw EhtLoadError(Format(u"'%s' is too large to show (more than %d MB).",
                              {fileName, static_cast<int>(TMarkupViewer::MaxDocumentBytes >> 20)}));
}

}  // namespace

void TMarkupViewer::LoadDocumentFile(const String& FileName, THtmlFileType DocType) {
  if (Processing() || FileName.empty()) return;
  // The departing page; a load that fails leaves it shown and the history as it was.
  const String oldFile = CurrentFile, oldTitle = DocumentTitle;
  const int64_t oldPosition = GetPosition();
  const THtmlFileType oldType = CurrentDocType;
  std::unique_ptr<TFreeList<TStringList>> formValues = DocRoot->FormData();
  ReadDocumentFile(FileName, DocType);
  if (CurrentFile != oldFile || CurrentDocType != oldType)
    BumpHistory(oldFile, oldTitle, oldPosition, std::move(formValues), oldType);
}

void TMarkupViewer::ReadDocumentFile(const String& FileName, THtmlFileType DocType) {
  // A name that is a file is that file, "#" and all; only a name that is none may be a
  // file followed by an anchor.
  String address = ExpandFileName(FileName), fragment;
  if (!FileExists(address)) {
    SplitUrlFragment(FileName, address, fragment);
    if (!address.empty()) address = ExpandFileName(address);
  }
  CheckLoadableFile(address);
  TFileStream stream(address, fmOpenRead | fmShareDenyWrite);
  LoadDocumentStream(address + fragment, &stream, DocType);
}

void TMarkupViewer::LoadDocumentStream(const String& Name, TStream* Stream, THtmlFileType DocType) {
  if (Processing() || !Stream) return;
  if (Stream->Size() > MaxDocumentBytes)
    throw EhtLoadError(Format(u"'%s' is too large to show (more than %d MB).",
                              {Name, static_cast<int>(MaxDocumentBytes >> 20)}));
  Stream->SetPosition(0);
  if (DocType == HtmlType || DocType == TextType || DocType == XhtmlType) {
    LoadDocument(TBuffer::CreateFromStream(*Stream, Name), Name, DocType);
    return;
  }
  // An image file: an IMG element whose image is the stream.
  struct TImageStreamScope {
    TStream*& slot;
    ~TImageStreamScope() { slot = nullptr; }
  } scope{ImageStream};
  ImageStream = Stream;
  String address, fragment;
  SplitUrlFragment(Name, address, fragment);
  LoadDocument(TBuffer::CreateFromText(u"<img src=\"" + address + u"\">", Name, 1200), Name, HtmlType);
  // The file is an image: loading it again (Reload, history) must not read it as HTML.
  CurrentDocType = DocType;
}

void TMarkupViewer::LoadDocumentString(const String& Text, const String& Name, THtmlFileType DocType) {
  if (Processing()) return;
  LoadDocument(TBuffer::CreateFromText(Text, Name, 1200), Name, DocType);
}

void TMarkupViewer::LoadDocument(std::unique_ptr<TBuffer> Document, const String& Name, THtmlFileType DocType) {
  if (Processing()) return;
  String address, fragment;
  SplitUrlFragment(Name, address, fragment);
  if (DocType == ImgType) throw EhtException(u"LoadDocument with DocType = 'ImgType' not supported.");
  if (!Document)
    throw EhtException(u"LoadDocument requires document to load. Parameter 'Document' must not be nil.");

  // Whatever leaves the parse or the layout, the viewer is usable again afterwards.
  struct TLoadScope {
    TMarkupViewer& viewer;
    TCursor savedCursor;
    ~TLoadScope() {
      if (viewer.Events.OnProgress) viewer.Events.OnProgress(&viewer, TProgressStage::psEnding, 100);
      viewer.SetState(vsPaintSuspended, false);
      Screen.SetCursor(savedCursor);
      viewer.SetProcessing(false);
    }
  };
  {
    SetProcessing(true);
    TLoadScope scope{*this, Screen.Cursor()};
    const String oldFile = CurrentFile;
    Screen.SetCursor(TCursor::crHourGlass);
    SetState(vsPaintSuspended, true);
    RefreshDelay = 0;
    DocRoot->ProgressStart = 75;
    if (Events.OnProgress) Events.OnProgress(this, TProgressStage::psStarting, 0);

    UseQuirks = EffectiveQuirks(*Document, DocType);
    PrepareDocument();
    CaretPos = 0;
    MouseDownChar = -1;
    StopSound();
    SourceBuffer = std::move(Document);
    CurrentFile = address;
    CurrentDocType = DocType;
    if (Events.OnParseBegin) Events.OnParseBegin(this, SourceBuffer);
    if (!SourceBuffer)
      throw EhtException(u"LoadDocument requires document to load. Parameter 'Document' must not be nil.");
    ParseInto(DocType);
    MarkVisitedLinks();

    // A fragment scrolls to its element; another file without one starts at the top.
    if (!PositionTo(fragment) && (CurrentFile.empty() || CurrentFile != oldFile)) {
      ScrollTo(0);
      HScrollBar_->SetPosition(0);
    }
    PaintPanel_->Invalidate();
  }
  if (RefreshDelay > 0 && Events.OnMetaRefresh) Events.OnMetaRefresh(this, RefreshDelay, RefreshURL);
}

void TMarkupViewer::FinishParse(const String& Title, const String& BaseHref, const String& BaseTargetName) {
  DocumentTitle = Title;
  Base = BaseHref;
  BaseTarget = BaseTargetName;
  if (Events.OnParseEnd) Events.OnParseEnd(this);
  if (HasState(vsPaintSuspended)) {
    BackgroundChanged();
    DocRoot->LoadBackground();
    if (LayoutOnLoad) {
      DoLayout();
    } else {
      // What printing copies take from the document's own layout.
      DocRoot->SizeFormControls(PaintPanel_->Canvas());
      MaxVertical = ScrollWidth = 0;
      PlaceScrollBars();
    }
  }
}

void TMarkupViewer::Reload() {
  if (Processing() || CurrentFile.empty()) return;
  const int64_t position = GetPosition();
  ReadDocumentFile(CurrentFile, CurrentDocType);
  SetPosition(position);
}

void TMarkupViewer::ApplyDefaults() {
  DocRoot->UseQuirks = UseQuirks;
  DocRoot->SetDefaults(defFontName_, defPreFontName_, marginWidth_, marginHeight_, charSet_, CodePage,
                       (htOptions_ & htNoLinkUnderline) == 0, (htOptions_ & htOverLinksActive) != 0, defBackground_,
                       defOverLinkColor_, defVisitedLinkColor_, defHotSpotColor_, defFontColor_, defFontSize_);
}

void TMarkupViewer::PrepareDocument() {
  if (!DocRoot->ImageCache) {
    ownImageCache_ = std::make_unique<TStringBitmapList>();
    ownImageCache_->SetMaxAge(imageCacheCount_);
    DocRoot->ImageCache = ownImageCache_.get();
    SetState(vsOwnsImageCache, true);
  }
  DocRoot->Clear();
  DocRoot->UseQuirks = UseQuirks;
  DocRoot->ImageCache->AgeItems();
  ApplyDefaults();
}

void TMarkupViewer::ClearDocument() {
  if (Processing()) return;
  HoverTimer->SetEnabled(false);
  DocRoot->UseQuirks = UseQuirks;
  DocRoot->Clear();
  if (HasState(vsOwnsImageCache) && DocRoot->ImageCache) DocRoot->ImageCache->Clear();
  ApplyDefaults();
  Base.clear();
  BaseTarget.clear();
  DocumentTitle.clear();
  MaxVertical = ScrollWidth = 0;
  VScrollBar_->SetVisible(false);
  HScrollBar_->SetVisible(false);
  CaretPos = 0;
  MouseDownChar = -1;
  StopSound();
  PaintPanel_->Invalidate();
}

void TMarkupViewer::StopSound() {
  if (Events.OnSoundRequest) Events.OnSoundRequest(this, String(), 0, true);
}

void TMarkupViewer::RequestImageStream(const String& SRC, TStream*& Stream) {
  if (ImageStream) Stream = ImageStream;
  else if (Events.OnImageRequest) Events.OnImageRequest(this, SRC, Stream);
}

void TMarkupViewer::ProcessMetaTag(const String& HttpEq, const String& Name, const String& Content) {
  if (Events.OnMeta) Events.OnMeta(this, HttpEq, Name, Content);
  if (!Events.OnMetaRefresh || LowerCaseText(HttpEq) != u"refresh") return;
  const size_t semicolon = Content.find(u';');
  const String number = TrimText(semicolon == String::npos ? Content : Content.substr(0, semicolon));
  int delay = -1;
  if (!TryStrToInt(number, delay)) delay = -1;
  if (delay < 0) return;
  const size_t url = LowerCaseText(Content).find(u"url=");
  RefreshURL = url == String::npos ? String() : Content.substr(url + 4);
  RefreshDelay = delay == 0 ? 1 : delay;
}
