// Form fields made from their tags: window kind, size from the font, initial state and
// submission; reset, submit, radio groups, tab order, key handling and clamped sizes.
#include <gtest/gtest.h>

#include <functional>

#include "html/document/floats/ImageObj.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/document/forms/FormFixture.h"

namespace {

// What a field's size is made of in its window font.
struct Metrics {
  int Average;  // the font's average character width
  int A;        // text height of "A"
  int S;        // text width of "s"
  std::function<int(const String&)> Width;
};

struct FieldCase {
  const char* Label;
  const char16_t* Tag;
  const char16_t* Attributes;
  const char16_t* Style;
  const char16_t* Content;
  std::function<TSize(const Metrics&)> Size;  // of the window
  const char16_t* Submission;                 // the submitted lines joined by "|"
};

constexpr int Bar = SystemScrollBarWidth;

struct FormFieldsTest : FormFixture {};

TEST_F(FormFieldsTest, EachFieldGetsItsWindowSizeAndInitialSubmission) {
  const FieldCase cases[] = {
      {"text, SIZE 20", u"input", u"type=text name=q size=20 value=abc", u"", u"",
       [](const Metrics& m) { return TSize{m.Average * 20 + 23, std::max(m.A, 21)}; }, u"q=abc"},
      {"SIZE with a comma", u"input", u"name=q size='30, 2'", u"", u"",
       [](const Metrics& m) { return TSize{m.Average * 30 + 23, std::max(m.A, 21)}; }, u"q="},
      {"no SIZE", u"input", u"name=q", u"", u"",
       [](const Metrics& m) { return TSize{m.Average * 15 + 23, std::max(m.A, 21)}; }, u"q="},
      {"huge SIZE is clamped", u"input", u"name=q size=2000000000", u"", u"",
       [](const Metrics& m) { return TSize{m.Average * 10000 + 23, std::max(m.A, 21)}; }, u"q="},
      {"style width and height", u"input", u"name=q", u"width: 80px; height: 40px", u"",
       [](const Metrics&) { return TSize{80, 40}; }, u"q="},
      {"password", u"input", u"type=password name=p value=secret", u"", u"",
       [](const Metrics& m) { return TSize{m.Average * 15 + 23, std::max(m.A, 21)}; }, u"p=secret"},
      {"submit", u"input", u"type=submit name=go", u"", u"",
       [](const Metrics& m) { return TSize{m.Width(u"Submit") + 20, m.A + 8}; }, u""},
      {"reset", u"input", u"type=reset", u"", u"",
       [](const Metrics& m) { return TSize{m.Width(u"Reset") + 20, m.A + 8}; }, u""},
      {"button with a value", u"input", u"type=button value=Go", u"", u"",
       [](const Metrics& m) { return TSize{m.Width(u"Go") + 20, m.A + 8}; }, u""},
      {"checked check box", u"input", u"type=checkbox name=c checked", u"", u"",
       [](const Metrics&) { return TSize{13, 13}; }, u"c=on"},
      {"unchecked check box", u"input", u"type=checkbox name=c value=yes", u"", u"",
       [](const Metrics&) { return TSize{13, 13}; }, u""},
      {"checked radio button", u"input", u"type=radio name=r value=1 checked", u"", u"",
       [](const Metrics&) { return TSize{13, 14}; }, u"r=1"},
      {"hidden", u"input", u"type=hidden name=h value='x y'", u"", u"", nullptr, u"h=x y"},
      {"hidden without a name", u"input", u"type=hidden value=v", u"", u"", nullptr, u"=v"},
      {"drop-down with a selected option", u"select", u"name=s", u"", u"a|bbbbbb*|c",
       [](const Metrics& m) { return TSize{Bar + m.Width(u"bbbbbb") + 10, 21}; }, u"s=bbbbbb"},
      {"drop-down without a selection", u"select", u"name=s", u"", u"one|two",
       [](const Metrics& m) { return TSize{Bar + m.Width(u"one") + 10, 21}; }, u"s=one"},
      {"two selected in a single choice: the second", u"select", u"name=s", u"", u"a*|b*|c",
       [](const Metrics& m) { return TSize{Bar + m.Width(u"a") + 10, 21}; }, u"s=b"},
      {"option values, empty value and empty text", u"select", u"name=s", u"", u"x=1|y=*|",
       [](const Metrics& m) { return TSize{Bar + m.Width(u"x") + 10, 21}; }, u"s=y"},
      {"multiple list with two selected", u"select", u"name=m multiple", u"", u"a*|b|c*",
       [](const Metrics& m) { return TSize{Bar + m.Width(u"a") + 10, 3 * m.A + 4}; }, u"m=a|m=c"},
      {"list of SIZE 2", u"select", u"name=l size=2", u"", u"a|b|c",
       [](const Metrics& m) { return TSize{Bar + m.Width(u"a") + 10, 2 * m.A + 4}; }, u"l=a"},
      {"list of 20 options: 8 lines", u"select", u"name=l multiple", u"",
       u"a|b|c|d|e|f|g|h|i|j|k|l|m|n|o|p|q|r|s|t",
       [](const Metrics& m) { return TSize{Bar + m.Width(u"m") + 10, 8 * m.A + 4}; }, u""},
      {"list without options: 1 line", u"select", u"name=l multiple", u"", u"",
       [](const Metrics& m) { return TSize{Bar + 3 + 10, m.A + 4}; }, u""},
      {"huge list SIZE is clamped", u"select", u"name=l size=2000000000", u"", u"a",
       [](const Metrics& m) { return TSize{Bar + m.Width(u"a") + 10, 10000 * m.A + 4}; }, u"l=a"},
      {"text area of 3 rows and 10 columns", u"textarea", u"name=t rows=3 cols=10", u"", u"hello\r\nworld",
       [](const Metrics& m) { return TSize{10 * m.S + 5 + 4 + Bar, 3 * m.A + 5 + 4}; }, u"t=hello\r\nworld"},
      {"text area without wrapping has both bars", u"textarea", u"name=t wrap=off", u"", u"x",
       [](const Metrics& m) { return TSize{30 * m.S + 5 + 4 + Bar, 5 * m.A + 5 + 4 + Bar}; }, u"t=x"},
      {"huge ROWS and COLS are clamped", u"textarea", u"name=t rows=2000000000 cols=2000000000", u"", u"",
       [](const Metrics& m) { return TSize{10000 * m.S + 5 + 4 + Bar, 10000 * m.A + 5 + 4}; }, u"t="},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.Label);
    document.Clear();
    TFormControlObj* control = Only(c.Tag, c.Attributes, c.Style, c.Content);
    ASSERT_NE(control, nullptr);
    LayOut(50000);
    if (c.Size) {
      TWinControl* window = control->Window();
      ASSERT_NE(window, nullptr);
      canvas.Font().Assign(window->Font());
      const Metrics m{TextHeightA(*window) > 0 ? canvas.Handle().GetTextMetrics().tmAveCharWidth : 0,
                      TextHeightA(*window), canvas.TextWidth(u"s"),
                      [&](const String& text) { return canvas.TextWidth(text); }};
      const TSize expected = c.Size(m);
      EXPECT_EQ(window->Width(), expected.cx);
      EXPECT_EQ(window->Height(), expected.cy);
      EXPECT_FALSE(window->Visible());  // shown only where its line is painted
    } else {
      EXPECT_EQ(control->Window(), nullptr);
    }
    EXPECT_EQ((Submitted(*control->Form)), String(c.Submission));
  }
}

