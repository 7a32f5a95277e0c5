#include "html/document/tables/TableCells.h"

#include <algorithm>
#include <cmath>

#include "html/document/blocks/SectionPageIndex.h"
#include "html/document/floats/ImageObj.h"
#include "html/document/model/Document.h"
#include "html/foundation/css/Colours.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/Attributes.h"

namespace {
enum : uint8_t { BackgroundAttrSy = 5, BgColorAttrSy = 6, ColSpanAttrSy = 21, RowSpanAttrSy = 63 };

// A span attribute: kept only above 1, cut to the limit before anything is made from it.
int SpanValue(const TAttribute& attribute, int limit) {
  const double number = attribute.Number;
  if (!std::isfinite(number) || number <= 1) return 1;
  return static_cast<int>(std::min<double>(std::trunc(number), limit));
}

// A style width or height that is a length or a percentage.
bool StyleWidthValue(const TPropValue& value, int emSize, int exSize, TWidthValue& result) {
  if (value.IsInt() && value.AsInt() != UnsetSentinel && value.AsInt() != AutoSentinel && value.AsInt() >= 0) {
    result = {value.AsInt(), wtAbsolute};
    return true;
  }
  if (!value.IsText()) return false;
  const String& text = value.AsText();
  if (text.find(u'%') != String::npos) {
    const int tenths = LengthToPixels(text, false, 1000, -1, exSize, emSize);
    if (tenths < 0) return false;
    result = {std::min(tenths, 1000), wtPercent};
    return true;
  }
  const int pixels = LengthToPixels(text, false, 0, -1, exSize, emSize);
  if (pixels < 0) return false;
  result = {pixels, wtAbsolute};
  return true;
}
}  // namespace

TCellObj::TCellObj(ThtDocument* document, TProperties& properties, TAttributeList* attributes, uint8_t vAlign)
    : Document(document), VAlign(vAlign), Cell(std::make_unique<TCellObjCell>(document)) {
  String backgroundUrl;
  if (!properties.TitleText.empty()) Cell->LinkTexts().Title = properties.TitleText;
  if (attributes) {
    for (int i = 0; i < attributes->Count(); ++i) {
      const TAttribute& a = *attributes->Items(i);
      switch (a.Symbol) {
        case BackgroundAttrSy: backgroundUrl = a.ValueText; break;
        case BgColorAttrSy: {
          TColor color;
          if (ParseColorText(a.ValueText, false, color)) {
            Cell->HasBackground = true;
            Cell->CellBackground = color;
          }
          break;
        }
        case ColSpanAttrSy: ColSpan = SpanValue(a, MaxColSpan); break;
        case RowSpanAttrSy: RowSpan = SpanValue(a, MaxRowSpan); break;
        case HeightAttrSy:
          if (a.Number >= 0) SpecHeight = ParseWidthValue(a.IntValue, a.ValueText);
          break;
        case WidthAttrSy:
          if (a.Number >= 0) SpecWidth = ParseWidthValue(a.IntValue, a.ValueText);
          break;
        case HrefAttrSy: Cell->LinkTexts().Url = a.ValueText; break;
        case TargetAttrSy: Cell->LinkTexts().Target = a.ValueText; break;
        default: break;
      }
    }
  }

  int align = 0;
  if (properties.ReadVerticalAlign(align) && align >= AlignTop && align <= AlignBottom) VAlign = static_cast<uint8_t>(align);
  const bool quirks = document && document->UseQuirks;
  TVMarginArray values;
  const TPropValue& color = properties[Color];
  CopyBoxValues(properties, values, quirks ? TColor(0xC0C0C0) : color.IsInt() ? color.AsInt() : clBlack);
  EmSize = properties.EmHeight;
  ExSize = properties.ExHeight;
  TWidthValue styleSize;
  if (StyleWidthValue(properties[Width], EmSize, ExSize, styleSize)) SpecWidth = styleSize;
  if (StyleWidthValue(properties[Height], EmSize, ExSize, styleSize)) SpecHeight = styleSize;
  const TColor own = properties.OwnBackgroundColor();
  if (own != clNone) {
    Cell->HasBackground = true;
    Cell->CellBackground = own;
  }
  String imageUrl;
  if (properties.BackgroundImageUrl(imageUrl) && !imageUrl.empty()) backgroundUrl = imageUrl;
  if (!backgroundUrl.empty()) {
    Background = std::make_unique<TCellBackground>();
    Background->Url = backgroundUrl;
    ReadBackgroundPlacement(properties, EmSize, ExSize, Background->Pos);
  }

  int autoCount = 0;
  TIntBoxArray box{};
  ConvertBoxValues(values, 0, 0, box, autoCount, 0, ExSize, EmSize);
  TIntBoxArray paddings{};
  ConvertPaddings(values, EmSize, ExSize, paddings);
  PadTop = paddings[BoxEntry(PaddingTop)];
  PadRight = paddings[BoxEntry(PaddingRight)];
  PadBottom = paddings[BoxEntry(PaddingBottom)];
  PadLeft = paddings[BoxEntry(PaddingLeft)];
  int* const borders[4] = {&BrdTop, &BrdRight, &BrdBottom, &BrdLeft};
  for (int side = 0; side < 4; ++side) {
    BorderColors[side] = box[BoxEntry(BorderTopColor + side)];
    BorderStyles[side] = static_cast<uint8_t>(box[BoxEntry(BorderTopStyle + side)]);
    int style = 0;
    if (properties.ReadBorderStyle(static_cast<TStylePropIndex>(BorderTopStyle + side), style)) {
      *borders[side] = std::max(0, box[BoxEntry(BorderTopWidth + side)]);
      HasBorderStyle = true;
    }
  }
  properties.ReadPageBreakFlags(BreakBefore, BreakAfter, AvoidInside);
  ShowEmpty = properties.EmptyCellsShown();
}

