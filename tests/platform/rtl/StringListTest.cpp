#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Unicode.h"

namespace {

std::vector<String> Lines(const TStrings& list) {
  std::vector<String> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
  return out;
}

void Fill(TStrings& list, std::initializer_list<const char*> lines) {
  for (const char* line : lines) list.Add(S(line));
}

String ListErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EListError& e) {
    return e.Message();
  }
  ADD_FAILURE() << "no EListError";
  return {};
}

}  // namespace

TEST(StringListText, SplitsAtCrLfLfOrCrAndIgnoresEmptyLastLine) {
  struct Case {
    String text;
    std::vector<String> lines;
  };
  const Case cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\nb\r\n", {u"a", u"b"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\r\n\r\n", {u"a", u""}},
      {u"\r\n", {u""}},
      {u"\r\n\r\n", {u"", u""}},
      {u"a\nb\rc\r\nd", {u"a", u"b", u"c", u"d"}},
      {u"a\n\rb", {u"a", u"", u"b"}},  // LF CR is two breaks
      {u"a\r\rb", {u"a", u"", u"b"}},
      {u"a\n\nb\n", {u"a", u"", u"b"}},
      {String(u"a\0b\r\nc", 6), {String(u"a\0b", 3), u"c"}},  // NUL is an ordinary character
      {u" lead\ttab \r\n", {u" lead\ttab "}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.Add(u"old");
    list.SetText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << StringToUtf8(c.text);
  }
}

TEST(StringListText, JoinsEveryLineWithCrLf) {
  TStringList list;
  EXPECT_EQ(list.Text(), u"");
  Fill(list, {"a", "", "b"});
  EXPECT_EQ(list.Text(), u"a\r\n\r\nb\r\n");
  list.SetText(list.Text());
  EXPECT_EQ(list.Count(), 3);
}

TEST(StringListDelimited, JoinQuotesWhereNeeded) {
  struct Case {
    std::vector<String> lines;
    bool strict;
    String comma;
  };
  const Case cases[] = {
      {{}, false, u""},
      {{u""}, false, u"\"\""},
      {{u"a", u"b"}, false, u"a,b"},
      {{u"a", u"", u"b"}, false, u"a,,b"},
      {{u"a b", u"c"}, false, u"\"a b\",c"},
      {{u"a b", u"c"}, true, u"a b,c"},
      {{u"x,y"}, true, u"\"x,y\""},
      {{u"say \"hi\""}, false, u"\"say \"\"hi\"\"\""},
      {{u"tab\there"}, false, u"\"tab\there\""},
      {{u"Grüße"}, false, u"Grüße"},
  };
  for (const auto& c : cases) {
    TStringList list;
    for (const auto& line : c.lines) list.Add(line);
    list.StrictDelimiter = c.strict;
    EXPECT_EQ(list.CommaText(), c.comma);
  }
}

