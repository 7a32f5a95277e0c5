#include <gtest/gtest.h>

#include <utility>

#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/FreeList.h"
#include "html/foundation/shared/IdObjects.h"
#include "html/foundation/shared/ImageMaps.h"
#include "html/foundation/shared/SelectionSinks.h"
#include "html/foundation/shared/TextTokens.h"
#include "html/foundation/shared/UrlTarget.h"
#include "html/foundation/shared/WidthValue.h"
#include "html/foundation/symbols/SymbolTables.h"
#include "platform/rtl/Unicode.h"

namespace {
TAttribute* Attr(uint8_t symbol, const char16_t* value, double number = 0) {
  return new TAttribute(symbol, number, u"X", value, 1252);
}

TEST(Attributes, SymbolsAgreeWithTheAttributeTable) {
  struct {
    const char16_t* Name;
    uint8_t Symbol;
  } cases[] = {{u"CLASS", ClassAttrSy}, {u"COORDS", CoordsAttrSy}, {u"HREF", HrefAttrSy},
               {u"ID", IdAttrSy},       {u"NOHREF", NoHrefAttrSy}, {u"SHAPE", ShapeAttrSy},
               {u"STYLE", StyleAttrSy}, {u"TARGET", TargetAttrSy}, {u"TITLE", TitleAttrSy},
               {u"ACTIVE", ActiveAttrSy}, {u"ALIGN", AlignAttrSy}, {u"ALT", AltAttrSy},
               {u"BORDER", BorderAttrSy}, {u"HEIGHT", HeightAttrSy}, {u"HSPACE", HSpaceAttrSy},
               {u"ISMAP", IsMapAttrSy}, {u"NAME", NameAttrSy}, {u"SRC", SrcAttrSy},
               {u"TABINDEX", TabIndexAttrSy}, {u"TRANSP", TranspAttrSy}, {u"TYPE", TypeAttrSy},
               {u"USEMAP", UseMapAttrSy}, {u"VSPACE", VSpaceAttrSy}, {u"WIDTH", WidthAttrSy}};
  for (const auto& c : cases) {
    const TSymbolRec* row = AttributeNameList().Find(c.Name);
    ASSERT_NE(row, nullptr) << StringToUtf8(c.Name);
    EXPECT_EQ(row->Symbol, c.Symbol) << StringToUtf8(c.Name);
  }
}

TEST(Attributes, Accessors) {
  TAttributeList list;
  list.Add(Attr(ClassAttrSy, u"  B a  b "));
  list.Add(Attr(IdAttrSy, u"Top"));
  list.Add(Attr(StyleAttrSy, u"color: red"));
  list.Add(new TAttribute(TitleAttrSy, -2.7, u"title", u"Hint", 1252));
  EXPECT_EQ(list.GetClassNames(), u"a.b");
  EXPECT_EQ(list.GetIdentifier(), u"top");
  list.AttributeAt(1)->ValueText = u"Other";
  EXPECT_EQ(list.GetIdentifier(), u"top");  // remembered
  EXPECT_EQ(list.GetTitleText(), u"Hint");
  EXPECT_EQ(list.AttributeAt(3)->IntValue, -2);
  TProperties* style = list.GetStyleProperties();
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->Values[Color].AsInt(), 0xff);

  auto copy = TAttributeList::CreateFrom(list);
  ASSERT_EQ(copy->Count(), 4);
  EXPECT_NE(copy->AttributeAt(0), list.AttributeAt(0));
  EXPECT_EQ(copy->AttributeAt(0)->ValueText, list.AttributeAt(0)->ValueText);
  const std::vector<String> lines = copy->ToNameValueList();
  EXPECT_EQ(lines[3], u"title=Hint");

  list.Clear();
  EXPECT_EQ(list.GetIdentifier(), u"");
  EXPECT_EQ(list.GetClassNames(), u"");
  EXPECT_EQ(list.GetStyleProperties(), nullptr);
  TAttributeList single;
  single.Add(Attr(ClassAttrSy, u"x x"));
  EXPECT_EQ(single.GetClassNames(), u"x");
}

