// Images, panels and form controls found by the position of their placeholder character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/document/floats/FloatingObjList.h"
#include "html/document/forms/FormControlList.h"
#include "html/document/inline/BreakChars.h"
#include "html/document/inline/Section.h"
#include "html/document/model/Sentinels.h"
#include "tests/html/document/parser/ParsedDocument.h"
#include "tests/support/RepeatedText.h"

namespace {

struct Box : TFloatingObj {
  explicit Box(int position) : TFloatingObj(nullptr) { CharPos = position; }
  void MeasureBox(TCanvas&, int, int, TFontObj*) override {}
};

std::vector<int> Positions(const TFloatingObjList& list) {
  std::vector<int> positions;
  for (int i = 0; i < list.Count(); ++i) positions.push_back(list.Items(i)->CharPos);
  return positions;
}

TEST(PlaceholderLookup, ObjectsByPosition) {
  TFloatingObjList list;
  for (int position : {1, 4, 4, 9}) list.Add(new Box(position));
  struct {
    int Position;
    int Found;  // index in the list, -1 for none
    int Distance;
  } cases[] = {{-3, -1, 4},  {0, -1, 1}, {1, 0, 0}, {2, -1, 2}, {4, 1, 0},
               {5, -1, 4},   {9, 3, 0},  {10, -1, NothingFollows}};
  for (const auto& c : cases) {
    EXPECT_EQ(list.FindAt(c.Position), c.Found < 0 ? nullptr : list.Items(c.Found)) << c.Position;
    EXPECT_EQ(list.DistanceToNext(c.Position), c.Distance) << c.Position;
  }
  list.RemoveCharAt(4);
  EXPECT_EQ(Positions(list), (std::vector<int>{1, 4, 4, 8}));
  list.RemoveCharAt(0);
  EXPECT_EQ(Positions(list), (std::vector<int>{0, 3, 3, 7}));

  const TFloatingObjList empty;
  EXPECT_EQ(empty.FindAt(0), nullptr);
  EXPECT_EQ(empty.DistanceToNext(0), NothingFollows);
}

TEST(PlaceholderLookup, HalfAMillionObjectsInOneSection) {
  // Looked up one by one from the front, every lookup used to walk the list from its start:
  // about 10^11 steps here.
  constexpr int objects = 500000;
  TFloatingObjList list;
  for (int i = 0; i < objects; ++i) list.Add(new Box(2 * i));
  int found = 0, between = 0;
  for (int position = 0; position < 2 * objects; ++position) {
    const TFloatingObj* object = list.FindAt(position);
    if (object && object->CharPos == position) ++found;
    const int next = position == 2 * objects - 1 ? NothingFollows : position % 2;
    if (list.DistanceToNext(position) == next) ++between;
  }
  EXPECT_EQ(found, objects);
  EXPECT_EQ(between, 2 * objects);
}

// Every placeholder character of a parsed section leads to its object or control, and
// nothing else does, after white space folding moved them.
TEST(PlaceholderLookup, PlaceholdersOfParsedSections) {
  const std::string cases[] = {
      "<p>  a <img>  <img>\n\n b <input> <input>c<select><option>x</select> <img align=left>  "
      "<textarea>t</textarea>\t <img>d <input type=hidden name=h> <input type=checkbox> <input type=file>",
      "<p><input><img><input><img><img align=right><input>",
      "<p>" + Repeated("<img width=3>  x \n <input size=2>  <b>y</b> ", 300),
  };
  for (const std::string& html : cases) {
    TParsedDocument parsed(html);
    parsed.Parse();
    std::vector<const TSection*> sections;
    CollectSections(parsed.document, sections);
    ASSERT_FALSE(sections.empty()) << html;
    for (const TSection* section : sections) {
      const String& text = section->Text;
      const int length = static_cast<int>(text.size());
      int nextObject = NothingFollows, nextControl = 9999;
      for (int i = length; i >= 0; --i) {
        const bool object = i < length && text[i] == ObjectChar;
        const bool control = i < length && text[i] == FormControlChar;
        if (object) nextObject = i;
        if (control) nextControl = i;
        const TFloatingObj* found = section->FloatingObjects().FindAt(i);
        const TFormControlObj* foundControl = section->FormControls().ControlAt(i);
        ASSERT_EQ(found != nullptr, object) << html << " at " << i;
        ASSERT_EQ(foundControl != nullptr, control) << html << " at " << i;
        if (found) {
          EXPECT_EQ(found->CharPos, i);
        }
        if (foundControl) {
          EXPECT_EQ(foundControl->CharPos, i);
        }
        EXPECT_EQ(section->FloatingObjects().DistanceToNext(i), nextObject == NothingFollows ? nextObject : nextObject - i);
        EXPECT_EQ(section->FormControls().DistanceToNextControl(i), nextControl == 9999 ? 9999 : nextControl - i);
      }
    }
  }
}

}  // namespace
