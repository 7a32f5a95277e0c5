#include "html/foundation/symbols/SymbolTables.h"

#include <algorithm>
#include <array>

#include "platform/rtl/Unicode.h"

namespace {

constexpr TEntity kEntities[] = {
#include "html/foundation/symbols/tables/Entities.inc"
};

constexpr TResWord kTags[] = {
    {"HTML", 5, 7}, {"TITLE", 14, 15}, {"BODY", 93, 97}, {"HEAD", 6, 8}, {"B", 42, 53}, {"I", 43, 54},
    {"H1", 109, 115}, {"H2", 110, 116}, {"H3", 111, 117}, {"H4", 112, 118}, {"H5", 113, 119}, {"H6", 114, 120},
    {"EM", 63, 73}, {"STRONG", 64, 74}, {"U", 46, 57}, {"INS", 84, 88}, {"DEL", 83, 87}, {"CITE", 68, 78},
    {"VAR", 69, 79}, {"ABBR", 70, 80}, {"ACRONYM", 71, 81}, {"DFN", 72, 82}, {"TT", 51, 62}, {"CODE", 65, 75},
    {"KBD", 66, 76}, {"SAMP", 67, 77}, {"OL", 133, 141}, {"UL", 135, 143}, {"DIR", 136, 144}, {"MENU", 137, 145},
    {"DL", 138, 146}, {"A", 91, 92}, {"ADDRESS", 124, 130}, {"BLOCKQUOTE", 125, 131}, {"PRE", 126, 132},
    {"CENTER", 96, 100}, {"TABLE", 150, 151}, {"TD", 166, 168}, {"TH", 165, 167}, {"CAPTION", 155, 156},
    {"FORM", 169, 170}, {"TEXTAREA", 177, 182}, {"SELECT", 178, 183}, {"OPTION", 179, 184}, {"FONT", 41, 52},
    {"SUB", 47, 58}, {"SUP", 48, 59}, {"BIG", 49, 60}, {"SMALL", 50, 61}, {"P", 94, 98}, {"MAP", 29, 30},
    {"FRAMESET", 9, 10}, {"NOFRAMES", 12, 13}, {"SCRIPT", 21, 22}, {"DIV", 95, 99}, {"S", 44, 55},
    {"STRIKE", 45, 56}, {"TR", 163, 164}, {"NOBR", 37, 39}, {"STYLE", 19, 20}, {"SPAN", 36, 38},
    {"COLGROUP", 152, 153}, {"LABEL", 175, 176}, {"THEAD", 157, 160}, {"TBODY", 158, 161}, {"TFOOT", 159, 162},
    {"OBJECT", 33, 34}, {"DD", 139, 147}, {"DT", 140, 148}, {"LI", 134, 142}, {"FIELDSET", 171, 172},
    {"LEGEND", 173, 174}, {"BR", 26, 1}, {"HR", 25, 1}, {"IMG", 27, 1}, {"BASE", 16, 1}, {"BUTTON", 180, 1},
    {"INPUT", 181, 1}, {"BASEFONT", 23, 1}, {"AREA", 31, 1}, {"FRAME", 11, 1}, {"PAGE", 32, 1},
    {"BGSOUND", 24, 1}, {"META", 18, 1}, {"PANEL", 28, 1}, {"WBR", 40, 1}, {"LINK", 17, 1}, {"COL", 154, 1},
    {"PARAM", 35, 1}, {"HEADER", 122, 128}, {"SECTION", 102, 106}, {"NAV", 103, 107}, {"ARTICLE", 101, 105},
    {"ASIDE", 104, 108}, {"FOOTER", 123, 129}, {"HGROUP", 121, 127}, {"MARK", 85, 89}, {"TIME", 86, 90},
};

constexpr TSymbolRec kAttributes[] = {
    {"ACTION", 1}, {"ACTIVE", 2}, {"ALIGN", 3}, {"ALT", 4}, {"BACKGROUND", 5}, {"BGCOLOR", 6},
    {"BGPROPERTIES", 7}, {"BORDER", 8}, {"BORDERCOLOR", 9}, {"BORDERCOLORDARK", 10}, {"BORDERCOLORLIGHT", 11},
    {"CELLPADDING", 12}, {"CELLSPACING", 13}, {"CHARSET", 14}, {"CHECKBOX", 15}, {"CHECKED", 16}, {"CLASS", 17},
    {"CLEAR", 18}, {"COLOR", 19}, {"COLS", 20}, {"COLSPAN", 21}, {"CONTENT", 22}, {"COORDS", 23},
    {"DISABLED", 24}, {"ENCTYPE", 25}, {"FACE", 26}, {"FRAME", 27}, {"FRAMEBORDER", 28}, {"HEIGHT", 29},
    {"HREF", 30}, {"HSPACE", 31}, {"HTTP-EQUIV", 32}, {"ID", 33}, {"ISMAP", 34}, {"LABEL", 35}, {"LANGUAGE", 36},
    {"LEFTMARGIN", 37}, {"LINK", 38}, {"LOOP", 39}, {"MARGINHEIGHT", 40}, {"MARGINWIDTH", 41}, {"MAXLENGTH", 42},
    {"MEDIA", 43}, {"METHOD", 44}, {"MULTIPLE", 45}, {"NAME", 46}, {"NOHREF", 47}, {"NORESIZE", 48},
    {"NOSHADE", 49}, {"NOWRAP", 50}, {"OLINK", 51}, {"ONBLUR", 52}, {"ONCHANGE", 53}, {"ONCLICK", 54},
    {"ONFOCUS", 55}, {"PLAIN", 56}, {"RADIO", 57}, {"RATIO", 58}, {"READONLY", 59}, {"REL", 60}, {"REV", 61},
    {"ROWS", 62}, {"ROWSPAN", 63}, {"RULES", 64}, {"SCROLLING", 65}, {"SELECTED", 66}, {"SHAPE", 67},
    {"SIZE", 68}, {"SPAN", 69}, {"SRC", 70}, {"START", 71}, {"STYLE", 72}, {"TABINDEX", 73}, {"TARGET", 74},
    {"TEXT", 75}, {"TITLE", 76}, {"TOPMARGIN", 77}, {"TRANSP", 78}, {"TYPE", 79}, {"USEMAP", 80}, {"VALIGN", 81},
    {"VALUE", 82}, {"VLINK", 83}, {"VSPACE", 84}, {"WIDTH", 85}, {"WRAP", 86},
};

// For each tag symbol: the row of the tag that owns it, or null.
struct TagSymbols {
  std::array<const TResWord*, kTagSymbolCount> owner{};
  std::array<String, kTagSymbolCount> names;

