#include "html/document/inline/Section.h"

#include <algorithm>

#include "html/document/floats/ImageObj.h"
#include "html/document/floats/PanelObj.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/globals/TextHelpers.h"
#include "html/foundation/shared/Attributes.h"

namespace {

constexpr uint8_t ClearAttrSy = 18;  // CLEAR of BR and P

uint8_t JustifyOf(const TProperties& properties) {
  const String align = properties[TextAlign].TextOrEmpty();
  if (align == u"right") return 3;
  if (align == u"center") return 2;
  if (align == u"justify") return 4;
  return 1;
}

uint8_t ClearSideOf(TProperties& properties, TAttributeList* attributes) {
  uint8_t side = 0;
  TAttribute* clear = nullptr;
  if (attributes && attributes->FindSymbol(ClearAttrSy, clear)) {
    const String value = LowerCaseText(TrimText(clear->ValueText));
    side = value == u"left" ? 1 : value == u"right" ? 2 : 3;
  }
  int kind = 0;
  if (properties.TakeClear(kind)) side = static_cast<uint8_t>(kind);
  return side;
}

uint8_t ScriptKindOf(const TProperties& properties) {
  int kind = 0;
  if (properties.ReadVerticalAlign(kind) && (kind == AlignSub || kind == AlignSuper)) return static_cast<uint8_t>(kind);
  return 0;
}

}  // namespace

TSection::TSection(ThtDocument* document, bool firstLineIndent, const TUrlTarget* linkTarget,
                   TProperties& properties, TAttributeList* attributes)
    : TSectionBase(document, properties) {
  auto* run = new TFontObj(this, 0, properties.MakeFont());
  Fonts.Add(run);
  run->SetRunTitle(properties.TitleText);
  run->ScriptKind = ScriptKindOf(properties);
  if (linkTarget && !linkTarget->LinkUrl.empty()) {
    run->CopyLinkTarget(*linkTarget);
    MakeLinkRun(*run, properties, true);
  }
  LineHeight = properties.LineHeightPixels(run->CellHeight);
  if (firstLineIndent) {
    bool isPercent = false;
    const int indent = properties.TextIndentValue(isPercent);
    if (isPercent)
      FirstLineIndentPercent = std::min(indent, 90);
    else
      FirstLineIndent = indent;
  }
  ClearSide = ClearSideOf(properties, attributes);
  Justify = JustifyOf(properties);
  BreakWord = properties[WordWrap].TextOrEmpty() == u"break-word";
  if (attributes) {
    const String id = attributes->GetIdentifier();
    if (!id.empty()) Document->IdList.Register(id, this);
  }
}

TSection::TSection(ThtDocument* document, const TSection& source)
    : TSectionBase(document, source),
      Text(source.Text),
      BreakCodes(source.BreakCodes),
      SourceRuns(source.SourceRuns),
      LineHeight(source.LineHeight),
      FirstLineIndent(source.FirstLineIndent),
      FirstLineIndentPercent(source.FirstLineIndentPercent),
      Justify(source.Justify),
      ClearSide(source.ClearSide),
      BreakWord(source.BreakWord),
      Preformatted(source.Preformatted),
      finished_(source.finished_) {
  CursorLength = source.CursorLength;
  SectionNumber = source.SectionNumber;
  Fonts.AddCopies(this, source.Fonts);
  if (source.floatingObjects_) floatingObjects_ = TFloatingObjList::CreateCopy(document, *source.floatingObjects_);
  for (int i = 0; i < source.FormControls().Count(); ++i) OwnFormControls().Add(source.FormControls().Items(i));
}

const TFloatingObjList& TSection::FloatingObjects() const {
  static const TFloatingObjList none;
  return floatingObjects_ ? *floatingObjects_ : none;
}

const TFormControlObjList& TSection::FormControls() const {
  static const TFormControlObjList none(false);
  return formControls_ ? *formControls_ : none;
}

TFloatingObjList& TSection::OwnFloatingObjects() {
  if (!floatingObjects_) floatingObjects_ = std::make_unique<TFloatingObjList>();
  return *floatingObjects_;
}

