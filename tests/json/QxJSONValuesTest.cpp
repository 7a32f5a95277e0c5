#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "json/QxJSONParser.h"
#include "json/QxJSONValues.h"
#include "platform/rtl/Unicode.h"
#include "tests/json/JsonDump.h"

namespace {

std::unique_ptr<TqxJSONbase> Parse(const char* text) {
  auto v = TqxJSON::ParseDocument(Bytes(text));
  EXPECT_TRUE(v) << text;
  return v;
}

TqxJSONcustomlist* AsList(const std::unique_ptr<TqxJSONbase>& v) { return dynamic_cast<TqxJSONcustomlist*>(v.get()); }
TqxJSONobject* AsObject(const std::unique_ptr<TqxJSONbase>& v) { return dynamic_cast<TqxJSONobject*>(v.get()); }

std::unique_ptr<TqxJSONobjectmethod> Member(const char* name, double value) {
  auto m = std::make_unique<TqxJSONobjectmethod>();
  m->MemberName = S(name);
  auto n = std::make_unique<TqxJSONnumber>();
  n->NumberValue = value;
  m->MemberValue = std::move(n);
  return m;
}

}  // namespace

TEST(JsonValues, KindsNamesAndVariantValues) {
  struct Case {
    std::function<std::unique_ptr<TqxJSONbase>()> make;
    TqxJSONvalueKind kind;
    const char16_t* name;
    TqxVariant variant;
  };
  const Case cases[] = {
      {[] { return std::make_unique<TqxJSONbase>(); }, jsBase, u"jsBase", std::monostate()},
      {[] { return Parse("-2.5"); }, jsNumber, u"jsNumber", -2.5},
      {[] { return Parse("\"x\""); }, jsString, u"jsString", String(u"x")},
      {[] { return Parse("true"); }, jsBoolean, u"jsBoolean", true},
      {[] { return Parse("null"); }, jsNull, u"jsNull", std::monostate()},
      {[] { return Parse("[1]"); }, jsList, u"jsList", std::monostate()},
      {[] { return Parse("{\"a\":1}"); }, jsObject, u"jsObject", std::monostate()},
      {[] { return std::make_unique<TqxJSONobjectmethod>(); }, jsBase, u"jsBase", std::monostate()},
  };
  for (const auto& c : cases) {
    auto v = c.make();
    ASSERT_TRUE(v);
    EXPECT_EQ(v->ValueKind(), c.kind) << StringToUtf8(c.name);
    EXPECT_EQ(v->ValueKindName(), c.name);
    EXPECT_EQ(v->GetVariantValue(), c.variant) << StringToUtf8(c.name);
  }
}

TEST(JsonValues, ScalarsHaveNoChildren) {
  for (const char* text : {"1", "\"s\"", "false", "null"}) {
    auto v = Parse(text);
    EXPECT_EQ(v->ChildCount(), 0) << text;
    EXPECT_EQ(v->ChildAt(0), nullptr) << text;
    EXPECT_EQ(v->FindMember(0.0), nullptr) << text;
    v->ReplaceChildAt(0, std::make_unique<TqxJSONnull>());  // no effect
    EXPECT_EQ(v->ChildCount(), 0) << text;
  }
}

TEST(JsonValues, NumberBeyondDoubleRangeGivesInfinityAsVariant) {
  auto v = Parse("-1e400");
  EXPECT_EQ(static_cast<TqxJSONnumber*>(v.get())->NumberValue, -1e400L);
  EXPECT_EQ(v->GetVariantValue(), TqxVariant(-HUGE_VAL));
}

