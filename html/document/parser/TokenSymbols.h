// The token symbols of the HTML reader: the values that are not tags, the start and end
// symbols of the tags (the numbers of the tag table), and sets of symbols.
#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>

enum : uint8_t {
  OtherChar = 0,   // a single character no other rule took (text-area content)
  UnknownSy = 1,   // a tag not in the table, an end tag of a tag without one, a processing instruction
  TextSy = 2,
  EolSy = 3,       // a line end inside raw content
  EofSy = 4
};

// Tag symbols: each tag's start symbol and, when it has an end tag, its end symbol.
enum : uint8_t {
  HtmlSy = 5, HeadSy = 6, HtmlEndSy = 7, HeadEndSy = 8, FramesetSy = 9, FramesetEndSy = 10, FrameSy = 11,
  NoFramesSy = 12, NoFramesEndSy = 13, TitleSy = 14, TitleEndSy = 15, BaseSy = 16, LinkSy = 17, MetaSy = 18,
  StyleSy = 19, StyleEndSy = 20, ScriptSy = 21, ScriptEndSy = 22, BaseFontSy = 23, BgSoundSy = 24, HRSy = 25,
  BRSy = 26, ImageSy = 27, PanelSy = 28, MapSy = 29, MapEndSy = 30, AreaSy = 31, PageSy = 32, ObjectSy = 33,
  ObjectEndSy = 34, ParamSy = 35,
  // Inline elements (36 to 92).
  SpanSy = 36, NoBrSy = 37, SpanEndSy = 38, NoBrEndSy = 39, WbrSy = 40, FontSy = 41, BSy = 42, ISy = 43, SSy = 44,
  StrikeSy = 45, USy = 46, SubSy = 47, SupSy = 48, BigSy = 49, SmallSy = 50, TTSy = 51, FontEndSy = 52,
  BEndSy = 53, IEndSy = 54, SEndSy = 55, StrikeEndSy = 56, UEndSy = 57, SubEndSy = 58, SupEndSy = 59,
  BigEndSy = 60, SmallEndSy = 61, TTEndSy = 62, EmSy = 63, StrongSy = 64, CodeSy = 65, KbdSy = 66, SampSy = 67,
  CiteSy = 68, VarSy = 69, AbbrSy = 70, AcronymSy = 71, DfnSy = 72, EmEndSy = 73, StrongEndSy = 74,
  CodeEndSy = 75, KbdEndSy = 76, SampEndSy = 77, CiteEndSy = 78, VarEndSy = 79, AbbrEndSy = 80,
  AcronymEndSy = 81, DfnEndSy = 82, DelSy = 83, InsSy = 84, MarkSy = 85, TimeSy = 86, DelEndSy = 87,
  InsEndSy = 88, MarkEndSy = 89, TimeEndSy = 90, ASy = 91, AEndSy = 92,
  // Block containers.
  BodySy = 93, PSy = 94, DivSy = 95, CenterSy = 96, BodyEndSy = 97, PEndSy = 98, DivEndSy = 99,
  CenterEndSy = 100, ArticleSy = 101, SectionSy = 102, NavSy = 103, AsideSy = 104, ArticleEndSy = 105,
  SectionEndSy = 106, NavEndSy = 107, AsideEndSy = 108, H1Sy = 109, H2Sy = 110, H3Sy = 111, H4Sy = 112,
  H5Sy = 113, H6Sy = 114, H1EndSy = 115, H2EndSy = 116, H3EndSy = 117, H4EndSy = 118, H5EndSy = 119,
  H6EndSy = 120, HGroupSy = 121, HeaderSy = 122, FooterSy = 123, AddressSy = 124, BlockQuoteSy = 125,
  PreSy = 126, HGroupEndSy = 127, HeaderEndSy = 128, FooterEndSy = 129, AddressEndSy = 130,
  BlockQuoteEndSy = 131, PreEndSy = 132,
  // Lists.
  OLSy = 133, LISy = 134, ULSy = 135, DirSy = 136, MenuSy = 137, DLSy = 138, DDSy = 139, DTSy = 140,
  OLEndSy = 141, LIEndSy = 142, ULEndSy = 143, DirEndSy = 144, MenuEndSy = 145, DLEndSy = 146, DDEndSy = 147,
  DTEndSy = 148,
  NoListSy = 149,  // not a token: the list kind of an item outside any list
  // Tables.
  TableSy = 150, TableEndSy = 151, ColGroupSy = 152, ColGroupEndSy = 153, ColSy = 154, CaptionSy = 155,
  CaptionEndSy = 156, THeadSy = 157, TBodySy = 158, TFootSy = 159, THeadEndSy = 160, TBodyEndSy = 161,
  TFootEndSy = 162, TRSy = 163, TREndSy = 164, THSy = 165, TDSy = 166, THEndSy = 167, TDEndSy = 168,
  // Forms.
  FormSy = 169, FormEndSy = 170, FieldsetSy = 171, FieldsetEndSy = 172, LegendSy = 173, LegendEndSy = 174,
  LabelSy = 175, LabelEndSy = 176, TextAreaSy = 177, SelectSy = 178, OptionSy = 179, ButtonSy = 180,
  InputSy = 181, TextAreaEndSy = 182, SelectEndSy = 183, OptionEndSy = 184
};

// A set of symbols 0 to 191; a larger symbol never belongs to one.
class TSymbolSet {
 public:
  TSymbolSet() = default;
  TSymbolSet(std::initializer_list<uint8_t> symbols) {
    for (uint8_t s : symbols) Include(s);
  }
  void Include(uint8_t symbol) {
    if (symbol < Size) bits_.set(symbol);
  }
  bool Contains(uint8_t symbol) const { return symbol < Size && bits_.test(symbol); }
  friend TSymbolSet operator+(TSymbolSet a, const TSymbolSet& b) {
    a.bits_ |= b.bits_;
    return a;
  }

 private:
  static constexpr int Size = 192;
  std::bitset<Size> bits_;
};
