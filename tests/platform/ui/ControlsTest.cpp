#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/CategoryPanels.h"
#include "platform/ui/controls/CheckBoxes.h"
#include "platform/ui/controls/Edits.h"
#include "platform/ui/controls/ListControls.h"
#include "platform/ui/controls/PageControl.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/menus/Menus.h"
#include "tests/support/CaseNames.h"

namespace {

struct ControlsFixture : ::testing::Test {
  TApplication app;
  TForm* form = nullptr;
  void SetUp() override { app.CreateForm(form); }

  template <class T>
  T* Add(TWinControl* parent) {
    T* c = new T(form);
    c->SetParent(parent);
    return c;
  }
};

TEST_F(ControlsFixture, OwnerFreesWhatItOwnsAndAChildFreedFirstLeavesItsParent) {
  auto* panel = Add<TPanel>(form);
  auto* edit = Add<TEdit>(panel);
  EXPECT_EQ(panel->ControlCount(), 1);
  delete edit;
  EXPECT_EQ(panel->ControlCount(), 0);
  EXPECT_EQ(form->ComponentCount(), 1);
  // The form frees the panel with the application; ASan reports any double free.
}

TEST_F(ControlsFixture, RadioButtonsAreExclusiveAmongSiblingsOnly) {
  auto* groupA = Add<TPanel>(form);
  auto* groupB = Add<TPanel>(form);
  TRadioButton* a[3] = {Add<TRadioButton>(groupA), Add<TRadioButton>(groupA), Add<TRadioButton>(groupA)};
  auto* other = Add<TRadioButton>(groupB);
  for (auto* r : a) EXPECT_FALSE(r->Checked());  // none checked at start

  other->SetChecked(true);
  a[1]->SetChecked(true);
  a[2]->Click();
  EXPECT_FALSE(a[0]->Checked());
  EXPECT_FALSE(a[1]->Checked());
  EXPECT_TRUE(a[2]->Checked());
  EXPECT_TRUE(other->Checked());

  a[2]->SetChecked(false);  // code may leave a group with none checked
  for (auto* r : a) EXPECT_FALSE(r->Checked());
}

TEST_F(ControlsFixture, CheckBoxTogglesOnClick) {
  auto* box = Add<TCheckBox>(form);
  int clicks = 0;
  box->OnClick = [&](TComponent*) { ++clicks; };
  box->Click();
  EXPECT_TRUE(box->Checked());
  box->SetChecked(false);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsFixture, ComboOnChangeOnlyForTheUsersEdits) {
  auto* combo = Add<TComboBox>(form);
  combo->Items().SetText(u"alpha\r\nbeta\r\n");
  std::vector<String> seen;
  combo->OnChange = [&](TComponent* s) { seen.push_back(static_cast<TComboBox*>(s)->Text()); };

  combo->SetText(u"projekte");
  combo->SetItemIndex(1);
  combo->Items().Add(u"gamma");
  EXPECT_TRUE(seen.empty());

  combo->UserSetText(u"a");
  combo->UserSetText(u"al");
  combo->UserSelect(0);
  EXPECT_EQ(seen, (std::vector<String>{u"a", u"al", u"alpha"}));
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ControlsFixture, ComboItemIndexAndDropDownList) {
  auto* combo = Add<TComboBox>(form);
  combo->Items().SetText(u"A4\r\nA5\r\n");
  combo->SetText(u"A5");
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetText(u"frei");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), u"frei");

  combo->SetStyle(TComboBoxStyle::csDropDownList);
  combo->SetText(u"Letter");  // not an item: nothing chosen
  EXPECT_EQ(combo->Text(), u"");
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->Text(), u"A4");
  EXPECT_THROW(combo->SetItemIndex(2), EListError);
  combo->Items().Clear();
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ControlsFixture, EditOnChangeFollowsEveryChange) {
  auto* edit = Add<TEdit>(form);
  int changes = 0;
  edit->OnChange = [&](TComponent*) { ++changes; };
  edit->SetText(u"Tag");
  edit->UserSetText(u"Tags");
  edit->SetText(u"Tags");  // unchanged: no event
  EXPECT_EQ(changes, 2);
}

TEST_F(ControlsFixture, EditMaxLengthCutsOnlyWhatTheUserTypes) {
  auto* e = Add<TEdit>(form);
  e->SetMaxLength(3);
  e->SetText(u"longer text");  // code is not limited
  EXPECT_EQ(e->Text(), u"longer text");
  e->UserSetText(u"abcdef");
  EXPECT_EQ(e->Text(), u"abc");
  e->SetMaxLength(0);
  e->UserSetText(u"abcdef");
  EXPECT_EQ(e->Text(), u"abcdef");
}

