// Documents of blocks and text paragraphs built in code, cut into page metafiles; the pages
// are looked at as the text they record and as the pixels they give when played back.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "html/document/inline/Section.h"
#include "html/document/paging/PageRenderer.h"
#include "html/foundation/shared/TextTokens.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecordViews.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/Metafile.h"
#include "tests/html/document/blocks/BlockFixture.h"

struct PagingViewer : TMarkupViewerBase {
  PagingViewer() : TMarkupViewerBase(nullptr) {}
  void ResolveFileName(const String& name, String& fullName) override { fullName = name; }
  bool DrawsFocusRect() override { return false; }
  void HoverFormControl(TComponent*, TShiftState, int, int) override {}
  void ReportProgress(int) override {}
};

// Base: BlockFixture or a fixture derived from it.
template <class Base>
struct PagingFixtureOf : Base {
  // A block of the tag holding one text paragraph.
  TBlock& Paragraph(TCellBasic& cell, const String& text, const String& style = u"margin: 0px") {
    ThtDocument& document = this->document;
    TProperties& props = this->Push(u"p", style);
    auto block = std::make_unique<TBlock>(&document, nullptr, &cell, props);
    TBlock& result = *block;
    cell.AddSection(std::move(block), 0);
    auto section = std::make_unique<TSection>(&document, true, nullptr, *this->stack.TopProps(), nullptr);
    TokenObj token;
    for (size_t i = 0; i < text.size(); ++i) token.AppendChar(text[i], static_cast<int>(i));
    section->AddTokenObj(token);
    section->FinishText(static_cast<int>(text.size()));
    result.ContentCell->AddSection(std::move(section), static_cast<int>(text.size()));
    this->Pop();
    return result;
  }

  // The text of the page's text records, one record per entry, in drawing order.
  static std::vector<String> TextRecords(const TMetafile& page) {
    std::vector<String> texts;
    TEmfReader reader(page.Data());
    for (const TEmfRecord& record : reader.Records())
      if (record.Type() == EMR_EXTTEXTOUTW) texts.push_back(ReadEmfText(record).Text);
    return texts;
  }
  struct TPlacedText {
    String Text;
    int Y;  // the reference point: the baseline of text the engine draws
  };
  static std::vector<TPlacedText> PlacedTexts(const TMetafile& page) {
    std::vector<TPlacedText> texts;
    TEmfReader reader(page.Data());
    for (const TEmfRecord& record : reader.Records())
      if (record.Type() == EMR_EXTTEXTOUTW) {
        const TEmfText text = ReadEmfText(record);
        texts.push_back({text.Text, text.Reference.Y});
      }
    return texts;
  }
  // The words of the page's text: a record that starts where the previous one ended, on the
  // same line (a raised or lowered run a little off its baseline), continues its word (a word
  // may change its font halfway); other records are apart.
  static std::vector<String> PageWords(const TMetafile& page) {
    std::vector<String> words;
    String word;
    int endX = 0, lastY = 0;
    bool any = false;
    TEmfReader reader(page.Data());
    for (const TEmfRecord& record : reader.Records()) {
      if (record.Type() != EMR_EXTTEXTOUTW) continue;
      const TEmfText text = ReadEmfText(record);
      const bool joins = any && std::abs(text.Reference.Y - lastY) <= 12 && std::abs(text.Reference.X - endX) <= 1;
      if (!joins && !word.empty()) words.push_back(std::exchange(word, String()));
      for (Char c : text.Text) {
        if (c == u' ' || c == u'\t' || c == 0xA0) {
          if (!word.empty()) words.push_back(std::exchange(word, String()));
        } else {
          word += c;
        }
      }
      endX = text.Reference.X;
      for (int32_t dx : text.Dx) endX += dx;
      lastY = text.Reference.Y;
      any = true;
    }
    if (!word.empty()) words.push_back(word);
    return words;
  }
  static String PageText(const TMetafile& page) {
    String text;
    for (const String& piece : TextRecords(page)) text += piece;
    return text;
  }
  // The page played back onto a white bitmap of its size.
  static std::unique_ptr<TBitmap> Raster(const TMetafile& page) {
    auto bitmap = std::make_unique<TBitmap>(1, 1, pf24bit);
    page.AssignTo(*bitmap);
    return bitmap;
  }
  // Every page played back, as PNGs under the build folder's paging-pages/ to look at.
  static void SavePages(const TPageMetafileList& pages, const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(WENDREL_BUILD_DIR) / "paging-pages";
    std::filesystem::create_directories(folder);
    for (size_t p = 0; p < pages.size(); ++p)
      std::ofstream(folder / (name + "-" + std::to_string(p + 1) + ".png"), std::ios::binary)
          << EncodePng(Raster(*pages[p])->Image(), false);
  }
  // Whether every pixel of the rows [top, bottom) has the colour.
  static bool RowsAre(TBitmap& bitmap, int top, int bottom, TColor color) {
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if (bitmap.Canvas().Pixel(x, y) != color) return false;
    return true;
  }
  static String WithoutSpaces(String text) {
    std::erase(text, u' ');
    return text;
  }
  static bool RowsHaveOtherThan(TBitmap& bitmap, int top, int bottom, TColor color) {
    return !RowsAre(bitmap, top, bottom, color);
  }
  // The pages of one renderer used as the PDF export uses it, measured first, every page
  // counted, then rewound and made: the same records, page for page, as a renderer that
  // only makes its pages (RenderPageMetafiles).
  static void ExpectSamePagesWhenMeasuredAndCounted(const ThtDocument& document, int width, int height) {
    const TPageMetafileList fresh = RenderPageMetafiles(document, width, height);
    TPageRenderer renderer(document, width, height);
    EXPECT_GT(renderer.Measure().cy, 0);
    int counted = 0;
    while (renderer.SkipPage()) ++counted;
    EXPECT_EQ(counted, static_cast<int>(fresh.size()));
    renderer.Rewind();
    size_t made = 0;
    while (std::unique_ptr<TMetafile> page = renderer.NextPage()) {
      ASSERT_LT(made, fresh.size());
      EXPECT_TRUE(page->Data() == fresh[made]->Data()) << "page " << made + 1;
      ++made;
    }
    EXPECT_EQ(made, fresh.size());
  }
};

using PagingFixture = PagingFixtureOf<BlockFixture>;