TEST(JsonValues, SetVariantValueConvertsOrRaises) {
  TqxJSONnumber n;
  n.SetVariantValue(String(u" 1,5 "));
  EXPECT_EQ(n.NumberValue, 1.5L);
  n.SetVariantValue(true);
  EXPECT_EQ(n.NumberValue, -1.0L);
  EXPECT_THROW(n.SetVariantValue(String(u"1.5")), EVariantTypeCastError);
  EXPECT_THROW(n.SetVariantValue(std::monostate()), EVariantTypeCastError);

  TqxJSONstring s;
  s.SetVariantValue(2.5);
  EXPECT_EQ(s.StringValue, u"2,5");
  s.SetVariantValue(false);
  EXPECT_EQ(s.StringValue, u"False");
  EXPECT_THROW(s.SetVariantValue(std::monostate()), EVariantTypeCastError);

  TqxJSONboolean b;
  b.SetVariantValue(String(u"TRUE"));
  EXPECT_TRUE(b.BooleanValue);
  b.SetVariantValue(0.0);
  EXPECT_FALSE(b.BooleanValue);
  EXPECT_THROW(b.SetVariantValue(String(u"ja")), EVariantTypeCastError);

  TqxJSONnull null;
  null.SetVariantValue(1.0);  // nothing to set
  EXPECT_TRUE(VarIsNull(null.GetVariantValue()));
}

TEST(JsonValues, TypedAccessByPosition) {
  // Lists address children; objects address member values.
  for (const char* text : {"[1, -2.7, \"s\", true, null, 3e10]",
                           "{\"a\":1, \"b\":-2.7, \"c\":\"s\", \"d\":true, \"e\":null, \"f\":3e10}"}) {
    SCOPED_TRACE(text);
    auto root = Parse(text);
    const TqxJSONcustomlist* l = AsList(root);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->IntegerAt(0), 1);
    EXPECT_EQ(l->IntegerAt(1), -2);  // truncated towards zero
    EXPECT_EQ(l->DoubleAt(1), -2.7);
    EXPECT_EQ(l->StringAt(2), u"s");
    EXPECT_EQ(l->WideStringAt(2), u"s");
    EXPECT_TRUE(l->BooleanAt(3));
    EXPECT_THROW(l->IntegerAt(5), EConvertError);  // does not fit an integer

    // Another kind raises the invalid-cast error, with the platform's text.
    const std::function<void()> wrongKind[] = {
        [&] { l->StringAt(0); },  [&] { l->IntegerAt(2); }, [&] { l->DoubleAt(3); },
        [&] { l->BooleanAt(0); }, [&] { l->StringAt(4); },  [&] { l->IntegerAt(4); },
    };
    for (const auto& access : wrongKind) {
      try {
        access();
        ADD_FAILURE() << "no EInvalidCast";
      } catch (const EInvalidCast& e) {
        EXPECT_EQ(e.Message(), S("Ungültige Typumwandlung"));
      }
    }

    // No child at the position: neutral answers.
    for (int i : {-1, 6, 1000}) {
      EXPECT_EQ(l->IntegerAt(i), 0);
      EXPECT_EQ(l->DoubleAt(i), 0.0);
      EXPECT_EQ(l->StringAt(i), u"");
      EXPECT_EQ(l->WideStringAt(i), u"");
      EXPECT_FALSE(l->BooleanAt(i));
      EXPECT_EQ(l->ChildAt(i), nullptr);
    }
  }
}

TEST(JsonValues, ListDeleteMovesTheLastChildIntoTheGap) {
  struct Case {
    const char* list;
    int index;
    const char* after;
  };
  const Case cases[] = {
      {"[1,2,3]", 0, "[3,2]"}, {"[1,2,3]", 1, "[1,3]"}, {"[1,2,3]", 2, "[1,2]"},
      {"[1]", 0, "[]"},        {"[1,2,3]", 3, "[1,2,3]"}, {"[1,2,3]", -1, "[1,2,3]"},
      {"[]", 0, "[]"},
  };
  for (const auto& c : cases) {
    auto root = Parse(c.list);
    AsList(root)->DeleteChild(c.index);
    EXPECT_EQ(Dump(root.get()), c.after) << c.list << " delete " << c.index;
  }
}