TCellObj::TCellObj(ThtDocument* document, const TCellObj& source)
    : TCellObjBase(source),
      Document(document),
      CellWidth(source.CellWidth),
      CellHeight(source.CellHeight),
      ContentHeight(source.ContentHeight),
      VOffset(source.VOffset),
      VAlign(source.VAlign),
      EmSize(source.EmSize),
      ExSize(source.ExSize),
      PadLeft(source.PadLeft),
      PadTop(source.PadTop),
      PadRight(source.PadRight),
      PadBottom(source.PadBottom),
      BrdLeft(source.BrdLeft),
      BrdTop(source.BrdTop),
      BrdRight(source.BrdRight),
      BrdBottom(source.BrdBottom),
      HasBorderStyle(source.HasBorderStyle),
      ShowEmpty(source.ShowEmpty),
      Cell(std::make_unique<TCellObjCell>(document, *source.Cell)),
      BorderColors(source.BorderColors),
      BorderStyles(source.BorderStyles),
      BreakBefore(source.BreakBefore),
      BreakAfter(source.BreakAfter),
      AvoidInside(source.AvoidInside) {
  if (document && document->PrintTableBackground) {
    Cell->HasBackground = source.Cell->HasBackground;
    Cell->CellBackground = source.Cell->CellBackground;
  }
  if (source.Background) {
    Background = std::make_unique<TCellBackground>();
    Background->Url = source.Background->Url;
    Background->Pos = source.Background->Pos;
    if (source.Background->Image)
      Background->Image = std::make_unique<TImageObj>(document, *source.Background->Image);
  }
}

TCellObj::~TCellObj() {
  Background.reset();
  Cell.reset();
}

std::unique_ptr<TCellObjBase> TCellObj::CreateCopy(ThtDocument* document) const {
  return std::make_unique<TCellObj>(document, *this);
}

std::unique_ptr<TCellObjBase> TCellObj::TakeCopy(ThtDocument* document) {
  std::vector<std::unique_ptr<TSectionBase>> sections = Cell->TakeAll();
  auto copy = std::make_unique<TCellObj>(document, *this);
  copy->Cell->AddTakenOver(std::move(sections));
  return copy;
}

