// Tables built in code as the parser builds them: a table in its table block, rows, and
// cells whose content is a section of fixed height and fixed minimum and maximum width.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "html/document/tables/HtmlTable.h"
#include "html/document/tables/TableBlock.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/symbols/SymbolTables.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/document/blocks/BlockFixture.h"

using TAttrPairs = std::vector<std::pair<std::string, String>>;

// The attributes as the reader makes them: the symbol of the upper-cased name, the leading
// number of the value, the value text.
inline std::unique_ptr<TAttributeList> MakeAttributes(const TAttrPairs& pairs) {
  auto list = std::make_unique<TAttributeList>();
  for (const auto& [name, value] : pairs) {
    const TSymbolRec* row = AttributeNameList().Find(Utf8ToString(name));
    if (!row) throw std::invalid_argument("unknown attribute " + name);
    double number = 0;
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && value[i] == u'-') negative = true, ++i;
    while (i < value.size() && value[i] >= u'0' && value[i] <= u'9') number = number * 10 + (value[i++] - u'0');
    list->Add(new TAttribute(row->Symbol, negative ? -number : number, Utf8ToString(name), value, 1252));
  }
  return list;
}

// What a cell holds: a section of this height and these widths.
struct TCellContent {
  int MinWidth = 0, MaxWidth = 0, Height = 10;
};

struct TableFixture : BlockFixture {
  std::vector<std::unique_ptr<TAttributeList>> keptAttributes;

  TAttributeList* Attributes(const TAttrPairs& pairs) {
    if (pairs.empty()) return nullptr;
    keptAttributes.push_back(MakeAttributes(pairs));
    return keptAttributes.back().get();
  }

  // A table block with an empty table at the end of the cell.
  TTableBlock& AddTable(TCellBasic& cell, const TAttrPairs& attributes = {}, const String& style = u"") {
    TAttributeList* list = Attributes(attributes);
    TProperties& props = Push(u"table", style);
    auto table = std::make_unique<THtmlTable>(&document, props, list);
    auto block = std::make_unique<TTableBlock>(&document, list, std::move(table), &cell, props);
    TTableBlock& result = *block;
    cell.AddSection(std::move(block), 0);
    Pop();
    return result;
  }

  TCellList& AddRow(THtmlTable& table, const TAttrPairs& attributes = {}, uint8_t kind = 1) {
    auto row = std::make_unique<TCellList>(Attributes(attributes), nullptr);
    row->RowKind = kind;
    TCellList& result = *row;
    table.Rows.Add(row.release());
    return result;
  }

  TCellObj& AddCell(TCellList& row, TCellContent content = {}, const TAttrPairs& attributes = {},
                    const String& style = u"", const char16_t* tag = u"td") {
    TProperties& props = Push(tag, style);
    auto cell = std::make_unique<TCellObj>(&document, props, Attributes(attributes), 2);
    if (content.Height > 0 || content.MaxWidth > 0) {
      auto section = std::make_unique<TFixedSection>(&document, content.Height);
      section->MinWidth = content.MinWidth;
      section->MaxWidth = content.MaxWidth;
      cell->Cell->AddSection(std::move(section), 0);
    }
    TCellObj& result = *cell;
    row.AddCell(cell.release());
    Pop();
    return result;
  }

  // The content section of a cell made by AddCell.
  static TFixedSection& Content(TCellObj& cell) { return static_cast<TFixedSection&>(*cell.Cell->Items(0)); }
};
