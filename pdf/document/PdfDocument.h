// TPdfDocument: the PDF document being built. It owns the object registry, trailer,
// catalog, Info dictionary, page tree, fonts, XObjects, outline tree and the canvas that
// draws on the current page, and writes the whole file on request.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/fonts/FontStyle.h"
#include "platform/gdi/fonts/LogFont.h"
#include "pdf/document/PdfCanvas.h"
#include "pdf/document/PdfCatalog.h"
#include "pdf/document/PdfDestination.h"
#include "pdf/document/PdfEnvironment.h"
#include "pdf/document/PdfInfo.h"
#include "pdf/document/PdfOutline.h"
#include "pdf/document/PdfPage.h"
#include "pdf/fonts/PdfFont.h"
#include "pdf/helpers/RawUtf8List.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/objects/PdfXref.h"

class TBitmap;
class TStream;

// A rectangle in points.
struct TPdfRect {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
};

enum TPdfAnnotationSubType {
  asTextNotes, asLink, asSound, asFreeText, asStamp, asSquare, asCircle, asStrikeOut, asHighlight,
  asUnderline, asInk, asFileAttachment, asPopup
};

enum TPdfPaperSize { psA4, psA5, psA3, psLetter, psLegal, psUserDefined };

class TPdfDocument {
 public:
  // codePage 0 means the environment's ANSI code page.
  explicit TPdfDocument(bool outlinesEnabled = false, int codePage = 0, bool pdfA1 = false,
                        TPdfEnvironment environment = DefaultPdfEnvironment());
  virtual ~TPdfDocument();
  TPdfDocument(const TPdfDocument&) = delete;
  TPdfDocument& operator=(const TPdfDocument&) = delete;

  // Adds a page of the present page size and makes it the canvas's current page.
  virtual TPdfPage& AddPage();
  // Writes the file; modDate 0 means now. Without a page EPdfInvalidOperation "GetPage".
  virtual void WriteToStream(TStream& destination, TDateTime modDate = 0);
  // Writes the file through a temporary file in the same folder that replaces the named
  // one on success; false on any failure, the named file then untouched.
  bool WriteToFile(const String& fileName);
  // Starts over with an empty document (same options).
  void NewDoc();

  // 0 A4, 1 A5, 2 A3, 3 Letter, 4 Legal set the size of later pages; 5 (and any index
  // outside the table) keeps it as a user-defined size.
  void SelectPaperSize(int paperIndex);
  void SetPageWidth(int32_t points);
  void SetPageHeight(int32_t points);
  int32_t PageWidth() const { return pageWidth_; }
  int32_t PageHeight() const { return pageHeight_; }
  int PaperIndex() const { return paperIndex_; }

  // TrueType families.
  const std::vector<std::string>& TrueTypeFontNames() const { return trueTypeFontNames_; }
  // Index in TrueTypeFontNames (ASCII case ignored), or -1.
  int FindTrueTypeFont(std::string_view familyUtf8);
  int FallbackFontIndex() const { return fallbackFontIndex_; }
  // The family characters missing from a font are taken from (-1: none).
  void SetFallbackFontIndex(int index) { fallbackFontIndex_ = index; }
  // The /BaseFont name: the family without bytes outside "!".."~" plus ",Bold", ",Italic"
  // or ",BoldItalic".
  static std::string TrueTypeFontName(std::string_view family, uint8_t style);
  // TrueTypeFontName; for a family whose name is not 7-bit text, the PostScript name from
  // the "name" table of the font the logical font selects, when it has one.
  std::string TrueTypeFontPostScriptName(int familyIndex, uint8_t style, const TLogFont& logFont) const;

  // Fonts.
  // Names the font "F" + the number of fonts before it (its dictionary's /Name too) and
  // takes it into the document.
  TPdfFont& RegisterFont(std::unique_ptr<TPdfFont> font);
  // A font of the document that is not a TrueType family's, by /BaseFont name; or null.
  TPdfFont* FindFontByName(std::string_view name) const;
  const std::vector<std::unique_ptr<TPdfFont>>& FontList() const { return fontList_; }

  // XObjects. An unregistered XObject passes into the registry's ownership.
  // Returns its index in the XObject list, or -1 when it already has a /Name.
  int RegisterXObject(TPdfXObject* xobject, std::string_view name);
  int AddXObject(std::string_view name, TPdfXObject* image);
  TPdfXObject* GetXObject(std::string_view name) const;
  TPdfArray& XObjectList() const { return *xobjectList_; }
  // The name of a registered image of that size whose fingerprint is not all zero and
  // equals `hash`; empty when there is none.
  std::string GetXObjectImageName(const std::array<uint32_t, 4>& hash, int32_t width, int32_t height) const;
  // The image XObject of a bitmap: an identical one registered before (unless
  // NoBitmapReuse), else a new one named "VevImg" + the number of XObjects before it, a
  // JPEG at BitmapsAsJpeg's quality when that is not 0. With a placement (left, bottom,
  // right, top in points) the image is drawn there on the current page. Returns the name.
  std::string CreateOrGetImage(const TBitmap& bitmap, const TPdfRect* placement = nullptr);