TEST_F(ControlsFixture, ListBoxMultipleSelectionKeepsAFlagPerItem) {
  auto* l = Add<TListBox>(form);
  l->Items().SetText(u"a\r\nb\r\nc\r\n");
  l->SetItemIndex(1);
  EXPECT_TRUE(l->Selected(1));  // single selection: the item index
  EXPECT_FALSE(l->Selected(7));
  l->SetMultiSelect(true);
  l->SetSelected(0, true);
  l->SetSelected(2, true);
  EXPECT_TRUE(l->Selected(0));
  EXPECT_FALSE(l->Selected(1));
  EXPECT_TRUE(l->Selected(2));
  int clicks = 0;
  l->OnClick = [&](TComponent*) { ++clicks; };
  l->UserSelect(0, false);
  EXPECT_FALSE(l->Selected(0));
  EXPECT_EQ(clicks, 1);
  EXPECT_THROW(l->SetSelected(3, true), EListError);
  l->SetTopIndex(2);
  EXPECT_EQ(l->TopIndex(), 2);
  l->Items().Add(u"d");  // new items: nothing selected, from the top
  EXPECT_FALSE(l->Selected(2));
  EXPECT_EQ(l->TopIndex(), 0);
}

TEST_F(ControlsFixture, PageControlHiddenTabsKeepTheirPlace) {
  auto* pages = Add<TPageControl>(form);
  TTabSheet* sheets[3];
  for (auto*& s : sheets) {
    s = new TTabSheet(form);
    s->SetPageControl(pages);
  }
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
  sheets[0]->SetTabVisible(false);
  pages->SetActivePage(sheets[2]);
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(sheets[2]->PageIndex(), 2);

  int changes = 0;
  pages->OnChange = [&](TComponent*) { ++changes; };
  pages->SetActivePageIndex(1);
  pages->UserSelectPage(sheets[2]);
  EXPECT_EQ(changes, 1);

  delete sheets[2];  // the active page goes: the first page takes over
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
}

TEST_F(ControlsFixture, PagesTakeTheDisplayAreaAndTheirAlignedChildrenFollowResizes) {
  auto* pages = Add<TPageControl>(form);
  pages->SetBounds(0, 0, 300, 200);
  auto* sheet = new TTabSheet(form);
  sheet->SetPageControl(pages);
  auto* filling = Add<TEdit>(sheet);
  filling->SetAlign(TAlign::alClient);
  EXPECT_EQ(pages->DisplayRect(), (TRect{0, 0, 296, 172}));
  EXPECT_EQ(sheet->Width(), 296);
  EXPECT_EQ(filling->Height(), 172);

  pages->SetBounds(0, 0, 500, 400);
  EXPECT_EQ(sheet->Width(), 496);
  EXPECT_EQ(filling->Width(), 496);
  EXPECT_EQ(filling->Height(), 372);
}

TEST_F(ControlsFixture, CategoryPanelsCollapseToTheirHeader) {
  auto* group = Add<TCategoryPanelGroup>(form);
  auto* first = Add<TCategoryPanel>(group);
  auto* second = Add<TCategoryPanel>(group);
  second->SetExpandedHeight(150);
  second->Collapse();
  EXPECT_TRUE(second->Collapsed());
  EXPECT_EQ(second->Height(), TCategoryPanel::HeaderHeight);
  second->Expand();
  EXPECT_EQ(second->Height(), 150);
  EXPECT_EQ(group->PanelCount(), 2);
  EXPECT_EQ(group->Panels(0), first);
}

TEST_F(ControlsFixture, ScrollBarKeepsThePositionInRange) {
  auto* bar = Add<TScrollBar>(form);
  bar->SetParams(0, 0, 99, 10);
  EXPECT_EQ(bar->MaxPosition(), 90);
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 90);
  bar->SetSmallChange(16);
  bar->SetLargeChange(40);
  bar->SetPosition(0);
  std::vector<int> seen;
  bar->OnScroll = [&](TComponent*, TScrollCode, int& pos) {
    seen.push_back(pos);
    if (pos == 56) pos = 50;  // the handler may change the position
  };
  bar->UserScroll(TScrollCode::scLineDown);
  bar->UserScroll(TScrollCode::scPageDown);
  bar->UserScroll(TScrollCode::scBottom);
  EXPECT_EQ(seen, (std::vector<int>{16, 56, 90}));
  bar->UserScroll(TScrollCode::scPageUp);
  EXPECT_EQ(bar->Position(), 50);
}

