// What text lines hold besides plain text, painted on the raster device context: inline
// images aligned to the top, middle or bottom of their line (and the line heights they
// make), a host panel in a line, raised and lowered script, and the focus rectangles of a
// focused link. Printed pages draw panels themselves instead of placing their windows; they
// are recorded as a metafile and played back. The pictures are compared with references a
// person has looked at.
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "html/document/floats/ImageObj.h"
#include "html/document/floats/PanelObj.h"
#include "html/foundation/images/ImageCache.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/UrlTarget.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/metafile/MetafileCanvas.h"
#include "platform/ui/controls/CustomControl.h"
#include "tests/html/document/inline/SectionFixture.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PictureReference.h"

namespace {
namespace fs = std::filesystem;

constexpr uint32_t White = 0xFFFFFF, Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF;
const TPictureTolerance FontTolerance{.Channel = 8, .Pixels = 30};

// The image cache outlives the document, whose images release their entries in it.
struct CacheHolder {
  TStringBitmapList cache;
};

struct FocusViewer : TMarkupViewerBase {
  FocusViewer() : TMarkupViewerBase(nullptr) {}
  void ResolveFileName(const String& name, String& fullName) override { fullName = name; }
  bool DrawsFocusRect() override { return DrawsFocus; }
  void HoverFormControl(TComponent*, TShiftState, int, int) override {}
  void ReportProgress(int) override {}
  bool DrawsFocus = true;
};

// The smallest rectangle holding every pixel of the colour; empty when none.
TRect BoxOf(const TTestPicture& picture, uint32_t rgb, const TRect& area) {
  TRect box{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (picture.Rgb(x, y) == rgb) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? TRect{} : box;
}

// Rows and columns of the area that hold anything but white.
TRect InkOf(const TTestPicture& picture, const TRect& area) {
  TRect box{area.Right, area.Bottom, area.Left, area.Top};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (picture.Rgb(x, y) != White) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.IsEmpty() ? TRect{} : box;
}

struct ObjectsInLines : CacheHolder, SectionFixture {
  fs::path folder = fs::temp_directory_path() / ("wendrel-objects-in-lines-" + std::to_string(getpid()));
  TCustomControl paintPanel{nullptr};

  ObjectsInLines() {
    fs::create_directories(folder);
    document.ImageCache = &cache;
    document.PaintPanel = &paintPanel;
  }
  ~ObjectsInLines() override { fs::remove_all(folder); }

  String Bitmap(const std::string& name, int width, int height, TColor color) {
    TBitmap bitmap(width, height, pf24bit);
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(TRect{0, 0, width, height});
    const String path = Utf8ToString((folder / name).string());
    bitmap.SaveToFile(path);
    return path;
  }
  static std::unique_ptr<TAttributeList> Attributes(std::initializer_list<std::pair<uint8_t, String>> attrs) {
    auto list = std::make_unique<TAttributeList>();
    for (const auto& [symbol, value] : attrs)
      list->Add(new TAttribute(symbol, std::strtod(StringToUtf8(value).c_str(), nullptr), u"X", value, 1252));
    return list;
  }
  // Text, an image with the attributes, more text: one section of the document.
  TImageObj& ImageLine(const String& before, std::initializer_list<std::pair<uint8_t, String>> attrs,
                       const String& after) {
    auto section = NewSection();
    AddText(*section, before);
    TImageObj& image = *section->AddImage(*Attributes(attrs), &document, static_cast<int>(before.size()));
    AddText(*section, after, static_cast<int>(before.size()) + 1);
    section->FinishText(static_cast<int>(before.size() + after.size()) + 1);
    document.AddSection(std::move(section), 0);
    return image;
  }
  TPanelObj& PanelLine(const String& before, std::initializer_list<std::pair<uint8_t, String>> attrs,
                       const String& after) {
    auto section = NewSection();
    AddText(*section, before);
    TPanelObj& panel = *section->AddPanel(*Attributes(attrs), static_cast<int>(before.size()));
    AddText(*section, after, static_cast<int>(before.size()) + 1);
    section->FinishText(static_cast<int>(before.size() + after.size()) + 1);
    document.AddSection(std::move(section), 0);
    return panel;
  }
  TSection& SectionAt(int index) { return static_cast<TSection&>(*document.Items(index)); }

  int LayOutDocument(ThtDocument& doc, int width) {
    int scrollWidth = 0, cursor = 0;
    return doc.DoLogic(canvas, 0, width, 1000, scrollWidth, cursor);
  }
  // The document painted on a white raster picture.
  static TTestPicture Paint(ThtDocument& doc, int width, int height) {
    TPixelImage pixels(width, height, White);
    TRasterDC dc(pixels.Buffer());
    TCanvas raster(&dc);
    doc.Draw(raster, TRect{0, 0, width, height}, width, 0, 0, 0, 0);
    return PictureOf(pixels);
  }
  // The document recorded as a metafile and played back on a white picture.
  static TTestPicture PaintThroughMetafile(ThtDocument& doc, int width, int height) {
    TMetafile metafile;
    metafile.SetWidth(width);
    metafile.SetHeight(height);
    {
      TMetafileCanvas recorder(metafile);
      doc.Draw(recorder, TRect{0, 0, width, height}, width, 0, 0, 0, 0);
    }
    TBitmap played(width, height, pf24bit);
    played.Canvas().Brush().SetColor(clWhite);
    played.Canvas().FillRect(TRect{0, 0, width, height});
    played.Canvas().Draw(0, 0, metafile);
    return PictureOf(played.Image());
  }
  static int Baseline(const LineRec& line) { return line.DrawY + line.LineHeight - line.Descent; }
  static int LineTop(const TSection& section, int index) {
    int top = section.SectionTop;
    for (int i = 0; i < index; ++i) top += section.Lines[static_cast<size_t>(i)]->TotalHeight();
    return top;
  }
};

// An image taller than the text makes its line as tall as itself, wherever it is aligned;
// bottom-aligned it stands on the baseline, top-aligned it hangs from the line top, and
// middle-aligned it is centred on the text. The text of the next line starts below it.
TEST_F(ObjectsInLines, InlineImagesAlignedInTheirLine) {
  const String red = Bitmap("red.bmp", 30, 50, clRed);
  const String blue = Bitmap("blue.bmp", 24, 12, clBlue);
  struct Case {
    const char16_t* Align;  // nil: no ALIGN (bottom)
    uint8_t Kind;
  } cases[] = {{nullptr, 4}, {u"top", 1}, {u"middle", 2}, {u"bottom", 4}};
  for (const Case& c : cases) {
    if (c.Align)
      ImageLine(u"Text before", {{SrcAttrSy, red}, {AlignAttrSy, c.Align}, {WidthAttrSy, u"30"}, {HeightAttrSy, u"50"}},
                u"and after it, with words enough to need a second line below");
    else
      ImageLine(u"Text before", {{SrcAttrSy, red}, {WidthAttrSy, u"30"}, {HeightAttrSy, u"50"}},
                u"and after it, with words enough to need a second line below");
  }
  // An image lower than the text leaves the line as high as the text.
  ImageLine(u"Small", {{SrcAttrSy, blue}, {AlignAttrSy, u"middle"}, {WidthAttrSy, u"24"}, {HeightAttrSy, u"12"}},
            u"image");
  const int width = 330;
  const int height = LayOutDocument(document, width);
  const TTestPicture picture = Paint(document, width, height);
  EXPECT_TRUE(MatchesReference(picture, "html/inline_images_aligned", FontTolerance));

  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const TSection& section = SectionAt(k);
    ASSERT_GE(section.Lines.size(), 2u);
    const LineRec& line = *section.Lines[0];
    const int top = LineTop(section, 0), bottom = top + line.TotalHeight();
    const TImageObj& image = static_cast<const TImageObj&>(*section.FloatingObjects().Items(0));
    EXPECT_EQ(image.VertAlignKind, cases[k].Kind);
    const TRect box = BoxOf(picture, Red, {0, std::max(top - 1, 0), width, std::min(bottom + 1, height)});
    ASSERT_EQ(box.Width(), 30);
    ASSERT_EQ(box.Height(), 50);
    EXPECT_EQ(line.TotalHeight(), cases[k].Kind == 4 ? 50 + line.Descent : 50);
    const int baseline = Baseline(line);
    const int fontRows = line.LineHeight;  // the text's cell, around the baseline
    switch (cases[k].Kind) {
      case 4: EXPECT_EQ(box.Bottom, baseline); break;
      case 1: EXPECT_EQ(box.Top, top); break;
      case 2: {
        const int textMiddle = baseline + line.Descent - fontRows / 2;
        EXPECT_NEAR((box.Top + box.Bottom) / 2, textMiddle, 1);
        break;
      }
    }
    // The text of the line sits on the baseline left of the image; the next line begins
    // below the image.
    const TRect before = InkOf(picture, {0, top, box.Left - 2, bottom});
    EXPECT_LE(before.Bottom, baseline + line.Descent);
    EXPECT_GE(before.Bottom, baseline);
    const TRect next = InkOf(picture, {0, bottom, width, bottom + section.Lines[1]->TotalHeight()});
    EXPECT_FALSE(next.IsEmpty());
    // Inside the line; middle-aligned it is centred on the font's cell, which may leave it a
    // pixel lower than the line's room (made for the font's height with its leading).
    EXPECT_GE(box.Top, top);
    EXPECT_LE(box.Bottom, bottom + (cases[k].Kind == 2 ? 1 : 0));
  }
  const TSection& small = SectionAt(4);
  EXPECT_EQ(small.Lines[0]->SpaceBefore, 0);
  EXPECT_EQ(small.Lines[0]->SpaceAfter, 0);
  const TRect blueBox = BoxOf(picture, Blue, {0, LineTop(small, 0), width, height});
  EXPECT_EQ(blueBox.Height(), 12);
  EXPECT_GE(blueBox.Top, LineTop(small, 0));
  EXPECT_LE(blueBox.Bottom, LineTop(small, 0) + small.Lines[0]->TotalHeight());
}

// A host panel in a line: its window is placed where the line puts it (middle-aligned on the
// text) and shown; after a scroll the next paint moves it and keeps it shown, while a panel
// whose line is not painted any more is hidden.
TEST_F(ObjectsInLines, APanelInALineIsPlacedAndKeptShownWhenScrolled) {
  TPanelObj& panel = PanelLine(u"A panel", {{WidthAttrSy, u"60"}, {HeightAttrSy, u"40"}, {AlignAttrSy, u"middle"},
                                            {HSpaceAttrSy, u"4"}},
                               u"in its line");
  const String filler = u"More text. ";
  String lots;
  for (int i = 0; i < 40; ++i) lots += filler;
  auto after = FinishedSection(lots);
  document.AddSection(std::move(after), 0);
  TPanelObj& lower = PanelLine(u"Far below", {{WidthAttrSy, u"20"}, {HeightAttrSy, u"10"}}, u"");
  LayOutDocument(document, 300);

  const TSection& section = SectionAt(0);
  const LineRec& line = *section.Lines[0];
  EXPECT_EQ(line.TotalHeight(), 40);  // the panel is taller than the text
  Paint(document, 300, 100);
  const int left = line.DrawX + Measure(section, u"A panel") + 4;
  const int top = LineTop(section, 0);  // centred on the text, it fills the line it makes as high as itself
  EXPECT_EQ(panel.Panel->Left(), left);
  EXPECT_EQ(panel.Panel->Top(), top);
  EXPECT_EQ(panel.Panel->Width(), 60);
  EXPECT_EQ(panel.Panel->Height(), 40);
  EXPECT_TRUE(panel.Panel->Visible());
  EXPECT_TRUE(panel.Shown);
  EXPECT_FALSE(lower.Shown);  // its line lies far below the painted area

  document.SetYOffset(7);
  Paint(document, 300, 100);
  EXPECT_EQ(panel.Panel->Top(), top - 7);
  EXPECT_TRUE(panel.Panel->Visible());

  lower.Panel->Show();
  document.SetYOffset(8);
  Paint(document, 300, 100);
  EXPECT_TRUE(panel.Panel->Visible());
  EXPECT_FALSE(lower.Panel->Visible());
}

// On a printed page a panel has no window to show: the printing copy draws the host's
// picture of the panel at the box's size, or, without a host handler, a black frame filled in
// the panel's colour with the alternative text. A panel not to be shown draws nothing. The
// pages are recorded as metafiles and played back.
TEST_F(ObjectsInLines, PrintedPanelsDrawTheHostsPictureOrAFrame) {
  TPanelObj& first = PanelLine(u"First", {{WidthAttrSy, u"80"}, {HeightAttrSy, u"30"}}, u"panel");
  TPanelObj& second = PanelLine(u"Second", {{WidthAttrSy, u"90"}, {HeightAttrSy, u"36"}, {AltAttrSy, u"Alt text"}},
                                u"panel");
  TPanelObj& hidden = PanelLine(u"Hidden", {{WidthAttrSy, u"50"}, {HeightAttrSy, u"20"}}, u"panel");
  hidden.Panel->ShowInDocument = false;
  second.Panel->SetColor(clYellow);
  const int width = 300;
  const int height = LayOutDocument(document, width);
  Paint(document, width, height);  // the screen places the windows
  const TRect firstBounds{first.Panel->Left(), first.Panel->Top(), first.Panel->Width(), first.Panel->Height()};

  // Without a host handler when the copy is made: frames.
  ThtDocument framedCopy(document);
  struct Drawn {
    ThvPanel* Panel;
    int Width, Height;
  };
  std::vector<Drawn> drawn;
  document.PanelPrint = [&](ThvPanel& panel, TBitmap& bitmap) {
    drawn.push_back({&panel, panel.Width(), panel.Height()});
    bitmap.Canvas().Brush().SetColor(clLime);
    bitmap.Canvas().FillRect(TRect{0, 0, bitmap.Width(), bitmap.Height()});
  };
  ThtDocument hostedCopy(document);
  for (ThtDocument* copy : {&framedCopy, &hostedCopy}) {
    copy->Printing = true;
    LayOutDocument(*copy, width);
  }
  const TTestPicture framedPage = PaintThroughMetafile(framedCopy, width, height);
  const TTestPicture hostedPage = PaintThroughMetafile(hostedCopy, width, height);
  EXPECT_TRUE(MatchesReference(framedPage, "html/printed_panels", FontTolerance));

  const auto band = [&](ThtDocument& doc, int index) {
    const TSection& s = static_cast<const TSection&>(*doc.Items(index));
    return TRect{0, s.SectionTop, width, s.SectionTop + s.SectionHeight};
  };
  const auto objectLeft = [&](ThtDocument& doc, int index, const String& before) {
    const TSection& s = static_cast<const TSection&>(*doc.Items(index));
    return s.Lines[0]->DrawX + Measure(s, before);
  };

  // The host drew the two shown source panels at their box sizes; their bounds came back.
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].Panel, first.Panel.get());
  EXPECT_EQ(drawn[1].Panel, second.Panel.get());
  EXPECT_EQ(drawn[1].Width, 90);
  EXPECT_EQ(drawn[1].Height, 36);
  EXPECT_EQ((TRect{first.Panel->Left(), first.Panel->Top(), first.Panel->Width(), first.Panel->Height()}), firstBounds);
  const TRect lime = BoxOf(hostedPage, Green, band(hostedCopy, 0));
  EXPECT_EQ(lime.Left, objectLeft(hostedCopy, 0, u"First"));
  EXPECT_EQ(lime.Width(), 80);
  EXPECT_EQ(lime.Height(), 30);
  EXPECT_EQ(lime.Bottom, Baseline(*static_cast<const TSection&>(*hostedCopy.Items(0)).Lines[0]));  // bottom-aligned
  EXPECT_EQ(BoxOf(hostedPage, Green, band(hostedCopy, 1)).Width(), 90);

  // Without the handler: a black frame around the panel's colour, the alternative text inside.
  const TRect yellow = BoxOf(framedPage, 0xFFFF00, band(framedCopy, 1));
  ASSERT_FALSE(yellow.IsEmpty());
  const TRect frame{yellow.Left - 1, yellow.Top - 1, yellow.Right + 1, yellow.Bottom + 1};
  EXPECT_EQ(frame.Left, objectLeft(framedCopy, 1, u"Second"));
  EXPECT_EQ(frame.Width(), 90);
  EXPECT_EQ(frame.Height(), 36);
  for (int x = frame.Left; x < frame.Right; ++x) {
    EXPECT_EQ(framedPage.Rgb(x, frame.Top), 0u) << x;
    EXPECT_EQ(framedPage.Rgb(x, frame.Bottom - 1), 0u) << x;
  }
  TRect text{frame.Right, frame.Bottom, frame.Left, frame.Top};  // what is not yellow inside the frame
  for (int y = frame.Top + 1; y < frame.Bottom - 1; ++y)
    for (int x = frame.Left + 1; x < frame.Right - 1; ++x)
      if (framedPage.Rgb(x, y) != 0xFFFF00) {
        text.Left = std::min(text.Left, x);
        text.Top = std::min(text.Top, y);
        text.Right = std::max(text.Right, x + 1);
        text.Bottom = std::max(text.Bottom, y + 1);
      }
  ASSERT_FALSE(text.IsEmpty()) << "the alternative text";
  EXPECT_GE(text.Left, frame.Left + 5);
  EXPECT_GE(text.Top, frame.Top + 5);
  // The panel not to be shown leaves its place empty on both pages.
  for (const auto* page : {&framedPage, &hostedPage}) {
    const int left = objectLeft(framedCopy, 2, u"Hidden");
    const TRect hiddenBand = band(framedCopy, 2);
    EXPECT_EQ(InkOf(*page, {left + 1, hiddenBand.Top, left + 49, hiddenBand.Bottom}), TRect{});
  }
}