TEST_F(FormFieldsTest, FileFieldIsAnEditWithABrowseButtonThatFillsIt) {
  auto line = Line();
  auto* edit = dynamic_cast<TEditFormControlObj*>(Field(*line, u"input", u"type=file name=f id=pick"));
  Close(std::move(line));
  ASSERT_NE(edit, nullptr);
  ASSERT_EQ(edit->Form->ControlList.Count(), 2);
  auto* browse = dynamic_cast<TButtonFormControlObj*>(edit->Form->ControlList.Items(1));
  ASSERT_NE(browse, nullptr);
  EXPECT_EQ(browse->Button->Caption(), u"Browse...");
  EXPECT_EQ(browse->Name, u"");
  EXPECT_EQ(document.IdList.Find(u"pick"), edit);
  document.OnFileBrowse = [](TFormControlObj&, String& name) { name += u"/chosen.txt"; };
  edit->Edit->SetText(u"/home");
  browse->Button->Click();
  EXPECT_EQ((Submitted(*edit->Form)), u"f=/home/chosen.txt");
}

TEST_F(FormFieldsTest, MaxLengthReachesTheEditClamped) {
  for (const auto& [attributes, expected] : std::vector<std::pair<String, int>>{
           {u"name=a maxlength=5", 5}, {u"name=a maxlength=2000000000", 10000}, {u"name=a maxlength=0", 0},
           {u"name=a maxlength=-3", 0}, {u"name=a", 0}}) {
    auto line = Line();
    auto* edit = dynamic_cast<TEditFormControlObj*>(Field(*line, u"input", attributes));
    Close(std::move(line));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Edit->MaxLength(), expected) << StringToUtf8(attributes);
  }
}

