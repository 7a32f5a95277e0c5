// The table handler of the tree builder: TABLE with its caption, COL and COLGROUP settings,
// row groups, rows and cells becomes a table in its table block (wrapped with the caption
// when there is one); the content of each cell is read by the ordinary content loop.
#include <algorithm>
#include <memory>
#include <vector>

#include "html/document/blocks/Block.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/document/parser/TableElements.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/document/tables/HtmlTable.h"
#include "html/document/tables/TableBlock.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "platform/rtl/StrUtils.h"

namespace {

// Tables nested deeper than this are read as part of the table around them.
constexpr int MaxTableDepth = 51;

enum : uint8_t { NoWrapAttrSy = 50, SpanAttrSy = 69, ValignAttrSy = 81 };

// The symbols that end a cell's content (and a caption's).
const TSymbolSet& CellSet() {
  static const TSymbolSet set{TableEndSy, ColGroupSy, ColSy,     CaptionSy,  CaptionEndSy, THeadSy,
                              TBodySy,    TFootSy,    THeadEndSy, TBodyEndSy, TFootEndSy,   TRSy,
                              TREndSy,    THSy,       TDSy,       THEndSy,    TDEndSy};
  return set;
}

// ALIGN and VALIGN words of COL and COLGROUP settings: 1 top, 2 middle, 3 baseline, 4 bottom,
// 5 left, 6 right, 7 justify, 0 anything else.
int AlignClass(const String& value) {
  const String v = LowerCase(value);
  if (v == u"top") return 1;
  if (v == u"middle" || v == u"absmiddle" || v == u"center") return 2;
  if (v == u"left") return 5;
  if (v == u"right") return 6;
  if (v == u"bottom") return 4;
  if (v == u"baseline") return 3;
  if (v == u"justify") return 7;
  return 0;
}

// VALIGN of a row or cell: "top" and "baseline" 1, "middle" 2, "bottom" 4, else the default.
uint8_t VerticalAlignOf(const TAttributeList& attributes, uint8_t fallback) {
  TAttribute* attribute = nullptr;
  if (!attributes.FindSymbol(ValignAttrSy, attribute)) return fallback;
  const String v = LowerCase(attribute->ValueText);
  if (v == u"top" || v == u"baseline") return 1;
  if (v == u"middle") return 2;
  if (v == u"bottom") return 4;
  return fallback;
}

// The width, span and alignments a COLGROUP or COL gives its columns.
struct TColumnValues {
  TWidthValue Width;
  String Align;
  uint8_t VAlign = 0;
  int Span = 1;

  void Read(const TAttributeList& attributes) {
    for (int i = 0; i < attributes.Count(); ++i) {
      const TAttribute& a = *attributes.AttributeAt(i);
      switch (a.Symbol) {
        case AlignAttrSy: {
          const int c = AlignClass(a.ValueText);
          if (c == 2 || c == 5 || c == 6 || c == 7) Align = LowerCase(a.ValueText);
          break;
        }
        case SpanAttrSy: Span = a.IntValue > 0 ? a.IntValue : 1; break;
        case ValignAttrSy: {
          const int c = AlignClass(a.ValueText);
          if (c >= 1 && c <= 4) VAlign = static_cast<uint8_t>(c);
          break;
        }
        case WidthAttrSy:
          if (a.ValueText.find(u'%') != String::npos)
            Width = MakeWidthValue(std::clamp(a.IntValue, 0, 100) * 10, wtPercent);
          else if (a.ValueText.find(u'*') != String::npos)
            Width = MakeWidthValue(std::max(0, a.IntValue), wtRelative);
          else
            Width = MakeWidthValue(std::max(0, a.IntValue), wtAbsolute);
          break;
        default: break;
      }
    }
  }
};

// One TABLE element being read: the state of its handler.
class TTableReader {
 public:
  explicit TTableReader(THtmlParser& parser) : p_(parser) {}
  void Read();

 private:
  void Begin();
  void Loop();
  void End(bool withFootRows);
  void DoColumns();
  void DoCaption();
  void DoRowGroup();
  void DoRow();
  void DoCell();
  void DoStray();
  void CloseCell();
  void CloseRow();
  // The mark of the set on top: its serial number, 0 for none (no set was pushed).
  static int32_t MarkOf(const TProperties* props) { return props ? props->SerialNumber : 0; }
  int32_t TopMark() const { return MarkOf(&p_.Top()); }
  // Pops the sets above the marked one (nothing when the mark is 0 or its set is gone). A
  // mark names a set, not a level: a link ended inside the table (EndLink) deletes its set
  // wherever it lies, also below the table, and every level above it moves down by one.
  void PopAbove(int32_t mark) {
    if (mark == 0) return;
    bool found = false;
    for (int i = p_.Level(); i >= 0 && !found; --i) found = p_.PropStack->PropsAt(i)->SerialNumber == mark;
    if (!found) return;
    while (p_.PropStack->TopProps()->SerialNumber != mark) p_.PopProps();
  }