TEST(JsonValues, ListAddReplaceIndexOfEnumerate) {
  auto root = Parse("[\"a\", \"b\"]");
  TqxJSONcustomlist* l = AsList(root);
  EXPECT_EQ(l->AddChild(nullptr), -1);
  EXPECT_EQ(l->AddChild(std::make_unique<TqxJSONnull>()), 2);
  const TqxJSONbase* b = l->ChildAt(1);
  EXPECT_EQ(l->IndexOfChild(b), 1);
  TqxJSONnull stranger;
  EXPECT_EQ(l->IndexOfChild(&stranger), -1);

  l->ReplaceChildAt(0, std::make_unique<TqxJSONboolean>());
  l->ReplaceChildAt(7, std::make_unique<TqxJSONboolean>());  // outside: nothing
  EXPECT_EQ(Dump(root.get()), "[false,\"b\",null]");

  String name;
  EXPECT_EQ(l->EnumerateElement(1, name), b);
  EXPECT_EQ(name, u"1");

  // A number selects by position (rounded half to even); other variants select nothing.
  EXPECT_EQ(l->FindMember(1.0), b);
  EXPECT_EQ(l->FindMember(1.4), b);
  EXPECT_EQ(l->FindMember(2.5), l->ChildAt(2));
  EXPECT_EQ(l->FindMember(String(u"1")), nullptr);
  EXPECT_EQ(l->FindMember(1e300), nullptr);
  EXPECT_EQ(l->FindMember(std::nan("")), nullptr);
}