TEST_F(FormFieldsTest, FormAttributesAndTheImplicitForm) {
  auto attributes = Attributes(u"action=/a method=post action=/b target=_top enctype=text/plain");
  document.CurrentForm = new ThtmlForm(&document, attributes.get());
  EXPECT_EQ(document.CurrentForm->Action, u"/b");  // the last one wins
  EXPECT_EQ(document.CurrentForm->Method, u"post");
  EXPECT_EQ(document.CurrentForm->Target, u"_top");
  EXPECT_EQ(document.CurrentForm->EncType, u"text/plain");
  auto* withoutMethod = new ThtmlForm(&document, nullptr);
  EXPECT_EQ(withoutMethod->Method, u"Get");

  // Fields outside any form share one implicit form, until the next FORM.
  document.CurrentForm = nullptr;
  TFormControlObj* a = Only(u"input", u"name=a");
  TFormControlObj* b = Only(u"input", u"type=checkbox name=b checked");
  EXPECT_EQ(a->Form, b->Form);
  EXPECT_EQ(a->Form->Action, u"");
  EXPECT_EQ(a->Form->Method, u"Get");
  EXPECT_EQ(a->Form->NonHiddenCount, 2);
  Only(u"input", u"type=hidden name=h");
  EXPECT_EQ(a->Form->NonHiddenCount, 2);
  EXPECT_EQ(document.FormList.Count(), 3);
}

TEST_F(FormFieldsTest, SubmitSkipsDisabledFieldsAndAddsThePressedButtonLast) {
  Only(u"input", u"name=a value=1 disabled");
  Only(u"input", u"name=b value=2 disabled=no");
  Only(u"input", u"name=c value=3 disabled=0");
  Only(u"input", u"name=d value=4 disabled=yes");
  auto* named = Only<TButtonFormControlObj>(u"input", u"type=submit name=go value=Send");
  auto* unnamed = Only<TButtonFormControlObj>(u"input", u"type=submit");
  ThtmlForm& form = *named->Form;

  String action, method;
  TStringList lines;
  document.OnFormSubmit = [&](const String& a, const String&, const String&, const String& m,
                              std::unique_ptr<TStringList> results) {
    action = a;
    method = m;
    lines.Assign(*results);
  };
  named->Button->Click();
  EXPECT_EQ(Joined(lines), u"b=2|c=3|go=Send");
  EXPECT_EQ(method, u"Get");
  unnamed->Button->Click();
  EXPECT_EQ(Joined(lines), u"b=2|c=3");
  // The saved form data has the disabled fields too.
  EXPECT_EQ(Joined(*form.GetFormData()), u"a=1|b=2|c=3|d=4");

  // Without a receiver nothing is collected and nothing fails.
  document.OnFormSubmit = nullptr;
  named->Button->Click();
}

