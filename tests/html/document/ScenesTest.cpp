// Whole documents built through the model as the parser builds them (a BODY holding headings,
// paragraphs with links, lists, floating images and boxes), laid out by the document at 600
// pixels, painted on the raster device and compared with pictures a person has looked at.
// The same painting recorded as a metafile and played back gives the same pixels.
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "html/document/blocks/BodyBlock.h"
#include "html/document/blocks/ListItem.h"
#include "html/document/floats/ImageObj.h"
#include "html/document/inline/Section.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/TextTokens.h"
#include "html/foundation/shared/UrlTarget.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/document/ScenePainting.h"
#include "tests/html/document/blocks/BlockFixture.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PictureReference.h"

namespace {
namespace fs = std::filesystem;

constexpr int PageWidth = 600;
const TPictureTolerance FontTolerance{.Channel = 8, .Pixels = 40};

const String Prose =
    u"The engine lays text out in lines that fill the width of their block and wrap at the spaces "
    u"between words, so that a paragraph of several sentences takes several lines on the page.";

struct Scenes : BlockFixture {
  fs::path folder = fs::temp_directory_path() / ("wendrel-scenes-" + std::to_string(getpid()));
  Scenes() { fs::create_directories(folder); }
  ~Scenes() override { fs::remove_all(folder); }

  TBodyBlock& Body() { return AddBlock<TBodyBlock>(document, u"body", u"margin: 8px"); }

  // Text in the cell with the properties on top of the stack, as the parser collects it.
  static void AddText(TSection& section, const String& text, int& source) {
    TokenObj token;
    for (Char c : text) token.AppendChar(c, source++);
    section.AddTokenObj(token);
  }
  // An A element with an HREF: its rules are those of a link not yet visited.
  TProperties& PushLink() {
    auto props = std::make_unique<TProperties>(&stack, false);
    props->TakeParentValues(u"a", *stack.TopProps());
    TProperties* p = stack.Add(std::move(props));
    p->ApplyStyleRules(styles, u"a", stack.Count() - 1, nullptr, u"", u"link", u"", u"");
    return *p;
  }

  // A text section is handed to its cell once it is complete: the cell drops empty ones.
  std::unique_ptr<TSection> NewSection() {
    return std::make_unique<TSection>(&document, true, nullptr, *stack.TopProps(), nullptr);
  }

  // A block of the tag holding one paragraph of text; `link` is the part of the text that
  // becomes a link.
  TBlock& TextBlock(TCellBasic& cell, const char16_t* tag, const String& style, const String& text,
                    const String& link = u"") {
    TProperties& props = Push(tag, style);
    auto block = std::make_unique<TBlock>(&document, nullptr, &cell, props);
    TBlock& result = *block;
    cell.AddSection(std::move(block), 0);
    auto owned = NewSection();
    TSection& section = *owned;
    int source = 0;
    const size_t at = link.empty() ? String::npos : text.find(link);
    if (at == String::npos) {
      AddText(section, text, source);
    } else {
      AddText(section, text.substr(0, at), source);
      TAttributeList none;
      TUrlTarget target;
      target.StartLink(u"http://127.0.0.1/more", u"", none, source);
      section.ChangeLinkFont(true, PushLink(), target);
      AddText(section, link, source);
      Pop();
      section.ChangeLinkFont(false, *stack.TopProps(), TUrlTarget());
      AddText(section, text.substr(at + link.size()), source);
    }
    section.FinishText(source);
    result.ContentCell->AddSection(std::move(owned), source);
    Pop();
    return result;
  }

  TBlockLI& Item(TCellBasic& cell, int number, const String& text) {
    TProperties& props = Push(u"li");
    auto item = std::make_unique<TBlockLI>(&document, nullptr, 1, number, 0, false, u"ul", &cell, props);
    TBlockLI& result = *item;
    cell.AddSection(std::move(item), 0);
    auto section = NewSection();
    int source = 0;
    AddText(*section, text, source);
    section->FinishText(source);
    result.ContentCell->AddSection(std::move(section), source);
    Pop();
    return result;
  }

  // A paragraph starting with an image of one colour floated to the left.
  TImageObj& FloatParagraph(TCellBasic& cell, int width, int height, TColor color, const String& text) {
    TBitmap bitmap(width, height, pf24bit);
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(TRect{0, 0, width, height});
    const String path = Utf8ToString((folder / "float.bmp").string());
    bitmap.SaveToFile(path);

    TProperties& props = Push(u"p");
    auto block = std::make_unique<TBlock>(&document, nullptr, &cell, props);
    TBlock& paragraph = *block;
    cell.AddSection(std::move(block), 0);
    auto owned = NewSection();
    TSection& section = *owned;
    TAttributeList attributes;
    attributes.Add(new TAttribute(SrcAttrSy, 0, u"SRC", path, 1252));
    attributes.Add(new TAttribute(AlignAttrSy, 0, u"ALIGN", u"left", 1252));
    attributes.Add(new TAttribute(WidthAttrSy, width, u"WIDTH", Utf8ToString(std::to_string(width)), 1252));
    attributes.Add(new TAttribute(HeightAttrSy, height, u"HEIGHT", Utf8ToString(std::to_string(height)), 1252));
    TImageObj& image = *section.AddImage(attributes, paragraph.ContentCell.get(), 0);
    int source = 1;
    AddText(section, text, source);
    section.FinishText(source);
    paragraph.ContentCell->AddSection(std::move(owned), source);
    Pop();
    return image;
  }

