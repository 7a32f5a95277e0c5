#include "html/document/blocks/Block.h"
#include "html/document/blocks/SectionPageIndex.h"

#include <algorithm>

#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/Attributes.h"

int32_t ClampAttribute(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, -AttributeLimit, AttributeLimit));
}

int ClearDropOf(const TIndentManager& indents, int clearSide, int y) {
  if (clearSide == 0) return 0;
  int left = 0, right = 0;
  indents.ClearanceLevels(left, right);
  const int level = clearSide == 1 ? left : clearSide == 2 ? right : std::max(left, right);
  return std::max(0, level - y - 1);
}

int TBlock::layoutDepth_ = 0;
int TBlock::drawDepth_ = 0;

TBlock::TBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell, TProperties& properties,
               bool collapseTopMargin)
    : TSectionBase(document, properties),
      ContentCell(std::make_unique<TBlockCell>(document)),
      OwnerCell(ownerCell),
      TagPath(properties.TagName + u"." + properties.ClassText + u"#" + properties.IdText) {
  ContentCell->TagName = properties.TagName;
  ContentCell->OwnerBlock = this;
  EmSize = properties.EmHeight;
  ExSize = properties.ExHeight;
  const TPropValue& color = properties[Color];
  TextColor = color.IsInt() ? color.AsInt() : clBlack;
  ReadBoxValues(properties, BoxValues);
  Title = properties.TitleText;
  if (Title.empty() && attributes) Title = attributes->GetTitleText();

  String imageUrl;
  if (properties.BackgroundImageUrl(imageUrl) && !imageUrl.empty())
    BackgroundImage = std::make_unique<TImageObj>(document, imageUrl);
  ReadBackgroundPlacement(properties, EmSize, ExSize, BackgroundPosition);

  int side = 0;
  if (properties.ReadFloatSide(side) && (side == AlignLeft || side == AlignRight)) Float = static_cast<uint8_t>(side);
  int clear = 0;
  if (properties.TakeClear(clear)) ClearSide = static_cast<uint8_t>(clear);
  Position = static_cast<uint8_t>(std::clamp(properties.ReadPositionKind(), 0, 3));
  Visibility = static_cast<uint8_t>(properties.ReadVisibilityKind());
  OverflowHidden = properties.HidesOverflow();
  properties.ReadPageBreakFlags(PageBreakBefore, PageBreakAfter, PageBreakInside);
  const String align = properties[::TextAlign].TextOrEmpty();
  TextAlign = align == u"right" ? 3 : align == u"center" ? 2 : 1;

  if (Position == PositionRelative || IsAbsolute()) {
    ZIndex = ClampAttribute(int64_t{10} * properties.ReadZOrder());
    if (IsAbsolute()) ZIndex = std::max(ZIndex, 1);
  }
  if (Floats()) ZIndex = std::max(ZIndex, 1);
  if (IsAbsolute() || Floats()) {
    OwnIndentManager = std::make_unique<TIndentManager>();
    ContentCell->IndentManager = OwnIndentManager.get();
  }

  bool topIsGap = false;
  ConvertVerticalMargins(BoxValues, 400, EmSize, ExSize, Box, topIsGap, BottomMarginIsDefault);
  if (collapseTopMargin) CollapseTopMargin(topIsGap);

  if (attributes) {
    const String id = attributes->GetIdentifier();
    if (!id.empty() && document) document->IdList.Register(id, this);
  }
}

TBlock::TBlock(ThtDocument* document, const TBlock& source)
    : TSectionBase(document, source),
      ContentCell(std::make_unique<TBlockCell>(document, *source.ContentCell)),
      BoxValues(source.BoxValues),
      OwnerCell(nullptr),
      BackgroundPosition(source.BackgroundPosition),
      Title(source.Title),
      Box(source.Box),
      EmSize(source.EmSize),
      ExSize(source.ExSize),
      TextColor(source.TextColor),
      HasBorderStyle(source.HasBorderStyle),
      Float(source.Float),
      ClearSide(source.ClearSide),
      Position(source.Position),
      Visibility(source.Visibility),
      BottomMarginIsDefault(source.BottomMarginIsDefault),
      PageBreakBefore(source.PageBreakBefore),
      PageBreakAfter(source.PageBreakAfter),
      PageBreakInside(source.PageBreakInside),
      OverflowHidden(source.OverflowHidden),
      TextAlign(source.TextAlign) {
  ContentCell->OwnerBlock = this;
  if (source.BackgroundImage && document && document->PrintBackground)
    BackgroundImage = std::make_unique<TImageObj>(document, *source.BackgroundImage);
  if (source.OwnIndentManager) {
    OwnIndentManager = std::make_unique<TIndentManager>();
    ContentCell->IndentManager = OwnIndentManager.get();
  }
}

TBlock::~TBlock() {
  DrawList.clear();
  BackgroundImage.reset();
  ContentCell.reset();  // the sections leave the document's lists while the block still exists
}

std::unique_ptr<TSectionBase> TBlock::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TBlock>(document, *this);
}

