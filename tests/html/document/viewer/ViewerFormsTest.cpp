// The viewer's side of the document's forms: a submission reaches OnFormSubmit from the
// message loop, and a control that gets the focus is scrolled into view.
#include <gtest/gtest.h>

#include <vector>

#include "html/document/forms/ButtonControls.h"
#include "html/document/forms/FormControlObj.h"
#include "tests/html/document/viewer/ViewerInput.h"

namespace {

using ViewerForms = ViewerInput;

template <class T>
T* ControlNamed(ThtDocument& document, const String& name) {
  for (int i = 0; i < document.AllFormControls.Count(); ++i)
    if (auto* control = dynamic_cast<T*>(document.AllFormControls.Items(i)); control && control->Name == name)
      return control;
  return nullptr;
}

const std::string FormPage =
    "<form action=go.cgi method=post><input name=q value=x><input type=submit name=s value=Send></form>" +
    LongPage(40) + "<form><input name=late value=y></form>" + LongPage(10);

TEST_F(ViewerForms, ASubmissionReachesTheHandlerFromTheMessageLoop) {
  std::vector<String> submitted;
  viewer->SetOnFormSubmit([&](TComponent* sender, const String& action, const String&, const String&,
                              const String& method, std::unique_ptr<TStringList> results) {
    EXPECT_EQ(sender, viewer);
    submitted.push_back(action + u" " + method + u" " + results->Text());
  });
  Show(FormPage);
  auto* button = ControlNamed<TButtonFormControlObj>(Document(), u"s");
  ASSERT_NE(button, nullptr);
  button->Button->Click();
  EXPECT_TRUE(submitted.empty());
  app.ProcessMessages();
  EXPECT_EQ(submitted, (std::vector<String>{u"go.cgi post q=x\r\ns=Send\r\n"}));

  // Without a handler the document has no one to submit to.
  viewer->SetOnFormSubmit(nullptr);
  EXPECT_FALSE(Document().OnFormSubmit);
}

TEST_F(ViewerForms, AControlThatGetsTheFocusIsScrolledIntoView) {
  Show(FormPage);
  TFormControlObj* late = ControlNamed<TFormControlObj>(Document(), u"late");
  ASSERT_NE(late, nullptr);
  ASSERT_GT(late->YValue, Panel().Height());
  late->FormControlEnter();
  EXPECT_EQ(viewer->GetScrollPos(), late->YValue - Panel().Height() / 2);
  // Already in view: nothing moves.
  ControlNamed<TFormControlObj>(Document(), u"late")->FormControlEnter();
  EXPECT_EQ(viewer->GetScrollPos(), late->YValue - Panel().Height() / 2);
  TFormControlObj* first = ControlNamed<TFormControlObj>(Document(), u"q");
  first->FormControlEnter();
  EXPECT_EQ(viewer->GetScrollPos(), 0);
}

}  // namespace