  TagSymbols() {
    auto lower = [](const char* s) {
      String r;
      for (; *s; ++s) r += static_cast<Char>(*s >= 'A' && *s <= 'Z' ? *s - 'A' + 'a' : *s);
      return r;
    };
    for (const TResWord& tag : kTags) {
      owner[tag.StartSymbol] = &tag;
      names[tag.StartSymbol] = lower(tag.Name);
      if (tag.EndSymbol != kNoSymbol) {
        owner[tag.EndSymbol] = &tag;
        names[tag.EndSymbol] = lower(tag.Name);
      }
    }
  }
};

const TagSymbols& Symbols() {
  static const TagSymbols symbols;
  return symbols;
}

}  // namespace

std::span<const TEntity> EntityTable() { return kEntities; }
std::span<const TResWord> TagTable() { return kTags; }
std::span<const TSymbolRec> AttributeTable() { return kAttributes; }

template <class Row>
TSymbolNameList<Row>::TSymbolNameList(std::span<const Row> rows) {
  for (const Row& row : rows) entries_.emplace_back(S(row.Name), &row);
  // Stable, so that of two rows with one name (VALUE) the first is found.
  std::stable_sort(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

template <class Row>
const Row* TSymbolNameList<Row>::Find(const String& name) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), name,
                             [](const auto& entry, const String& n) { return entry.first < n; });
  return it != entries_.end() && it->first == name ? it->second : nullptr;
}

template class TSymbolNameList<TEntity>;
template class TSymbolNameList<TResWord>;
template class TSymbolNameList<TSymbolRec>;

const TSymbolNameList<TEntity>& EntityNameList() {
  static const TSymbolNameList<TEntity> list(EntityTable());
  return list;
}

const TSymbolNameList<TResWord>& TagNameList() {
  static const TSymbolNameList<TResWord> list(TagTable());
  return list;
}

const TSymbolNameList<TSymbolRec>& AttributeNameList() {
  static const TSymbolNameList<TSymbolRec> list(AttributeTable());
  return list;
}

uint8_t TagStartSymbol(uint8_t symbol) {
  if (symbol >= kTagSymbolCount || !Symbols().owner[symbol]) return kNoSymbol;
  return Symbols().owner[symbol]->StartSymbol;
}

uint8_t TagEndSymbol(uint8_t symbol) {
  if (symbol >= kTagSymbolCount || !Symbols().owner[symbol]) return kNoSymbol;
  return Symbols().owner[symbol]->EndSymbol;
}

String SymbolToTagName(uint8_t symbol) {
  if (symbol >= kTagSymbolCount) return String();
  return Symbols().names[symbol];
}