TEST(JsonObject, LookupWithAndWithoutNameIndex) {
  for (bool useHash : {true, false}) {
    SCOPED_TRACE(useHash ? "with hash" : "without hash");
    TqxJSONobject o(useHash);
    EXPECT_EQ(o.GetUseHash(), useHash);
    const char* names[] = {"k", "a", "k", "", "0", "K"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(o.AddChild(Member(names[i], i)), i);

    EXPECT_EQ(o.IndexOfMemberName(u"k"), 0);  // the first of equal names
    EXPECT_EQ(o.IndexOfMemberName(u"K"), 5);  // case matters
    EXPECT_EQ(o.IndexOfMemberName(u"x"), -1);
    EXPECT_EQ(o.MemberByName(u"x"), nullptr);
    EXPECT_EQ(Dump(o.MemberByName(u"a")), "1");

    EXPECT_EQ(o.MemberNameAt(2), u"k");
    EXPECT_EQ(o.MemberNameAt(6), u"");
    EXPECT_EQ(Dump(o.MemberValueAt(2)), "0");    // the first member named k answers
    EXPECT_EQ(o.MemberValueAt(3), nullptr);      // an empty name is not reachable
    EXPECT_EQ(o.MemberValueAt(-1), nullptr);

    String name;
    EXPECT_EQ(Dump(o.EnumerateElement(1, name)), "1");
    EXPECT_EQ(name, u"a");

    // A number selects the member pair, a string the value of the member of that name.
    EXPECT_EQ(o.FindMember(0.0), o.ChildAt(0));
    EXPECT_EQ(o.FindMember(0.0)->ValueKind(), jsBase);
    EXPECT_EQ(Dump(o.FindMember(String(u"0"))), "4");
    EXPECT_EQ(o.FindMember(true), nullptr);
  }
}

TEST(JsonObject, DeletingAndReplacingMembersKeepsLookupRight) {
  struct Step {
    std::function<void(TqxJSONobject&)> change;
    const char* dump;
    const char* k;  // MemberByName("k")
    const char* z;  // MemberByName("z")
  };
  const Step steps[] = {
      // {"k":0,"a":1,"k":2,"z":3}
      {[](TqxJSONobject& o) { o.DeleteChild(0); }, "{\"z\":3,\"a\":1,\"k\":2}", "2", "3"},
      {[](TqxJSONobject& o) { o.DeleteChild(2); }, "{\"z\":3,\"a\":1}", "none", "3"},
      {[](TqxJSONobject& o) { o.ReplaceChildAt(0, Member("k", 9)); }, "{\"k\":9,\"a\":1}", "9", "none"},
      {[](TqxJSONobject& o) { o.DeleteChild(5); }, "{\"k\":9,\"a\":1}", "9", "none"},
      {[](TqxJSONobject& o) { o.ReplaceChildAt(0, nullptr); }, "{none,\"a\":1}", "none", "none"},
      {[](TqxJSONobject& o) { o.AddChild(Member("z", 4)); }, "{none,\"a\":1,\"z\":4}", "none", "4"},
  };
  for (bool useHash : {true, false}) {
    SCOPED_TRACE(useHash ? "with hash" : "without hash");
    TqxJSONobject o(useHash);
    for (const char* n : {"k", "a", "k", "z"}) o.AddChild(Member(n, o.ChildCount()));
    int step = 0;
    for (const auto& s : steps) {
      s.change(o);
      std::string dump = "{";
      for (int i = 0; i < o.ChildCount(); ++i) {
        auto* m = static_cast<TqxJSONobjectmethod*>(o.ChildAt(i));
        dump += i ? "," : "";
        dump += m ? "\"" + StringToUtf8(m->MemberName) + "\":" + Dump(m->MemberValue.get()) : "none";
      }
      EXPECT_EQ(dump + "}", s.dump) << "step " << step;
      EXPECT_EQ(Dump(o.MemberByName(u"k")), s.k) << "step " << step;
      EXPECT_EQ(Dump(o.MemberByName(u"z")), s.z) << "step " << step;
      ++step;
    }
  }
}

// Small objects are searched member by member, larger ones through the name index: the
// answer is the first member of the name either way, also while members are added, deleted
// and replaced across the size where the index comes and goes.
TEST(JsonObject, LookupAgreesWithAScanAcrossTheIndexedSize) {
  const int sizes[] = {static_cast<int>(TqxJSONobject::kScannedMembers), static_cast<int>(TqxJSONobject::kScannedMembers) + 1,
                       3 * static_cast<int>(TqxJSONobject::kScannedMembers)};
  for (int size : sizes) {
    TqxJSONobject o(true);
    auto nameOf = [](int i) { return "m" + std::to_string(i % 5); };  // every fifth name repeats
    for (int i = 0; i < size; ++i) o.AddChild(Member(nameOf(i).c_str(), i));
    auto expectScanAnswers = [&](const std::string& when) {
      for (const char* name : {"m0", "m1", "m2", "m3", "m4", "m9", "x"}) {
        int first = -1;
        for (int i = 0; i < o.ChildCount() && first < 0; ++i)
          if (o.ChildAt(i) && o.MemberNameAt(i) == S(name)) first = i;
        EXPECT_EQ(o.IndexOfMemberName(S(name)), first) << size << " members, " << when << ", " << name;
      }
    };
    expectScanAnswers("built");
    o.ReplaceChildAt(1, Member("m9", 99));
    expectScanAnswers("replaced");
    while (o.ChildCount() > 2) {
      o.DeleteChild(0);  // the last member moves to the front
      expectScanAnswers("deleted to " + std::to_string(o.ChildCount()));
    }
    for (int i = 0; i < size; ++i) o.AddChild(Member(nameOf(i + 3).c_str(), i));
    expectScanAnswers("grown again");
  }
}

TEST(JsonObject, ChildrenMustBeMemberPairs) {
  TqxJSONobject o(true);
  EXPECT_THROW(o.AddChild(std::make_unique<TqxJSONnull>()), EInvalidCast);
  o.AddChild(Member("a", 1));
  EXPECT_THROW(o.ReplaceChildAt(0, std::make_unique<TqxJSONlist>()), EInvalidCast);
  EXPECT_EQ(o.AddChild(nullptr), -1);
  EXPECT_EQ(o.ChildCount(), 1);
}

TEST(JsonObject, ParsedObjectKeepsDuplicateMembersAndTheFirstAnswers) {
  auto root = Parse("{\"a\":1,\"a\":2}");
  TqxJSONobject* o = AsObject(root);
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->GetUseHash());
  EXPECT_EQ(o->ChildCount(), 2);
  EXPECT_EQ(Dump(o->MemberByName(u"a")), "1");
  EXPECT_EQ(Dump(o->MemberValueAt(1)), "1");
}