// Raised and lowered script: a superscript's glyphs stand a third of its font's height above
// the baseline, a subscript's half its descent plus one pixel below; the text around stays on
// the baseline.
TEST_F(ObjectsInLines, SuperscriptAndSubscript) {
  auto section = NewSection();
  int source = 0;
  const auto add = [&](const String& text) {
    AddText(*section, text, source);
    source += static_cast<int>(text.size());
  };
  const auto script = [&](const char16_t* tag, const String& text) {
    section->ChangeFont(Push(tag));
    add(text);
    Pop();
    section->ChangeFont(*stack.TopProps());
  };
  add(u"E = MH");  // letters and digits with flat bottoms
  script(u"sup", u"2");
  add(u" and H");
  script(u"sub", u"2");
  add(u"I");
  section->FinishText(source);
  TSection& line = *section;
  document.AddSection(std::move(section), 0);
  const int width = 200;
  const int height = LayOutDocument(document, width);
  const TTestPicture picture = Paint(document, width, height);
  EXPECT_TRUE(MatchesReference(picture, "html/super_and_subscript", FontTolerance));

  ASSERT_EQ(line.Fonts.Count(), 5);
  const TFontObj& sup = *line.Fonts.Items(1);
  const TFontObj& sub = *line.Fonts.Items(3);
  EXPECT_EQ(sup.ScriptKind, AlignSuper);
  EXPECT_EQ(sub.ScriptKind, AlignSub);
  EXPECT_LT(sup.CellHeight, line.Fonts.Items(0)->CellHeight);  // a smaller font
  const int baseline = Baseline(*line.Lines[0]);
  // The columns of each piece, from the line's measured advances.
  const std::vector<int> advances = line.LineAdvances(canvas, *line.Lines[0]);
  const auto columns = [&](int from, int to) {
    int left = line.Lines[0]->DrawX;
    for (int i = 0; i < from; ++i) left += advances[static_cast<size_t>(i)];
    int right = left;
    for (int i = from; i < to; ++i) right += advances[static_cast<size_t>(i)];
    return std::make_pair(left, right);
  };
  const auto inkOf = [&](int from, int to) {
    const auto [left, right] = columns(from, to);
    return InkOf(picture, {left, 0, right, height});
  };
  // Digits and capitals have no descent: their ink ends on their own baseline.
  EXPECT_EQ(inkOf(5, 6).Bottom, baseline);                           // "H"
  EXPECT_EQ(inkOf(6, 7).Bottom, baseline - sup.CellHeight / 3);       // the raised "2"
  EXPECT_EQ(inkOf(12, 13).Bottom, baseline);                          // "H"
  EXPECT_EQ(inkOf(13, 14).Bottom, baseline + sub.BelowBaseline / 2 + 1);  // the lowered "2"
  EXPECT_EQ(inkOf(14, 15).Bottom, baseline);                          // "I"
}