std::unique_ptr<TSectionBase> TBlock::TakeCopy(ThtDocument* document) {
  std::vector<std::unique_ptr<TSectionBase>> sections = ContentCell->TakeAll();
  std::unique_ptr<TSectionBase> copy = CreateCopy(document);
  auto& block = static_cast<TBlock&>(*copy);
  block.ContentCell->AddTakenOver(std::move(sections));
  block.FindContentParts();
  return copy;
}

void TBlock::CollapseTopMargin(bool topIsGap) {
  int32_t& top = BoxAt(MarginTop);
  if (IsAbsolute()) {
    if (topIsGap) top = 0;
    return;
  }
  if (Floats() || Display == DisplayNone || !OwnerCell) return;
  TSectionBase* previous = nullptr;
  for (int i = OwnerCell->Count() - 1; i >= 0 && !previous; --i) {
    TSectionBase* sibling = OwnerCell->Items(i);
    if (sibling->Display == DisplayNone || sibling->IsAbsolute()) continue;
    previous = sibling;
  }
  if (!previous) {
    if (topIsGap) {
      top = 0;
    } else if ((OwnerCell->TagName == u"default" || OwnerCell->TagName == u"body") && OwnerCell->OwnerBlock) {
      top = std::max(0, top - OwnerCell->OwnerBlock->BoxAt(MarginTop));
    }
    return;
  }
  auto* block = dynamic_cast<TBlock*>(previous);
  if (!block) {
    const bool listInItem = TagPath.starts_with(u"ul.") || TagPath.starts_with(u"ol.");
    if (OwnerCell->TagName == u"li" && topIsGap && listInItem) top = 0;
    return;
  }
  if (block->IsTableBlock() && block->Floats()) {
    if (topIsGap) top = 0;
    return;
  }
  const int32_t bottom = block->BoxAt(MarginBottom);
  block->BoxAt(MarginBottom) = 0;
  if (bottom >= 0 && top >= 0) top = std::max(bottom, top);
  else if (bottom < 0 && top < 0) top = std::min(bottom, top);
  else top = bottom + top;
}

std::optional<bool> TBlock::DropDefaultBottomMargin() {
  if (IsAbsolute()) return std::nullopt;
  if (!BottomMarginIsDefault) return false;
  BoxAt(MarginBottom) = 0;
  BottomMarginIsDefault = false;
  return true;
}

bool TBlock::CursorToXY(TCanvas& canvas, int cursor, int& x, int& y) {
  if (Display == DisplayNone) return false;
  return ContentCell->CursorToXY(canvas, cursor, x, y);
}

int TBlock::FindCursor(TCanvas& canvas, int x, int y, bool& onText, int& lineHeight, int& lineTop, int& cursorX) {
  if (Display == DisplayNone) return -1;
  BuildDrawList();
  for (auto it = DrawList.rbegin(); it != DrawList.rend(); ++it) {
    const int result = (*it)->FindCursor(canvas, x, y, onText, lineHeight, lineTop, cursorX);
    if (result >= 0) return result;
  }
  return -1;
}

int TBlock::SourceToCursor(int sourcePosition, bool backward) {
  return Display == DisplayNone ? -1 : ContentCell->SourceToCursor(sourcePosition, backward);
}

int TBlock::CursorToSource(int cursor) { return Display == DisplayNone ? -1 : ContentCell->CursorToSource(cursor); }

int TBlock::FindString(int fromCursor, const String& text, bool matchCase) {
  return Display == DisplayNone ? -1 : ContentCell->FindString(fromCursor, text, matchCase);
}

int TBlock::FindStringBack(int fromCursor, const String& text, bool matchCase) {
  return Display == DisplayNone ? -1 : ContentCell->FindStringBack(fromCursor, text, matchCase);
}

bool TBlock::CharAt(int cursor, Char& ch, TIDObject*& object) {
  if (Display == DisplayNone) {
    ch = 0;
    object = nullptr;
    return false;
  }
  return ContentCell->CharAt(cursor, ch, object);
}

int TBlock::UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
                  std::unique_ptr<TUrlTarget>& target) {
  if (Display == DisplayNone) return TSectionBase::UrlAt(canvas, x, y, title, control, target);
  int flags = ContentCell->UrlAt(canvas, x, y, title, control, target);
  const int windowY = y - (Document ? Document->YOffset : 0);
  if (!Title.empty() && title.empty() && x >= BorderRect.Left && x < BorderRect.Right && windowY >= BorderRect.Top &&
      windowY < BorderRect.Bottom) {
    title = Title;
    flags |= UrlAtTitle;
  }
  return flags;
}

bool TBlock::ObjectAt(int x, int y, TIDObject*& object) {
  object = nullptr;
  if (Display == DisplayNone) return false;
  BuildDrawList();
  for (auto it = DrawList.rbegin(); it != DrawList.rend(); ++it)
    if ((*it)->ObjectAt(x, y, object)) return true;
  return false;
}

void TBlock::AddToPositionList() {
  if (Display != DisplayNone) ContentCell->AddToPositionList();
}

void TBlock::CopySelection() {
  ContentCell->CopySelection();
  if (Document && Document->SelectionSink && TagPath.starts_with(u"p.") &&
      ContentCell->StartCursor + ContentCell->CursorLength < Document->SelectionEnd)
    Document->SelectionSink->AddChars(u"\r\n", 2);
}
