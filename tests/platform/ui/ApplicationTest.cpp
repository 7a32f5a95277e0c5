#include <gtest/gtest.h>

#include "platform/rtl/Clock.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Timer.h"
#include "platform/ui/app/Wait.h"
#include "platform/ui/controls/Buttons.h"
#include "platform/ui/dialogs/FileDialogs.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "platform/ui/menus/Menus.h"

namespace {

// A control that logs the messages posted to it.
class TLogger : public TPanel {
 public:
  using TPanel::TPanel;
  std::vector<std::string>* log = nullptr;
  void HandleMessage(TMessage& m) override { log->push_back("msg " + std::to_string(m.Msg)); }
};

struct AppFixture : ::testing::Test {
  TManualClock clock;
  ScopedClock useClock{clock};
  TApplication app;
  THeadlessBackend& headless = static_cast<THeadlessBackend&>(app.Backend());
  TForm* form = nullptr;
  TButton* button = nullptr;
  std::vector<std::string> log;

  void SetUp() override {
    app.CreateForm(form);
    button = new TButton(form);
    button->SetParent(form);
  }
  TLogger* Logger() {
    auto* l = new TLogger(form);
    l->SetParent(form);
    l->log = &log;
    return l;
  }
};

// A form that, like the program's windows, sets its OnCreate in its constructor.
class TCreatedForm : public TForm {
 public:
  explicit TCreatedForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TComponent*) { created = Application->FormCount(); };
  }
  int created = -1;
};

TEST_F(AppFixture, CreateFormKeepsOrderRaisesOnCreateAndTheFirstIsMain) {
  TCreatedForm* second = nullptr;
  TForm* third = nullptr;
  app.CreateForm(second);
  app.CreateForm(third);
  EXPECT_EQ(second->created, 2);  // after the form was listed
  EXPECT_EQ(app.MainForm(), form);
  EXPECT_EQ(app.FormCount(), 3);
  EXPECT_EQ(app.Forms(2), third);
}

TEST_F(AppFixture, PostedMessagesArriveAfterTheHandlerInOrder) {
  TLogger* target = Logger();
  button->OnClick = [&](TComponent*) {
    app.PostMessage(target, WM_USER + 1, 0, 0);
    app.PostMessage(target, WM_USER + 2, 0, 0);
    log.push_back("handler done");
  };
  headless.ScheduleInput(0, [&] { button->Click(); });
  app.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"handler done", "msg 1025", "msg 1026"}));
}

TEST_F(AppFixture, MessagesToAFreedControlAreDropped) {
  TLogger* target = Logger();
  app.PostMessage(target, WM_USER, 0, 0);
  delete target;
  app.ProcessMessages();  // ASan would report a use after free
  EXPECT_TRUE(log.empty());
}

TEST_F(AppFixture, NestedProcessMessagesDeliversInsideTheHandler) {
  TLogger* target = Logger();
  button->OnClick = [&](TComponent*) {
    app.PostMessage(target, WM_USER, 0, 0);
    log.push_back("before");
    app.ProcessMessages();
    log.push_back("after");
  };
  button->Click();
  EXPECT_EQ(log, (std::vector<std::string>{"before", "msg 1024", "after"}));
}

TEST_F(AppFixture, AnExceptionInAHandlerIsShownAndTheLoopGoesOn) {
  TLogger* target = Logger();
  button->OnClick = [&](TComponent*) {
    app.PostMessage(target, WM_USER, 0, 0);
    throw EConvertError(u"'abc' ist kein gültiger Integerwert");
  };
  auto* quiet = new TButton(form);
  quiet->OnClick = [](TComponent*) { throw EAbort(u"still"); };
  headless.ScheduleInput(0, [&] { button->Click(); });
  headless.ScheduleInput(0, [&] { quiet->Click(); });
  app.ProcessMessages();

  ASSERT_EQ(headless.Shown().size(), 1u);  // EAbort shows nothing
  EXPECT_EQ(headless.Shown()[0].Text, u"'abc' ist kein gültiger Integerwert.");
  EXPECT_EQ(headless.Shown()[0].Flags & MB_ICONERROR, MB_ICONERROR);
  EXPECT_EQ(log, (std::vector<std::string>{"msg 1024"}));  // what was posted before still goes out
}

TEST_F(AppFixture, ExceptionMessagesEndingInAFullStopKeepIt) {
  app.RunHandler([] { throw Exception(u"Fertig."); });
  app.RunHandler([] { throw std::runtime_error("bad"); });
  ASSERT_EQ(headless.Shown().size(), 2u);
  EXPECT_EQ(headless.Shown()[0].Text, u"Fertig.");
  EXPECT_EQ(headless.Shown()[1].Text, u"bad");
}