  THtmlParser& p_;
  TCellBasic* outerCell_ = nullptr;
  THtmlTable* table_ = nullptr;
  std::unique_ptr<TTableBlock> tableBlock_;
  std::unique_ptr<TTableAndCaptionBlock> wrapper_;
  std::unique_ptr<TBlock> captionBlock_;
  bool captionOnTop_ = true;
  std::unique_ptr<TCellManager> manager_;
  bool columnsAllowed_ = true;
  std::unique_ptr<TCellList> row_;
  std::unique_ptr<TCellObj> cell_;
  uint8_t rowKind_ = 1;
  int rowDisplay_ = DisplayUnset;
  uint8_t rowVAlign_ = 2;
  int32_t rowBase_ = 0;    // the set below the row's
  int32_t rowSet_ = 0;     // the row's own set
  int32_t groupBase_ = 0;  // the set below the row group's; 0 before the first group
  std::vector<std::unique_ptr<TCellList>> footRows_;
  bool savedNoBreak_ = false;
  int savedListLevel_ = 0;
};

void TTableReader::Read() {
  Begin();
  try {
    Loop();
  } catch (...) {
    // The table built so far still joins the document, the parser's state is restored; the
    // failure goes on to the caller.
    End(false);
    throw;
  }
  End(true);
}

void TTableReader::Begin() {
  ++p_.TableDepth;
  p_.EndLink();
  p_.CloseSection();
  p_.Section.reset();
  outerCell_ = p_.SectionList;
  savedNoBreak_ = p_.NoBreak;
  savedListLevel_ = p_.ListLevel;
  p_.SectionList = nullptr;
  const String inherited = p_.Top()[TextAlign].TextOrEmpty();
  const uint8_t align = inherited == u"center" ? 2 : inherited == u"right" ? 3 : 0;

  p_.PushProps(TableSy);
  TProperties& props = p_.Top();
  auto table = std::make_unique<THtmlTable>(p_.Document, props, &p_.Attributes);
  table_ = table.get();
  tableBlock_ = std::make_unique<TTableBlock>(p_.Document, &p_.Attributes, std::move(table), outerCell_, props);
  if (tableBlock_->TableAlign != 2 && !tableBlock_->Floats()) tableBlock_->TableAlign = align;
  wrapper_ = std::make_unique<TTableAndCaptionBlock>(p_.Document, tableBlock_.get(), &p_.Attributes, outerCell_, props);
  rowBase_ = TopMark();
  p_.Next();
}

void TTableReader::Loop() {
  for (;;) {
    switch (p_.Symbol) {
      case EofSy:
      case TableEndSy:
      case CaptionEndSy: return;
      case ColGroupSy:
      case ColSy:
        DoColumns();
        if (!manager_ && !table_->ColSpecs.empty()) manager_ = std::make_unique<TCellManager>(table_);
        break;
      case CaptionSy: DoCaption(); break;
      case THeadSy:
      case TBodySy:
      case TFootSy:
      case THeadEndSy:
      case TBodyEndSy:
      case TFootEndSy: DoRowGroup(); break;
      case TRSy: DoRow(); break;
      case TREndSy:
        CloseRow();
        p_.Next();
        break;
      case THSy:
      case TDSy: DoCell(); break;
      case THEndSy:
      case TDEndSy:
        CloseCell();
        p_.Next();
        break;
      case UnknownSy: p_.Next(); break;
      case TextSy:
        if (p_.Token && p_.Token->GetText() == u" ") {
          p_.Next();
          break;
        }
        DoStray();
        break;
      default: DoStray(); break;
    }
  }
}

void TTableReader::DoColumns() {
  TColumnValues group;
  bool hadCol = false;
  if (p_.Symbol == ColGroupSy) {
    if (columnsAllowed_) group.Read(p_.Attributes);
    p_.SkipBlanks();
    p_.Next();
  }
  while (p_.Symbol == ColSy) {
    hadCol = true;
    if (columnsAllowed_) {
      TColumnValues column = group;
      column.Span = 1;
      column.Read(p_.Attributes);
      table_->AddColSpecs(column.Span, column.Width, column.Align, column.VAlign);
    }
    p_.SkipBlanks();
    p_.Next();
  }
  // A COLGROUP without COL stands for Span columns of its own.
  if (!hadCol && columnsAllowed_) table_->AddColSpecs(group.Span, group.Width, group.Align, group.VAlign);
  if (p_.Symbol == ColGroupEndSy) p_.Next();
}

void TTableReader::DoCaption() {
  p_.EndLink();
  p_.SetNoBreak(false);
  CloseCell();
  TAttribute* align = nullptr;
  if (p_.Attributes.FindSymbol(AlignAttrSy, align)) captionOnTop_ = LowerCase(align->ValueText) != u"bottom";
  p_.PushProps(CaptionSy);
  if (!captionBlock_) captionBlock_ = std::make_unique<TBlock>(p_.Document, &p_.Attributes, outerCell_, p_.Top());
  p_.SectionList = captionBlock_->ContentCell.get();
  p_.Next();
  p_.DoBody(CellSet());
  p_.CloseSection();
  p_.Section.reset();
  p_.PopPropsTo(CaptionSy);
  p_.SectionList = nullptr;
  if (p_.Symbol == CaptionEndSy) p_.Next();
}

void TTableReader::DoRowGroup() {
  CloseRow();
  PopAbove(groupBase_);
  groupBase_ = TopMark();
  switch (p_.Symbol) {
    case THeadSy:
      if (table_->Rows.Count() > 0) {
        rowKind_ = 1;
      } else {
        rowKind_ = 0;
        p_.PushProps(THeadSy);
      }
      break;
    case TBodySy:
      rowKind_ = 1;
      p_.PushProps(TBodySy);
      break;
    case TFootSy:
      rowKind_ = 2;
      p_.PushProps(TFootSy);
      break;
    default: rowKind_ = 1; break;
  }
  p_.Next();
}

void TTableReader::DoRow() {
  CloseRow();
  rowBase_ = TopMark();
  rowSet_ = MarkOf(p_.PushProps(TRSy));
  rowDisplay_ = p_.Top().ReadDisplayKind();
  p_.ApplyAlign(&p_.Top(), p_.Attributes);
  row_ = std::make_unique<TCellList>(&p_.Attributes, &p_.Top());
  rowVAlign_ = VerticalAlignOf(p_.Attributes, 2);
  p_.Next();
}

void TTableReader::DoCell() {
  columnsAllowed_ = false;
  p_.EndLink();
  p_.ListLevel = 0;
  if (row_) {
    CloseCell();
    PopAbove(rowSet_);
  } else {
    rowVAlign_ = 2;
    rowBase_ = TopMark();
    TAttributeList none;
    rowSet_ = MarkOf(p_.PushProps(TRSy, none));
    rowDisplay_ = p_.Top().ReadDisplayKind();
    row_ = std::make_unique<TCellList>(nullptr, &p_.Top());
  }
  const uint8_t symbol = p_.Symbol;
  p_.PushProps(symbol);
  TProperties& props = p_.Top();
  uint8_t vAlign = VerticalAlignOf(p_.Attributes, rowVAlign_);
  if (manager_) {
    const int column = manager_->FindColNum(table_->Rows.Count());
    if (column >= 0 && column < static_cast<int>(table_->ColSpecs.size())) {
      const TColSpec& spec = table_->ColSpecs[static_cast<size_t>(column)];
      if (!spec.ColAlign.empty()) props.SetOwnValue(spec.ColAlign, TextAlign);
      if (spec.ColVAlign != 0) vAlign = spec.ColVAlign;
    }
  }
  p_.ApplyAlign(&props, p_.Attributes);
  if (props[TextAlign].TextOrEmpty() == u"none" || props[TextAlign].IsEmpty())
    props.SetOwnValue(String(symbol == THSy ? u"center" : u"left"), TextAlign);

  switch (table_->Rules) {
    case RulesRows:
      props.FillSetIfUnset({BorderTopStyle, BorderBottomStyle}, int32_t{bssSolid});
      props.FillSetIfUnset({BorderLeftStyle, BorderRightStyle}, int32_t{bssNone});
      break;
    case RulesCols:
      props.FillSetIfUnset({BorderLeftStyle, BorderRightStyle}, int32_t{bssSolid});
      props.FillSetIfUnset({BorderTopStyle, BorderBottomStyle}, int32_t{bssNone});
      break;
    case RulesAll:
      for (TStylePropIndex side : {BorderBottomStyle, BorderRightStyle, BorderTopStyle, BorderLeftStyle}) {
        const TPropValue& own = tableBlock_->BoxValues[BoxEntry(side)];
        const int style = own.IsInt() ? own.AsInt() : bssNone;
        const int mirrored = style == bssOutset ? bssInset : style == bssInset ? bssOutset : style == bssNone ? bssInset
                                                                                                            : style;
        props.FillIfUnset(side, int32_t{mirrored});
      }
      break;
    default: break;
  }
  props.FillSetIfUnset({BorderTopWidth, BorderRightWidth, BorderBottomWidth, BorderLeftWidth},
                       int32_t{table_->BorderWidth > 0 ? 1 : 3});
  props.FillSetIfUnset({BorderTopColor, BorderRightColor, BorderBottomColor, BorderLeftColor},
                       int32_t{ResolveColor(table_->BorderColor)});

  cell_ = std::make_unique<TCellObj>(p_.Document, props, &p_.Attributes, vAlign);
  p_.SectionList = cell_->Cell.get();
  TAttribute* noWrap = nullptr;
  if (cell_->SpecWidth.Kind == wtAbsolute && cell_->SpecWidth.Amount != 0)
    p_.SetNoBreak(false);
  else if (p_.Attributes.FindSymbol(NoWrapAttrSy, noWrap))
    p_.SetNoBreak(true);
  else
    p_.SetNoBreak(props[WhiteSpace].TextOrEmpty() == u"nowrap");
  p_.SkipBlanks();
  p_.Next();
  p_.DoBody(CellSet());
}

void TTableReader::DoStray() {
  // Content between the table's elements goes before the table, into the enclosing cell.
  TCellBasic* const saved = p_.SectionList;
  const uint8_t symbol = p_.Symbol;
  const int position = p_.PropStack->SourcePosition;
  p_.SectionList = outerCell_;
  p_.DoBody(CellSet());
  p_.CloseSection();
  p_.Section.reset();
  p_.SectionList = saved;
  // A token the content loop leaves alone is dropped, so that the table goes on.
  if (p_.Symbol == symbol && p_.PropStack->SourcePosition == position) p_.Next();
}

void TTableReader::CloseCell() {
  if (!p_.SectionList) return;
  p_.CloseSection();
  p_.Section.reset();
  if (cell_ && row_ && p_.SectionList == cell_->Cell.get()) {
    p_.SectionList->DropLastDefaultBottomMargin();
    if (manager_) manager_->AddCell(table_->Rows.Count(), *cell_);
    row_->AddCell(cell_.release());
  }
  cell_.reset();
  p_.SectionList = nullptr;
}

void TTableReader::CloseRow() {
  p_.EndLink();
  if (!row_) return;
  CloseCell();
  if (rowDisplay_ == DisplayNone) {
    row_.reset();  // its cells go with it, and everything in them leaves the document's lists
  } else {
    row_->RowKind = rowKind_;
    if (rowKind_ == 2) footRows_.push_back(std::move(row_));
    else table_->Rows.Add(row_.release());
  }
  row_.reset();
  PopAbove(rowBase_);
}

void TTableReader::End(bool withFootRows) {
  if (withFootRows) {
    p_.EndLink();
    CloseCell();
    CloseRow();
    PopAbove(groupBase_);
    for (auto& row : footRows_) table_->Rows.Add(row.release());
  }
  footRows_.clear();
  cell_.reset();
  row_.reset();
  p_.Section.reset();
  p_.SectionList = outerCell_;
  if (captionBlock_) {
    wrapper_->TableIndex = captionOnTop_ ? 1 : 0;
    wrapper_->SetCaptionBlock(captionBlock_.get());
    TTableBlock* tableBlock = tableBlock_.get();
    if (captionOnTop_) {
      wrapper_->ContentCell->AddSection(std::move(captionBlock_), p_.TagPosition);
      wrapper_->ContentCell->AddSection(std::move(tableBlock_), p_.TagPosition);
    } else {
      wrapper_->ContentCell->AddSection(std::move(tableBlock_), p_.TagPosition);
      wrapper_->ContentCell->AddSection(std::move(captionBlock_), p_.TagPosition);
    }
    tableBlock->OwnerCell = wrapper_->ContentCell.get();
    if (outerCell_) outerCell_->AddSection(std::move(wrapper_), p_.TagPosition);
  } else {
    wrapper_->RegisterId();
    wrapper_.reset();
    if (outerCell_) outerCell_->AddSection(std::move(tableBlock_), p_.TagPosition);
  }
  p_.PopPropsTo(TableSy);
  p_.SetNoBreak(savedNoBreak_);
  p_.ListLevel = savedListLevel_;
  manager_.reset();
  if (withFootRows) p_.Next();
  --p_.TableDepth;
}

}  // namespace

void THtmlParser::DoTable() {
  if (TableDepth >= MaxTableDepth) {
    Next();
    return;
  }
  TTableReader(*this).Read();
}
