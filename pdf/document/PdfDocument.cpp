#include "pdf/document/PdfDocument.h"

#include <algorithm>

#include "platform/rtl/Unicode.h"
#include "pdf/helpers/AnsiConvert.h"
#include "pdf/helpers/TextHelpers.h"
#include "pdf/objects/PdfExceptions.h"

namespace {

struct TPaper {
  int32_t Width, Height;
};
constexpr TPaper kPapers[] = {{595, 842}, {419, 595}, {842, 1190}, {612, 792}, {612, 1008}};

const unsigned char kIccProfile[] = {
#include "pdf/document/SrgbIccProfile.inc"
};

}  // namespace

TPdfDocument::TPdfDocument(bool outlinesEnabled, int codePage, bool pdfA1, TPdfEnvironment environment)
    : env_(std::move(environment)), outlinesEnabled_(outlinesEnabled), pdfA1_(pdfA1) {
  PageClass = [](TPdfDocument& doc) { return std::make_unique<TPdfPage>(doc); };
  codePage_ = codePage != 0 ? codePage : env_.AnsiCodePage;
  charSet_ = CharSetOfCodePage(codePage_);
  SelectPaperSize(psA4);
  canvas_ = std::make_unique<TPdfCanvas>(*this);

  if (env_.TrueTypeFamilies) {
    for (const String& family : env_.TrueTypeFamilies()) {
      if (family.empty() || family[0] == u'@') continue;
      std::string utf8 = StringToUtf8(family);
      if (std::find(trueTypeFontNames_.begin(), trueTypeFontNames_.end(), utf8) == trueTypeFontNames_.end())
        trueTypeFontNames_.push_back(std::move(utf8));
    }
    std::stable_sort(trueTypeFontNames_.begin(), trueTypeFontNames_.end(),
                     [](const std::string& a, const std::string& b) { return CompareAsciiNoCase(a, b) < 0; });
  }
  fallbackFontIndex_ = FindTrueTypeFont("Arial Unicode MS");
  if (fallbackFontIndex_ < 0)
    for (size_t i = 0; i < trueTypeFontNames_.size(); ++i)
      if (trueTypeFontNames_[i].find("Unicode") != std::string::npos) {
        fallbackFontIndex_ = static_cast<int>(i);
        break;
      }
  NewDoc();
}

TPdfDocument::~TPdfDocument() { FreeDoc(); }

void TPdfDocument::FreeDoc() {
  canvas_->DetachPage();
  pages_.clear();
  lastOutline_ = nullptr;
  outlineRoot_ = nullptr;
  rootPages_ = nullptr;
  outputIntents_ = nullptr;
  metadata_ = nullptr;
  bookmarkNames_ = {};
  pendingLinks_ = {};
  xobjectList_.reset();
  fontList_.clear();
  outlineEntries_.clear();
  destinations_.clear();
  info_.reset();
  catalog_.reset();
  trailer_.reset();
  xref_.reset();
}

TPdfStream* TPdfDocument::CreateStream() { return xref_->Add<TPdfStream>(xref_.get(), CompressStreams, codePage_); }