TEST_F(FormFieldsTest, ResetRestoresEveryInitialState) {
  auto* edit = Only<TEditFormControlObj>(u"input", u"name=e value=start");
  auto* check = Only<TCheckBoxFormControlObj>(u"input", u"type=checkbox name=c checked");
  auto* radioA = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=r value=a checked");
  auto* radioB = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=r value=b");
  auto* combo = Only<TComboFormControlObj>(u"select", u"name=s", u"", u"x|y*|z");
  auto* list = Only<TListBoxFormControlObj>(u"select", u"name=m multiple", u"", u"p*|q|r*");
  auto* area = Only<TTextAreaFormControlObj>(u"textarea", u"name=t", u"", u"first\r\nsecond");
  auto* reset = Only<TButtonFormControlObj>(u"input", u"type=reset");
  ThtmlForm& form = *edit->Form;
  const String initial = Joined(*form.GetFormData());
  EXPECT_EQ(initial, u"e=start|c=on|r=a|s=y|m=p|m=r|t=first\r\nsecond");

  edit->Edit->UserSetText(u"typed");
  check->CheckBox->Click();
  radioB->RadioButton->Click();
  combo->ComboBox->UserSelect(2);
  list->ListBox->UserSelect(0, false);
  list->ListBox->UserSelect(1, true);
  area->Memo->UserSetText(u"changed");
  EXPECT_EQ(Joined(*form.GetFormData()), u"e=typed|r=b|s=z|m=q|m=r|t=changed");
  EXPECT_FALSE(radioA->Checked());

  reset->Button->Click();
  EXPECT_EQ(Joined(*form.GetFormData()), initial);
  EXPECT_TRUE(radioA->Checked());
  EXPECT_FALSE(radioB->Checked());
}

TEST_F(FormFieldsTest, RadioGroupsByNameIgnoringCaseWithinOneForm) {
  auto* first = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=Size value=s checked");
  auto* second = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=SIZE value=m checked");
  auto* third = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=size value=l");
  auto* other = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=colour value=red checked");
  // Two checked: the later one stays; an unchecked later member is no tab stop.
  EXPECT_FALSE(first->Checked());
  EXPECT_FALSE(first->IsChecked);
  EXPECT_TRUE(second->Checked());
  EXPECT_FALSE(first->GetTabStop());
  EXPECT_TRUE(second->GetTabStop());
  EXPECT_FALSE(third->GetTabStop());
  EXPECT_TRUE(other->Checked());

  TStringList changes;
  document.OnObjectChange = [&](TFormControlObj& control, const String&) { changes.Add(control.Value); };
  second->OnChangeText = u"changed()";
  second->SaveContents();
  third->RadioButton->Click();
  EXPECT_TRUE(third->Checked());
  EXPECT_TRUE(third->GetTabStop());
  EXPECT_FALSE(second->Checked());
  EXPECT_FALSE(second->GetTabStop());
  EXPECT_TRUE(other->Checked());  // another group
  EXPECT_EQ(Joined(changes), u"m");
  EXPECT_EQ((Submitted(*third->Form)), u"size=l|colour=red");

  // A button of the same name in another form is another group.
  document.CurrentForm = new ThtmlForm(&document, nullptr);
  auto* elsewhere = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=size value=x checked");
  EXPECT_TRUE(elsewhere->Checked());
  EXPECT_TRUE(third->Checked());
}

TEST_F(FormFieldsTest, ImageFieldSubmitsItsClickPointOnce) {
  auto* named = Only<TImageFormControlObj>(u"input", u"type=image name=map src=x.png");
  ASSERT_NE(named->ImageObj, nullptr);
  EXPECT_EQ(named->ImageObj->FormControl, named);
  EXPECT_EQ(named->GetSubmission(0, *std::make_unique<String>()), false);  // no click yet
  TStringList lines;
  document.OnFormSubmit = [&](const String&, const String&, const String&, const String&,
                              std::unique_ptr<TStringList> results) { lines.Assign(*results); };
  named->ClickX = 10;
  named->ClickY = 20;
  named->ImageClick();
  EXPECT_EQ(Joined(lines), u"map.x=10|map.y=20");
  EXPECT_EQ(Joined(*named->Form->GetFormData()), u"");  // submitted once

  document.CurrentForm = new ThtmlForm(&document, nullptr);
  auto* unnamed = Only<TImageFormControlObj>(u"input", u"type=image src=x.png");
  unnamed->ClickX = 3;
  unnamed->ClickY = 4;
  unnamed->ImageClick();
  EXPECT_EQ(Joined(lines), u"x=3|y=4");
}

