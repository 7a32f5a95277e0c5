#include "html/document/tables/TableBlock.h"

#include <algorithm>
#include <cstdlib>

#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/document/tables/HtmlTable.h"
#include "html/foundation/css/Colours.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/StrUtils.h"

namespace {
enum : uint8_t { BackgroundAttrSy = 5, BgColorAttrSy = 6, BorderColorAttrSy = 9 };

bool IsAuto(int32_t value) { return value == AutoSentinel; }

// The table block's property set: the table's, with the borders that BORDER, BORDERCOLOR
// and FRAME give wherever the style sheet left them unset, and the float, height and
// background colour of the attributes.
std::unique_ptr<TProperties> TableBlockProperties(TProperties& properties, const THtmlTable& table,
                                                  TAttributeList* attributes) {
  auto result = TProperties::CreateClone(properties);
  TProperties& p = *result;
  TAttribute* attribute = nullptr;
  TColor borderColor = clNone;
  if (attributes && attributes->FindSymbol(BorderColorAttrSy, attribute)) {
    TColor parsed;
    if (ParseColorText(attribute->ValueText, false, parsed)) borderColor = parsed;
  }
  if (borderColor == clNone && table.HasBorderAttr) borderColor = TColor(0x808080);
  if (borderColor != clNone)
    p.FillSetIfUnset({BorderTopColor, BorderRightColor, BorderBottomColor, BorderLeftColor}, borderColor);
  if (table.HasBorderAttr)
    p.FillSetIfUnset({BorderTopWidth, BorderRightWidth, BorderBottomWidth, BorderLeftWidth}, table.BorderAttrWidth);

  int top = bssNone, right = bssNone, bottom = bssNone, left = bssNone;
  switch (table.Frame) {
    case FrameAbove: top = bssSolid; break;
    case FrameBelow: bottom = bssSolid; break;
    case FrameHSides: top = bottom = bssSolid; break;
    case FrameLhs: left = bssSolid; break;
    case FrameRhs: right = bssSolid; break;
    case FrameVSides: left = right = bssSolid; break;
    case FrameBox:
    case FrameBorder: top = right = bottom = left = bssOutset; break;
    default:
      if (table.HasBorderAttr && table.BorderAttrWidth > 0) top = right = bottom = left = bssOutset;
      break;
  }
  p.FillIfUnset(BorderTopStyle, top);
  p.FillIfUnset(BorderRightStyle, right);
  p.FillIfUnset(BorderBottomStyle, bottom);
  p.FillIfUnset(BorderLeftStyle, left);

  if (!attributes) return result;
  for (int i = 0; i < attributes->Count(); ++i) {
    const TAttribute& a = *attributes->Items(i);
    switch (a.Symbol) {
      case AlignAttrSy: {
        const String align = LowerCase(a.ValueText);
        int side = 0;
        const bool floats = p.ReadFloatSide(side) && (side == AlignLeft || side == AlignRight);
        if (!floats && (align == u"left" || align == u"right")) p.Values[Float] = align;
        break;
      }
      case HeightAttrSy:
        if (a.Number >= 0) {
          if (a.ValueText.find(u'%') != String::npos) p.FillIfUnset(Height, IntToStr(a.IntValue) + u"%");
          else p.FillIfUnset(Height, a.IntValue);
        }
        break;
      case BgColorAttrSy: {
        TColor color;
        if (ParseColorText(a.ValueText, false, color) && p.OwnBackgroundColor() == clNone) {
          p.Values[BackgroundColor] = color;
          p.OwnFlags[BackgroundColor] = true;
        }
        break;
      }
      default: break;
    }
  }
  return result;
}
}  // namespace

TTableBlock::TTableBlock(ThtDocument* document, TAttributeList* attributes, std::unique_ptr<THtmlTable> table,
                         TCellBasic* ownerCell, TProperties& properties)
    : TTableBlock(document, attributes, ownerCell, MakeParts(std::move(table), properties, attributes)) {}

TTableBlock::TParts TTableBlock::MakeParts(std::unique_ptr<THtmlTable> table, TProperties& properties,
                                           TAttributeList* attributes) {
  TParts parts;
  parts.Properties = TableBlockProperties(properties, *table, attributes);
  parts.Table = std::move(table);
  return parts;
}