TEST(Attributes, ClassNamesSortedWithoutDuplicates) {
  struct {
    const char16_t* Value;
    const char16_t* Expected;
  } cases[] = {
      {u"", u""},
      {u" \t\r\n ", u""},
      {u"Warn", u"warn"},
      {u"  Warn\t", u"warn"},
      {u"b a", u"a.b"},
      {u"B   A\t", u"a.b"},
      {u"x x", u"x"},
      {u"c c c c c", u"c"},
      {u"z y x y z", u"x.y.z"},
      {u"a \tb", u"a.b"},                // tabs and line ends after a blank belong to it
      {u"a \r\n\r\n b", u"a.b"},
      {u"a\tb", u"a\tb"},                // without a blank the value is one name, as it stands
      {u"one two-3 _x", u"_x.one.two-3"},
  };
  for (const auto& c : cases) {
    TAttributeList list;
    list.Add(Attr(ClassAttrSy, c.Value));
    EXPECT_EQ(list.GetClassNames(), c.Expected) << StringToUtf8(c.Value);
  }
}

TEST(Attributes, ClassNamesOfAMillionNames) {
  // Each name used to cost a copy of the rest of the value: hours for a value this long.
  String value;
  for (int i = 0; i < 1000000; ++i) value += i % 2 ? u"\tC " : u"c ";
  TAttributeList list;
  list.Add(Attr(ClassAttrSy, value.c_str()));
  EXPECT_EQ(list.GetClassNames(), u"c");
}

TEST(WidthValue, ByText) {
  struct {
    int Amount;
    const char16_t* Text;
    int ExpectedAmount;
    TWidthType Kind;
  } cases[] = {{150, u"150%", 1000, wtPercent}, {50, u"50%", 500, wtPercent}, {40, u"40", 40, wtAbsolute},
               {2, u"2*", 2, wtRelative}};
  for (const auto& c : cases) {
    const TWidthValue w = ParseWidthValue(c.Amount, c.Text);
    EXPECT_EQ(w.Amount, c.ExpectedAmount);
    EXPECT_EQ(w.Kind, c.Kind);
  }
}

TEST(UrlTarget, SerialsAndEndPositions) {
  TAttributeList attrs;
  attrs.Add(new TAttribute(HrefAttrSy, 0, u"href", u"a.html", 1252));
  TUrlTarget first, second;
  first.StartLink(u"a.html", u"_top", attrs, 5);
  second.StartLink(u"b.html", u"", attrs, 9);
  EXPECT_EQ(second.Serial, first.Serial + 1);
  EXPECT_EQ(first.AttrText, u"href=a.html\r\n");

  // Font runs: one of the first link, then three of the second.
  std::vector<TUrlTarget> targets(4);
  targets[0].CopyFrom(first);
  for (int i = 1; i < 4; ++i) targets[static_cast<size_t>(i)].CopyFrom(second);
  std::vector<std::unique_ptr<TFontObjBase>> runs;
  std::vector<TFontObjBase*> links;
  for (auto& t : targets) {
    runs.push_back(std::make_unique<TFontObjBase>());
    runs.back()->LinkTarget = &t;
    links.push_back(runs.back().get());
  }
  second.SetEndPosition(links, 42);
  EXPECT_EQ(second.EndPos, 42);
  EXPECT_EQ(targets[3].EndPos, 42);
  EXPECT_EQ(targets[1].EndPos, 42);
  EXPECT_EQ(targets[0].EndPos, -1);
  second.Reset();
  EXPECT_EQ(second.StartPos, -1);
  EXPECT_EQ(second.LinkUrl, u"");
}

// A text of millions of characters is held once: an empty token takes over the collector's
// room instead of copying it, and gives it back when reset (the parser keeps its token until
// the whole document is read).
TEST(TextTokens, ALongTextIsHeldOnce) {
  TCharCollection c;
  c.AddText(String(100000, u'x'), 3);
  const Char* room = c.Chars.data();
  TokenObj t;
  t.AppendCollection(std::move(c));
  EXPECT_EQ(t.Count, 100000);
  EXPECT_EQ(t.Chars.data(), room);
  EXPECT_EQ(t.Positions[100000], 3);
  EXPECT_EQ(c.Count, 0);
  EXPECT_EQ(t.GetText().size(), 100000u);
  t.Reset();
  EXPECT_EQ(t.GetCapacity(), 300);
  EXPECT_LT(t.CachedText.capacity(), 300u);
}