TEST_F(AppFixture, WaitReturnsAtTheTimeOutAndHandlesInputAtOnce) {
  uint64_t start = GetTickCount64();
  std::vector<uint64_t> clickedAt;
  button->OnClick = [&](TComponent*) { clickedAt.push_back(GetTickCount64() - start); };
  headless.ScheduleInput(start + 50, [&] { button->Click(); });
  headless.ScheduleInput(start + 120, [&] { button->Click(); });
  headless.ScheduleInput(start + 400, [&] { button->Click(); });  // after the wait

  WaitProcessingMessages(200);
  EXPECT_EQ(GetTickCount64() - start, 200u);
  EXPECT_EQ(clickedAt, (std::vector<uint64_t>{50, 120}));
}

// Notes the clock when a message arrives.
class TClockedTarget : public TPanel {
 public:
  using TPanel::TPanel;
  std::vector<uint64_t> at;
  void HandleMessage(TMessage&) override { at.push_back(GetTickCount64()); }
};

TEST_F(AppFixture, WaitDeliversMessagesPostedBeforeItAtOnce) {
  auto* target = new TClockedTarget(form);
  app.PostMessage(target, WM_USER, 0, 0);
  WaitProcessingMessages(100);
  EXPECT_EQ(target->at, (std::vector<uint64_t>{0}));
  EXPECT_EQ(GetTickCount64(), 100u);
}

TEST_F(AppFixture, WaitOfZeroProcessesNothing) {
  TLogger* target = Logger();
  app.PostMessage(target, WM_USER, 0, 0);
  headless.ScheduleInput(0, [&] { log.push_back("input"); });
  WaitProcessingMessages(0);
  WaitProcessingMessages(-5);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(GetTickCount64(), 0u);
}

TEST_F(AppFixture, WaitEndsLateWhenAHandlerRunsPastTheDeadline) {
  button->OnClick = [&](TComponent*) { clock.Advance(500); };
  headless.ScheduleInput(10, [&] { button->Click(); });
  WaitProcessingMessages(100);
  EXPECT_EQ(GetTickCount64(), 510u);
}

// Work that waits must not outlive the program: once the main form closes (or Terminate
// is called otherwise), the wait and the waiting of a web request end with EAbort.
TEST_F(AppFixture, WaitsEndWithAbortOnceTheProgramIsEnding) {
  button->OnClick = [&](TComponent*) { form->Close(); };
  headless.ScheduleInput(30, [&] { button->Click(); });
  EXPECT_THROW(WaitProcessingMessages(200), EAbort);
  EXPECT_EQ(GetTickCount64(), 30u);  // not on to the deadline
  EXPECT_TRUE(app.Terminated());

  // Already ending: nothing more is handled, no time passes.
  headless.ScheduleInput(30, [&] { log.push_back("input"); });
  EXPECT_THROW(WaitProcessingMessages(100), EAbort);
  EXPECT_THROW(ProcessMessagesWhileWaiting(), EAbort);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(GetTickCount64(), 30u);
}

TEST_F(AppFixture, ProcessingWhileWaitingHandlesInputAndAbortsWhenItEndsTheProgram) {
  headless.ScheduleInput(0, [&] { log.push_back("input"); });
  ProcessMessagesWhileWaiting();
  EXPECT_EQ(log, (std::vector<std::string>{"input"}));

  headless.ScheduleInput(0, [&] { app.Terminate(); });
  EXPECT_THROW(ProcessMessagesWhileWaiting(), EAbort);
}