TEST_F(ControlsFixture, FocusMovesWithEnterAndExit) {
  auto* a = Add<TEdit>(form);
  auto* b = Add<TEdit>(form);
  std::vector<std::string> log;
  a->OnEnter = [&](TComponent*) { log.push_back("enter a"); };
  a->OnExit = [&](TComponent*) { log.push_back("exit a"); };
  b->OnEnter = [&](TComponent*) { log.push_back("enter b"); };
  form->Show();
  a->SetFocus();
  b->SetFocus();
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"enter a", "exit a", "enter b"}));
  b->SetEnabled(false);
  EXPECT_THROW(b->SetFocus(), EInvalidOperation);
  delete b;  // the focused control goes
  EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(ControlsFixture, TabOrderIsThePlaceAmongWindowedSiblings) {
  auto* a = Add<TEdit>(form);
  auto* b = Add<TEdit>(form);
  auto* c = Add<TEdit>(form);
  c->SetTabOrder(0);
  EXPECT_EQ(c->TabOrder(), 0);
  EXPECT_EQ(a->TabOrder(), 1);
  EXPECT_EQ(b->TabOrder(), 2);
}

TEST_F(ControlsFixture, AHandlerMaySetAnotherHandlerForItsOwnEvent) {
  auto* button = Add<TButton>(form);
  std::vector<std::string> log;
  std::string first = "first, still whole";
  button->OnClick = [&log, button, first](TComponent*) {
    button->OnClick = [&log](TComponent*) { log.push_back("second"); };
    log.push_back(first);  // ASan reports the first handler's captures if they were freed
  };
  button->Click();
  button->Click();
  EXPECT_EQ(log, (std::vector<std::string>{"first, still whole", "second"}));
}

TEST_F(ControlsFixture, KeyHandlersMayChangeOrSwallowTheKey) {
  auto* edit = Add<TEdit>(form);
  edit->OnKeyPress = [](TComponent*, Char& key) {
    if (key == u'\r') key = 0;
  };
  Char key = u'\r';
  edit->KeyPress(key);
  EXPECT_EQ(key, 0);
}

struct ShortCutCase {
  const char16_t* text;
  TShortCut shortCut;
  const char16_t* back;
};

class ShortCuts : public ::testing::TestWithParam<ShortCutCase> {};

TEST_P(ShortCuts, TextAndBack) {
  EXPECT_EQ(TextToShortCut(GetParam().text), GetParam().shortCut);
  EXPECT_EQ(ShortCutToText(GetParam().shortCut), GetParam().back);
}

INSTANTIATE_TEST_SUITE_P(Menus, ShortCuts,
                         ::testing::Values(ShortCutCase{u"Ctrl+A", scCtrl | 'A', u"Ctrl+A"},
                                           ShortCutCase{u"ctrl+b", scCtrl | 'B', u"Ctrl+B"},
                                           ShortCutCase{u"Shift+Ctrl+F5", scShift | scCtrl | 0x74, u"Shift+Ctrl+F5"},
                                           ShortCutCase{u"Alt+F12", scAlt | 0x7B, u"Alt+F12"},
                                           ShortCutCase{u"Del", 0x2E, u"Del"},
                                           ShortCutCase{u"Ctrl+", scNone, u""},
                                           ShortCutCase{u"Ctrl+Foo", scNone, u""}),
                         [](const auto& info) { return CaseName(StringToUtf8(info.param.text), info.index); });

TEST_F(ControlsFixture, MenuItemsFoundByShortCutAndClicked) {
  auto* menu = new TMainMenu(form);
  form->SetMenu(menu);
  auto* view = new TMenuItem(form);
  view->SetCaption(u"Ansicht");
  menu->Items()->Add(view);
  auto* show = new TMenuItem(form);
  show->SetCaption(u"einblenden");
  show->SetShortCut(TextToShortCut(u"Ctrl+A"));
  int clicks = 0;
  show->OnClick = [&](TComponent*) { ++clicks; };
  view->Add(show);
  TMenuItem* found = menu->FindItemByShortCut(scCtrl | 'A');
  ASSERT_EQ(found, show);
  found->Click();
  show->SetEnabled(false);
  show->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(menu->FindItemByShortCut(scCtrl | 'A'), nullptr);
}

}  // namespace

