#include <algorithm>

#include "html/document/model/Document.h"
#include "html/document/tables/HtmlTable.h"
#include "html/foundation/css/Colours.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/shared/Attributes.h"
#include "platform/rtl/StrUtils.h"

namespace {
enum : uint8_t {
  BorderColorAttrSy = 9, BorderColorDarkAttrSy = 10, BorderColorLightAttrSy = 11, CellPaddingAttrSy = 12,
  CellSpacingAttrSy = 13, FrameAttrSy = 27, RulesAttrSy = 64
};

int KeywordCode(const String& value, std::initializer_list<const char16_t*> words) {
  const String upper = UpperCase(value);
  int code = 0;
  for (const char16_t* word : words) {
    if (upper == word) return code;
    ++code;
  }
  return -1;
}
}  // namespace

THtmlTable::THtmlTable(ThtDocument* document, TProperties& properties, TAttributeList* attributes)
    : TSectionBase(document, properties), TablePart(std::make_unique<TTablePartRec>()) {
  if (attributes) {
    TAttribute* border = nullptr;
    if (attributes->FindSymbol(BorderAttrSy, border)) {
      HasBorderAttr = true;
      BorderWidth = border->ValueText.empty() ? 1 : std::clamp(border->IntValue, 0, 100);
      BorderAttrWidth = BorderWidth;
      Frame = BorderWidth > 0 ? FrameBorder : FrameVoid;
      Rules = BorderWidth > 0 ? RulesAll : RulesNone;
    }
    for (int i = 0; i < attributes->Count(); ++i) {
      const TAttribute& a = *attributes->Items(i);
      TColor color;
      switch (a.Symbol) {
        case BorderColorAttrSy:
          if (ParseColorText(a.ValueText, false, color)) BorderColor = color;
          break;
        case BorderColorLightAttrSy:
          if (ParseColorText(a.ValueText, false, color)) BorderColorLight = color;
          break;
        case BorderColorDarkAttrSy:
          if (ParseColorText(a.ValueText, false, color)) BorderColorDark = color;
          break;
        case CellPaddingAttrSy: CellPadding = std::clamp(a.IntValue, 0, 50); break;
        case CellSpacingAttrSy: CellSpacing = std::clamp(a.IntValue, -1, 40); break;
        case FrameAttrSy: {
          const int code = KeywordCode(a.ValueText, {u"VOID", u"ABOVE", u"BELOW", u"HSIDES", u"LHS", u"RHS",
                                                     u"VSIDES", u"BOX", u"BORDER"});
          if (code >= 0) Frame = static_cast<uint8_t>(code);
          break;
        }
        case RulesAttrSy: {
          const int code = KeywordCode(a.ValueText, {u"NONE", u"GROUPS", u"ROWS", u"COLS", u"ALL"});
          if (code >= 0) Rules = static_cast<uint8_t>(code);
          break;
        }
        default: break;
      }
    }
  }
  if (properties.HasCollapsedBorders()) CellSpacing = -1;
}

THtmlTable::THtmlTable(ThtDocument* document, const THtmlTable& source)
    : TSectionBase(document, source),
      TablePart(std::make_unique<TTablePartRec>()),
      ColSpecs(source.ColSpecs),
      Initialized(source.Initialized),
      BorderWidth(source.BorderWidth),
      BorderAttrWidth(source.BorderAttrWidth),
      HasBorderAttr(source.HasBorderAttr),
      Frame(source.Frame),
      Rules(source.Rules),
      Floating(source.Floating),
      NumCols(source.NumCols),
      TableWidth(source.TableWidth),
      SpecifiedWidth(source.SpecifiedWidth),
      CellPadding(source.CellPadding),
      CellSpacing(source.CellSpacing),
      BorderColor(source.BorderColor),
      BorderColorLight(source.BorderColorLight),
      BorderColorDark(source.BorderColorDark),
      BlockBorderTop(source.BlockBorderTop),
      BlockBorderBottom(source.BlockBorderBottom),
      colSpecsWithWeight_(source.colSpecsWithWeight_) {
  for (int r = 0; r < source.Rows.Count(); ++r) Rows.Add(new TCellList(document, *source.Rows.Items(r)));
  const size_t n = static_cast<size_t>(NumCols);
  Widths.assign(n, 0);
  MaxWidths.assign(n, 0);
  MinWidths.assign(n, 0);
  Percents.assign(n, 0);
  Multis.assign(n, 0);
  ColumnKinds.assign(n, wtNone);
  if (document && document->PrintTableBackground) {
    HasBackground = source.HasBackground;
    BackgroundColor = source.BackgroundColor;
  }
}

THtmlTable::~THtmlTable() {
  if (Document && Document->PrintedTable == this) Document->PrintedTable = nullptr;
  Rows.Clear();
}