TEST_F(AppFixture, TimersFireOnTheClockDuringWaits) {
  auto* timer = new TTimer(form);
  timer->SetInterval(40);
  std::vector<uint64_t> ticks;
  timer->SetOnTimer([&](TComponent*) { ticks.push_back(GetTickCount64()); });
  WaitProcessingMessages(130);
  EXPECT_EQ(ticks, (std::vector<uint64_t>{40, 80, 120}));

  timer->SetEnabled(false);
  WaitProcessingMessages(100);
  EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(AppFixture, ATimerIsNotReenteredWhileItsHandlerWaits) {
  auto* slow = new TTimer(form);
  slow->SetInterval(10);
  auto* fast = new TTimer(form);
  fast->SetInterval(15);
  int depth = 0, maxDepth = 0, slowRuns = 0, fastRuns = 0;
  slow->SetOnTimer([&](TComponent*) {
    maxDepth = std::max(maxDepth, ++depth);
    ++slowRuns;
    if (slowRuns == 1) WaitProcessingMessages(100);  // other timers go on meanwhile
    --depth;
  });
  fast->SetOnTimer([&](TComponent*) { ++fastRuns; });
  WaitProcessingMessages(11);
  EXPECT_EQ(maxDepth, 1);
  EXPECT_EQ(slowRuns, 1);
  EXPECT_EQ(fastRuns, 7);  // at 15, 30, ..., 105 while the slow handler waited
  EXPECT_EQ(GetTickCount64(), 110u);
}

TEST_F(AppFixture, ATimerMayFreeItselfInItsHandler) {
  auto* timer = new TTimer(form);
  timer->SetInterval(10);
  int fired = 0;
  timer->SetOnTimer([&](TComponent* sender) {
    ++fired;
    delete sender;
  });
  WaitProcessingMessages(50);
  EXPECT_EQ(fired, 1);
}

TEST_F(AppFixture, RunEndsWhenTheMainFormCloses) {
  TForm* other = nullptr;
  app.CreateForm(other);
  headless.ScheduleInput(50, [&] {
    other->Show();
    other->Close();  // another form closing does not end the program
  });
  headless.ScheduleInput(100, [&] { form->Close(); });
  app.Run();
  EXPECT_EQ(GetTickCount64(), 100u);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(app.Terminated());
}

TEST_F(AppFixture, RunEndsOnTerminateFromATimer) {
  auto* timer = new TTimer(form);
  timer->SetInterval(30);
  timer->SetOnTimer([&](TComponent*) { app.Terminate(); });
  app.Run();
  EXPECT_EQ(GetTickCount64(), 30u);
  EXPECT_TRUE(form->Visible());
}

TEST_F(AppFixture, OnCloseMayKeepTheFormOpen) {
  int asked = 0;
  form->OnClose = [&](TComponent*, TCloseAction& action) {
    if (++asked == 1) action = TCloseAction::caNone;
  };
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible());
  form->Close();
  EXPECT_FALSE(form->Visible());
}

TEST_F(AppFixture, ShowModalEndsWithTheButtonsResult) {
  TForm* dialog = nullptr;
  app.CreateForm(dialog);
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->SetModalResult(mrOk);
  headless.ScheduleInput(20, [&] { ok->Click(); });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(dialog->Visible());
  // With no input left to come, a modal form cannot wait for ever.
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(AppFixture, MessageBoxesAndDialogsAnswerFromTheScript) {
  headless.AnswerMessageBox(IDNO);
  EXPECT_EQ(app.MessageBox(u"Speichern?", u"Frage", MB_YESNO), IDNO);
  EXPECT_EQ(app.MessageBox(u"Noch einmal?", u"Frage", MB_YESNO), IDYES);
  ShowMessage(u"Einstellungen gespeichert");

  TOpenDialog open(nullptr);
  open.Filter = u"CSV-Tabellen|*.csv";
  headless.AnswerFileDialog(u"/tmp/x.csv");
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName, u"/tmp/x.csv");
  EXPECT_FALSE(open.Execute());  // no answer scripted: cancelled

  TSaveDialog save(nullptr);
  save.DefaultExt = u".pdf";
  headless.AnswerFileDialog(u"/tmp/report");
  headless.AnswerFileDialog(u"/tmp/report.v2/out.PDF");
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, u"/tmp/report.pdf");
  ASSERT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName, u"/tmp/report.v2/out.PDF");

  const auto& shown = headless.Shown();
  ASSERT_EQ(shown.size(), 7u);
  EXPECT_EQ(shown[2].Text, u"Einstellungen gespeichert");
  EXPECT_EQ(shown[3].Kind, u"open");
  EXPECT_EQ(shown[3].Text, u"CSV-Tabellen|*.csv");
}

TEST(FileDialog, FilterPairs) {
  TOpenDialog d(nullptr);
  d.Filter = u"HTML Files|*.htm?|Alle|*.*;*.txt|dangling";
  auto list = d.FilterList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Description, u"HTML Files");
  EXPECT_EQ(list[1].Patterns, u"*.*;*.txt");
}

TEST_F(AppFixture, PopupMenusChooseFromTheScript) {
  auto* popup = new TPopupMenu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption(u"Liste löschen");
  int clicks = 0;
  item->OnClick = [&](TComponent*) { ++clicks; };
  popup->Items()->Add(item);
  button->SetPopupMenu(popup);
  headless.AnswerPopup({0});
  popup->Popup(button, 10, 10);
  popup->Popup(button, 10, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(popup->PopupComponent(), button);
}

}  // namespace
