#include "html/document/model/FontObj.h"

#include "html/document/model/Document.h"
#include "html/document/model/TabControl.h"
#include "platform/rtl/Compare.h"
#include "platform/ui/controls/CustomControl.h"

namespace {
// The link target of every run that has none of its own; never written.
TUrlTarget& SharedEmptyTarget() {
  static TUrlTarget empty;
  return empty;
}
}  // namespace

TFontObj::TFontObj(TSectionBase* section, int startPos, std::unique_ptr<TMyFont> font)
    : OwnerSection(section),
      StartPos(startPos),
      document_(section ? section->Document : nullptr),
      ownFont_(font ? std::move(font) : std::make_unique<TMyFont>()) {
  RunFont = ownFont_.get();
  LinkTarget = &SharedEmptyTarget();
  UpdateMetrics();
}

TFontObj::TFontObj(TSectionBase* section, const TFontObj& source)
    : OwnerSection(section),
      StartPos(source.StartPos),
      ScriptKind(source.ScriptKind),
      document_(section ? section->Document : nullptr),
      ownFont_(std::make_unique<TMyFont>()) {
  RunFont = ownFont_.get();
  LinkTarget = &SharedEmptyTarget();
  if (source.target_) CopyLinkTarget(*source.target_);
  RunFont->Assign(*source.RunFont);
  if (source.StateInfos) ApplyFontInfo((*source.StateInfos)[0]);
  else UpdateMetrics();
}

TFontObj::~TFontObj() {
  if (!document_) return;
  document_->LinkList.RemoveLink(this);
  if (document_->HoverLink == this) document_->HoverLink = nullptr;
  if (FocusControl) {
    const int index = document_->TabOrderList.IndexOfObject(static_cast<TTabOrderTarget*>(FocusControl.get()));
    if (index >= 0) document_->TabOrderList.Delete(index);
  }
}

void TFontObj::EnsureStateInfos() {
  if (!StateInfos) StateInfos = std::make_unique<TFontInfoArray>();
}

void TFontObj::ReplaceFont(std::unique_ptr<TMyFont> font) {
  ownFont_ = font ? std::move(font) : std::make_unique<TMyFont>();
  RunFont = ownFont_.get();
  UpdateMetrics();
}

TMyFont& TFontObj::OwnFont() {
  if (!ownFont_) {
    ownFont_ = std::make_unique<TMyFont>();
    ownFont_->Assign(*RunFont);
    RunFont = ownFont_.get();
  }
  return *ownFont_;
}

void TFontObj::ApplyFontInfo(const ThtFontInfo& info) {
  OwnFont();
  RunFont->SetName(info.Name);
  RunFont->SetHeight(FontHeightOfPoints(info.Size));
  RunFont->SetStyle(info.Style);
  RunFont->BackColor = info.BackColor;
  RunFont->SetColor(info.Color);
  RunFont->SetCharset(info.Charset);
  RunFont->Measure();
  UpdateMetrics();
}

void TFontObj::UpdateMetrics() {
  LineExtent = RunFont->TextHeight + RunFont->ExternalLeading;
  CellHeight = RunFont->TextHeight;
  WidestChar = RunFont->MaximumWidth;
  ItalicOverhang = (RunFont->Style() & fsItalic) ? RunFont->TextHeight / 10 : 0;
  BelowBaseline = RunFont->DescentPixels;
  const auto realised = static_cast<uint8_t>(RunFont->RealisedCharset);
  if (RunFont->Charset() != realised) OwnFont().SetCharset(realised);
  // Most runs of a document have one of a few fonts: they share them.
  if (ownFont_ && document_) {
    RunFont = &document_->SharedFonts.Share(*ownFont_);
    ownFont_.reset();
  }
}

void TFontObj::ApplyStateFont() {
  if (StateInfos) ApplyFontInfo((*StateInfos)[StateIndex()]);
}

void TFontObj::SetVisited(bool value) {
  if (value == IsVisited) return;
  IsVisited = value;
  ApplyStateFont();
}

void TFontObj::SetHovered(bool value) {
  if (value == IsHovered) return;
  IsHovered = value;
  ApplyStateFont();
}

bool TFontObj::SameLink(const TFontObj& other) const {
  return LinkTarget && other.LinkTarget && LinkTarget->Serial == other.LinkTarget->Serial;
}