TEST(StringListDelimited, SplitUnquotesAndTreatsBlanksAsDelimitersUnlessStrict) {
  struct Case {
    String text;
    bool strict;
    std::vector<String> lines;
  };
  const Case cases[] = {
      {u"", false, {}},
      {u"   ", false, {}},
      {u"a,b", false, {u"a", u"b"}},
      {u"a,,b", false, {u"a", u"", u"b"}},
      {u"a,", false, {u"a", u""}},
      {u",a", false, {u"", u"a"}},
      {u"a b", false, {u"a", u"b"}},
      {u"a b", true, {u"a b"}},
      {u" a , b ", false, {u"a", u"b"}},
      {u" a , b ", true, {u" a ", u" b "}},
      {u"\"a b\",c", false, {u"a b", u"c"}},
      {u"\"say \"\"hi\"\"\"", false, {u"say \"hi\""}},
      {u"\"x,y\",z", true, {u"x,y", u"z"}},
      {u"\"open", false, {u"open"}},  // no closing quote: the rest
      {u"\"a\"b", false, {u"a", u"b"}},
      {u"\"\"", false, {u""}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.StrictDelimiter = c.strict;
    list.SetCommaText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << StringToUtf8(c.text) << (c.strict ? " strict" : "");
  }
}

TEST(StringListDelimited, OwnDelimiterAndQuoteRoundTrip) {
  TStringList list;
  list.Delimiter = u';';
  list.QuoteChar = u'\'';
  Fill(list, {"a;b", "it's", "x,y", ""});
  EXPECT_EQ(list.DelimitedText(), u"'a;b';'it''s';x,y;");
  EXPECT_EQ(list.CommaText(), u"a;b,it's,\"x,y\",");
  TStringList back;
  back.Delimiter = u';';
  back.QuoteChar = u'\'';
  back.SetDelimitedText(list.DelimitedText());
  EXPECT_EQ(Lines(back), Lines(list));
}

TEST(StringList, IndexOutsideListRaisesGermanListError) {
  TStringList list;
  Fill(list, {"a", "b"});
  struct Case {
    const char* what;
    std::function<void()> call;
    int index;
  };
  const Case cases[] = {
      {"Get", [&] { (void)list[2]; }, 2},
      {"Get negative", [&] { (void)list.Get(-1); }, -1},
      {"Put", [&] { list.Put(5, u"x"); }, 5},
      {"Delete", [&] { list.Delete(2); }, 2},
      {"Insert past end", [&] { list.Insert(3, u"x"); }, 3},
      {"Objects", [&] { (void)list.Objects(2); }, 2},
      {"Exchange", [&] { list.Exchange(0, 7); }, 7},
      {"Move", [&] { list.Move(4, 0); }, 4},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ListErrorOf(c.call),
              S("Listenindex überschreitet das Maximum (") + Utf8ToString(std::to_string(c.index)) + u")")
        << c.what;
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"b"}));
  list.Insert(2, u"end");  // inserting at Count appends
  EXPECT_EQ(list[2], u"end");
}

TEST(StringList, EditingKeepsObjectsBesideTheirLines) {
  int one = 1, two = 2, three = 3;
  TStringList list;
  list.AddObject(u"one", &one);
  list.AddObject(u"two", &two);
  list.InsertObject(0, u"three", &three);
  list.Exchange(0, 2);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"two", u"one", u"three"}));
  EXPECT_EQ(list.Objects(0), &two);
  list.Move(0, 2);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"one", u"three", u"two"}));
  EXPECT_EQ(list.Objects(2), &two);
  list.Put(2, u"zwei");
  EXPECT_EQ(list.Objects(2), &two);
  EXPECT_EQ(list.IndexOfObject(&three), 1);
  list.Delete(1);
  EXPECT_EQ(list.IndexOfObject(&three), -1);
}

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
  TStringList list;
  Fill(list, {"Apfel", "Straße", "apfel"});
  EXPECT_EQ(list.IndexOf(u"APFEL"), 0);
  EXPECT_EQ(list.IndexOf(S("STRASSE")), -1);  // ß is not ss when only case is ignored
  EXPECT_EQ(list.IndexOf(S("STRAßE")), 1);
  EXPECT_EQ(list.IndexOf(u"Birne"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf(u"apfel"), 2);
  EXPECT_EQ(list.IndexOf(u"APFEL"), -1);
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  Fill(list, {"Left=1,5", "plain", "Key==x", "=nameless", "left=2"});
  EXPECT_EQ(list.Names(0), u"Left");
  EXPECT_EQ(list.Names(1), u"");
  EXPECT_EQ(list.Values(u"LEFT"), u"1,5");  // first match, case-insensitive
  EXPECT_EQ(list.Values(u"Key"), u"=x");
  EXPECT_EQ(list.Values(u"plain"), u"");
  EXPECT_EQ(list.ValueFromIndex(1), u"");
  EXPECT_EQ(list.ValueFromIndex(3), u"nameless");
  EXPECT_EQ(list.IndexOfName(u"left"), 0);
  list.SetValue(u"Top", u"3");
  EXPECT_EQ(list[5], u"Top=3");
  list.SetValue(u"left", u"9");
  EXPECT_EQ(list[0], u"left=9");
  list.SetValue(u"LEFT", u"");
  EXPECT_EQ(list.IndexOfName(u"left"), 3);  // the first one went, the second remains
}

TEST(StringListSort, GermanCollationIgnoringCaseAndStable) {
  TStringList list;
  Fill(list, {"birne", "Zebra", "Äpfel", "apfel", "Apfel", "10", "9", "Ärger", "b"});
  list.Sort();
  EXPECT_EQ(Lines(list), (std::vector<String>{u"10", u"9", u"apfel", u"Apfel", S("Äpfel"), S("Ärger"),
                                              u"b", u"birne", u"Zebra"}));
}