  // Annotations, links, bookmarks and outlines.
  TPdfDictionary& CreateAnnotation(TPdfAnnotationSubType subType, const TPdfRect& rect);
  // A link to the bookmark of that name; resolved when the bookmark comes later.
  TPdfDictionary& CreateLink(const TPdfRect& rect, std::string_view bookmarkName);
  void CreateBookmark(std::string_view name, double top);
  // Null when outlines are disabled.
  TPdfOutlineEntry* CreateOutline(const String& title, int32_t level, double top);
  TPdfDestination& CreateDestination();
  TPdfOutlineEntry& AdoptOutlineEntry(std::unique_ptr<TPdfOutlineEntry> entry);

  // The page tree.
  TPdfDictionary& CreatePages(TPdfDictionary* parent);
  static void AddKid(TPdfDictionary& pages, TPdfDictionary& kid);

  // Parts.
  TPdfXref& Xref() { return *xref_; }
  TPdfTrailer& Trailer() { return *trailer_; }
  TPdfCatalog& Catalog() { return *catalog_; }
  TPdfInfo& Info() { return *info_; }
  TPdfCanvas& Canvas() { return *canvas_; }
  TPdfDictionary& RootPages() { return *rootPages_; }
  TPdfOutlineRoot* OutlineRoot() { return outlineRoot_; }
  TPdfStream* Metadata() { return metadata_; }
  const std::vector<TPdfPage*>& Pages() const { return pages_; }
  bool HasCurrentPage() const { return canvas_->HasPage(); }
  const TPdfEnvironment& Environment() const { return env_; }

  // Makes and registers a stream with the document's compression and code page.
  TPdfStream* CreateStream();

  int CodePage() const { return codePage_; }
  int CharSet() const { return charSet_; }
  int ScreenLogPixels() const { return env_.PixelsPerInch; }
  bool PdfA1Mode() const { return pdfA1_; }
  bool OutlinesEnabled() const { return outlinesEnabled_; }

  // Options.
  bool CompressStreams = true;
  bool SubstituteStandardFonts = false;
  bool EmbedTrueTypeFonts = false;
  bool EmbedWholeFonts = false;
  bool ShapeComplexScripts = false;
  int32_t BitmapsAsJpeg = 0;
  bool NoBitmapReuse = false;
  bool FallbackFontEnabled = true;
  std::vector<std::string> EmbedExcludedFonts;
  // Makes the pages of AddPage.
  std::function<std::unique_ptr<TPdfPage>(TPdfDocument&)> PageClass;

  static constexpr const char* kProducer = "Zurirov PDF engine 1.17";

 private:
  void FreeDoc();
  std::string XmpPacket() const;

  TPdfEnvironment env_;
  bool outlinesEnabled_;
  bool pdfA1_;
  int codePage_;
  int charSet_;
  int32_t pageWidth_ = 595;
  int32_t pageHeight_ = 842;
  int paperIndex_ = psA4;
  std::vector<std::string> trueTypeFontNames_;
  std::string lastFontName_;
  int lastFontIndex_ = -1;
  int fallbackFontIndex_ = -1;

  std::unique_ptr<TPdfCanvas> canvas_;
  std::unique_ptr<TPdfXref> xref_;
  std::unique_ptr<TPdfTrailer> trailer_;
  std::string header_;
  std::unique_ptr<TPdfCatalog> catalog_;
  std::unique_ptr<TPdfInfo> info_;
  TPdfDictionary* rootPages_ = nullptr;
  TPdfOutlineRoot* outlineRoot_ = nullptr;
  TPdfOutlineEntry* lastOutline_ = nullptr;
  TPdfArray* outputIntents_ = nullptr;
  TPdfStream* metadata_ = nullptr;
  std::unique_ptr<TPdfArray> xobjectList_;
  std::vector<std::unique_ptr<TPdfFont>> fontList_;
  std::vector<std::unique_ptr<TPdfDestination>> destinations_;
  std::vector<std::unique_ptr<TPdfOutlineEntry>> outlineEntries_;
  std::vector<TPdfPage*> pages_;
  TRawUTF8List<TPdfDestination> bookmarkNames_;
  TRawUTF8List<TPdfDictionary> pendingLinks_;
};
