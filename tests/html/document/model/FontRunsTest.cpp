#include <gtest/gtest.h>

#include <vector>

#include "html/document/model/Document.h"
#include "html/document/model/FontList.h"
#include "html/document/model/TabControl.h"
#include "platform/gdi/fonts/RealizedFont.h"
#include "platform/ui/controls/CustomControl.h"

namespace {
std::unique_ptr<TMyFont> MakeFont(const String& name, int height, TFontStyles style = 0) {
  auto font = std::make_unique<TMyFont>();
  font->SetName(name);
  font->SetHeight(height);
  font->SetStyle(style);
  font->Measure();
  return font;
}

struct FontRunsTest : ::testing::Test {
  TCustomControl paintPanel{nullptr};
  ThtDocument document{nullptr, &paintPanel};
  TSectionBase section{&document};
  TFontList runs;

  // A run of a link: serial, link states with a bold hover font.
  TFontObj* AddRun(int start, int serial = 0) {
    auto* run = new TFontObj(&section, start, MakeFont(u"Arial", -16));
    if (serial) {
      run->OwnLinkTarget().LinkUrl = u"http://127.0.0.1/page";
      run->OwnLinkTarget().Serial = serial;
      run->EnsureStateInfos();
      for (int i = 0; i < 4; ++i) {
        ThtFontInfo& info = (*run->StateInfos)[i];
        info.Name = u"Arial";
        info.Size = 12;
        info.Style = i >= 2 ? fsBold : fsUnderline;
        info.Color = i & 1 ? 0x800080 : 0xFF0000;
      }
      document.LinkList.AddLink(run);
    }
    runs.Add(run);
    return run;
  }