void TPdfDocument::NewDoc() {
  FreeDoc();
  xref_ = std::make_unique<TPdfXref>();
  header_ = pdfA1_ ? std::string("%PDF-1.4\n%\xE4\xE5\xE6\xF0\n") : std::string("%PDF-1.3\n");
  trailer_ = std::make_unique<TPdfTrailer>(xref_.get());
  xobjectList_ = std::make_unique<TPdfArray>(xref_.get());

  auto* catalogDict = xref_->Add<TPdfDictionary>(xref_.get());
  catalogDict->AddItem("Type", std::make_unique<TPdfName>("Catalog"));
  trailer_->Attributes.AddItem("Root", catalogDict);
  catalog_ = std::make_unique<TPdfCatalog>();
  catalog_->AttachDictionary(catalogDict);
  catalog_->SetPageLayout(plSinglePage);

  if (outlinesEnabled_) {
    auto root = std::make_unique<TPdfOutlineRoot>(*this);
    outlineRoot_ = root.get();
    catalogDict->AddItem("Outlines", root->Dictionary);
    outlineEntries_.push_back(std::move(root));
  }

  auto* infoDict = xref_->Add<TPdfDictionary>(xref_.get());
  infoDict->AddItem("Producer", std::make_unique<TPdfTextString>(std::string(kProducer)));
  trailer_->Attributes.AddItem("Info", infoDict);
  info_ = std::make_unique<TPdfInfo>();
  info_->AttachDictionary(infoDict);
  info_->SetCreationDate(env_.Now ? env_.Now() : 0);

  rootPages_ = &CreatePages(nullptr);

  if (pdfA1_) {
    FallbackFontEnabled = true;
    auto* intents = catalogDict->AddItem("OutputIntents", std::make_unique<TPdfArray>(xref_.get()));
    outputIntents_ = intents;
    auto intent = std::make_unique<TPdfDictionary>(xref_.get());
    intent->AddItem("Type", std::make_unique<TPdfName>("OutputIntent"));
    intent->AddItem("S", std::make_unique<TPdfName>("GTS_PDFA1"));
    intent->AddItem("OutputConditionIdentifier", std::make_unique<TPdfText>("sRGB"));
    intent->AddItem("RegistryName", std::make_unique<TPdfText>("http://www.color.org"));
    TPdfStream* profile = CreateStream();
    profile->Attributes().AddItem("N", std::make_unique<TPdfNumber>(3));
    profile->Writer().Add(kIccProfile, sizeof kIccProfile);
    intent->AddItem("DestOutputProfile", profile);
    intents->AddItem(std::move(intent));

    metadata_ = CreateStream();
    metadata_->Attributes().AddItem("Subtype", std::make_unique<TPdfName>("XML"));
    metadata_->Attributes().AddItem("Type", std::make_unique<TPdfName>("Metadata"));
    if (metadata_->Filter() != nullptr) metadata_->Filter()->RemoveName("FlateDecode");
    catalogDict->AddItem("Metadata", metadata_);
    catalogDict->AddItem("MarkInfo", std::make_unique<TPdfRawText>("<</Marked true>>"));
  }
}

TPdfDictionary& TPdfDocument::CreatePages(TPdfDictionary* parent) {
  auto* pages = xref_->Add<TPdfDictionary>(xref_.get());
  pages->AddItem("Type", std::make_unique<TPdfName>("Pages"));
  pages->AddItem("Kids", std::make_unique<TPdfArray>(xref_.get()));
  pages->AddItem("Count", std::make_unique<TPdfNumber>(0));
  if (parent == nullptr || parent->TypeOf() != "Pages")
    catalog_->SetPages(pages);
  else
    AddKid(*parent, *pages);
  return *pages;
}

void TPdfDocument::AddKid(TPdfDictionary& pages, TPdfDictionary& kid) {
  auto* kids = pages.ValueAs<TPdfArray>("Kids");
  kids->AddItem(&kid);
  pages.ValueAs<TPdfNumber>("Count")->Value = kids->ItemCount();
}

TPdfPage& TPdfDocument::AddPage() {
  if (rootPages_ == nullptr) throw EPdfInvalidOperation(S("AddPage"));
  // The page before is finished: its content is compressed now rather than held plain
  // until the save (a long document would otherwise keep every page's drawing in memory).
  if (!pages_.empty())
    if (auto* previous = pages_.back()->ValueAs<TPdfStream>("Contents")) previous->Pack();
  std::unique_ptr<TPdfPage> made = PageClass(*this);
  TPdfPage* page = made.get();
  xref_->AddObject(page);
  made.release();
  pages_.push_back(page);
  AddKid(*rootPages_, *page);
  page->AddItem("Type", std::make_unique<TPdfName>("Page"));
  page->AddItem("Parent", rootPages_);
  auto resources = std::make_unique<TPdfDictionary>(xref_.get());
  resources->AddItem("Font", std::make_unique<TPdfDictionary>(xref_.get()));
  resources->AddItem("XObject", std::make_unique<TPdfDictionary>(xref_.get()));
  resources->AddItem("ProcSet", TPdfArray::FromNames(xref_.get(), {"PDF", "Text", "ImageC"}));
  page->AddItem("Resources", std::move(resources));
  page->AddItem("Contents", CreateStream());
  canvas_->AttachPage(*page);
  return *page;
}

void TPdfDocument::SelectPaperSize(int paperIndex) {
  // An index outside the table stands for a user-defined size.
  if (paperIndex < psA4 || paperIndex > psUserDefined) paperIndex = psUserDefined;
  paperIndex_ = paperIndex;
  if (paperIndex < psUserDefined) {
    pageWidth_ = kPapers[paperIndex].Width;
    pageHeight_ = kPapers[paperIndex].Height;
  }
}

void TPdfDocument::SetPageWidth(int32_t points) {
  pageWidth_ = points;
  paperIndex_ = psUserDefined;
}

void TPdfDocument::SetPageHeight(int32_t points) {
  pageHeight_ = points;
  paperIndex_ = psUserDefined;
}