std::unique_ptr<TSectionBase> THtmlTable::CreateCopy(ThtDocument* document) const {
  return std::make_unique<THtmlTable>(document, *this);
}

std::unique_ptr<TSectionBase> THtmlTable::TakeCopy(ThtDocument* document) {
  std::vector<std::unique_ptr<TCellList>> rows = Rows.TakeAll();
  auto copy = std::make_unique<THtmlTable>(document, *this);
  for (std::unique_ptr<TCellList>& row : rows) {
    copy->Rows.Add(row->TakeCopy(document).release());
    row.reset();
  }
  return copy;
}

void THtmlTable::AddColSpecs(int count, TWidthValue width, const String& align, uint8_t vAlign) {
  const int room = MaxColSpecs - static_cast<int>(ColSpecs.size());
  const int n = std::clamp(count, 0, room);
  for (int i = 0; i < n; ++i) ColSpecs.push_back(TColSpec{width, align, vAlign});
  if (width.Kind == wtRelative && width.Amount > 0) colSpecsWithWeight_ += n;
}

void THtmlTable::Initialize() {
  if (Initialized) return;
  const int n = Rows.Count();
  NumCols = 0;
  for (int r = 0; r < n; ++r) {
    TCellList& row = *Rows.Items(r);
    for (int i = row.Count() - 1; i >= 0; --i) {
      TCellObj* cell = row.CellAt(i);
      if (!cell) continue;
      if (row.HasRowColor && !cell->Cell->HasBackground) {
        cell->Cell->HasBackground = true;
        cell->Cell->CellBackground = row.RowColor;
      }
      cell->InitCell(CellPadding, row.RowBackground, row.RowBackgroundPos, BorderWidth > 0);
      if (HasBackground && !cell->Cell->HasBackground) {
        cell->Cell->HasBackground = true;
        cell->Cell->CellBackground = BackgroundColor;
      }
      cell->RowSpan = std::min(cell->RowSpan, n - r);
      for (int k = 1; k < cell->ColSpan; ++k) row.Insert(i + 1, new TDummyCellObj(std::max(1, cell->RowSpan)));
    }
    NumCols = std::max(NumCols, row.Count());
  }

  // Placeholders in the rows below a cell that spans rows. A row below that is already as
  // wide as the table grows too: its cells move right instead of lying over the spanning
  // cell, and the table gets wider.
  for (int c = 0; c < NumCols; ++c)
    for (int r = 0; r < n; ++r) {
      TCellList& row = *Rows.Items(r);
      if (c >= row.Count()) continue;
      const int span = std::min(row.Items(c)->RowSpan, n - r);
      for (int k = 1; k < span; ++k) {
        TCellList& below = *Rows.Items(r + k);
        if (below.Count() < c) below.Add(new TDummyCellObj(0));
        else below.Insert(c, new TDummyCellObj(0));
        NumCols = std::max(NumCols, below.Count());
      }
    }

  // Short rows whose last cell reaches their end are padded.
  for (int r = 0; r < n;) {
    TCellList& row = *Rows.Items(r);
    int step = 1;
    if (row.Count() < NumCols) {
      int last = row.Count() - 1;
      while (last >= 0 && row.Items(last)->ColSpan <= 0) --last;
      if (last >= 0) {
        TCellObjBase& cell = *row.Items(last);
        if (last + cell.ColSpan >= row.Count())
          while (row.Count() < NumCols) row.Add(new TDummyCellObj(1));
        step = std::max(1, cell.RowSpan);
      }
    }
    r += step;
  }

  for (int r = 0; r < n; ++r) {
    TCellList& row = *Rows.Items(r);
    for (int i = 0; i < row.Count(); ++i) {
      TCellObjBase& cell = *row.Items(i);
      if (cell.ColSpan > 0) cell.ColSpan = std::min(cell.ColSpan, NumCols - i);
      cell.RowSpan = std::min(cell.RowSpan, n - r);
    }
  }

  const size_t columnCount = static_cast<size_t>(NumCols);
  Widths.assign(columnCount, 0);
  MaxWidths.assign(columnCount, 0);
  MinWidths.assign(columnCount, 0);
  Percents.assign(columnCount, 0);
  Multis.assign(columnCount, 0);
  ColumnKinds.assign(columnCount, wtNone);
  Initialized = true;
}

void THtmlTable::MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth) {
  minWidth = maxWidth = 0;
  if (Display == DisplayNone) return;
  Initialize();
  ComputeColumnMinMax(canvas);
  minWidth = std::max(SpecifiedWidth, SumAll(MinWidths) + CellSpacing);
  maxWidth = std::max(SpecifiedWidth, SumAll(MaxWidths) + CellSpacing);
}