// The focused link gets a dotted focus rectangle around each of its pieces when the viewer
// draws focus rectangles: from the piece's left to one pixel past its end, around the text's
// cell (a font height from the ascent down to the descent, so that the frame surrounds the
// letters instead of crossing them on the baseline); an image in the link gets one around
// its box. Nothing of it shows when the viewer draws none, or when the link has no focus.
TEST_F(ObjectsInLines, FocusRectanglesOfTheFocusedLink) {
  FocusViewer viewer;
  document.Viewer = &viewer;
  const String green = Bitmap("green.bmp", 20, 20, clLime);
  auto section = NewSection();
  AddText(*section, u"See ", 0);
  TAttributeList none;
  TUrlTarget target;
  target.StartLink(u"http://127.0.0.1/next", u"", none, 4);
  section->ChangeLinkFont(true, Push(u"a"), target);
  AddText(*section, u"the link", 4);
  TImageObj& image = *section->AddImage(*Attributes({{SrcAttrSy, green}, {BorderAttrSy, u"0"}}), &document, 12);
  Pop();
  section->ChangeLinkFont(false, *stack.TopProps(), TUrlTarget());
  AddText(*section, u" here", 13);
  section->FinishText(18);
  TSection& line = *section;
  document.AddSection(std::move(section), 0);
  const int width = 240;
  const int height = LayOutDocument(document, width) + 4;
  TFontObj& link = *line.Fonts.Items(1);
  ASSERT_FALSE(link.LinkTarget->LinkUrl.empty());

  const TTestPicture unfocused = Paint(document, width, height);
  link.HasFocus = true;
  const TTestPicture focused = Paint(document, width, height);
  EXPECT_TRUE(MatchesReference(focused, "html/link_focus_rectangles", FontTolerance));
  viewer.DrawsFocus = false;
  EXPECT_EQ(Paint(document, width, height), unfocused);

  // Where the focused picture differs from the unfocused one: the dotted frames only.
  TTestPicture dots(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (focused.Rgb(x, y) != unfocused.Rgb(x, y)) dots.Set(x, y, 0);
  const LineRec& l = *line.Lines[0];
  const int baseline = Baseline(l);
  const int textLeft = l.DrawX + Measure(line, u"See ");
  const int textRight = textLeft + Measure(line, u"the link", 1);
  const TRect textFrame{textLeft, baseline + link.BelowBaseline - link.CellHeight, textRight + 1,
                        baseline + link.BelowBaseline};
  const TRect imageBox{image.DrawLeft, image.DrawTop, image.DrawLeft + image.BoxWidth, image.DrawTop + image.BoxHeight};
  const auto onFrame = [](const TRect& r, int x, int y) {
    return (y == r.Top || y == r.Bottom - 1) ? (x >= r.Left && x < r.Right)
                                             : ((x == r.Left || x == r.Right - 1) && y >= r.Top && y < r.Bottom);
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (dots.Rgb(x, y) == 0) {
        EXPECT_TRUE(onFrame(textFrame, x, y) || onFrame(imageBox, x, y)) << x << "," << y;
      }
  // Each side of both frames is dotted (where the frames meet, the dots of one cancel the other's).
  for (const TRect& frame : {textFrame, imageBox}) {
    int top = 0, bottom = 0, left = 0, right = 0;
    for (int x = frame.Left + 1; x < frame.Right - 1; ++x) {
      top += dots.Rgb(x, frame.Top) == 0;
      bottom += dots.Rgb(x, frame.Bottom - 1) == 0;
    }
    for (int y = frame.Top + 1; y < frame.Bottom - 1; ++y) {
      left += dots.Rgb(frame.Left, y) == 0;
      right += dots.Rgb(frame.Right - 1, y) == 0;
    }
    EXPECT_GE(top, (frame.Width() - 2) / 2 - 1);
    EXPECT_GE(bottom, (frame.Width() - 2) / 2 - 1);
    EXPECT_GT(left + right, 0);
    EXPECT_GE(std::max(left, right), (frame.Height() - 2) / 2 - 1);
  }
  // The frame surrounds the link's letters.
  const TRect letters = InkOf(unfocused, {textFrame.Left + 1, 0, textFrame.Right - 1, height});
  EXPECT_GE(letters.Top, textFrame.Top);
  EXPECT_LE(letters.Bottom, textFrame.Bottom);
  document.Viewer = nullptr;
}

}  // namespace
