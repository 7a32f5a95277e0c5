// Form fields parsed from HTML: the forms they join, the controls they make in the text,
// option lists and text area content, and the tags that end a SELECT without its end tag.
#include <gtest/gtest.h>

#include "html/document/forms/HtmlForm.h"
#include "tests/html/document/parser/ParsedDocument.h"

namespace {

// Each form's data lines joined by "|", forms joined by " / ".
std::string FormsOf(const ThtDocument& document) {
  std::string out;
  for (int i = 0; i < document.FormList.Count(); ++i) {
    auto data = document.FormList.Items(i)->GetFormData();
    if (i) out += " / ";
    for (int k = 0; k < data->Count(); ++k) out += (k ? "|" : "") + StringToUtf8((*data)[k]);
  }
  return out;
}

struct ParsedFormCase {
  const char* Html;
  const char* Forms;
  const char* Tree;  // empty: not checked
};

TEST(FormParsingTest, FieldsJoinTheirFormsAndShowInTheText) {
  const ParsedFormCase cases[] = {
      {"<form><input name=a value=1> <input type=checkbox name=b checked> <input type=hidden name=h value=x></form>",
       "a=1|b=on|h=x", "body(form(\"[control] [control]\"))"},
      {"<input name=a><form><input name=b></form><input name=c>", "a= / b= / c=", ""},
      {"<form action=1><input name=a><form action=2><input name=b></form>", "a= / b=", ""},
      {"<p>Pick <select name=s><option> one <option selected value=2>two</select> now", "s=2",
       "body(p(\"Pick [control] now\"))"},
      {"<select name=s><option>a<option selected>b<p>after", "s=b", "body(\"[control]\" p(\"after\"))"},
      {"<select name=s><option>a<input name=i value=v>", "s=a|i=v", "body(\"[control][control]\")"},
      {"<select name=m multiple><option selected>x<option>y<option selected>z</select>", "m=x|m=z", ""},
      {"<textarea name=t rows=2>line &amp; one\nline two</textarea>after", "t=line & one\r\nline two",
       "body(\"[control]after\")"},
      {"<pre><form><input name=p value=q></form>text</pre>", "p=q", ""},
      {"<input type=file name=f>", "f=", "body(\"[control][control]\")"},
  };
  for (const ParsedFormCase& c : cases) {
    SCOPED_TRACE(c.Html);
    TParsedDocument parsed(c.Html);
    parsed.Parse();
    EXPECT_EQ(FormsOf(parsed.document), c.Forms);
    if (*c.Tree) {
      EXPECT_EQ(parsed.Tree(), c.Tree);
    }
  }
}

TEST(FormParsingTest, FormAttributesAndStyledFields) {
  TParsedDocument parsed(
      "<form action=/find method=post target=_blank enctype=text/plain>"
      "<input name=q style='width: 120px; margin-left: 7px'></form>");
  parsed.Parse();
  ASSERT_EQ(parsed.document.FormList.Count(), 1);
  ThtmlForm& form = *parsed.document.FormList.Items(0);
  EXPECT_EQ(form.Action, u"/find");
  EXPECT_EQ(form.Method, u"post");
  EXPECT_EQ(form.Target, u"_blank");
  EXPECT_EQ(form.EncType, u"text/plain");
  ASSERT_EQ(form.ControlList.Count(), 1);
  TFormControlObj& field = *form.ControlList.Items(0);
  EXPECT_EQ(field.Width, 120);
  EXPECT_EQ(field.HSpaceLeft, 7);
  EXPECT_EQ(parsed.document.CurrentForm, nullptr);  // the form ended
}

}  // namespace