TEST(StringListSort, CustomSortSeesTheUnsortedList) {
  TStringList list;
  Fill(list, {"ccc", "a", "bb", "dd"});
  list.CustomSort([](TStringList& l, int i, int j) {
    return static_cast<int>(l[i].size()) - static_cast<int>(l[j].size());
  });
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"bb", u"dd", u"ccc"}));
}

TEST(StringListSorted, AddPlacesLinesAndFindSearchesByHalves) {
  TStringList list;
  Fill(list, {"m", "c", "x"});
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"c", u"m", u"x"}));
  EXPECT_EQ(list.Add(u"f"), 1);
  int index = -1;
  EXPECT_TRUE(list.Find(u"M", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find(u"d", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find(u"zz", index));
  EXPECT_EQ(index, 4);
  EXPECT_EQ(list.IndexOf(u"X"), 3);
  EXPECT_EQ(ListErrorOf([&] { list.Insert(0, u"a"); }), S("Operation bei sortierten Listen nicht erlaubt"));
  EXPECT_THROW(list.Put(0, u"a"), EListError);
  list.SetSorted(false);
  list.Insert(0, u"z");
  EXPECT_EQ(list[0], u"z");
}

TEST(StringListSorted, DuplicatesIgnoreAcceptError) {
  struct Case {
    TDuplicates mode;
    std::vector<String> lines;  // after adding "b", "B", "a", "b"
    bool raises;
  };
  const Case cases[] = {
      {dupIgnore, {u"a", u"b"}, false},
      {dupAccept, {u"a", u"b", u"B", u"b"}, false},
      {dupError, {u"b"}, true},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.Duplicates = c.mode;
    bool raised = false;
    try {
      for (const char* s : {"b", "B", "a", "b"}) list.Add(S(s));
    } catch (const EListError& e) {
      raised = true;
      EXPECT_EQ(e.Message(), u"Stringliste erlaubt keine Duplikate");
    }
    EXPECT_EQ(raised, c.raises);
    EXPECT_EQ(Lines(list), c.lines) << c.mode;
  }
}

TEST(StringListSorted, CaseSensitiveKeepsBothCasesAndResorts) {
  TStringList list;
  list.SetSorted(true);
  list.SetCaseSensitive(true);
  Fill(list, {"b", "B", "a"});
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"b", u"B"}));
  list.SetCaseSensitive(false);
  int index = -1;
  EXPECT_TRUE(list.Find(u"B", index));
}

// Adding many lines at once to a sorted list must end exactly as adding them one by one.
TEST(StringListSorted, BulkAddMatchesOneByOne) {
  std::mt19937 random(7);
  const char* words[] = {"Haus", "haus", "Häuser", "Maus", "maus", "Baum", "bäume", "", "Ähre", "zoo"};
  for (TDuplicates mode : {dupIgnore, dupAccept, dupError}) {
    for (int round = 0; round < 20; ++round) {
      TStringList source, oneByOne, bulk;
      for (int i = 0; i < 12; ++i) source.Add(S(words[random() % 10]));
      for (TStringList* l : {&oneByOne, &bulk}) {
        l->SetSorted(true);
        l->Duplicates = mode;
        l->Add(u"maus");
      }
      bool raisedOne = false, raisedBulk = false;
      try {
        for (int i = 0; i < source.Count(); ++i) oneByOne.Add(source[i]);
      } catch (const EListError&) {
        raisedOne = true;
      }
      try {
        bulk.AddStrings(source);
      } catch (const EListError&) {
        raisedBulk = true;
      }
      EXPECT_EQ(raisedBulk, raisedOne);
      EXPECT_EQ(Lines(bulk), Lines(oneByOne)) << "mode " << mode << " round " << round;
      EXPECT_EQ(bulk.UpdateCount(), 0);
    }
  }
}

TEST(StringList, AssignAndAddStrings) {
  int marker = 0;
  TStringList source;
  source.Delimiter = u';';
  source.AddObject(u"b", &marker);
  source.Add(u"a");
  TStringList target;
  target.Add(u"old");
  target.Assign(source);
  EXPECT_EQ(Lines(target), (std::vector<String>{u"b", u"a"}));
  EXPECT_EQ(target.Objects(0), &marker);
  EXPECT_EQ(target.Delimiter, u';');
  target.AddStrings(source);
  EXPECT_EQ(target.Count(), 4);
  target.Assign(target);
  EXPECT_EQ(target.Count(), 4);
}