TEST_F(FormFieldsTest, EnterSubmitsFromAnEditButNotFromATextArea) {
  auto* edit = Only<TEditFormControlObj>(u"input", u"name=e value=1");
  auto* area = Only<TTextAreaFormControlObj>(u"textarea", u"name=t");
  int submitted = 0;
  document.OnFormSubmit = [&](const String&, const String&, const String&, const String&,
                              std::unique_ptr<TStringList>) { ++submitted; };
  Char key = u'\r';
  edit->Edit->KeyPress(key);
  EXPECT_EQ(submitted, 1);
  EXPECT_EQ(key, 0);  // swallowed
  key = u'\r';
  area->Memo->KeyPress(key);
  EXPECT_EQ(submitted, 1);
  EXPECT_EQ(key, u'\r');
}

TEST_F(FormFieldsTest, ListBoxChangeIsSeenOnEveryItem) {
  String options;
  for (int i = 0; i < 60; ++i) options += (i ? u"|" : u"") + String(1, static_cast<Char>(u'A' + i % 26));
  auto* list = Only<TListBoxFormControlObj>(u"select", u"name=m multiple onchange=x()", u"", options);
  int changes = 0;
  document.OnObjectChange = [&](TFormControlObj&, const String&) { ++changes; };
  list->FormControlEnter();
  list->ListBox->UserSelect(55, true);  // beyond the first 51 items
  list->FormControlExit();
  EXPECT_EQ(changes, 1);
  list->FormControlEnter();
  list->FormControlExit();
  EXPECT_EQ(changes, 1);
}

TEST_F(FormFieldsTest, HardWrappedTextAreaSubmitsTheLinesAsShown) {
  auto* hard = Only<TTextAreaFormControlObj>(u"textarea", u"name=t cols=10 wrap=hard", u"", u"one two three four five");
  auto* soft = Only<TTextAreaFormControlObj>(u"textarea", u"name=u cols=10", u"", u"one two three four five");
  LayOut();
  const String submitted = Submitted(*hard->Form);
  const size_t bar = submitted.find(u'|');
  ASSERT_NE(bar, String::npos);
  const String shown = submitted.substr(2, bar - 2);
  EXPECT_NE(shown.find(u"\r\n"), String::npos);
  String joined = shown;
  for (size_t at; (at = joined.find(u"\r\n")) != String::npos;) joined.erase(at, 2);
  EXPECT_EQ(joined, u"one two three four five");  // nothing lost, breaks added
  for (String part : hard->DisplayedLines(canvas)) {
    while (!part.empty() && part.back() == u' ') part.pop_back();  // a blank at the break is not seen
    EXPECT_LE(canvas.TextWidth(part), 10 * canvas.TextWidth(u"s") + 5);
  }
  EXPECT_EQ(submitted.substr(bar + 1), u"u=one two three four five");
  EXPECT_FALSE(soft->Memo->ScrollBars() == TScrollStyle::ssBoth);
}

// The fields on a paint panel of a window: tab order and keyboard.
struct WindowedFormTest : FormFixture {
  TApplication app;
  TForm* window = nullptr;
  TCustomControl* panel = nullptr;
  void SetUp() override {
    FormFixture::SetUp();
    app.CreateForm(window);
    panel = new TCustomControl(window);
    panel->SetParent(window);
    document.PaintPanel = panel;
    window->Show();
  }
  void TearDown() override { document.Clear(); }
};

TEST_F(WindowedFormTest, TabOrderIsByNumericTabIndexThenDocumentOrder) {
  auto* big = Only(u"input", u"name=big tabindex=100000");
  auto* two = Only(u"input", u"name=two tabindex=2");
  auto* none = Only(u"input", u"name=none tabindex=0");
  auto* near = Only(u"input", u"name=near tabindex=99999");
  auto* twoAgain = Only(u"input", u"name=twoAgain tabindex=2");
  EXPECT_EQ(document.TabOrderList.Count(), 4);  // TABINDEX 0 takes no place
  LayOut();
  EXPECT_EQ(two->GetTabOrder(), 0);
  EXPECT_EQ(twoAgain->GetTabOrder(), 1);
  EXPECT_EQ(near->GetTabOrder(), 2);
  EXPECT_EQ(big->GetTabOrder(), 3);
  EXPECT_GT(none->GetTabOrder(), 3);
  EXPECT_EQ(document.TabOrderList.Count(), 0);
}

