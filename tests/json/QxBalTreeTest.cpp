#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "json/QxBalTree.h"
#include "platform/rtl/Unicode.h"

TEST(BalTree, FindsWhatWasInsertedAndTheFirstKeyOfANameStays) {
  TqxBalTree t;
  EXPECT_EQ(t.Find(u""), -1);
  EXPECT_TRUE(t.Insert(u"b", 1));
  EXPECT_TRUE(t.Insert(u"a", 2));
  EXPECT_TRUE(t.Insert(u"", 3));
  EXPECT_TRUE(t.Insert(u"B", 4));
  EXPECT_FALSE(t.Insert(u"b", 5));
  EXPECT_EQ(t.Find(u"b"), 1);
  EXPECT_EQ(t.Find(u"a"), 2);
  EXPECT_EQ(t.Find(u""), 3);
  EXPECT_EQ(t.Find(u"B"), 4);
  EXPECT_EQ(t.Find(u"c"), -1);
  t.Clear();
  EXPECT_EQ(t.Find(u"b"), -1);
  EXPECT_EQ(t.Height(), 0);
  EXPECT_TRUE(t.Insert(u"b", 6));
  EXPECT_EQ(t.Find(u"b"), 6);
}

TEST(BalTree, ComparesCodeUnitsOrdinally) {
  // U+FF21 sorts above U+00E9 and both above ASCII; a surrogate (0xD83D) sorts below U+FF21.
  TqxBalTree t;
  const String names[] = {u"\uFF21", u"\u00E9", u"z", u"\U0001F600", u"e"};
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(t.Insert(names[i], i));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(t.Find(names[i]), i);
}

TEST(BalTree, StaysBalancedForSortedAndReversedInsertion) {
  for (bool reversed : {false, true}) {
    TqxBalTree t;
    const int n = 1000;
    for (int i = 0; i < n; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "m%04d", reversed ? n - 1 - i : i);
      ASSERT_TRUE(t.Insert(S(name), i));
    }
    EXPECT_LE(t.Height(), 2 * std::log2(n + 1)) << (reversed ? "reversed" : "sorted");
    for (int i = 0; i < n; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "m%04d", reversed ? n - 1 - i : i);
      ASSERT_EQ(t.Find(S(name)), i);
    }
  }
}