TEST(StringList, OnChangeOncePerChangeOrOncePerUpdateBatch) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TStrings&) { ++changing; };
  list.OnChange = [&](TStrings& sender) {
    EXPECT_EQ(&sender, &list);
    ++changed;
  };
  list.Add(u"a");
  list.Put(0, u"b");
  EXPECT_EQ(changed, 2);
  list.BeginUpdate();
  list.Add(u"c");
  list.BeginUpdate();
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 2);
  list.EndUpdate();
  EXPECT_EQ(changed, 3);
  EXPECT_EQ(changing, 3);
  list.SetText(u"x\r\ny\r\nz");
  EXPECT_EQ(changed, 4);
}

TEST(StringList, UpdateBatchEndsWhenAnExceptionPasses) {
  TStringList list;
  list.SetSorted(true);
  list.Duplicates = dupError;
  int changed = 0;
  list.OnChange = [&](TStrings&) { ++changed; };
  EXPECT_THROW(list.SetText(u"a\r\na"), EListError);
  EXPECT_EQ(list.UpdateCount(), 0);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a"}));
  list.Add(u"b");
  EXPECT_EQ(changed, 2);
}

TEST(StringListSorted, IgnoredDuplicateKeepsTheOldObject) {
  int first = 1, second = 2;
  TStringList list;
  list.SetSorted(true);
  list.AddObject(u"a", &first);
  EXPECT_EQ(list.AddObject(u"A", &second), 0);
  EXPECT_EQ(list.Objects(0), &first);
}

namespace {

// The least a derived list supplies, as a memo's or a grid row's line list does: the
// operations of the base class must work through these alone.
class VectorLines : public TStrings {
 public:
  int Count() const override { return static_cast<int>(lines.size()); }
  String Get(int index) const override { return lines.at(static_cast<size_t>(index)); }
  void Insert(int index, const String& s) override { lines.insert(lines.begin() + index, s); }
  void Delete(int index) override { lines.erase(lines.begin() + index); }
  void Clear() override { lines.clear(); }
  std::vector<String> lines;
};

}  // namespace

TEST(StringListMove, BothDirectionsInListAndThroughBaseClass) {
  struct Case {
    int from, to;
    std::vector<String> expected;
  };
  const Case cases[] = {
      {0, 3, {u"b", u"c", u"d", u"a"}},
      {3, 0, {u"d", u"a", u"b", u"c"}},
      {1, 2, {u"a", u"c", u"b", u"d"}},
      {2, 2, {u"a", u"b", u"c", u"d"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    VectorLines base;
    for (TStrings* l : {static_cast<TStrings*>(&list), static_cast<TStrings*>(&base)}) {
      Fill(*l, {"a", "b", "c", "d"});
      l->Move(c.from, c.to);
      EXPECT_EQ(Lines(*l), c.expected) << c.from << " -> " << c.to;
      EXPECT_THROW(l->Move(0, 4), EListError);
      EXPECT_EQ(Lines(*l), c.expected);  // nothing lost
    }
  }
  TStringList sorted;
  Fill(sorted, {"b", "a"});
  sorted.SetSorted(true);
  EXPECT_THROW(sorted.Move(0, 1), EListError);
  EXPECT_EQ(Lines(sorted), (std::vector<String>{u"a", u"b"}));
}

TEST(StringsBase, OperationsWorkThroughTheDerivedStorage) {
  VectorLines lines;
  lines.SetText(u"Name=Wert\r\nzwei\r\ndrei");
  lines.Put(1, u"ZWEI");
  lines.Exchange(0, 2);
  EXPECT_EQ(lines.lines, (std::vector<String>{u"drei", u"ZWEI", u"Name=Wert"}));
  EXPECT_EQ(lines.IndexOf(u"zwei"), 1);
  EXPECT_EQ(lines.Values(u"name"), u"Wert");
  EXPECT_EQ(lines.Objects(0), nullptr);
  TStringList copy;
  copy.Assign(lines);
  EXPECT_EQ(copy.CommaText(), u"drei,ZWEI,Name=Wert");
  lines.Assign(copy);
  EXPECT_EQ(lines.Text(), u"drei\r\nZWEI\r\nName=Wert\r\n");
}