  // The printing copies of the runs, in a section of a document of their own.
  const TFontList& CopyRuns() {
    copyRuns.AddCopies(&copySection, runs);
    return copyRuns;
  }
  ThtDocument copyDocument{nullptr, nullptr};
  TSectionBase copySection{&copyDocument};
  TFontList copyRuns;
};

TEST_F(FontRunsTest, MetricsComeFromTheMeasuredFont) {
  struct Case {
    int height;
    TFontStyles style;
  } cases[] = {{20, fsItalic}, {-20, fsItalic}, {-13, 0}, {-40, fsBold | fsItalic}};
  for (const Case& c : cases) {
    TFontObj run(&section, 0, MakeFont(u"Liberation Sans", c.height, c.style));
    const TTextMetric tm = TRealizedFont(run.RunFont->LogFont()).TextMetric();
    EXPECT_EQ(run.LineExtent, tm.tmHeight + tm.tmExternalLeading) << c.height;
    EXPECT_EQ(run.CellHeight, tm.tmHeight);
    EXPECT_EQ(run.WidestChar, tm.tmMaxCharWidth);
    EXPECT_EQ(run.BelowBaseline, tm.tmDescent);
    EXPECT_EQ(run.ItalicOverhang, (c.style & fsItalic) ? tm.tmHeight / 10 : 0);
    int descent = 0;
    EXPECT_EQ(run.ExtentAndDescent(descent), run.LineExtent);
    EXPECT_EQ(descent, run.BelowBaseline);
  }
  TFontObj italic20(&section, 0, MakeFont(u"Liberation Sans", 20, fsItalic));
  EXPECT_EQ(italic20.ItalicOverhang, 2);  // a 20-pixel italic font
}

TEST_F(FontRunsTest, FindingRunsByPosition) {
  AddRun(0);
  AddRun(5);
  AddRun(9);
  struct Case {
    int position, index, lengthTo20;
  } cases[] = {{0, 0, 5}, {3, 0, 2}, {5, 1, 4}, {8, 1, 1}, {9, 2, 11}, {15, 2, 5}};
  for (const Case& c : cases) {
    int index = -1, overhang = -1;
    EXPECT_EQ(runs.RunAt(c.position, index), runs.Items(c.index)) << c.position;
    EXPECT_EQ(index, c.index) << c.position;
    EXPECT_EQ(runs.FontAt(c.position, overhang), runs.Items(c.index)->RunFont);
    EXPECT_EQ(overhang, 0);
    EXPECT_EQ(runs.RunLengthAt(c.position, 20), c.lengthTo20) << c.position;
  }
  TFontList empty;
  int index = 0, overhang = 0;
  EXPECT_EQ(empty.RunAt(3, index), nullptr);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(empty.FontAt(3, overhang), nullptr);
}

// Many runs of uneven lengths, the first starting after 0: every position of the text finds
// the run whose span holds it (the first run for positions before it, the last for those
// after the end), and the characters left to the next run start.
TEST_F(FontRunsTest, EveryPositionOfManyRunsFindsItsRun) {
  std::vector<int> starts;
  for (int k = 0, at = 2; k < 41; ++k, at += 1 + (k * 7) % 5) starts.push_back(at);
  for (int start : starts) AddRun(start);
  const int length = starts.back() + 3;
  for (int position = 0; position <= length; ++position) {
    int expected = 0;
    while (expected + 1 < static_cast<int>(starts.size()) && starts[static_cast<size_t>(expected) + 1] <= position)
      ++expected;
    const int next = position < starts[0] ? starts[0]
                     : expected + 1 < static_cast<int>(starts.size()) ? starts[static_cast<size_t>(expected) + 1]
                                                                     : length;
    int index = -1;
    EXPECT_EQ(runs.RunAt(position, index), runs.Items(expected)) << position;
    EXPECT_EQ(index, expected) << position;
    EXPECT_EQ(runs.RunLengthAt(position, length), next - position) << position;
  }
}

TEST_F(FontRunsTest, HoveringAnyPartOfALinkSwitchesAllItsRuns) {
  AddRun(0);
  TFontObj* a = AddRun(4, 7);
  TFontObj* b = AddRun(8, 7);
  TFontObj* c = AddRun(12, 7);
  TFontObj* other = AddRun(16, 8);
  b->SetLinkHover(document.LinkList, true);
  for (TFontObj* run : {a, b, c}) {
    EXPECT_TRUE(run->IsHovered);
    EXPECT_EQ(run->StateIndex(), 2);
    EXPECT_EQ(run->RunFont->Style(), fsBold);
  }
  EXPECT_FALSE(other->IsHovered);
  a->SetVisited(true);
  EXPECT_EQ(a->StateIndex(), 3);
  EXPECT_EQ(a->RunFont->Color(), 0x800080);
  c->SetLinkHover(document.LinkList, false);
  EXPECT_EQ(a->RunFont->Style(), fsUnderline);
  EXPECT_EQ(b->RunFont->Style(), fsUnderline);
}

TEST_F(FontRunsTest, OnlyTheFirstRunOfALinkOwnsATabStop) {
  TFontObj* a = AddRun(0, 3);
  TFontObj* b = AddRun(4, 3);
  a->CreateFocusControl(0);
  b->CreateFocusControl(0);
  EXPECT_NE(a->FocusControl, nullptr);
  EXPECT_EQ(b->FocusControl, nullptr);
  EXPECT_EQ(a->FocusControl->Parent(), &paintPanel);
  EXPECT_EQ(a->FocusControl->Left(), -4000);
  EXPECT_TRUE(a->FocusControl->TabStop());
  EXPECT_EQ(document.TabOrderList.Count(), 0);  // no tab index: not filed

  // Focus goes to the whole link; the viewer hears of it.
  TFontObj* focused = nullptr;
  document.OnLinkFocus = [&](TFontObj& run) { focused = &run; };
  a->FocusControl->OnEnter(a->FocusControl.get());
  EXPECT_TRUE(a->HasFocus);
  EXPECT_TRUE(b->HasFocus);
  EXPECT_EQ(focused, a);
  a->FocusControl->OnExit(a->FocusControl.get());
  EXPECT_FALSE(b->HasFocus);

  // Keys reach the viewer's link handling.
  uint16_t seen = 0;
  document.OnLinkKey = [&](TFontObj& run, uint16_t& key, uint32_t) {
    EXPECT_EQ(&run, a);
    seen = key;
  };
  uint16_t key = VK_RETURN;
  a->FocusControl->OnKeyDown(a->FocusControl.get(), key, 0);
  EXPECT_EQ(seen, VK_RETURN);

  // Line layout records the link's first line on the run with the tab stop.
  SetLinkTop(*b, 140);
  EXPECT_EQ(a->LinkTop, 140);
  SetLinkTop(*a, 120);
  EXPECT_EQ(a->LinkTop, 120);
}

TEST_F(FontRunsTest, TabIndexesAreFiledInTheirOrder) {
  TFontObj* first = AddRun(0, 1);
  TFontObj* second = AddRun(4, 2);
  first->CreateFocusControl(2);
  second->CreateFocusControl(1);
  ASSERT_EQ(document.TabOrderList.Count(), 2);
  EXPECT_EQ(document.TabOrderList.Get(0), u"00000000010000000001");
  EXPECT_EQ(document.TabOrderList.Get(1), u"00000000020000000000");
  EXPECT_EQ(document.TabOrderList.Objects(0), static_cast<TTabOrderTarget*>(second->FocusControl.get()));

  // A run that goes takes its tab stop out of the tab order and leaves the link list.
  document.HoverLink = second;
  runs.Remove(second);
  EXPECT_EQ(document.TabOrderList.Count(), 1);
  EXPECT_EQ(document.LinkList.IndexOf(second), -1);
  EXPECT_EQ(document.HoverLink, nullptr);
}

TEST_F(FontRunsTest, DeletingACharacterMergesRunsAndPassesTheTabStopOn) {
  TFontObj* plain = AddRun(0);
  TFontObj* a = AddRun(4, 5);
  TFontObj* b = AddRun(5, 5);
  TFontObj* c = AddRun(9);
  a->CreateFocusControl(3);
  ThtTabControl* stop = a->FocusControl.get();
  runs.RemoveCharAt(4, document);  // run a becomes empty: b starts where a started
  ASSERT_EQ(runs.Count(), 3);
  EXPECT_EQ(runs.Items(0), plain);
  EXPECT_EQ(runs.Items(1), b);
  EXPECT_EQ(runs.Items(2), c);
  EXPECT_EQ(b->StartPos, 4);
  EXPECT_EQ(c->StartPos, 8);
  EXPECT_EQ(b->FocusControl.get(), stop);  // same link: the later run keeps the tab stop
  EXPECT_EQ(document.TabOrderList.Count(), 1);
  EXPECT_EQ(document.LinkList.Count(), 1);
  b->FocusControl->OnEnter(stop);  // its events now reach the run that holds it
  EXPECT_TRUE(b->HasFocus);

  // A different link: the tab stop goes with its run.
  TFontObj* d = AddRun(9, 6);
  AddRun(10, 7);
  d->CreateFocusControl(4);
  EXPECT_EQ(document.TabOrderList.Count(), 2);
  runs.RemoveCharAt(9, document);
  EXPECT_EQ(document.TabOrderList.Count(), 1);
  EXPECT_EQ(document.LinkList.Count(), 2);
}

TEST_F(FontRunsTest, PrintingCopyTakesTheLinkFontOnly) {
  TFontObj* link = AddRun(3, 9);
  link->ScriptKind = 9;
  link->SetHovered(true);
  link->CreateFocusControl(0);
  const TFontList* copy = &CopyRuns();
  ASSERT_EQ(copy->Count(), 1);
  const TFontObj& run = *copy->Items(0);
  EXPECT_EQ(run.StartPos, 3);
  EXPECT_EQ(run.ScriptKind, 9);
  EXPECT_EQ(run.RunFont->Style(), fsUnderline);  // the plain link font, not the hover font
  EXPECT_EQ(run.GetUrl(), u"http://127.0.0.1/page");
  EXPECT_NE(run.LinkTarget, link->LinkTarget);
  EXPECT_EQ(run.StateInfos, nullptr);
  EXPECT_EQ(run.FocusControl, nullptr);
}

TEST_F(FontRunsTest, RunsOutsideLinksShareNoTargetThatALinkChanges) {
  // Plain runs share one empty link target; copying a link into one gives it its own, and
  // the others, and their printing copies, stay outside any link.
  TFontObj* first = AddRun(0);
  TFontObj* second = AddRun(4);
  TFontObj* third = AddRun(8);
  EXPECT_EQ(first->LinkTarget, second->LinkTarget);
  TUrlTarget link;
  link.LinkUrl = u"http://127.0.0.1/linked";
  link.Serial = 42;
  second->CopyLinkTarget(link);
  third->CopyLinkTarget(*first->LinkTarget);
  EXPECT_NE(second->LinkTarget, first->LinkTarget);
  EXPECT_EQ(second->GetUrl(), u"http://127.0.0.1/linked");
  EXPECT_EQ(first->GetUrl(), u"");
  EXPECT_EQ(third->GetUrl(), u"");
  EXPECT_EQ(first->LinkTarget->Serial, 0);
  EXPECT_FALSE(first->SameLink(*second));
  const TFontList* copy = &CopyRuns();
  ASSERT_EQ(copy->Count(), 3);
  EXPECT_EQ(copy->Items(0)->GetUrl(), u"");
  EXPECT_EQ(copy->Items(1)->GetUrl(), u"http://127.0.0.1/linked");
  EXPECT_EQ(copy->Items(1)->LinkTarget->Serial, 42);
  EXPECT_NE(copy->Items(1)->LinkTarget, second->LinkTarget);
  // A link copied over a run that has its own target replaces it.
  second->CopyLinkTarget(*first->LinkTarget);
  EXPECT_EQ(second->GetUrl(), u"");
}

TEST_F(FontRunsTest, RunsShareEqualFontsAndAStateChangesOnlyItsRunsFont) {
  TFontObj* plain = AddRun(0);
  TFontObj* samePlain = AddRun(2);
  TFontObj* firstLink = AddRun(4, 7);
  TFontObj* secondLink = AddRun(8, 7);
  runs.Add(new TFontObj(&section, 12, MakeFont(u"Arial", -20)));
  TFontObj* larger = runs.Items(4);
  EXPECT_EQ(plain->RunFont, samePlain->RunFont);
  EXPECT_EQ(plain->RunFont, firstLink->RunFont);
  EXPECT_NE(plain->RunFont, larger->RunFont);
  EXPECT_EQ(document.SharedFonts.Count(), 2u);

  // Hovering one link gives that run the bold hover font; the runs that shared its font
  // keep theirs.
  firstLink->SetHovered(true);
  EXPECT_EQ(firstLink->RunFont->Style(), fsBold);
  EXPECT_EQ(secondLink->RunFont->Style(), 0);
  EXPECT_EQ(plain->RunFont->Style(), 0);
  EXPECT_EQ(plain->RunFont->Height(), -16);
  secondLink->SetHovered(true);
  EXPECT_EQ(secondLink->RunFont, firstLink->RunFont);
  firstLink->SetHovered(false);
  EXPECT_EQ(firstLink->RunFont->Style(), fsUnderline);
  EXPECT_EQ(secondLink->RunFont->Style(), fsBold);

  // A run without a document keeps a font of its own.
  TFontObj alone(nullptr, 0, MakeFont(u"Arial", -16));
  EXPECT_NE(alone.RunFont, plain->RunFont);
  EXPECT_EQ(alone.RunFont->Height(), -16);
}

TEST(CompareWideText, IgnoresCase) {
  EXPECT_EQ(CompareWideText(u"Ärger", u"äRGER"), 0);
  EXPECT_NE(CompareWideText(u"a", u"b"), 0);
}
}  // namespace
