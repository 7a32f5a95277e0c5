// The base of every section of a laid-out document (a run of text, a block, a table, a
// rule, a page break) and the owning list of sections.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "html/document/model/Sentinels.h"
#include "html/foundation/shared/FreeList.h"
#include "html/foundation/shared/IdObjects.h"
#include "html/foundation/shared/UrlTarget.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

class TBlock;
class TCanvas;
class TFormControlObj;
class TIndentManager;
class TProperties;
class ThtDocument;

// Raised by a section whose layout cannot go on; the cell drops that section.
WENDREL_DECLARE_EXCEPTION(EProcessError, Exception);

class TSectionBase : public TIDObject {
 public:
  explicit TSectionBase(ThtDocument* document);
  // Display from the element's property set.
  TSectionBase(ThtDocument* document, const TProperties& properties);
  // For the printing copy: Display, SectionHeight and ZIndex; the rest comes from layout.
  TSectionBase(ThtDocument* document, const TSectionBase& source);
  // Leaves the document's id and position lists.
  ~TSectionBase() override;
  TSectionBase(const TSectionBase&) = delete;
  TSectionBase& operator=(const TSectionBase&) = delete;

  // Virtual operations, in this order (AnchorY and FreedByList come first, from TIDObject).
  int AnchorY() const override { return ContentTop; }
  virtual std::unique_ptr<TSectionBase> CreateCopy(ThtDocument* document) const;
  // The printing copy of a section that is not needed again (ThtDocument::TakeOver): as
  // CreateCopy, but the sections of its cells and the rows of its tables move over one at a
  // time, each freed as soon as it is copied; this section is left without them.
  virtual std::unique_ptr<TSectionBase> TakeCopy(ThtDocument* document) { return CreateCopy(document); }
  virtual bool CursorToXY(TCanvas& canvas, int cursor, int& x, int& y);
  // The bottom Y of what was drawn.
  virtual int Draw(TCanvas& canvas, const TRect& clip, TIndentManager& indents, int x, int xRef, int yRef);
  // The height by which the section advances the flow.
  virtual int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents,
                     int availableHeight, int containingHeight, int availableWidth, int originY, int originX,
                     int y);
  virtual int FindCursor(TCanvas& canvas, int x, int y, bool& onText, int& lineHeight, int& lineTop,
                         int& cursorX);
  virtual int SourceToCursor(int sourcePosition, bool backward);
  virtual int CursorToSource(int cursor);
  virtual int FindString(int fromCursor, const String& text, bool matchCase);
  virtual int FindStringBack(int fromCursor, const String& text, bool matchCase);
  virtual bool CharAt(int cursor, Char& ch, TIDObject*& object);
  // Flags UrlAtLink (target made for the caller), UrlAtFormControl, UrlAtTitle.
  virtual int UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
                    std::unique_ptr<TUrlTarget>& target);
  virtual bool ObjectAt(int x, int y, TIDObject*& object);
  virtual void AddToPositionList();
  virtual void CopySelection();
  virtual void MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth);

  // What a cell asks of the sections it holds.
  // A text section still collecting characters closes its text here; others hold none.
  virtual void CloseText(int endSourcePosition);
  // A text section with nothing to keep (not preformatted, no characters, no anchor, no
  // clear side): the cell frees it instead of adding it.
  virtual bool IsEmptyText() const { return false; }
  // The widest line of a text section's last layout.
  virtual int WidestLine() const { return 0; }
  // A block positioned absolutely (or fixed): it does not count for the bottom of its cell.
  virtual bool IsAbsolute() const { return false; }
  // A block in the flow drops a bottom margin that came from the default paragraph gap and
  // answers whether it did (a list item asks its content); every other section answers
  // nothing, and the cell looks further up.
  virtual std::optional<bool> DropDefaultBottomMargin() { return std::nullopt; }

  ThtDocument* Document = nullptr;
  TBlock* ContainingBlock = nullptr;
  uint8_t Display = 0;  // 0 unset, 1 block, 2 inline, 3 inline-block, 4 list-item, 5 run-in, 6 none
  int32_t StartCursor = 0;
  int32_t CursorLength = 0;
  int32_t ZIndex = 0;
  int32_t SectionTop = 0, DrawTop = 0, ContentTop = NotLaidOutTop, SectionBottom = 0, DrawBottom = 0;
  int32_t SectionHeight = 0;
  int32_t DrawHeight = 0;
};

// The sections of a cell, in flow order; created owning them.
class TSectionBaseList : public TFreeList<TSectionBase> {
 public:
  TSectionBaseList() : TFreeList(true) {}

  // The first section that places the cursor.
  virtual bool CursorToXY(TCanvas& canvas, int cursor, int& x, int& y);
  // The first answer that is not negative, asking from the first (backward: from the last).
  virtual int SourceToCursor(int sourcePosition, bool backward);
};