TTableBlock::TTableBlock(ThtDocument* document, TAttributeList* attributes, TCellBasic* ownerCell, TParts parts)
    : TBlock(document, attributes, ownerCell, *parts.Properties), Table(parts.Table.get()) {
  TProperties& properties = *parts.Properties;
  ContentCell->AddSection(std::move(parts.Table), 0);

  if (attributes) {
    for (int i = 0; i < attributes->Count(); ++i) {
      const TAttribute& a = *attributes->Items(i);
      switch (a.Symbol) {
        case AlignAttrSy:
          if (LowerCase(a.ValueText) == u"center") TableAlign = 2;
          break;
        case BackgroundAttrSy:
          if (!BackgroundImage && !a.ValueText.empty()) {
            BackgroundImage = std::make_unique<TImageObj>(document, a.ValueText);
            for (TBackgroundPosPart& part : BackgroundPosition) part = TBackgroundPosPart{6, 0, false, false};
          }
          break;
        case BgColorAttrSy: {
          TColor color;
          if (ParseColorText(a.ValueText, false, color)) {
            HasBgColor = true;
            BgColor = color;
          }
          break;
        }
        case HSpaceAttrSy: HSpace = std::min(std::abs(a.IntValue), 40); break;
        case VSpaceAttrSy: VSpace = std::min(std::abs(a.IntValue), 200); break;
        case WidthAttrSy:
          if (a.ValueText.find(u'%') != String::npos) {
            WidthIsPercent = true;
            // A percentage above 100 counts as 100.
            WidthSpec = std::clamp(a.IntValue, 0, 100) * 10;
          } else {
            WidthSpec = std::max(0, a.IntValue);
          }
          break;
        default: break;
      }
    }
  }
  const TPropValue& styleWidth = properties[Width];
  if (styleWidth.IsText() && styleWidth.AsText().find(u'%') != String::npos) {
    WidthIsPercent = true;
    WidthSpec = std::clamp(LengthToPixels(styleWidth.AsText(), false, 1000, 0, ExSize, EmSize), 0, 1000);
  } else {
    const int pixels = ValueToPixels(styleWidth, false, 0, AutoSentinel, ExSize, EmSize);
    if (pixels != AutoSentinel && pixels >= 0) {
      WidthIsPercent = false;
      WidthSpec = pixels;
    }
  }
  // The width is the table's business: the block's own stays automatic.
  BoxValues[BoxEntry(Width)] = String(u"auto");

  Table->Floating = Floats();
  if (Floats()) {
    if (BoxAt(MarginTop) == 0) BoxAt(MarginTop) = VSpace;
    if (BoxAt(MarginBottom) == 0) BoxAt(MarginBottom) = VSpace;
  }
  const TPropValue& background = properties[BackgroundColor];
  if (background.IsInt() && background.AsInt() != clNone && !BackgroundImage) {
    Table->HasBackground = true;
    Table->BackgroundColor = background.AsInt();
  }
}

TTableBlock::TTableBlock(ThtDocument* document, const TTableBlock& source)
    : TBlock(document, source),
      Table(nullptr),
      WidthSpec(source.WidthSpec),
      WidthIsPercent(source.WidthIsPercent),
      HasBgColor(source.HasBgColor),
      BgColor(source.BgColor),
      HSpace(source.HSpace),
      VSpace(source.VSpace),
      InCaptionBlock(source.InCaptionBlock),
      TableAlign(source.TableAlign) {
  TTableBlock::FindContentParts();
}

void TTableBlock::FindContentParts() {
  Table = ContentCell->Count() > 0 ? dynamic_cast<THtmlTable*>(ContentCell->Items(0)) : nullptr;
}

std::unique_ptr<TSectionBase> TTableBlock::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TTableBlock>(document, *this);
}

int TTableBlock::DefaultBorderWidth() const { return Table && Table->BorderWidth > 0 ? Table->BorderWidth : 3; }

int TTableBlock::FindWidth(TCanvas& canvas, int availableWidth, int, int) {
  // Inside a caption block the room is the width the caption block found for the table from
  // the room outside: a percentage is not taken of it a second time.
  return WidthIn(canvas, availableWidth, !InCaptionBlock);
}