void TCellObj::InitCell(int cellPadding, const String& rowBackground, const TBackgroundPos& rowBackgroundPos,
                        bool tableHasBorder) {
  for (int* pad : {&PadLeft, &PadTop, &PadRight, &PadBottom})
    if (*pad < 0) *pad = cellPadding;
  if (tableHasBorder && !HasBorderStyle)
    for (int* border : {&BrdLeft, &BrdTop, &BrdRight, &BrdBottom}) *border = std::max(*border, 1);
  HzSpace = PadLeft + BrdLeft + BrdRight + PadRight;
  VrSpace = PadTop + BrdTop + BrdBottom + PadBottom;
  if (!Background && !rowBackground.empty()) {
    Background = std::make_unique<TCellBackground>();
    Background->Url = rowBackground;
    Background->Pos = rowBackgroundPos;
  }
  if (Background && !Background->Image) Background->Image = std::make_unique<TImageObj>(Document, Background->Url);
}

TCellList::TCellList(TAttributeList* attributes, TProperties* properties) : TFreeList(true) {
  if (attributes) {
    for (int i = 0; i < attributes->Count(); ++i) {
      const TAttribute& a = *attributes->Items(i);
      switch (a.Symbol) {
        case BackgroundAttrSy: RowBackground = a.ValueText; break;
        case BgColorAttrSy: {
          TColor color;
          if (ParseColorText(a.ValueText, false, color)) {
            HasRowColor = true;
            RowColor = color;
          }
          break;
        }
        case HeightAttrSy: {
          // Only a percentage is limited (to 100); a pixel height stands as written.
          const bool percent = a.ValueText.find(u'%') != String::npos;
          const int amount = std::max(0, percent ? std::min(a.IntValue, 100) : a.IntValue);
          RowSpec = ParseWidthValue(amount, a.ValueText);
          break;
        }
        default: break;
      }
    }
  }
  if (properties) {
    const TColor own = properties->OwnBackgroundColor();
    if (own != clNone) {
      HasRowColor = true;
      RowColor = own;
    }
    String imageUrl;
    if (properties->BackgroundImageUrl(imageUrl) && !imageUrl.empty()) RowBackground = imageUrl;
    ReadBackgroundPlacement(*properties, properties->EmHeight, properties->ExHeight, RowBackgroundPos);
    properties->ReadPageBreakFlags(BreakBefore, BreakAfter, AvoidInside);
  }
}

TCellList::TCellList(ThtDocument* document, const TCellList& source)
    : TFreeList(true),
      RowSpec(source.RowSpec),
      HasRowColor(source.HasRowColor),
      RowColor(source.RowColor),
      RowBackground(source.RowBackground),
      RowBackgroundPos(source.RowBackgroundPos),
      BreakBefore(source.BreakBefore),
      BreakAfter(source.BreakAfter),
      AvoidInside(source.AvoidInside),
      RowKind(source.RowKind) {
  for (int i = 0; i < source.Count(); ++i) Add(source.Items(i)->CreateCopy(document).release());
}

std::unique_ptr<TCellList> TCellList::TakeCopy(ThtDocument* document) {
  std::vector<std::unique_ptr<TCellObjBase>> cells = TakeAll();
  auto copy = std::make_unique<TCellList>(document, *this);
  for (std::unique_ptr<TCellObjBase>& cell : cells) {
    copy->Add(cell->TakeCopy(document).release());
    cell.reset();
  }
  return copy;
}

void TCellList::AddCell(TCellObjBase* cell) {
  Add(cell);
  TCellObj* real = cell->AsCell();
  if (!real) return;
  BreakBefore = BreakBefore || real->BreakBefore;
  BreakAfter = BreakAfter || real->BreakAfter;
  AvoidInside = AvoidInside || real->AvoidInside;
  const TWidthType own = real->SpecHeight.Kind;
  bool take = false;
  switch (RowSpec.Kind) {
    case wtAbsolute: take = own == wtNone || own == wtAbsolute; break;
    case wtPercent: take = own == wtNone || own == wtPercent; break;
    case wtRelative: take = own == wtNone; break;
    case wtNone: break;
  }
  if (take) real->SpecHeight = RowSpec;
}