TEST(TextTokens, GrowAndKeepPositions) {
  TCharCollection c;
  for (int i = 0; i < 320; ++i) c.AddChar(static_cast<Char>(u'a' + i % 26), i);
  c.AddText(String(400, u'x'), 7);
  EXPECT_EQ(c.Count, 720);
  EXPECT_GE(c.GetCapacity(), 720);
  EXPECT_EQ(c.Positions[320], 319);
  EXPECT_EQ(c.Positions[720], 7);
  TokenObj t;
  t.AppendChar(u'<', 1);
  t.AppendCollection(c);
  EXPECT_EQ(t.Count, 721);
  EXPECT_EQ(t.GetText().size(), 721u);
  EXPECT_EQ(t.GetText().substr(0, 3), u"<ab");
  EXPECT_EQ(t.Positions[2], 0);
  t.SetCapacity(2);
  EXPECT_EQ(t.Count, 2);
  EXPECT_EQ(t.GetText(), u"<a");
  t.Reset();
  EXPECT_EQ(t.GetText(), u"");
  EXPECT_EQ(t.GetCapacity(), 2);
}

TEST(SelectionSinks, CountAndCopy) {
  const String text = u"ab\x02" u"c\x04" u"d\x08" u"ef";
  SelTextCount count;
  count.AddCharsLine(text.data(), static_cast<int>(text.size()));
  EXPECT_EQ(count.Finish(), 9);  // a b c d 8 e f CR LF
  Char small[4] = {u'?', u'?', u'?', u'?'};
  SelTextBuf buf(small, 4);
  buf.AddChars(u"abcdef", 6);
  EXPECT_EQ(buf.Finish(), 4);
  EXPECT_EQ(String(small), u"abc");
  Char big[32];
  SelTextBuf all(big, 32);
  all.AddCharsLine(text.data(), static_cast<int>(text.size()));
  EXPECT_EQ(all.Finish(), 9);
  EXPECT_EQ(String(big), u"abcdef\r\n");
  // A buffer without room is never written.
  SelTextBuf none(nullptr, 0);
  none.AddChars(u"abc", 3);
  EXPECT_EQ(none.Finish(), 1);
}

TEST(ImageMaps, Areas) {
  TMapItem map;
  struct AreaTag {
    const char16_t* Shape;
    const char16_t* Coords;
    const char16_t* Href;
  };
  const AreaTag tags[] = {
      {u"CIRCLE", u"10, 10, 5", u"c.html"},
      {u"poly", u"1,2,3,4", u"p.html"},          // too few numbers: dropped
      {u"rect", u"20 20,30 ,, 30", nullptr},     // NOHREF
      {u"polygon", u"40,40 60,40 50,60", u"t.html"},
  };
  for (const AreaTag& tag : tags) {
    TAttributeList attrs;
    attrs.Add(new TAttribute(ShapeAttrSy, 0, u"shape", tag.Shape, 1252));
    attrs.Add(new TAttribute(CoordsAttrSy, 0, u"coords", tag.Coords, 1252));
    if (tag.Href) attrs.Add(new TAttribute(HrefAttrSy, 0, u"href", tag.Href, 1252));
    else attrs.Add(new TAttribute(NoHrefAttrSy, 0, u"nohref", u"", 1252));
    attrs.Add(new TAttribute(TitleAttrSy, 0, u"title", u"tip", 1252));
    map.AddAreaFromTag(attrs);
  }
  ASSERT_EQ(map.AreaList.size(), 3u);
  const TRect box = map.AreaList[0]->Rgn.Box();
  EXPECT_EQ(box.Left, 5);
  EXPECT_EQ(box.Top, 5);
  EXPECT_EQ(box.Right, 16);
  EXPECT_EQ(box.Bottom, 16);
  std::unique_ptr<TUrlTarget> target;
  String title;
  EXPECT_TRUE(map.HitTest(10, 10, target, title));
  EXPECT_EQ(target->LinkUrl, u"c.html");
  EXPECT_EQ(title, u"tip");
  EXPECT_FALSE(map.HitTest(25, 25, target, title));  // NOHREF area
  EXPECT_EQ(target, nullptr);
  EXPECT_TRUE(map.HitTest(50, 45, target, title));
  EXPECT_EQ(target->LinkUrl, u"t.html");
  EXPECT_FALSE(map.HitTest(200, 200, target, title));
}