TFormControlObjList& TSection::OwnFormControls() {
  if (!formControls_) formControls_ = std::make_unique<TFormControlObjList>(false);
  return *formControls_;
}

std::unique_ptr<TSectionBase> TSection::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TSection>(document, *this);
}

void TSection::CloseText(int endSourcePosition) {
  if (!finished_) FinishText(endSourcePosition);
}

bool TSection::IsEmptyText() const { return !Preformatted && Text.empty() && !HasAnchor && ClearSide == 0; }

void TSection::MakeLinkRun(TFontObj& run, TProperties& properties, bool tabStop) {
  if (properties.LinkFontInfos) {
    run.EnsureStateInfos();
    properties.CopyLinkFontInfos(*run.StateInfos);
    run.ApplyFontInfo((*run.StateInfos)[run.StateIndex()]);
  }
  Document->LinkList.AddLink(&run);
  if (tabStop && !Document->TooManyLinks) run.CreateFocusControl(run.LinkTarget->TabPosition);
}

// A new run at the current length, or the last run when nothing was added since it began.
TFontObj* TSection::StartRun(TProperties& properties, const TUrlTarget* target) {
  const int length = static_cast<int>(Text.size());
  TFontObj* last = Fonts.Items(Fonts.Count() - 1);
  TFontObj* run = last;
  if (last->StartPos == length) {
    last->ReplaceFont(properties.MakeFont());
  } else {
    run = new TFontObj(this, length, properties.MakeFont());
    run->CopyLinkTarget(*last->LinkTarget);
    Fonts.Add(run);
  }
  if (target) run->CopyLinkTarget(*target);
  run->SetRunTitle(properties.TitleText);
  run->ScriptKind = ScriptKindOf(properties);
  return run;
}

void TSection::ChangeFont(TProperties& properties) {
  TFontObj* run = StartRun(properties, nullptr);
  // An element inside a link is part of it, with its own link fonts, also when the link's
  // address is empty (HREF="", this document).
  if (!run->LinkTarget->LinkUrl.empty() || properties.IsLink) MakeLinkRun(*run, properties, false);
}

void TSection::ChangeLinkFont(bool isLink, TProperties& properties, const TUrlTarget& target) {
  if (isLink) {
    TFontObj* run = StartRun(properties, &target);
    MakeLinkRun(*run, properties, true);
    return;
  }
  TUrlTarget none;
  TFontObj* run = StartRun(properties, &none);
  run->StateInfos.reset();
  Document->LinkList.RemoveLink(run);
}

TImageObj* TSection::AddImage(const TAttributeList& attributes, TCellBasic* cell, int sourcePosition) {
  const int position = static_cast<int>(Text.size());
  auto* image = new TImageObj(Document, attributes, position);
  image->Cell = cell;
  OwnFloatingObjects().Add(image);
  const Char placeholder = ObjectChar;
  AppendChars(&placeholder, &sourcePosition, 1);
  return image;
}

TPanelObj* TSection::AddPanel(const TAttributeList& attributes, int sourcePosition) {
  return AddPanelObject(std::make_unique<TPanelObj>(Document, false, attributes, static_cast<int>(Text.size())),
                        sourcePosition);
}

std::unique_ptr<TPanelObj> TSection::CreatePanel(const TAttributeList& attributes) const {
  return std::make_unique<TPanelObj>(Document, true, attributes, static_cast<int>(Text.size()));
}

TPanelObj* TSection::AddPanelObject(std::unique_ptr<TPanelObj> panel, int sourcePosition) {
  panel->CharPos = static_cast<int>(Text.size());
  TPanelObj* added = panel.release();
  OwnFloatingObjects().Add(added);
  const Char placeholder = ObjectChar;
  AppendChars(&placeholder, &sourcePosition, 1);
  return added;
}

void TSection::MarkBreakAfter() {
  if (!BreakCodes.empty()) BreakCodes.back() = BreakAfter;
}