int TTableBlock::WidthIn(TCanvas& canvas, int availableWidth, bool percentOfRoom) {
  int32_t& marginLeft = BoxAt(MarginLeft);
  int32_t& marginRight = BoxAt(MarginRight);
  const bool marginsGiven = !(IsAuto(marginLeft) || marginLeft == 0) || !(IsAuto(marginRight) || marginRight == 0);
  if (InCaptionBlock) {
    marginLeft = marginRight = 0;
  } else {
    if (IsAuto(marginLeft)) marginLeft = 0;
    if (IsAuto(marginRight)) marginRight = 0;
    if (Floats()) {
      if (marginLeft == 0) marginLeft = HSpace;
      if (marginRight == 0) marginRight = HSpace;
    }
  }
  const TColor background = static_cast<TColor>(BoxAt(BackgroundColor));
  if (background != clNone && !BackgroundImage) {
    Table->HasBackground = true;
    Table->BackgroundColor = background;
  }
  const int margins = marginLeft + marginRight;
  const int extras = BoxAt(PaddingLeft) + BoxAt(PaddingRight) + BoxAt(BorderLeftWidth) + BoxAt(BorderRightWidth);
  const int room = availableWidth - margins - extras;
  int minWidth = 0, maxWidth = 0;
  Table->SpecifiedWidth = 0;
  Table->MinMaxWidth(canvas, minWidth, maxWidth);
  int width = 0;
  if (WidthSpec < 1) {
    const int percent = std::min(1000, SumAll(Table->Percents));
    if (percent > 0) {
      const int wanted = static_cast<int>(int64_t{availableWidth - margins} * percent / 1000);
      minWidth = std::max(minWidth, wanted);
      maxWidth = std::max(maxWidth, wanted);
    }
    width = maxWidth <= room ? maxWidth : std::max(minWidth, room);
  } else {
    const int specified = !WidthIsPercent ? WidthSpec - extras
                          : percentOfRoom ? static_cast<int>(int64_t{availableWidth} * WidthSpec / 1000) - margins - extras
                                          : room;
    Table->SpecifiedWidth = std::max(specified, minWidth);
    width = Table->SpecifiedWidth;
  }
  if (!marginsGiven && width < room) {
    const int rest = room - width;
    if (TableAlign == 2) {
      marginLeft += rest / 2;
      marginRight += rest - rest / 2;
    } else if (TableAlign == 3) {
      marginLeft += rest;
    }
  }
  return width;
}

int TTableBlock::OuterWidthFor(TCanvas& canvas, int availableWidth) {
  int autoCount = 0;
  ConvertMargins(availableWidth, 0, autoCount);
  const uint8_t align = TableAlign;
  TableAlign = 0;
  const int width = WidthIn(canvas, availableWidth, true);
  TableAlign = align;
  return LeftExtra() + width + RightExtra();
}

void TTableBlock::MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  int autoCount = 0;
  ConvertMargins(0, 400, autoCount);
  const int extras = BoxAt(PaddingLeft) + BoxAt(PaddingRight) + BoxAt(BorderLeftWidth) + BoxAt(BorderRightWidth);
  Table->SpecifiedWidth = !WidthIsPercent && WidthSpec > 0 ? std::max(0, WidthSpec - extras) : 0;
  TBlock::MinMaxWidth(canvas, minWidth, maxWidth);
  if (Table->SpecifiedWidth > 0) minWidth = maxWidth = std::max(Table->SpecifiedWidth, minWidth);
}

int TTableBlock::Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents,
                        int availableHeight, int containingHeight, int availableWidth, int originY, int originX,
                        int y) {
  FloatShift = 0;
  if (!Floats() && !IsAbsolute() && Display != DisplayNone) {
    // Past the left floats and narrowed to end before the right ones.
    FloatShift = std::max(0, indents.LeftAt(y) - x);
    availableWidth = std::max(0, std::min(availableWidth - FloatShift, indents.RightAt(y) - x - FloatShift));
  }
  Table->BlockBorderTop = 0;
  const int height = TBlock::Layout(canvas, x + FloatShift, cursor, maxWidth, indents, availableHeight,
                                    containingHeight, availableWidth, originY, originX, y);
  Table->BlockBorderTop = BoxAt(BorderTopWidth);
  Table->BlockBorderBottom = BoxAt(BorderBottomWidth);
  maxWidth += FloatShift;
  return height;
}