TEST(ImageMaps, CoordTokens) {
  String s = u"1, 2 3,,4";
  std::vector<String> tokens;
  for (String t; !(t = TakeCoordToken(s)).empty();) tokens.push_back(t);
  EXPECT_EQ(tokens, (std::vector<String>{u"1", u"2", u"3", u"4"}));
}

struct Counted : TIDObject {
  Counted(bool owned, int& freed) : owned_(owned), freed_(freed) {}
  ~Counted() override { ++freed_; }
  int AnchorY() const override { return 0; }
  bool FreedByList() const override { return owned_; }
  bool owned_;
  int& freed_;
};

TEST(IdObjects, RegisterReplacesAndFreesOwned) {
  int freed = 0;
  Counted section(false, freed);
  {
    TIDObjectList list;
    list.Register(u"Top", &section);
    list.Register(u"top", new Counted(true, freed));
    EXPECT_EQ(freed, 0);  // the section belongs to the document
    EXPECT_EQ(list.Count(), 1);
    list.Register(u"TOP", new Counted(true, freed));
    EXPECT_EQ(freed, 1);
    EXPECT_NE(list.Find(u"tOp"), nullptr);
    list.Register(u"other", &section);
  }
  EXPECT_EQ(freed, 2);
}
// An owned object that leaves the list when it goes, as the document's anchors do.
struct SelfRemoving : TIDObject {
  SelfRemoving(TIDObjectList& list, int& freed) : list_(list), freed_(freed) {}
  ~SelfRemoving() override {
    list_.RemoveObject(this);
    ++freed_;
  }
  int AnchorY() const override { return 0; }
  bool FreedByList() const override { return true; }
  TIDObjectList& list_;
  int& freed_;
};

TEST(IdObjects, RemoveEntriesAndObjects) {
  int freed = 0;
  Counted section(false, freed);
  TIDObjectList list;
  list.Register(u"a", &section);
  list.Register(u"b", &section);
  list.Register(u"c", new Counted(true, freed));
  list.RemoveObject(&section);  // every id of the object goes, the object stays
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Find(u"a"), nullptr);
  EXPECT_EQ(freed, 0);
  list.Remove(u"C");  // an owned object is freed with its entry
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(freed, 1);
  list.Remove(u"missing");

  // Objects that remove themselves while the list clears, one of them filed twice.
  auto* anchor = new SelfRemoving(list, freed);
  list.Register(u"x", anchor);
  list.Register(u"y", anchor);
  list.Register(u"z", new SelfRemoving(list, freed));
  list.Clear();
  EXPECT_EQ(freed, 3);
  EXPECT_EQ(list.Count(), 0);
}

TEST(FreeList, InsertIndexRemoveExtract) {
  int freed = 0;
  struct Item {
    explicit Item(int& f) : freed(f) {}
    ~Item() { ++freed; }
    int& freed;
  };
  TFreeList<Item> list(true);
  Item* a = new Item(freed);
  Item* b = new Item(freed);
  Item* c = new Item(freed);
  list.Add(a);
  list.Add(c);
  list.Insert(1, b);
  EXPECT_EQ(list.IndexOf(b), 1);
  EXPECT_EQ(list.IndexOf(c), 2);
  EXPECT_THROW(list.Insert(4, nullptr), std::out_of_range);
  EXPECT_EQ(list.Extract(b), b);  // out of the list, not freed
  EXPECT_EQ(freed, 0);
  EXPECT_EQ(list.Extract(b), nullptr);
  EXPECT_EQ(list.Remove(a), 0);  // freed by the owning list
  EXPECT_EQ(freed, 1);
  EXPECT_EQ(list.Remove(a), -1);
  EXPECT_EQ(list.Count(), 1);
  delete b;
  list.Clear();
  EXPECT_EQ(freed, 3);

  TFreeList<Item> borrowed(false);
  Item d(freed);
  borrowed.Add(&d);
  EXPECT_EQ(borrowed.Remove(&d), 0);  // a list that does not own leaves the item alone
  EXPECT_EQ(freed, 3);
}
}  // namespace