  // Lays the document out at the page width and paints it on a white picture as high as it
  // is; checks the metafile playback against it.
  TTestPicture Paint(int height = 0) {
    TCanvas measure{std::make_unique<TMeasureDC>()};
    int scrollWidth = 0, cursor = 0;
    const int docHeight = document.DoLogic(measure, 0, PageWidth, 1000, scrollWidth, cursor);
    if (height == 0) height = docHeight;
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return PictureOf(PaintSceneBothWays(document, PageWidth, height, "scenes", name)->Image());
  }
};

// A heading in a bold larger font, a paragraph of several lines with a link, and a bulleted
// list of three items.
TEST_F(Scenes, HeadingParagraphAndList) {
  TBodyBlock& body = Body();
  TBlock& heading = TextBlock(*body.ContentCell, u"div", u"font-weight: bold; font-size: 20px; margin-bottom: 8px",
                              u"A heading in a larger bold font");
  TBlock& paragraph = TextBlock(*body.ContentCell, u"p", u"", Prose + u" Read more about it on the next page.",
                                u"more about it");
  TProperties& ul = Push(u"ul");
  auto list = std::make_unique<TBlock>(&document, nullptr, body.ContentCell.get(), ul);
  TBlock& listBlock = *list;
  body.ContentCell->AddSection(std::move(list), 0);
  TBlockLI& first = Item(*listBlock.ContentCell, 1, u"The first item");
  Item(*listBlock.ContentCell, 2, u"The second item, a little longer");
  Item(*listBlock.ContentCell, 3, u"The third");
  Pop();

  const TTestPicture picture = Paint();
  EXPECT_TRUE(MatchesReference(picture, "html/scene_heading_paragraph_list", FontTolerance));
  EXPECT_LT(heading.BorderRect.Bottom, paragraph.BorderRect.Top);
  EXPECT_LT(paragraph.BorderRect.Bottom, listBlock.BorderRect.Top + 1);
  EXPECT_GT(first.BorderRect.Left, body.ContentLeft + 20);  // the list is indented
}

// An image floated left with the paragraph's text flowing around it, and a box with a
// background colour and a border holding text.
TEST_F(Scenes, FloatAndBox) {
  TBodyBlock& body = Body();
  TImageObj& image = FloatParagraph(*body.ContentCell, 120, 80, clLime, Prose + u" " + Prose);
  TBlock& box = TextBlock(*body.ContentCell, u"div",
                          u"background-color: yellow; border: 3px solid blue; padding: 6px; margin: 10px 40px",
                          Prose);
  const TTestPicture picture = Paint();
  EXPECT_TRUE(MatchesReference(picture, "html/scene_float_and_box", FontTolerance));
  EXPECT_EQ(image.BoxWidth, 120);
  EXPECT_EQ(picture.Rgb(8 + 5, 8 + 5), 0x00FF00u);  // at the body's content corner
  EXPECT_EQ(picture.Rgb(8 + 119, 8 + 79), 0x00FF00u);
  EXPECT_EQ(picture.Rgb(box.BorderRect.Left + 1, box.BorderRect.Top + 1), 0x0000FFu);
  EXPECT_EQ(picture.Rgb(box.BorderRect.Left + 5, box.BorderRect.Top + 5), 0xFFFF00u);
}

// Everything inside one box with a background and a border: the text, the floating image and
// the list markers move with the box's content edge.
TEST_F(Scenes, EverythingInsideABox) {
  TBodyBlock& body = Body();
  TBlock& box = AddBlock(*body.ContentCell, u"div",
                         u"background-color: #e0e0ff; border: 4px solid red; padding: 10px; margin-left: 60px");
  TextBlock(*box.ContentCell, u"div", u"font-weight: bold; font-size: 20px", u"Inside the box");
  FloatParagraph(*box.ContentCell, 60, 50, clLime, Prose);
  TProperties& ul = Push(u"ul");
  auto list = std::make_unique<TBlock>(&document, nullptr, box.ContentCell.get(), ul);
  TBlock& listBlock = *list;
  box.ContentCell->AddSection(std::move(list), 0);
  Item(*listBlock.ContentCell, 1, u"One");
  Item(*listBlock.ContentCell, 2, u"Two");
  Pop();
  const TTestPicture picture = Paint();
  EXPECT_TRUE(MatchesReference(picture, "html/scene_everything_in_a_box", FontTolerance));
  const int left = 8 + 60;  // body margin, box margin
  EXPECT_EQ(box.BorderRect.Left, left);
  EXPECT_EQ(picture.Rgb(left + 1, box.BorderRect.Top + 1), 0xFF0000u);
  // The image sits at the box's content corner below the heading, inside the padding.
  EXPECT_EQ(picture.Rgb(left + 4 + 10 + 2, box.BorderRect.Bottom - 30), 0xE0E0FFu);
}

}  // namespace