bool TTableBlock::BreaksPageForTable(const TRect& clip) {
  ThtDocument& document = *Document;
  if (PageBreakBefore || PageBreakAfter || PageBreakInside || document.SkipDraw) return false;
  const int pageTop = document.YOffset + clip.Top;
  const int pageHeight = clip.Bottom - clip.Top;
  const int top = SectionTop;
  if (!Table->HeadOrFoot) {
    if (top > pageTop + 2 * pageHeight / 3 && SectionBottom > document.PageBottom &&
        SectionBottom - top < pageHeight) {
      document.PageBottom = std::min(static_cast<int>(document.PageBottom), top);
      return true;
    }
    return false;
  }
  if (document.TableDepth != 0 || (document.PrintedTable && document.PrintedTable != Table) || top <= pageTop)
    return false;
  int firstBody = 0;
  for (int i = 0; i < Table->Rows.Count(); ++i)
    if (Table->Rows.Items(i)->RowKind == 1) {
      firstBody = Table->Rows.Items(i)->RowHeight;
      break;
    }
  const int needed = (Table->SectionTop - top) + Table->HeaderHeight + firstBody + Table->FooterHeight;
  if (top + needed <= document.PageBottom || needed >= pageHeight) return false;
  const int bottom = top + Table->CellSpacing / 2;
  if (bottom < document.PageBottom) {
    document.PageBottom = bottom;
    document.TableBreak = true;
  }
  return true;
}

int TTableBlock::Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef) {
  if (Document && Document->Printing && !IsAbsolute() && Display != DisplayNone && BreaksPageForTable(clip))
    return SectionTop + SectionHeight;
  return TBlock::Draw(canvas, clip, indents, x + FloatShift, xRef, yRef);
}

TTableAndCaptionBlock::TTableAndCaptionBlock(ThtDocument* document, TTableBlock* tableBlock,
                                             TAttributeList* attributes, TCellBasic* ownerCell,
                                             TProperties& properties)
    : TBlock(document, nullptr, ownerCell, properties, false), TableBlock(tableBlock) {
  TagPath = u"TableAndCaption.";
  for (int p : {MarginLeft, MarginRight, PaddingTop, PaddingRight, PaddingBottom, PaddingLeft, BorderTopWidth,
                BorderRightWidth, BorderBottomWidth, BorderLeftWidth, BorderTopStyle, BorderRightStyle,
                BorderBottomStyle, BorderLeftStyle})
    BoxValues[BoxEntry(p)] = 0;
  BoxValues[BoxEntry(BackgroundColor)] = clNone;
  BoxValues[BoxEntry(Width)] = String(u"auto");
  BackgroundImage.reset();
  Float = FloatNone;
  ZIndex = 0;
  if (attributes) {
    TAttribute* align = nullptr;
    if (attributes->FindSymbol(AlignAttrSy, align)) {
      const String value = LowerCase(align->ValueText);
      if (value == u"center") CaptionAlign = 2;
      else if (value == u"left") Float = FloatLeft;
      else if (value == u"right") Float = FloatRight;
    }
    TableId = attributes->GetIdentifier();
  }
}

TTableAndCaptionBlock::TTableAndCaptionBlock(ThtDocument* document, const TTableAndCaptionBlock& source)
    : TBlock(document, source),
      TableIndex(source.TableIndex),
      TableBlock(nullptr),
      CaptionAlign(source.CaptionAlign),
      TableId(source.TableId) {
  TTableAndCaptionBlock::FindContentParts();
}

void TTableAndCaptionBlock::FindContentParts() {
  for (int i = 0; i < ContentCell->Count(); ++i) {
    if (auto* table = dynamic_cast<TTableBlock*>(ContentCell->Items(i))) TableBlock = table;
    else if (auto* caption = dynamic_cast<TBlock*>(ContentCell->Items(i))) CaptionBlock = caption;
  }
}

std::unique_ptr<TSectionBase> TTableAndCaptionBlock::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TTableAndCaptionBlock>(document, *this);
}

