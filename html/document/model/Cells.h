// Cells: ordered, owning lists of sections laid out top to bottom and drawn as one unit.
// The document is one, every block has one for its content, every table cell has one.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "html/document/model/SectionBase.h"
#include "html/foundation/layout/IndentManager.h"
#include "platform/gdi/Colors.h"

class TBlock;

class TCellBasic : public TSectionBaseList {
 public:
  explicit TCellBasic(ThtDocument* document);
  // Copies TagName and a CreateCopy of every section of the source, each through AddSection.
  TCellBasic(ThtDocument* document, const TCellBasic& source);
  // Adds the TakeCopy of each section in order, each through AddSection, and frees each
  // section as soon as it is copied (the sections come out of a cell not needed again).
  void AddTakenOver(std::vector<std::unique_ptr<TSectionBase>> sections);

  // Ignores a null section. A text section still collecting characters closes its text
  // first; one with nothing to keep is freed instead of added. Otherwise the section joins
  // the cell and belongs to the cell's document.
  void AddSection(TSectionBase* section, int endSourcePosition);
  void AddSection(std::unique_ptr<TSectionBase> section, int endSourcePosition) {
    AddSection(section.release(), endSourcePosition);
  }

  // The last block in the flow drops a bottom margin from the default paragraph gap (the
  // parser calls this when a container closes); False when there is no such block.
  bool DropLastDefaultBottomMargin();

  // Walks over the sections in list order.
  bool ObjectAt(int x, int y, TIDObject*& object);
  int FindCursor(TCanvas& canvas, int x, int y, bool& onText, int& lineHeight, int& lineTop, int& cursorX);
  int CursorToSource(int cursor);
  int FindString(int fromCursor, const String& text, bool matchCase);
  int FindStringBack(int fromCursor, const String& text, bool matchCase);
  void AddToPositionList();
  bool CharAt(int cursor, Char& ch, TIDObject*& object);
  void CopySelection();

  // Own virtual operations.
  // Lays the sections out from Y; answers the summed height. A section whose layout raises
  // EProcessError is dropped from the cell.
  virtual int Layout(TCanvas& canvas, int y, int& cursor, int& maxWidth, int availableHeight,
                     int containingHeight, int availableWidth);
  // Draws every section with the cell's indent manager; answers the last section's bottom
  // (y when the cell is empty).
  virtual int Draw(TCanvas& canvas, const TRect& clip, int width, int x, int y, int xRef, int yRef);
  virtual int UrlAt(TCanvas& canvas, int x, int y, String& title, TFormControlObj*& control,
                    std::unique_ptr<TUrlTarget>& target);
  virtual void MinMaxWidth(TCanvas& canvas, int& minWidth, int& maxWidth);

  ThtDocument* Document = nullptr;
  TBlock* OwnerBlock = nullptr;
  int32_t StartCursor = 0;
  int32_t CursorLength = 0;
  TIndentManager* IndentManager = nullptr;  // owned by a TCell, handed in by the block otherwise
  bool HasBackground = false;
  TColor CellBackground = clNone;
  String TagName;
  int32_t CellTop = 0;
  int32_t MinDrawTop = 0, MaxSectionBottom = 0, MaxDrawBottom = 0;
};

// A cell with an indent manager of its own; keeps the Y of its last Draw.
class TCell : public TCellBasic {
 public:
  explicit TCell(ThtDocument* document);
  TCell(ThtDocument* document, const TCell& source);

  // Lays out between a left edge at 0 and a right edge at the available width; floats
  // that hang below the last section count for the height.
  int Layout(TCanvas& canvas, int y, int& cursor, int& maxWidth, int availableHeight, int containingHeight,
             int availableWidth) override;
  int Draw(TCanvas& canvas, const TRect& clip, int width, int x, int y, int xRef, int yRef) override;
  // What Draw does before it draws the sections: the indent manager's origin and width for
  // content at x, y.
  void BeginDraw(int width, int x, int y);

  int32_t DrawYY = 0;

 private:
  TIndentManager ownIndents_;
};

// The content cell of a block; its indent manager is the block's.
class TBlockCell : public TCellBasic {
 public:
  explicit TBlockCell(ThtDocument* document) : TCellBasic(document) {}
  TBlockCell(ThtDocument* document, const TBlockCell& source) : TCellBasic(document, source) {}

  // Lays the sections out at Y one below the other with the content width. clipsOverflow:
  // the owner block hides its overflow, so the content width is the cell's max width.
  int DoLayout(TCanvas& canvas, int x, int& cursor, int& maxWidth, int containingHeight, int blockHeight,
               int contentWidth, int originY, int originX, int y, bool clipsOverflow);

  int32_t TotalHeight = 0;
  int32_t MaxTextWidth = 0;
};

// The title, HREF and TARGET of a table cell.
struct TCellLinkTexts {
  String Title;
  String Url;
  String Target;
};

// The content cell of a table cell: the cell's hot rectangle and its link. Few cells have
// a title or a link of their own, so their texts are held apart, made when one is set.
class TCellObjCell : public TCell {
 public:
  explicit TCellObjCell(ThtDocument* document) : TCell(document) {}
  TCellObjCell(ThtDocument* document, const TCellObjCell& source);

  // The texts, made empty when the cell has none yet.
  TCellLinkTexts& LinkTexts();
  const String& Title() const { return linkTexts_ ? linkTexts_->Title : NoText(); }
  const String& Url() const { return linkTexts_ ? linkTexts_->Url : NoText(); }
  const String& Target() const { return linkTexts_ ? linkTexts_->Target : NoText(); }

  TRect HotRect{};

 private:
  static const String& NoText();
  std::unique_ptr<TCellLinkTexts> linkTexts_;
};