namespace {

TEST_F(ControlsFixture, AlignedChildrenShareTheClientArea) {
  form->SetClientWidth(742);
  form->SetClientHeight(722);
  auto* side = Add<TCategoryPanelGroup>(form);
  side->SetWidth(241);
  side->SetAlign(TAlign::alLeft);
  auto* pages = Add<TPageControl>(form);
  pages->SetAlign(TAlign::alClient);
  auto* status = Add<TPanel>(form);
  status->SetHeight(30);
  status->SetAlign(TAlign::alBottom);

  EXPECT_EQ((std::vector<int>{side->Left(), side->Top(), side->Width(), side->Height()}),
            (std::vector<int>{0, 0, 241, 692}));
  EXPECT_EQ((std::vector<int>{pages->Left(), pages->Top(), pages->Width(), pages->Height()}),
            (std::vector<int>{241, 0, 501, 692}));
  EXPECT_EQ(status->Top(), 692);

  side->SetVisible(false);  // the page control takes the freed width
  EXPECT_EQ(pages->Left(), 0);
  form->SetClientWidth(800);
  EXPECT_EQ(pages->Width(), 800);
}

TEST_F(ControlsFixture, CategoryPanelsStackAndMoveUpWhenOneCollapses) {
  auto* group = Add<TCategoryPanelGroup>(form);
  group->SetWidth(241);
  TCategoryPanel* panels[3];
  for (auto*& p : panels) {
    p = Add<TCategoryPanel>(group);
    p->SetExpandedHeight(100);
  }
  EXPECT_EQ(panels[2]->Top(), 200);
  EXPECT_EQ(panels[2]->Width(), 241);
  panels[0]->Collapse();
  EXPECT_EQ(panels[1]->Top(), TCategoryPanel::HeaderHeight);
  EXPECT_EQ(panels[2]->Top(), TCategoryPanel::HeaderHeight + 100);
}

// Panels taller than the group scroll: the scroll bar takes its width from the panels, the
// position stays within the range as panels collapse, and the wheel scrolls unless a
// handler takes it.
TEST_F(ControlsFixture, CategoryPanelsTallerThanTheGroupScroll) {
  auto* group = Add<TCategoryPanelGroup>(form);
  group->SetBounds(0, 0, 241, 250);
  TCategoryPanel* panels[3];
  for (auto*& p : panels) {
    p = Add<TCategoryPanel>(group);
    p->SetExpandedHeight(100);
  }
  EXPECT_EQ(group->VertScrollRange(), 50);
  EXPECT_TRUE(group->ScrollBarVisible());
  EXPECT_EQ(panels[0]->Width(), 241 - TCategoryPanelGroup::ScrollBarWidth);

  EXPECT_TRUE(group->MouseWheel(0, -120, 10, 10));
  EXPECT_EQ(group->VertScrollPos(), 48);
  EXPECT_EQ(panels[0]->Top(), -48);
  group->SetVertScrollPos(500);
  EXPECT_EQ(group->VertScrollPos(), 50);
  EXPECT_EQ(panels[2]->Top() + panels[2]->Height(), 250);
  group->SetVertScrollPos(-5);
  EXPECT_EQ(group->VertScrollPos(), 0);

  group->SetVertScrollPos(50);
  panels[1]->Collapse();  // 224 high now: everything fits
  EXPECT_EQ(group->VertScrollPos(), 0);
  EXPECT_FALSE(group->ScrollBarVisible());
  EXPECT_EQ(panels[0]->Top(), 0);
  EXPECT_EQ(panels[0]->Width(), 241);
  EXPECT_FALSE(group->MouseWheel(0, -120, 10, 10));

  panels[1]->Expand();
  bool taken = false;
  group->OnMouseWheel = [&](TComponent*, TShiftState, int, int, int, bool& handled) { handled = taken = true; };
  EXPECT_TRUE(group->MouseWheel(0, -120, 10, 10));
  EXPECT_TRUE(taken);
  EXPECT_EQ(group->VertScrollPos(), 0);
}

}  // namespace

#include "platform/ui/Layout.h"

namespace {

TEST_F(ControlsFixture, ControlsWithoutGeometryGoTopToBottomSkippingHiddenOnes) {
  auto* panel = Add<TCategoryPanel>(form);
  auto* label = new TLabel(form);
  label->SetParent(panel);
  auto* hidden = Add<TButton>(panel);
  hidden->SetVisible(false);
  auto* edit = Add<TEdit>(panel);
  int needed = LayOutTopToBottom(*panel, 8, 6);
  EXPECT_EQ(label->Top(), 8);
  EXPECT_EQ(label->Left(), 8);
  EXPECT_EQ(edit->Top(), 8 + label->Height() + 6);
  EXPECT_EQ(needed, edit->Top() + edit->Height() + 8);
}

}  // namespace