TEST_F(WindowedFormTest, ArrowKeysMoveWithinTheRadioGroupWithoutWrapping) {
  auto* a = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=g value=a");
  auto* x = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=other value=x");
  auto* b = Only<TRadioButtonFormControlObj>(u"input", u"type=radio name=G value=b");
  auto* check = Only<TCheckBoxFormControlObj>(u"input", u"type=checkbox name=c");
  for (TFormControlObj* c : {static_cast<TFormControlObj*>(a), static_cast<TFormControlObj*>(x),
                             static_cast<TFormControlObj*>(b), static_cast<TFormControlObj*>(check)})
    c->Show();
  std::vector<uint16_t> viewerKeys;
  document.OnControlKeyDown = [&](uint16_t& key, TShiftState) { viewerKeys.push_back(key); };
  a->RadioButton->SetFocus();
  uint16_t key = VK_RIGHT;
  a->RadioButton->KeyDown(key, 0);
  EXPECT_TRUE(b->RadioButton->Focused());  // the next member, over the other group
  key = VK_DOWN;
  b->RadioButton->KeyDown(key, 0);
  EXPECT_TRUE(b->RadioButton->Focused());  // the end: no wrap
  key = VK_UP;
  b->RadioButton->KeyDown(key, 0);
  EXPECT_TRUE(a->RadioButton->Focused());
  EXPECT_TRUE(viewerKeys.empty());
  key = VK_SPACE;
  a->RadioButton->KeyDown(key, 0);
  key = VK_RIGHT;
  check->CheckBox->KeyDown(key, 0);  // arrows of a check box are the viewer's
  EXPECT_EQ(viewerKeys, (std::vector<uint16_t>{VK_SPACE, VK_RIGHT}));
}

TEST_F(WindowedFormTest, PaintedFieldsShowTheirWindowsInTheirLine) {
  auto line = Line();
  Text(*line, u"Name: ");
  auto* edit = dynamic_cast<TEditFormControlObj*>(Field(*line, u"input", u"name=n value=x"));
  Text(*line, u" ");
  auto* check = dynamic_cast<TCheckBoxFormControlObj*>(Field(*line, u"input", u"type=checkbox name=c"));
  TSection& section = Close(std::move(line));
  LayOut(400);
  TBitmap picture(400, 100, pf24bit);
  document.Draw(picture.Canvas(), TRect{0, 0, 400, 100}, 400, 0, 0, 0, 0);
  ASSERT_TRUE(edit->Shown);
  EXPECT_TRUE(edit->Edit->Visible());
  EXPECT_EQ(edit->Edit->Left(), section.TextWidthOf(canvas, 0, 6, false));
  EXPECT_EQ(check->CheckBox->Left(), edit->Edit->Left() + edit->Edit->Width() + section.TextWidthOf(canvas, 7, 1, false));
  // Both stand on the line: the edit from the line top (its 1-pixel margin) down.
  EXPECT_EQ(edit->Edit->Top(), 1);
  EXPECT_EQ(edit->YValue, 0);
  EXPECT_GT(section.SectionHeight, edit->Edit->Height());
  EXPECT_LE(check->CheckBox->Top() + 13, section.SectionHeight);

  // Scrolled out of view: the next paint leaves them off-screen but reachable by Tab.
  document.SetYOffset(500);
  document.Draw(picture.Canvas(), TRect{0, 0, 400, 100}, 400, 0, 0, 0, 0);
  EXPECT_FALSE(edit->Shown);
  EXPECT_EQ(edit->Edit->Left(), OffScreenX);
  EXPECT_TRUE(edit->Edit->Visible());
}

}  // namespace