void TTableAndCaptionBlock::SetCaptionBlock(TBlock* block) {
  CaptionBlock = block;
  // The wrapper now stands for the table in the flow: it floats in the table's place and
  // takes the table block's vertical margins.
  if (TableBlock) {
    TTableBlock& table = *TableBlock;
    table.InCaptionBlock = true;
    if (table.Floats() && !Floats()) Float = table.Float;
    BoxAt(MarginTop) = table.BoxAt(MarginTop);
    BoxAt(MarginBottom) = table.BoxAt(MarginBottom);
    table.BoxAt(MarginTop) = table.BoxAt(MarginBottom) = 0;
    table.Float = FloatNone;
    table.ZIndex = 0;
    table.Table->Floating = false;
  }
  if (Floats() && !OwnIndentManager) {
    ZIndex = std::max(ZIndex, 1);
    OwnIndentManager = std::make_unique<TIndentManager>();
    ContentCell->IndentManager = OwnIndentManager.get();
  }
}

void TTableAndCaptionBlock::RegisterId() {
  if (!TableId.empty() && Document && TableBlock) Document->IdList.Register(TableId, TableBlock);
}

void TTableAndCaptionBlock::MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  minWidth = maxWidth = 0;
  if (Display == DisplayNone) return;
  if (TableBlock) TableBlock->MinMaxWidth(canvas, minWidth, maxWidth);
  if (CaptionBlock) {
    int captionMin = 0, captionMax = 0;
    CaptionBlock->MinMaxWidth(canvas, captionMin, captionMax);
    minWidth = std::max(minWidth, captionMin);
    maxWidth = std::max(maxWidth, captionMax);
  }
}

int TTableAndCaptionBlock::FindWidth(TCanvas& canvas, int availableWidth, int, int) {
  int captionMin = 0, captionMax = 0;
  if (CaptionBlock) CaptionBlock->MinMaxWidth(canvas, captionMin, captionMax);
  const int tableWidth = TableBlock ? TableBlock->OuterWidthFor(canvas, availableWidth) : 0;
  const int width = std::max(captionMin, tableWidth);
  BoxAt(MarginLeft) = BoxAt(MarginRight) = 0;
  if (availableWidth > width && !Floats()) {
    const int rest = availableWidth - width;
    if (CaptionAlign == 2) {
      BoxAt(MarginLeft) = rest / 2;
      BoxAt(MarginRight) = rest - rest / 2;
    } else if (CaptionAlign == 3) {
      BoxAt(MarginLeft) = rest;
    }
  }
  if (TableBlock) TableBlock->TableAlign = 2;
  return width;
}

int TTableAndCaptionBlock::SourceToCursor(int sourcePosition, bool backward) {
  if (Display == DisplayNone) return -1;
  // The caption's text comes before the rows in the source, wherever it is shown: a forward
  // search asks the caption first, a backward one the table, so that a position inside the
  // caption is not taken for the table's first character (or one in the rows for the
  // caption's last).
  TSectionBase* first = backward ? static_cast<TSectionBase*>(TableBlock) : CaptionBlock;
  TSectionBase* second = backward ? static_cast<TSectionBase*>(CaptionBlock) : TableBlock;
  for (TSectionBase* section : {first, second})
    if (section)
      if (const int cursor = section->SourceToCursor(sourcePosition, backward); cursor >= 0) return cursor;
  return -1;
}

int TTableAndCaptionBlock::Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef,
                                int yRef) {
  if (Document && Document->Printing && !Document->PageCutForced && TableIndex == 1 && CaptionBlock && TableBlock &&
      !IsAbsolute() && !Floats() && Display != DisplayNone && Visibility != 1 && MovesWithTable(clip))
    return SectionTop + SectionHeight;
  return TBlock::Draw(canvas, clip, indents, x, xRef, yRef);
}

bool TTableAndCaptionBlock::MovesWithTable(const TRect& clip) {
  ThtDocument& document = *Document;
  const int top = SectionTop;  // the top margin edge
  // A caption at the top of the page stays there: the page must end below it.
  if (document.SkipDraw || top <= document.YOffset + clip.Top || document.PageBottom <= top) return false;
  const THtmlTable& table = *TableBlock->Table;
  const int rowsStart = table.SectionTop + std::max(0, table.CellSpacing);
  // The page ends in the caption or before the first row, or the table moves to the next page.
  if (document.PageBottom > rowsStart && !TableBlock->BreaksPageForTable(clip)) return false;
  document.PageBottom = top;
  return true;
}
