// Groups of tag symbols that the tree builder's handlers take or stop at.
#pragma once

#include "html/document/parser/TokenSymbols.h"

namespace symbol_groups {

// SPAN, NOBR, FONT, B, I, ..., A and their end tags.
inline TSymbolSet InlineTags() {
  TSymbolSet set;
  for (int s = SpanSy; s <= AEndSy; ++s) set.Include(static_cast<uint8_t>(s));
  return set;
}
inline const TSymbolSet FieldTags{LabelSy, LabelEndSy, TextAreaSy, SelectSy, InputSy, TextAreaEndSy};
inline const TSymbolSet DivLikeTags{DivSy, ArticleSy, NavSy, AsideSy, HGroupSy, HeaderSy, FooterSy};
inline const TSymbolSet ListTags{OLSy, ULSy, DirSy, MenuSy, DLSy};
inline const TSymbolSet ListEndTags{OLEndSy, ULEndSy, DirEndSy, MenuEndSy, DLEndSy};
inline const TSymbolSet Headings{H1Sy, H2Sy, H3Sy, H4Sy, H5Sy, H6Sy};
inline const TSymbolSet HeadingEnds{H1EndSy, H2EndSy, H3EndSy, H4EndSy, H5EndSy, H6EndSy};
// Leaf and inline content that DoCommon handles wherever inline content may stand.
inline const TSymbolSet LeafTags{ScriptSy, BaseFontSy, BRSy, ImageSy, PanelSy, MapSy, PageSy, ObjectSy, ObjectEndSy};

}  // namespace symbol_groups