// The list gives each run its index as it adds it; a run taken out before it moves it down
// a little, and only a run moved further is looked for through the whole list.
int TFontObj::LinkIndex() const {
  if (!document_ || !InLinkList) return -1;
  const TLinkList& links = document_->LinkList;
  auto holds = [&](int index) { return index >= 0 && index < links.Count() && links.Items(index) == this; };
  if (holds(linkIndexHint_)) return linkIndexHint_;
  for (int below = 1; below <= 8; ++below)
    if (holds(linkIndexHint_ - below)) return linkIndexHint_ -= below;
  linkIndexHint_ = links.IndexOf(this);
  return linkIndexHint_;
}

void TFontObj::SetLinkHover(TLinkList& links, bool value) {
  SetHovered(value);
  const int index = links.IndexOf(this);
  if (index < 0) return;
  for (int i = index + 1; i < links.Count() && links.Items(i)->SameLink(*this); ++i) links.Items(i)->SetHovered(value);
  for (int i = index - 1; i >= 0 && links.Items(i)->SameLink(*this); --i) links.Items(i)->SetHovered(value);
}

const String& TFontObj::RunTitle() const {
  static const String none;
  return title_ ? *title_ : none;
}

void TFontObj::SetRunTitle(const String& title) {
  if (title.empty()) title_.reset();
  else title_ = std::make_unique<String>(title);
}

String TFontObj::GetUrl() const { return LinkTarget ? LinkTarget->LinkUrl : String(); }

void TFontObj::CopyLinkTarget(const TUrlTarget& source) {
  if (!target_ && &source == &SharedEmptyTarget()) return;
  OwnLinkTarget().CopyFrom(source);
}

TUrlTarget& TFontObj::OwnLinkTarget() {
  if (!target_) {
    target_ = std::make_unique<TUrlTarget>();
    LinkTarget = target_.get();
  }
  return *target_;
}

void TFontObj::CreateFocusControl(int tabIndex) {
  if (FocusControl || !document_ || !document_->PaintPanel) return;
  const TLinkList& links = document_->LinkList;
  for (int i = LinkIndex() - 1; i >= 0 && links.Items(i)->SameLink(*this); --i)
    if (links.Items(i)->FocusControl) return;
  FocusControl = std::make_unique<ThtTabControl>(nullptr);
  FocusControl->SetBounds(-4000, FocusControl->Top(), 1, 1);
  FocusControl->SetTabStop(true);
  BindFocusControl();
  FocusControl->SetParent(document_->PaintPanel);
  if (tabIndex > 0)
    document_->TabOrderList.AddObject(TabOrderKey(tabIndex, document_->TabOrderList.Count()),
                                      static_cast<TTabOrderTarget*>(FocusControl.get()));
}

void TFontObj::BindFocusControl() {
  FocusControl->OnEnter = [this](TComponent*) { FocusEntered(); };
  FocusControl->OnExit = [this](TComponent*) { FocusExited(); };
  FocusControl->OnKeyDown = [this](TComponent*, uint16_t& key, TShiftState shift) { KeyDown(key, shift); };
}

void TFontObj::HandFocusControlTo(TFontObj& run) {
  if (!FocusControl || run.FocusControl) return;
  run.FocusControl = std::move(FocusControl);
  run.BindFocusControl();
}

void TFontObj::FocusEntered() {
  HasFocus = true;
  if (!document_) return;
  const TLinkList& links = document_->LinkList;
  for (int i = LinkIndex() + 1; i > 0 && i < links.Count() && links.Items(i)->SameLink(*this); ++i)
    links.Items(i)->HasFocus = true;
  if (document_->OnLinkFocus) document_->OnLinkFocus(*this);
}

void TFontObj::FocusExited() {
  HasFocus = false;
  if (!document_) return;
  const TLinkList& links = document_->LinkList;
  for (int i = LinkIndex() + 1; i > 0 && i < links.Count() && links.Items(i)->SameLink(*this); ++i)
    links.Items(i)->HasFocus = false;
  if (document_->PaintPanel) document_->PaintPanel->Invalidate();
}

void TFontObj::KeyDown(uint16_t& key, uint32_t shift) {
  if (document_ && document_->OnLinkKey) document_->OnLinkKey(*this, key, shift);
}

void SetLinkTop(TFontObj& run, int y) {
  if (run.GetUrl().empty()) return;
  if (run.FocusControl) {
    run.LinkTop = y;
    return;
  }
  ThtDocument* document = run.Document();
  if (!document) return;
  const TLinkList& links = document->LinkList;
  for (int i = run.LinkIndex() - 1; i >= 0 && links.Items(i)->SameLink(run); --i)
    if (links.Items(i)->FocusControl) {
      links.Items(i)->LinkTop = y;
      return;
    }
}

int CompareWideText(const String& a, const String& b) { return AnsiCompareText(a, b); }
